// The view: conversions, extent, scrollers, zoom steps, wheel scrolling and
// keeping objects on the page.
#include "renderfixture.h"

using V = std::vector<int>;

namespace {

// Counts the redraws the view asks of the platform (each sets the title).
struct RecordingUI : HeadlessUI {
    RecordingUI() : HeadlessUI(nullptr) {}
    int titles = 0;
    void setwindowtitle(const char *t) override {
        titles++;
        HeadlessUI::setwindowtitle(t);
    }
};

} // namespace

// A4 portrait, 800 x 600, zoom 0.3: the extent is 830 x 1070 and the page
// starts 100 pixels in; the way back truncates toward zero.
TEST_F(View, A4MappingAndWayBack) {
    // In single precision 2900 * 0.3 is 870.00006, so the float centring
    // puts the page's top at 99.99997, truncated to 99; the integer centring
    // of the way back says 100. -1 / 0.3 = -3.33.
    EXPECT_EQ(V({drawspacebitmapwidth, drawspacebitmapheight, getdrawx(0), getdrawx(2100),
                 getdrawy(0), getdrawy(2900)}),
              V({830, 1070, 100, 730, 99, 970}));
    EXPECT_EQ(V({getrealy(100), getrealx(100), getrealx(730), getrealx(99), getrealy(0)}),
              V({0, 0, 2100, -3, -333}));
    // There and back loses at most what one pixel holds (3.3 units) and one
    // more unit for the truncation of the way back.
    for (int x = 0; x < 2200; x++) {
        int back = getrealx(getdrawx(x));
        ASSERT_TRUE(back <= x && x - back <= 4) << x << " -> " << back;
    }

    // The tops are read at every call; -300.00003 truncates toward zero.
    setscrollertop(HSCROLLER, 20);
    setscrollertop(VSCROLLER, 400);
    EXPECT_EQ(V({getdrawx(0), getrealx(80), getdrawy(0), getrealy(-300)}), V({80, 0, -300, 0}));
}

// Zoom out tests the zoom before the step: 0.3 -> 0.2 -> 0.1, then refused;
// a page side of 300 pixels or less refuses as well.
TEST_F(View, ZoomOutSteps) {
    zoomout();
    EXPECT_EQ(zoom, (float)((double)0.3f - 0.1));
    zoomout();
    EXPECT_EQ(zoom, (float)((double)(float)((double)0.3f - 0.1) - 0.1));
    float z = zoom;
    zoomout();
    EXPECT_EQ(zoom, z);
    EXPECT_EQ(drawspacebitmapwidth, 800); // the extent followed each step

    IWODiagram.paperwidth = 2100; // A5 landscape: 1450 * 0.3 = 435 > 300
    IWODiagram.paperheight = 1450;
    zoom = 0.3f;
    zoomout();
    EXPECT_EQ(zoom, (float)((double)0.3f - 0.1)); // 290 pixels now
    z = zoom;
    zoomout();
    EXPECT_EQ(zoom, z);
}

// Zoom in stops before the page's extent would pass 32767 pixels, so window
// positions on the page never wrap.
TEST_F(View, ZoomInStopsAtSixteenBitExtent) {
    float last = zoom;
    for (int k = 0; k < 200; k++) {
        zoomin();
        EXPECT_GE(zoom, last);
        last = zoom;
    }
    EXPECT_GT(zoom, 11.0f); // 2900 * z + 200 <= 32767
    EXPECT_LE(2900.0f * zoom + 200.0f, 32767.0f);
    EXPECT_GT(drawspacebitmapheight, 32000);
    setscrollertop(VSCROLLER, 32767);
    EXPECT_TRUE(-32768 < getdrawy(0) && getdrawy(0) < getdrawy(2900) && getdrawy(2900) < 32768);
}

// The wheel: steps of scrollsize, nothing below 0, nothing past the end, no
// redraw when neither top moves.
TEST_F(View, WheelScrollClamps) {
    RecordingUI rec;
    setplatformui(&rec);
    setscrollertop(VSCROLLER, 100);
    scrolldiagram(0, 1);
    EXPECT_EQ(getscrollertop(VSCROLLER), 150);
    scrolldiagram(-1, -5);
    EXPECT_EQ(getscrollertop(VSCROLLER), 0);
    EXPECT_EQ(getscrollertop(HSCROLLER), 0);
    int titles = rec.titles;
    scrolldiagram(-3, -3); // already at the top-left: nothing happens
    scrolldiagram(0, 0);
    EXPECT_EQ(rec.titles, titles);
    scrolldiagram(1000000, 1000000);           // far past the end: held, never wrapped
    EXPECT_EQ(getscrollertop(HSCROLLER), 30);  // 830 - 800
    EXPECT_EQ(getscrollertop(VSCROLLER), 470); // 1070 - 600
    setplatformui(&ui);
}

// Moving keeps the margins 8 left and top, 9 right, 8 bottom; too large an
// object is cut to the page. Resizing stops the dragged edge at the margin and
// keeps the opposite one (the size loses the overshoot, not the margin); an edge
// pushed past the far side takes the whole page from 8. A line running up and
// left from its start keeps its end on the page; a connector with the same box
// is left to its attachments.
TEST_F(View, CheckOnPage) {
    const struct {
        int type, handle, x, y, w, h, ex, ey, ew, eh;
    } cases[] = {
        {101, 0, 2, 3, 310, 210, 8, 8, 310, 210},
        {101, 0, 2000, 2800, 310, 210, 2100 - 310 - 9, 2900 - 210 - 8, 310, 210},
        {101, 0, 1776, 2677, 310, 210, 1776, 2677, 310, 210}, // just inside: nothing moves
        {101, 0, 1776, 2677, 3000, 4000, 8, 8, 2091, 2891},
        {101, 1, 2, 5, 300, 200, 8, 8, 294, 197},
        {101, 3, 0, 8, 40, 100, 8, 8, 32, 100},
        {101, 8, 8, 2500, 2100, 500, 8, 2900 - 500 - 8, 2091, 500},
        {101, 0, 8, 2392, 2091, 500, 8, 2392, 2091, 500}, // the same margins as a move
        {107, 0, 500, 500, -600, -700, 608, 708, -600, -700},
        {108, 0, 500, 500, -600, -700, 500, 500, -600, -700},
        {107, 0, 2095, 500, -100, -100, 2092, 500, -100, -100}, // start past the right edge
    };
    for (const auto &c : cases) {
        int n = place(c.type == 108 ? 107 : c.type, c.x, c.y, c.w, c.h, false);
        IWO[n].type = (int16_t)c.type;
        selectedIWOhandle = (int16_t)c.handle;
        checkonpage(n);
        const IWORecord &r = IWO[n];
        EXPECT_EQ(V({r.x, r.y, r.width, r.height}), V({c.ex, c.ey, c.ew, c.eh}))
            << "case " << &c - cases;
    }
}
