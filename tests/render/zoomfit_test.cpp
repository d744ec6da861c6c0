// Zoom to Fit, Zoom to Selection, zooming about the pointer and scrolling an
// object into view.
#include "renderfixture.h"

#include "render/zoomfit.h"

#include <cmath>

namespace {

// The page's pixel box in the window: left, top, right, bottom.
std::vector<int> pagebox() {
    return {getdrawx(0), getdrawy(0), getdrawx(IWODiagram.paperwidth),
            getdrawy(IWODiagram.paperheight)};
}

// The page fits the window (with its margins) at zoom z.
bool fits(float z, int ww, int wh) {
    return IWODiagram.paperwidth * (double)z <= ww - 2 * FITMARGIN &&
           IWODiagram.paperheight * (double)z <= wh - 2 * FITMARGIN;
}

} // namespace

// The largest zoom that fits, on the narrower side; held at the smallest fit
// for a window too small to hold anything, and at the most asked for.
TEST(FitZoom, LargestThatFits) {
    EXPECT_FLOAT_EQ(fitzoom(2100, 2900, 800, 600, 10.0f), (600.0f - 16) / 2900);
    EXPECT_FLOAT_EQ(fitzoom(2900, 2100, 1600, 600, 10.0f), (600.0f - 16) / 2100);
    EXPECT_FLOAT_EQ(fitzoom(4000, 100, 1016, 9999, 10.0f), 0.25f);
    EXPECT_FLOAT_EQ(fitzoom(2100, 2900, 300, 306, 10.0f), 0.1f); // just the smallest
    EXPECT_EQ(fitzoom(2100, 2900, 300, 305, 10.0f), MINFITZOOM);
    EXPECT_EQ(fitzoom(2100, 2900, 10, 10, 10.0f), MINFITZOOM);
    EXPECT_EQ(fitzoom(10, 10, 800, 600, 2.0f), 2.0f);
    EXPECT_EQ(fitzoom(0, 0, 800, 600, 2.0f), 2.0f); // a point: the most
    // Never rounded up past what fits.
    for (int w = 117; w < 3000; w += 97) {
        float z = fitzoom(w, 1, 1000, 100000, 100.0f);
        EXPECT_LE((double)z * w, 1000.0 - 2 * FITMARGIN) << w;
    }
    // The extent of the page at the limit is still addressable.
    EXPECT_LE(5800 * (double)pagezoomlimit(5800, 4200) + 200, 32767.0);
    EXPECT_GT(5800 * (double)pagezoomlimit(5800, 4200) + 200, 32766.0);
    EXPECT_EQ(pagezoomlimit(1000, 3000), pagezoomlimit(3000, 1000));
}

// The whole page in the window, centred, within one zoom step of the largest
// zoom that fits, at five window sizes and for both orientations.
TEST_F(View, ZoomToFitShowsWholePage) {
    const struct {
        int ww, wh, pw, ph;
    } cases[] = {
        {800, 600, 2100, 2900},  {1600, 500, 2100, 2900}, {700, 900, 5800, 4200},
        {1200, 800, 2900, 2100}, {260, 300, 1450, 2100},
    };
    for (const auto &c : cases) {
        resizedrawspacewindow(c.ww, c.wh);
        setview(c.pw, c.ph, 0.3f, 50, 50);
        zoomtofit();
        const std::vector<int> box = pagebox();
        SCOPED_TRACE(testing::Message() << c.ww << "x" << c.wh << " page " << c.pw << "x" << c.ph);
        EXPECT_TRUE(fits(zoom, c.ww, c.wh));
        EXPECT_FALSE(fits(zoom + 0.1f, c.ww, c.wh));
        EXPECT_GE(box[0], 0);
        EXPECT_GE(box[1], 0);
        EXPECT_LE(box[2], c.ww);
        EXPECT_LE(box[3], c.wh);
        // Centred: the free space on either side differs by a pixel at most.
        EXPECT_LE(std::abs(box[0] - (c.ww - box[2])), 2);
        EXPECT_LE(std::abs(box[1] - (c.wh - box[3])), 2);
    }
    // Without a diagram nothing changes (a window too small for the page is
    // the session zoom-fit's).
    DiagramExists = 0;
    zoom = 0.3f;
    zoomtofit();
    EXPECT_EQ(zoom, 0.3f);
}

// The selection's box fills the window, centred; lines pointing up and left
// count from both ends (nothing selected is the session zoom-fit's).
TEST_F(View, ZoomToSelection) {
    int a = place(101, 300, 400, 200, 100, true);
    int b = place(107, 900, 1000, -200, -650, true);
    place(101, 1500, 2500, 300, 200, false);
    (void)a, (void)b;
    zoomtoselection();
    // The box is 300..900 x 350..1000 (the line's upper end is its top): 600 x
    // 650 units in 800 x 600 pixels.
    EXPECT_FLOAT_EQ(zoom, (600.0f - 16) / 650);
    EXPECT_NEAR(getdrawx(300), 400 - 300 * zoom, 2);
    EXPECT_NEAR(getdrawy(350), 8, 2);
    EXPECT_NEAR(getdrawy(1000), 592, 2);
    // A single tiny object: held at the most a selection fit zooms.
    selectonly({a});
    IWO[a].width = 4;
    IWO[a].height = 4;
    zoomtoselection();
    EXPECT_EQ(zoom, MAXFITZOOM);
    EXPECT_NEAR(getdrawx(302), 400, 2);
}

// Ctrl+wheel: one zoom step, the diagram point under the pointer stays under
// it (to a pixel), in and out; refused steps change nothing.
TEST_F(View, ZoomAboutPointer) {
    setview(2100, 2900, 0.5f, 300, 600);
    const int px = 250, py = 420;
    const double ux =
        (px + getscrollertop(HSCROLLER) - (drawspacebitmapwidth - 2100 * 0.5) / 2) / 0.5;
    const double uy =
        (py + getscrollertop(VSCROLLER) - (drawspacebitmapheight - 2900 * 0.5) / 2) / 0.5;
    zoomabout(1, px, py);
    EXPECT_FLOAT_EQ(zoom, 0.6f);
    EXPECT_NEAR(getdrawx((int)std::lround(ux)), px, 1);
    EXPECT_NEAR(getdrawy((int)std::lround(uy)), py, 1);
    zoomabout(-1, px, py);
    zoomabout(-1, px, py);
    EXPECT_FLOAT_EQ(zoom, 0.4f);
    EXPECT_NEAR(getdrawx((int)std::lround(ux)), px, 1);
    EXPECT_NEAR(getdrawy((int)std::lround(uy)), py, 1);
    // The page smaller than the window is centred, whatever the pointer.
    setview(2100, 2900, 0.3f, 0, 0);
    zoomabout(-1, 700, 10);
    EXPECT_FLOAT_EQ(zoom, (float)(0.3 - 0.1));
    EXPECT_EQ(getscrollertop(HSCROLLER), 0);
    // At the smallest zoom the step out is refused and the view stays.
    setview(2100, 2900, 0.1f, 0, 0);
    zoomabout(-1, 10, 10);
    EXPECT_EQ(zoom, 0.1f);
}

// An object outside the window is centred in it; one already in view leaves
// the view alone.
TEST_F(View, ScrollToShow) {
    setview(2100, 2900, 1.0f, 0, 0);
    int n = place(101, 1500, 2500, 200, 100, false);
    EXPECT_EQ(scrolltoshow(n), 1);
    EXPECT_NEAR(getdrawx(1600), 400, 2);
    EXPECT_NEAR(getdrawy(2550), 300, 2);
    const int hx = getscrollertop(HSCROLLER), vy = getscrollertop(VSCROLLER);
    EXPECT_EQ(scrolltoshow(n), 0);
    EXPECT_EQ(std::vector<int>({getscrollertop(HSCROLLER), getscrollertop(VSCROLLER)}),
              std::vector<int>({hx, vy}));
    // Only the axis it is off moves.
    int m = place(101, 1500, 200, 100, 100, false);
    scrolltoshow(m);
    EXPECT_EQ(getscrollertop(HSCROLLER), hx);
    EXPECT_NE(getscrollertop(VSCROLLER), vy);
    EXPECT_EQ(scrolltoshow(0), 0);
    EXPECT_EQ(scrolltoshow(IWONumber), 0);
}
