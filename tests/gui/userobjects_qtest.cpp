// Create User IWO in the editor: the palette turns to its "U" page and the
// new tool's button shows the picture the converter made; under Xvfb the
// button on the screen shows it too.
#include "guifixture.h"

#include "store/userobjects.h"

#include <QTabWidget>

namespace {

using UserTools = Editor;

// Pixels that are not fully transparent.
int drawnpixels(const QImage &img) {
    int n = 0;
    for (int y = 0; y < img.height(); y++)
        for (int x = 0; x < img.width(); x++)
            if (qAlpha(img.pixel(x, y)) > 0) n++;
    return n;
}

} // namespace

TEST_F(UserTools, CreateUserIWOShowsTheIconOnTheUPage) {
    newdiagram();
    place(101);
    ui->palettetabs->setCurrentIndex(2);
    QApplication::processEvents();
    GadgetButton *tool = button(132);
    ASSERT_NE(tool, nullptr);
    EXPECT_FALSE(tool->isEnabled());
    const QImage before = onscreen(tool);
    ui->palettetabs->setCurrentIndex(0);

    shortcut(Qt::Key_1); // Object > Create User IWO
    EXPECT_EQ(userIWO[1].type, 132);
    EXPECT_EQ(ui->palettetabs->currentIndex(), 2);
    EXPECT_TRUE(tool->isEnabled());
    EXPECT_TRUE(tool->isChecked()); // the new tool is the current one
    EXPECT_GT(drawnpixels(tool->normalpicture().toImage()), 20);
    EXPECT_NE(onscreen(tool), before);

    // Clear User IWO: the button is empty and disabled again.
    shortcut(Qt::Key_2);
    EXPECT_EQ(userIWO[1].type, DEADTYPE);
    EXPECT_FALSE(tool->isEnabled());
    EXPECT_EQ(drawnpixels(tool->normalpicture().toImage()), 0);
}
