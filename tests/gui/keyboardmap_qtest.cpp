// Labels edited in place from the keyboard: F2 or typing on the selected
// object opens a field over it; Return keeps the text as one undo step,
// Escape cancels, and what a label can't store is refused with the reason.
#include "guifixture.h"

#include "model/iwo.h"

#include <QApplication>
#include <QTest>

using LabelInPlace = Editor;

TEST_F(LabelInPlace, KeptCancelledTypedRefusedAndUndone) {
    newdiagram();
    place(101);
    const int n = selectedIWO;
    auto press = [&](int k) {
        if (QApplication::activeWindow() != ui->mainwindow) {
            ui->mainwindow->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(ui->mainwindow));
        }
        key(k);
    };
    answer("Okay", "Plan");
    press(Qt::Key_F2);
    answer("Cancel", "Gone");
    press(Qt::Key_F2);
    EXPECT_STREQ(IWO[n].label, "Plan");
    answer("Okay"); // the field starts with what was typed
    press(Qt::Key_Q);
    EXPECT_STREQ(IWO[n].label, "q");
    answer("Okay", QString("A\u20ACB") + QString(300, 'x'));
    press(Qt::Key_F2);
    EXPECT_EQ(hint.toStdString(), "A label holds at most 49 characters.");
    const std::string full = "AB" + std::string(47, 'x');
    EXPECT_EQ(IWO[n].label, full);
    answer("Okay", QString("C\u20ACD"));
    press(Qt::Key_F2);
    EXPECT_EQ(hint, QString("\u201C\u20AC\u201D cannot be stored: labels take Western European "
                            "(ISO-8859-1) characters only."));
    EXPECT_EQ(asked,
              std::vector<std::string>({"Edit Label | ", "Edit Label | Plan", "Edit Label | q",
                                        "Edit Label | q", "Edit Label | " + full}));
    EXPECT_STREQ(IWO[n].label, "CD");
    for (const std::string &before : {full, std::string("q"), std::string("Plan"), std::string()}) {
        shortcut(Qt::Key_U);
        EXPECT_EQ(IWO[n].label, before);
    }
}
