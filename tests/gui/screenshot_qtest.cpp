// The drawing widget shows exactly the core's pen raster through the screen
// palette. Under Xvfb (the gui.screenshot.xvfb test) the pixels are read back
// from the X server; on other platforms from the widget's own rendering.
#include "guifixture.h"

#include "app/session.h"
#include "model/iwo.h"
#include "platform/palette.h"
#include "platform/window.h"
#include "render/view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <set>

namespace {

// Pixels that differ from the raster's pens through the palette.
int mismatches(const QImage &shot, const Raster *rp, QPoint *first) {
    QImage img = shot.convertToFormat(QImage::Format_RGB32);
    int bad = 0;
    for (int y = 0; y < rp->Height && y < img.height(); y++)
        for (int x = 0; x < rp->Width && x < img.width(); x++)
            if ((img.pixel(x, y) & 0xFFFFFF) != penrgb(ReadPixel(rp, x, y)) && bad++ == 0)
                *first = QPoint(x, y);
    return bad;
}

} // namespace

using Screenshot = Editor;

TEST_F(Screenshot, DrawingWidgetShowsThePenRasterThroughThePalette) {
    ASSERT_EQ(opendiagramfile(IW_SAMPLE), 1);
    // A selected object, so that the handles and highlight are in the picture.
    click(32);
    drag(getdrawx(IWO[1].x + IWO[1].width / 2), getdrawy(IWO[1].y + IWO[1].height / 2),
         getdrawx(IWO[1].x + IWO[1].width / 2), getdrawy(IWO[1].y + IWO[1].height / 2));
    QImage shot = onscreen(drawspace);
    ASSERT_EQ(shot.width(), drawspacerp->Width);
    ASSERT_EQ(shot.height(), drawspacerp->Height);
    QPoint first;
    EXPECT_EQ(mismatches(shot, drawspacerp, &first), 0)
        << "first at " << first.x() << "," << first.y() << " on "
        << qPrintable(QGuiApplication::platformName());
    // Not a blank picture: the page, its shadow and the objects' pens.
    std::set<int> pens(drawspacerp->Pixels.begin(), drawspacerp->Pixels.end());
    EXPECT_GE(pens.size(), 5u);

    // After scrolling the picture follows the raster again.
    ui->scrollers[VSCROLLER]->setValue(ui->scrollers[VSCROLLER]->maximum());
    QApplication::processEvents();
    shot = onscreen(drawspace);
    EXPECT_EQ(mismatches(shot, drawspacerp, &first), 0);
}
