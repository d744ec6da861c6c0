// Drawing objects: every shape type, lines and line ends, labels, highlights,
// handles, fold markers, the page, and the complement preview.
#include "drawfixture.h"

#include "edit/interact.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "platform/fonts.h"
#include "render/drawparts.h"
#include "render/drawstate.h"
#include "render/handles.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Places objects of the given types in a grid of 3 columns, 400 units apart,
// and rows 210 units apart, from (40, 30); each w x h.
void grid(std::initializer_list<int> types, int w, int h) {
    int k = 0;
    for (int t : types) {
        place(t, 40 + 400 * (k % 3), 30 + 210 * (k / 3), w, h, false);
        k++;
    }
}

} // namespace

using Shapes = Small;

TEST_F(Shapes, PageShadowAndBackboard) {
    clear();
    // Page 150 x 112 from (5, 2); drop shadow 7.5 -> 7 pixels right and below.
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/page.png"));
    DiagramExists = 0;
    EXPECT_EQ(cleardrawspace(papercolour), 0);
}

TEST_F(Shapes, PageAtZoomPointThreeHasEighteenPixelShadow) {
    setview(2100, 2900, 0.3f, 650, 800);
    clear();
    // The page's right edge in window pixels; the shadow is trunc(60 x 0.3) = 18 wide.
    int pw = (int)(2100 * 0.3f),
        left = (drawspacebitmapwidth / 2 - pw / 2) - getscrollertop(HSCROLLER);
    int right = left + pw;
    ASSERT_GT(right, 0);
    ASSERT_LT(right + 20, 160);
    EXPECT_EQ(pen(right, 60), papercolour);
    for (int x = right + 1; x <= right + 18; x++) EXPECT_EQ(pen(x, 60), shadowcolour) << x;
    EXPECT_EQ(pen(right + 19, 60), backboardcolour);
}

TEST_F(Shapes, ClosedShapesFirstDozen) {
    fillcolour = 6;
    grid({101, 102, 104, 105, 106, 110, 112, 114, 115, 117, 118, 119}, 310, 180);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/shapes1.png"));
}

TEST_F(Shapes, ClosedShapesSecondDozen) {
    fillcolour = 15;
    lineweight = 24;
    grid({120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130}, 310, 180);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/shapes2.png"));
}

namespace {

// A line from (x, y) by (w, h) with the given end styles (kind = style + 16)
// and mark size in units; the line's pens are 1 and the marks' fill pen 10.
int line(int x, int y, int w, int h, int start, int end, int size = 40) {
    int n = place(107, x, y, w, h, false);
    IWORecord &r = IWO[n];
    r.draw[1].kind = (int8_t)start;
    r.draw[2].kind = (int8_t)end;
    for (int k = 1; k <= 2; k++) {
        r.draw[k].px[1] = r.draw[k].py[1] = (int8_t)size;
        r.draw[k].fillcolour = 10;
    }
    return n;
}

} // namespace

using Lines = Small;

TEST_F(Lines, Weights) {
    setview(1200, 900, 0.25f, 100, 100);
    // Part weights 0 .. 40 at zoom 0.25: disc radii 0, 2, 2, 2, 5, 10.
    int weights[] = {0, 1, 5, 8, 20, 40};
    for (int k = 0; k < 6; k++) {
        int n = line(40, 40 + 80 * k, 240, 0, 17, 17);
        IWO[n].lineweight = IWO[n].draw[0].lineweight = (int16_t)weights[k];
    }
    // Steep lines in all four directions of travel, weights 0, 5 and 20.
    int steep[][5] = {{340, 40, 60, 400, 0},
                      {420, 440, 60, -400, 5},
                      {560, 40, -60, 400, 20},
                      {600, 440, -40, -400, 5}};
    for (auto &s : steep) {
        int n = line(s[0], s[1], s[2], s[3], 17, 17);
        IWO[n].lineweight = IWO[n].draw[0].lineweight = (int16_t)s[4];
    }
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/lineweights.png"));
}

TEST_F(Lines, ArrowHeadsAllRound) {
    setview(1200, 900, 0.25f, 100, 100);
    // Sixteen thin lines, one per cell of a 4 x 4 grid: every 30 degrees (the
    // exact horizontals and verticals among them) and the four diagonals;
    // arrow-heads at both ends. The exactly leftward line has its angle taken
    // as 0 (beyond 3.13 radians either way).
    for (int k = 0; k < 16; k++) {
        double a = k < 12 ? k * M_PI / 6 : (2 * (k - 12) + 1) * M_PI / 4;
        int w = (int)std::lround(100 * std::cos(a)), h = (int)std::lround(-100 * std::sin(a));
        int cx = 80 + 140 * (k % 4), cy = 70 + 120 * (k / 4);
        int n = line(cx - w / 2, cy - h / 2, w, h, 35, 34, 16);
        IWO[n].lineweight = IWO[n].draw[0].lineweight = 0;
    }
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/arrowheads.png"));
}

TEST_F(Lines, MarksAndZeroLength) {
    setview(1200, 900, 0.25f, 100, 100);
    int styles[] = {18, 22, 26, 30, 34};
    for (int k = 0; k < 5; k++) {
        line(60, 50 + 80 * k, 200, 0, styles[k], styles[k], 16);    // horizontal
        line(340 + 50 * k, 40, 0, 180, styles[k], styles[k], 12);   // vertical
        line(340 + 50 * k, 280, 30, 100, styles[k], styles[k], 12); // steep
    }
    // A line of zero length shows only its marks; so does one shorter than
    // its caps; a leftward line with an arrow-head at its end.
    line(80, 450, 0, 0, 22, 22, 16);
    line(160, 450, 10, 0, 26, 17, 16);
    line(440, 450, -160, 0, 17, 34, 16);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/linemarks.png"));
}

using Labels = Small;

TEST_F(Labels, PlacesBackgroundsAndPageEdges) {
    // A page 600 units (150 pixels) wide: both its side edges are in the window.
    setview(600, 900, 0.25f, 95, 100);
    fillcolour = 15;
    auto labelled = [](int x, int y, int w, const char *text, int lx, int ly, int filled) {
        int n = place(101, x, y, w, 100, false);
        std::strcpy(IWO[n].label, text);
        IWO[n].labelx = (int16_t)lx;
        IWO[n].labely = (int16_t)ly;
        IWO[n].labelfilled = (int16_t)filled;
        IWO[n].labelcolour = 14;
        IWO[n].fontcolour = 1;
        return n;
    };
    labelled(60, 20, 200, "Box", 50, 50, 1);
    labelled(340, 20, 200, "Box", 50, 50, 0);
    labelled(60, 170, 200, "TL", 0, 0, 1);
    labelled(340, 170, 200, "BR", 100, 100, 1);
    // Wider than the room left of the page edge: starts at the page's left edge.
    labelled(8, 330, 100, "Wide one", 0, 50, 1);
    // Running past the right edge of the page: pushed left.
    labelled(480, 330, 100, "Right", 100, 100, 1);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/labels.png"));
}

using Highlight = Small;

// Selected objects with the highlight on: the frame of a box, the band round
// a polygon, the halo of an ellipse, pen 4 for a locked object; handles; a
// selected Text object's bar; the fold marker of a folded connector.
TEST_F(Highlight, SelectedLockedTextAndFold) {
    setview(1200, 900, 0.25f, 100, 100);
    HighlightOn = 1;
    IWODiagram.highlightcolour = 3;
    fillcolour = 15;
    int a = place(101, 40, 40, 160, 100, false);
    int b = place(104, 260, 40, 160, 100, false);
    int c = place(105, 460, 40, 140, 100, false);
    int d = place(101, 40, 200, 160, 100, false);
    IWO[d].locked = 1;
    int t = place(109, 260, 220, 0, 0, false);
    std::strcpy(IWO[t].label, "Note");
    IWO[t].labelfilled = 1;
    IWO[t].labelcolour = 14;
    int l = place(108, 440, 220, 160, 120, false);
    IWO[l].fold = 1;
    IWO[l].draw[2].kind = 34;
    IWO[l].draw[2].px[1] = IWO[l].draw[2].py[1] = 16;
    for (int k : {a, b, c, d, t, l}) IWO[k].selected = 1;
    std::strcpy(IWO[a].label, "A"); // a label handle
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(
        drawspacerp, "render/golden/highlight.png")); // the locked frame in pen 4, the others in 3
}

using Formulas = Small;

// The corner radius of a soft rectangle is capped at half its right edge: a
// 120 x 40 pixel box with 25 percent rounding has radius 20, not 30.
TEST_F(Formulas, CornerRadiusCapped) {
    setview(1200, 900, 1.0f, 100, 100);
    lineweight = 2;
    fillcolour = 6;
    place(102, 20, 20, 120, 40, false);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/softcorner.png"));
}

// A zero-weight outline draws nothing, not even corner arcs in a pen left
// from earlier drawing; a transparent ellipse shows only its ring; a part
// list with nothing in it draws only the label.
TEST_F(Formulas, ZeroWeightTransparentAndEmpty) {
    setview(1200, 900, 1.0f, 100, 100);
    fillcolour = 6;
    lineweight = 0;
    place(102, 20, 20, 60, 40, false);
    lineweight = 3;
    fillcolour = TRANSPARENT;
    place(105, 100, 20, 40, 30, false);
    fillcolour = 6;
    int empty = place(101, 20, 80, 40, 20, false);
    IWO[empty].drawnum = 0;
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/zeroweight.png"));
}

// The label background box: fs = 16 (the interface font's size) gives rows
// ty - 12 .. ty + 4 and columns tx .. tx + tl, whatever the zoom.
TEST_F(Formulas, LabelBackgroundBox) {
    fillcolour = 6;
    int n = place(101, 160, 160, 400, 240, false);
    std::strcpy(IWO[n].label, "Hi");
    IWO[n].labelfilled = 1;
    IWO[n].labelcolour = 14;
    int t = place(109, 700, 400, 0, 0, false);
    std::strcpy(IWO[t].label, "Some text");
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/labelbox.png"));
    // A Text object is as wide as its label measured at zoom 1 (a pixel a
    // unit: 4 x 16), whatever the zoom, and 2 x 16 high.
    int ttl = fonttextlength(OpenFont(IWO[t].fontname, 64, 0), "Some text", 9);
    EXPECT_EQ(IWO[t].width, ttl);
    EXPECT_EQ(IWO[t].height, 32);
}

// Records straight from a file may hold anything: counts past the tables,
// unknown kinds, huge weights and sizes. Drawing stays inside the window and
// the tables.
TEST_F(Formulas, GarbageRecordsAreSafe) {
    int n = place(101, 100, 100, 300, 200, false);
    IWORecord &r = IWO[n];
    r.drawnum = 255;
    r.highlightnum = 255;
    r.selected = 1;
    HighlightOn = 1;
    for (int k = 0; k < MAXDRAWNUM; k++) {
        DrawPart &d = r.draw[k];
        d.kind = (int8_t)(k * 7 - 40);
        for (int j = 0; j < 13; j++) {
            d.px[j] = (int8_t)(j * 37 - 100);
            d.py[j] = (int8_t)(j * 53 - 120);
        }
        d.lineweight = (int16_t)(k % 2 ? 32767 : -300);
        d.fillcolour = (int16_t)(k * 1000 - 9000);
    }
    for (int k = 0; k < MAXHIGHLIGHTNUM; k++) r.highlight[k] = r.draw[k * 3];
    r.lineweight = -32768;
    r.labelx = 32767;
    r.labely = -32768;
    std::memcpy(r.label, "no terminating zero in this label text, fifty bytes", sizeof r.label);
    for (float z : {0.125f, 3.0f, 40.0f}) {
        zoom = z;
        clear();
        drawIWO(n);
        eraseIWO(n, papercolour, 1);
    }
    drawIWO(5000); // past the table: nothing
    drawIWO(-3);
    eraseIWO(5000, papercolour, 1);
}

TEST_F(Shapes, LargerAndThicker) {
    setview(1200, 900, 0.3f, 95, 95);
    lineweight = 30;
    fillcolour = 5;
    int k = 0;
    for (int t : {102, 119, 121, 124}) {
        place(t, 40 + 250 * (k % 2), 30 + 190 * (k / 2), 220, 150, false);
        k++;
    }
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/shapes3.png"));
}

// Parts as a user object may carry them: bars inset by the object's weight,
// half-ellipses against vertical bases bulging either way and against a
// horizontal base bulging up and down, points outside the box, an outline
// whose point list never closes, a transparent ellipse.
TEST_F(Shapes, UserObjectParts) {
    setview(1200, 900, 0.25f, 100, 100);
    lineweight = 12;
    fillcolour = 6;
    int n = place(101, 60, 60, 400, 300, false);
    IWORecord &r = IWO[n];
    r.drawnum = 0;
    drawpart(r, 0, 2, {{0, 0}, {30, 30}}, 15);
    drawpart(r, 1, 3, {{35, 0}, {65, 30}}, 14);
    drawpart(r, 2, 4, {{70, 0}, {100, 30}}, 13);
    drawpart(r, 3, 5, {{0, 35}, {30, 65}}, 12);
    drawpart(r, 4, 42, {{40, 35}, {55, 50}, {40, 65}}, 15); // vertical base, bulging right
    drawpart(r, 5, 42, {{70, 35}, {55, 50}, {70, 65}}, 15); // bulging left
    drawpart(r, 6, 42, {{75, 50}, {87, 35}, {100, 50}}, 5); // dome up
    drawpart(r, 7, 42, {{75, 55}, {87, 70}, {100, 55}}, 5); // dome down
    drawpart(r, 8, 7, {{-10, 75}, {20, 110}, {-10, 110}, {-10, 75}}, 14); // outside the box
    drawpart(r, 9, 1,
             {{30, 75},
              {45, 75},
              {60, 85},
              {60, 95},
              {45, 100},
              {30, 100},
              {25, 90},
              {26, 80},
              {27, 79},
              {28, 78},
              {29, 77},
              {29, 76},
              {30, 76}},
             13); // never closes
    drawpart(r, 10, 6, {{80, 85}, {15, 12}}, TRANSPARENT);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/userparts.png"));
}

// A scrolled view.
TEST_F(Shapes, ScrolledView) {
    fillcolour = 6;
    grid({101, 102, 104, 105, 110, 112, 114, 115, 117}, 310, 180);
    setview(1200, 900, 0.125f, 60 + 37, 70 + 23);
    clear();
    refreshIWOall();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/scrolled.png"));
}

// Thick lines are painted as the union of their discs row by row; that must
// be exactly the pixels of stamping every disc with the raster's filled
// ellipse, for lines in every direction, clipped or not, and every radius.
TEST(ThickLine, RowUnionEqualsStampedDiscs) {
    Raster *a = newraster(60, 50), *b = newraster(60, 50);
    SetAPen(a, 1);
    SetAPen(b, 1);
    unsigned seed = 12345;
    auto rnd = [&](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (int)((seed >> 8) % (unsigned)(hi - lo + 1));
    };
    for (int trial = 0; trial < 3000; trial++) {
        int X0 = rnd(-30, 90), Y0 = rnd(-30, 80), X1 = rnd(-30, 90), Y1 = rnd(-30, 80);
        if (trial % 7 == 0) X1 = X0;              // vertical
        if (trial % 11 == 0) Y1 = Y0;             // horizontal
        if (trial % 13 == 0) Y1 = Y0 + (X1 - X0); // diagonal
        int r = rnd(0, 9);
        bool inset = trial % 2 == 0;
        SetRast(a, 0);
        SetRast(b, 0);
        thickline(a, X0, Y0, X1, Y1, r, inset);
        // The stamping loop, written out.
        int dx = X1 - X0, dy = Y1 - Y0, in = inset ? r : 0;
        if (dx == 0 && dy == 0) {
            if (!inset) AreaEllipse(b, X0, Y0, r, r);
        } else if (std::abs(dx) >= std::abs(dy)) {
            int s = dx > 0 ? 1 : -1;
            for (float t = (float)(X0 + s * in);
                 inset ? (s > 0 ? t < X1 - r : t > X1 + r) : (s > 0 ? t <= X1 : t >= X1);
                 t += (float)s)
                AreaEllipse(b, (int)t, (int)((float)Y0 + (float)dy * (t - (float)X0) / (float)dx),
                            r, r);
        } else {
            int s = dy > 0 ? 1 : -1;
            for (float t = (float)(Y0 + s * in);
                 inset ? (s > 0 ? t < Y1 - r : t > Y1 + r) : (s > 0 ? t <= Y1 : t >= Y1);
                 t += (float)s)
                AreaEllipse(b, (int)((float)X0 + (float)dx * (t - (float)Y0) / (float)dy), (int)t,
                            r, r);
        }
        ASSERT_EQ(a->Pixels, b->Pixels)
            << X0 << "," << Y0 << " " << X1 << "," << Y1 << " r " << r << " inset " << inset;
    }
    freeraster(a);
    freeraster(b);
}

// The ring of a transparent ellipse uses the raster's ellipse rows.
TEST(ThickLine, EllipseRowsMatchRaster) {
    Raster *a = newraster(80, 80);
    for (int ra = 0; ra < 30; ra += 3)
        for (int rb = 0; rb < 30; rb += 4) {
            SetRast(a, 0);
            SetAPen(a, 1);
            AreaEllipse(a, 40, 40, ra, rb);
            for (int dy = -rb - 1; dy <= rb + 1; dy++) {
                int w = ellipsehalfwidth(ra, rb, dy), count = 0;
                for (int x = 0; x < 80; x++) count += ReadPixel(a, x, 40 + dy) == 1;
                ASSERT_EQ(count, w < 0 ? 0 : 2 * w + 1) << ra << " " << rb << " " << dy;
            }
        }
    freeraster(a);
}

// Axis-parallel rectangles are filled without the polygon filler; the pixels
// must be the polygon rule's, whatever the corner order and size.
TEST(ThickLine, RectanglePolygonsMatchFiller) {
    Raster *a = newraster(40, 30), *b = newraster(40, 30);
    SetAPen(a, 1);
    SetAPen(b, 1);
    for (int x0 : {-5, 3, 10})
        for (int x1 : {-2, 3, 4, 20, 50})
            for (int y0 : {-3, 5})
                for (int y1 : {5, 6, 25, 40})
                    for (int order = 0; order < 4; order++) {
                        int X[4] = {x0, x1, x1, x0}, Y[4] = {y0, y0, y1, y1};
                        if (order & 1) std::swap(X[1], X[3]), std::swap(Y[1], Y[3]);
                        if (order & 2) std::rotate(X, X + 1, X + 4), std::rotate(Y, Y + 1, Y + 4);
                        SetRast(a, 0);
                        SetRast(b, 0);
                        fillpolygon(a, 4, X, Y);
                        AreaMove(b, X[0], Y[0]);
                        for (int k = 1; k < 4; k++) AreaDraw(b, X[k], Y[k]);
                        AreaEnd(b);
                        ASSERT_EQ(a->Pixels, b->Pixels)
                            << x0 << " " << x1 << " " << y0 << " " << y1 << " " << order;
                    }
    freeraster(a);
    freeraster(b);
}

// The lightning flash, a soft rectangle and other concave, slanted and
// curved shapes with one-pixel outlines: weight w at zoom z, boxes s units wide.
class ThinOutlines : public Small {
  protected:
    void drawset(float z, int w, int s) {
        fillcolour = 6;
        lineweight = w;
        setview(1200, 900, z, 100, 100);
        int k = 0;
        for (int type : {122, 102, 104, 124, 115, 119}) {
            place(type, 20 + (s + 20) * (k % 3), 20 + (s + 20) * (k / 3), s, s * 17 / 18, false);
            k++;
        }
        clear();
        refreshIWOall();
    }
};

// Outlines one pixel wide stay unbroken, at two zooms.
TEST_F(ThinOutlines, AtQuarterZoom) {
    drawset(0.25f, 4, 180);
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/outlines1.png"));
}
TEST_F(ThinOutlines, ZoomedIn) {
    drawset(0.6f, 2, 80);
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/outlines2.png"));
}
