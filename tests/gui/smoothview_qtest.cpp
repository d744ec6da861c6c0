// The drawing window's smooth picture: drawn at the screen's device pixel
// ratio (this program runs again under QT_SCALE_FACTOR=2), anti-aliased,
// never a scaled-up copy of a smaller picture, kept up to date piece by piece
// exactly as a whole new picture would be, with the editor's marks over it;
// and the "Smooth Drawing" choice, kept across a restart.
#include "guifixture.h"

#include "gui/desktopsettings.h"
#include "gui/smoothview.h"
#include "model/settings.h"
#include "platform/buttons.h"
#include "platform/palette.h"
#include "platform/raster.h"
#include "render/erase.h"
#include "store/diagramfile.h"

#include <QPalette>
#include <QProcess>
#include <QScrollBar>

#include <cmath>
#include <set>

namespace {

class SmoothDrawing : public Editor {
  protected:
    // A settings file without the choice: the smooth picture is the default.
    void beforestart() override { desktopsettings()->remove(SMOOTHDRAWINGKEY); }

    QAction *choice() const { return ui->mainwindow->findChild<QAction *>("smoothdrawing"); }

    // The picture a fresh start would show now: the same calls, drawn whole.
    QImage whole() const {
        SmoothPicture fresh;
        SmoothView v = smoothview(zoom, drawspace->devicePixelRatioF(), getdrawx(0), getdrawy(0));
        v.backboard = backboardcolour;
        v.shadow = shadowcolour;
        fresh.update(drawspacerp, IWO, IWONumber, IWODiagram, DiagramExists != 0, v);
        return fresh.image();
    }

    // A diamond, an ellipse and a rectangle on a new page, the last one selected.
    void drawsome() {
        newdiagram();
        place(DIAMONDTYPE, QRect(300, 300, 500, 500));
        place(ELLIPSETYPE, QRect(1000, 300, 700, 400));
        place(101, QRect(400, 1000, 600, 300));
        // A connector from the diamond to the ellipse, attached at both ends.
        place(CONNECTORTYPE, QRect(550, 550, 800, -50));
        const IWORecord &c = IWO[IWONumber - 1];
        ASSERT_EQ(c.type, CONNECTORTYPE);
        ASSERT_EQ(c.connectstart, IWO[1].id);
        ASSERT_EQ(c.connectend, IWO[2].id);
    }
};

// Colours of the picture that are no pen's: the blends of anti-aliased edges.
int blends(const QImage &img) {
    std::set<QRgb> pens;
    for (int k = 0; k < 256; k++) pens.insert(ScreenPalette[k] & 0xFFFFFFu);
    int n = 0;
    for (int y = 0; y < img.height(); y++)
        for (int x = 0; x < img.width(); x++) n += !pens.count(img.pixel(x, y) & 0xFFFFFFu);
    return n;
}

} // namespace

TEST_F(SmoothDrawing, SharpAtTheScreenRatioAndAntiAliased) {
    const double ratio = drawspace->devicePixelRatioF();
    if (const char *f = std::getenv("QT_SCALE_FACTOR")) {
        EXPECT_EQ(ratio, std::atof(f));
    }
    ASSERT_TRUE(choice() && choice()->isChecked() && drawspace->smooth());
    drawsome();
    const QImage img = drawspace->picture();
    EXPECT_EQ(img.size(), QSize((int)std::ceil(drawspacerp->Width * ratio),
                                (int)std::ceil(drawspacerp->Height * ratio)));
    EXPECT_EQ(img.devicePixelRatio(), ratio);
    EXPECT_GT(blends(img), 40);
    // What is painted is that picture, device pixel for device pixel.
    EXPECT_EQ(differing(drawspace->grab().toImage(), img), 0);
    // Not pixel-doubled: at ratio 2 the outlines' edges fall inside the
    // 2 x 2 blocks that a scaled-up picture would fill alike.
    if (ratio == 2) {
        int split = 0;
        for (int y = 0; y + 1 < img.height(); y += 2)
            for (int x = 0; x + 1 < img.width(); x += 2) {
                const QRgb c = img.pixel(x, y);
                split += img.pixel(x + 1, y) != c || img.pixel(x, y + 1) != c ||
                         img.pixel(x + 1, y + 1) != c;
            }
        EXPECT_GT(split, 100);
    }
}

// Every change (a new object, a move, a group dragged, undo, redo, the grid,
// a zoom and a scroll) leaves the picture as a whole new one would be, with
// every mark of the raster over it in its pen's colour.
TEST_F(SmoothDrawing, KeptUpToDateAsAWholeNewPicture) {
    drawsome();
    // Cairo rasterises an edge that crosses the clip of a partial redraw, or
    // one moved by whole device pixels in a scroll, with rounding of its own:
    // a pixel may differ from the picture drawn afresh by one of the 15 rows
    // of samples in a pixel (17 levels), never more. A stale or missing part
    // differs by far more.
    auto same = [this](const std::string &step) {
        QPoint first;
        int most = 0;
        EXPECT_EQ(differing(drawspace->picture(), whole(), 17, &first, &most), 0)
            << step << " first at " << first.x() << "," << first.y() << ", by up to " << most;
    };
    same("drawn");
    // The raster's marks shown in their pens over the picture; how many.
    const double ratio = drawspace->devicePixelRatioF();
    auto marksshown = [this, ratio] {
        int marks = 0;
        const QImage img = drawspace->picture();
        for (int y = 0; y < drawspacerp->Height; y++)
            for (int x = 0; x < drawspacerp->Width; x++) {
                const size_t at = (size_t)y * drawspacerp->Width + x;
                if (!drawspacerp->Marks[at]) continue;
                marks++;
                EXPECT_EQ(img.pixel((int)(x * ratio), (int)(y * ratio)) & 0xFFFFFFu,
                          ScreenPalette[drawspacerp->Pixels[at]] & 0xFFFFFFu);
            }
        return marks;
    };
    // The handles of the selected connector.
    EXPECT_GT(marksshown(), 10);
    click(BUTTON_SELECT);
    drag(getdrawx(700), getdrawy(1150), getdrawx(900), getdrawy(1500));
    same("moved");
    // The diamond alone: the connector attached to it follows.
    drag(getdrawx(550), getdrawy(720), getdrawx(450), getdrawy(900));
    same("attached moved");
    drag(getdrawx(100), getdrawy(100), getdrawx(2000), getdrawy(2000)); // all in the band
    drag(getdrawx(550), getdrawy(550), getdrawx(650), getdrawy(600));
    same("group moved");
    // Part way through a drag: the pointer outline over the picture.
    move(getdrawx(1300), getdrawy(500));
    QTest::mousePress(drawspace, Qt::LeftButton, Qt::NoModifier,
                      QPoint(getdrawx(1300), getdrawy(500)));
    move(getdrawx(1400), getdrawy(650));
    QApplication::processEvents();
    same("outline");
    QTest::mouseRelease(drawspace, Qt::LeftButton, Qt::NoModifier,
                        QPoint(getdrawx(1400), getdrawy(650)));
    QApplication::processEvents();
    shortcut(Qt::Key_U);
    same("undone");
    shortcut(Qt::Key_Z);
    same("redone");
    menu(3, 2); // Zoom In
    same("zoomed");
    const int handles = marksshown();
    menu(3, 5); // Show Grid
    same("grid");
    EXPECT_GT(marksshown(), handles + 100);
    // Scrolls both ways, by steps that are whole device pixels at some
    // ratios and not at others.
    for (int step : {40, -13, 7, -1}) {
        for (int k : {HSCROLLER, VSCROLLER}) {
            ui->scrollers[k]->setValue(ui->scrollers[k]->value() + step);
            QApplication::processEvents();
            same("scrolled " + std::to_string(k) + " by " + std::to_string(step));
        }
    }
}

// The window and `ideaweave-cli render --smooth` draw through the same calls:
// with no marks shown, the window's picture is the command's, pixel for pixel.
TEST_F(SmoothDrawing, SameAsTheRenderCommand) {
    drawsome();
    place(LINETYPE, QRect(1200, 900, 500, 300));
    click(BUTTON_SELECT);
    move(getdrawx(2500), getdrawy(1900));
    QTest::mouseClick(drawspace, Qt::LeftButton, Qt::NoModifier,
                      QPoint(getdrawx(2500), getdrawy(1900)));
    QApplication::processEvents();
    ASSERT_EQ(std::count(drawspacerp->Marks.begin(), drawspacerp->Marks.end(), 1), 0);
    // In and out again: the window drawn whole, as the command draws it.
    menu(3, 2);
    menu(3, 3);
    const QString file = home.filePath("same.iwo"), png = home.filePath("same.png");
    ASSERT_TRUE(writeIWOdiagramfile(file.toStdString()));
    const QString
        size = QString("%1x%2").arg(drawspacerp->Width).arg(drawspacerp->Height),
        at = QString("%1,%2").arg(getscrollertop(HSCROLLER)).arg(getscrollertop(VSCROLLER)),
        ratio = QString::number(drawspace->devicePixelRatioF());
    ASSERT_EQ(QProcess::execute(IW_CLI,
                                {"render", file, png, "--smooth", "--scale", ratio, "--size", size,
                                 "--zoom", QString::number((double)zoom, 'g', 9), "--scroll", at}),
              0);
    const QImage cli(png), own = drawspace->picture();
    QPoint first;
    EXPECT_EQ(differing(own, cli, 0, &first), 0)
        << "first at " << first.x() << "," << first.y() << " of " << own.width() << "x"
        << own.height() << ": " << std::hex << own.pixel(first) << " against " << cli.pixel(first);
}

// The choice: the classic picture is the pen raster's, exactly; the choice
// is kept in the desktop settings file and comes back after a restart.
TEST_F(SmoothDrawing, ChoiceKeptAcrossARestart) {
    drawsome();
    choice()->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(drawspace->smooth());
    EXPECT_EQ(drawspace->picture().size(), QSize(drawspacerp->Width, drawspacerp->Height));
    EXPECT_EQ(mismatches(drawspace->picture()), 0);
    EXPECT_EQ(desktopsettings()->value(SMOOTHDRAWINGKEY).toBool(), false);

    restart();
    ASSERT_TRUE(choice());
    EXPECT_FALSE(choice()->isChecked());
    EXPECT_FALSE(drawspace->smooth());
    // And on again: the picture is smooth at once, marks and all.
    drawsome();
    choice()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(drawspace->smooth());
    EXPECT_EQ(desktopsettings()->value(SMOOTHDRAWINGKEY).toBool(), true);
    EXPECT_GT(blends(drawspace->picture()), 40);
    EXPECT_EQ(drawspace->picture(), whole());
}

namespace {

// The same editor on a dark desktop.
class SmoothDrawingDark : public SmoothDrawing {
  protected:
    void beforestart() override {
        SmoothDrawing::beforestart();
        before_ = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(0x30, 0x30, 0x30)));
    }
    void TearDown() override {
        SmoothDrawing::TearDown();
        QApplication::setPalette(before_);
    }

  private:
    QPalette before_;
};

const int PICTURED[] = {BUTTON_NEW, BUTTON_DELETE, 101, DIAMONDTYPE};

} // namespace

// Button pictures are drawn in the screen's device pixels, never scaled up;
// on a light desktop they keep their transparent background.
TEST_F(SmoothDrawing, ButtonPicturesInDevicePixels) {
    const double ratio = qApp->devicePixelRatio();
    for (int id : PICTURED) {
        const QImage img = button(id)->normalpicture().toImage();
        EXPECT_EQ(img.devicePixelRatio(), ratio) << id;
        EXPECT_EQ(img.width(), (int)std::lround(ui->iconsize * ratio)) << id;
        EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, 0)), 0) << id;
    }
}

// Under a dark palette every picture stands on a light plate, its dark
// strokes still dark.
TEST_F(SmoothDrawingDark, ButtonPicturesReadable) {
    for (int id : PICTURED) {
        const QImage img = button(id)->normalpicture().toImage();
        const QColor edge = img.pixelColor(img.width() / 2, 0);
        EXPECT_EQ(edge.alpha(), 255) << id;
        EXPECT_GT(edge.lightness(), 200) << id;
        int dark = 0;
        for (int y = 0; y < img.height(); y++)
            for (int x = 0; x < img.width(); x++) dark += img.pixelColor(x, y).lightness() < 100;
        EXPECT_GT(dark, 10) << id;
    }
}
