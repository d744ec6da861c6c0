// The drawing widget shows exactly the core's pen raster through the screen
// palette. Under Xvfb (the gui.screenshot.xvfb test) the pixels are read back
// from the X server; on other platforms from the widget's own rendering.
#include "guifixture.h"

#include "app/session.h"

#include <QScrollBar>

#include <set>

using Screenshot = Editor;

TEST_F(Screenshot, DrawingWidgetShowsThePenRasterThroughThePalette) {
    ASSERT_EQ(opendiagramfile(IW_SAMPLE), 1);
    // A selected object, so that the handles and highlight are in the picture.
    click(32);
    const int x = getdrawx(IWO[1].x + IWO[1].width / 2), y = getdrawy(IWO[1].y + IWO[1].height / 2);
    drag(x, y, x, y);
    QPoint first;
    EXPECT_EQ(mismatches(onscreen(drawspace), &first), 0)
        << "first at " << first.x() << "," << first.y() << " on "
        << qPrintable(QGuiApplication::platformName());
    // Not a blank picture: the page, its shadow and the objects' pens.
    std::set<int> pens(drawspacerp->Pixels.begin(), drawspacerp->Pixels.end());
    EXPECT_GE(pens.size(), 5u);

    // After scrolling the picture follows the raster again.
    ui->scrollers[VSCROLLER]->setValue(ui->scrollers[VSCROLLER]->maximum());
    QApplication::processEvents();
    EXPECT_EQ(mismatches(onscreen(drawspace)), 0);
}
