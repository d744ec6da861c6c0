// The object properties window in the editor: opened from the menu, Ctrl+I and
// the toolbar; colour buttons showing their pens; the palette, style and font
// windows answering what was clicked; Apply drawing the change on the page.
#include "guifixture.h"

#include "app/properties.h"
#include "platform/palette.h"
#include "render/grid.h"

#include <QToolButton>

namespace {

using Properties = Editor;

template <class W = QWidget> W *gadget(int id) { return gadgetof<W>(gadgetdialog(propwin), id); }
bool shown() { return gadgetdialog(propwin) && gadgetdialog(propwin)->isVisible(); }

bool showspen(QWidget *w, int pen) {
    return w && w->styleSheet().contains(QColor::fromRgb(penrgb(pen)).name());
}

} // namespace

// Opened with an object selected from Ctrl+I, the toolbar and the menu, it
// comes back where it was left. The colour buttons show their pens and the
// palette answers the clicked pen; typed fields keep their limits (each Apply
// as one undo step is the scripted session props-apply's). The style window answers the clicked
// style, the font chooser its choice.
TEST_F(Properties, OpensShowsThePensAndApplies) {
    newdiagram();
    place(101);
    shortcut(Qt::Key_I);
    ASSERT_TRUE(shown());
    EXPECT_EQ(gadgetdialog(propwin)->windowTitle(), "Object Properties");
    EXPECT_EQ(gadget<QSpinBox>(209)->value(), 1);
    keepsplace(
        propwin, [this] { click(31); },
        [] {
            EXPECT_EQ(propwindowopen, 0);
            EXPECT_EQ(IWO[0].type, DEADTYPE);
        });
    gadgetdialog(propwin)->close();
    menu(2, 0);
    EXPECT_TRUE(shown());
    const int inside = pen(getdrawx(700), getdrawy(600));
    for (auto [id, p] :
         {std::pair{229, IWO[1].fillcolour}, {228, IWO[1].linecolour}, {220, IWO[1].labelcolour}})
        EXPECT_TRUE(showspen(gadget(id), p)) << id;
    answerpalette(40);
    clickon(gadget(229));
    EXPECT_TRUE(showspen(gadget(229), 40));
    EXPECT_EQ(IWO[1].fillcolour, inside) << "nothing changes before Apply";
    clickon(gadget(236));
    EXPECT_EQ(IWO[1].fillcolour, 40);
    EXPECT_EQ(pen(getdrawx(700), getdrawy(600)), 40);
    // The left half of the Label button picks the label's background, the
    // right half its text pen.
    halves(gadget(220), 7, 9);
    EXPECT_EQ(tempIWOlabelcolour, 7);
    EXPECT_EQ(tempIWOfontcolour, 9);
    // Closed, the palette keeps the pen.
    inmodal("palettewindow", [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    clickon(gadget(228));
    EXPECT_EQ(tempIWOlinecolour, IWO[1].linecolour);

    auto *name = gadget<QLineEdit>(210);
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    // A character outside the stored character set is refused, not changed.
    QTest::keyClicks(name, "Box");
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(QChar(0x20ac)),
                        Qt::NoModifier);
    QTest::keyClicks(name, " one and a name far too long");
    auto *x = gadget<QSpinBox>(212);
    x->selectAll();
    QTest::keyClicks(x, "1500");
    QTest::keyClick(x, Qt::Key_Return);
    QApplication::processEvents();
    clickon(gadget(236));
    EXPECT_EQ(std::string(IWO[1].name), "Box one and a name f");
    EXPECT_NEAR(IWO[1].x, 1500, GridSize) << "moved there, and kept on the grid";

    // A line: the style window answers the clicked style, the font chooser its choice.
    place(107, QRect(400, 1000, 1000, 0));
    ASSERT_EQ(IWO[2].type, 107);
    ASSERT_TRUE(gadget(232)->isEnabled());
    inmodal("stylewindow", [](QWidget *w) {
        auto *b = w->findChild<QToolButton *>("style8");
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->icon().isNull()) << "the style buttons show the line ends";
        // The diamond and the open diamond look different and say what they are.
        auto *d = w->findChild<QToolButton *>("style12"),
             *o = w->findChild<QToolButton *>("style17");
        ASSERT_TRUE(d && o);
        EXPECT_EQ(d->toolTip(), "Diamond end");
        EXPECT_EQ(o->toolTip(), "Open diamond end");
        EXPECT_NE(d->icon().pixmap(32).toImage(), o->icon().pixmap(32).toImage());
        b->click();
    });
    clickon(gadget(232));
    EXPECT_EQ(IWO[2].draw[2].kind, 24);
    EXPECT_FALSE(gadget<QPushButton>(232)->icon().isNull());

    inmodal("fontrequester", [](QWidget *w) {
        w->findChild<QComboBox *>("family")->setCurrentText("DejaVu Serif");
        w->findChild<QSpinBox *>("size")->setValue(30);
        static_cast<QDialog *>(w)->accept();
    });
    clickon(gadget(219));
    clickon(gadget(236));
    EXPECT_STREQ(IWO[2].fontname, "DejaVu Serif.font");
    EXPECT_EQ(IWO[2].font.ta_YSize, 30);

    // The size box reaches its largest size, and a chooser accepted as it
    // opened keeps that size.
    largestfont(gadget(219), gadget(236), 120, [] { EXPECT_EQ(IWO[2].font.ta_YSize, 120); });
}
