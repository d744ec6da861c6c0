// Drawing objects: every shape type, lines and line ends, labels, highlights,
// handles, fold markers, the page, and the complement preview.
#include "drawfixture.h"

#include "platform/fonts.h"
#include "render/drawparts.h"

#include <cmath>
#include <cstring>

using Shapes = Small;

// The page 150 x 112 from (5, 2) with its drop shadow of 7.5 -> 7 pixels;
// at zoom 0.3 the shadow is trunc(60 x 0.3) = 18 pixels. Without a diagram
// nothing is drawn.
TEST_F(Shapes, PageShadowAndBackboard) {
    clear();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/page.png"));
    setview(2100, 2900, 0.3f, 650, 800);
    clear();
    EXPECT_TRUE(goldenmatch(drawspacerp, "render/golden/page03.png"));
    DiagramExists = 0;
    EXPECT_EQ(cleardrawspace(papercolour), 0);
}

// Closed shapes in stored images: a dozen types filled in pen 6, the others
// thick in pen 15, a scrolled view, larger and thicker ones, and the lightning
// flash, the soft rectangle and other concave, slanted and curved shapes with
// outlines one pixel wide at two zooms (they stay unbroken); a soft rectangle
// whose corner radius is capped at half its right edge (a 120 x 40 pixel box
// with 25 percent rounding has radius 20, not 30). The shapes stand in a grid
// of cols columns, dx x dy apart from (x0, y0), each w x h.
TEST_F(Shapes, ClosedShapes) {
    const std::vector<int> dozen = {101, 102, 104, 105, 106, 110, 112, 114, 115, 117, 118, 119},
                           rest = {120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130},
                           nine = {101, 102, 104, 105, 110, 112, 114, 115, 117},
                           four = {102, 119, 121, 124}, thin = {122, 102, 104, 124, 115, 119},
                           soft = {102};
    const struct {
        const char *golden;
        const std::vector<int> &types;
        int fill, weight;
        float zoom;
        int hx, vy, cols, x0, y0, dx, dy, w, h;
    } cases[] = {
        {"shapes1", dozen, 6, 10, 0.125f, 95, 98, 3, 40, 30, 400, 210, 310, 180},
        {"shapes2", rest, 15, 24, 0.125f, 95, 98, 3, 40, 30, 400, 210, 310, 180},
        {"scrolled", nine, 6, 10, 0.125f, 97, 93, 3, 40, 30, 400, 210, 310, 180},
        {"shapes3", four, 5, 30, 0.3f, 95, 95, 2, 40, 30, 250, 190, 220, 150},
        {"outlines1", thin, 6, 4, 0.25f, 100, 100, 3, 20, 20, 200, 200, 180, 170},
        {"outlines2", thin, 6, 2, 0.6f, 100, 100, 3, 20, 20, 100, 100, 80, 75},
        {"softcorner", soft, 6, 2, 1.0f, 100, 100, 1, 20, 20, 0, 0, 120, 40},
    };
    for (const auto &c : cases) {
        IWONumber = 1;
        fillcolour = (int16_t)c.fill;
        lineweight = (int16_t)c.weight;
        setview(1200, 900, c.zoom, c.hx, c.vy);
        for (int k = 0; k < (int)c.types.size(); k++)
            place(c.types[k], c.x0 + c.dx * (k % c.cols), c.y0 + c.dy * (k / c.cols), c.w, c.h,
                  false);
        EXPECT_TRUE(shows(c.golden)) << c.golden;
    }
}

namespace {

// A line from (x, y) by (w, h) with the given end styles (kind = style + 16)
// and mark size in units, and the given weight (if not negative); the line's
// pens are 1 and the marks' fill pen 10.
int line(int x, int y, int w, int h, int start, int end, int size = 40, int weight = -1) {
    int n = place(107, x, y, w, h, false);
    IWORecord &r = IWO[n];
    if (weight >= 0) r.lineweight = r.draw[0].lineweight = (int16_t)weight;
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
    for (int k = 0; k < 6; k++) line(40, 40 + 80 * k, 240, 0, 17, 17, 40, weights[k]);
    // Steep lines in all four directions of travel, weights 0, 5 and 20.
    int steep[][5] = {{340, 40, 60, 400, 0},
                      {420, 440, 60, -400, 5},
                      {560, 40, -60, 400, 20},
                      {600, 440, -40, -400, 5}};
    for (auto &l : steep) line(l[0], l[1], l[2], l[3], 17, 17, 40, l[4]);
    EXPECT_TRUE(shows("lineweights"));
}

TEST_F(Lines, ArrowHeadsAllRound) {
    setview(1200, 900, 0.25f, 100, 100);
    // Sixteen thin lines, one per cell of a 4 x 4 grid: every 30 degrees (the
    // exact horizontals and verticals among them) and the four diagonals;
    // arrow-heads at both ends. The exactly leftward line's heads point along
    // it like every other line's (its angle is pi, not taken as 0).
    for (int k = 0; k < 16; k++) {
        double a = k < 12 ? k * M_PI / 6 : (2 * (k - 12) + 1) * M_PI / 4;
        int w = (int)std::lround(100 * std::cos(a)), h = (int)std::lround(-100 * std::sin(a));
        int cx = 80 + 140 * (k % 4), cy = 70 + 120 * (k / 4);
        line(cx - w / 2, cy - h / 2, w, h, 35, 34, 16, 0);
    }
    EXPECT_TRUE(shows("arrowheads"));
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
    // its caps; a leftward line with an arrow-head at its end, tip at the
    // end pointing left.
    line(80, 450, 0, 0, 22, 22, 16);
    line(160, 450, 10, 0, 26, 17, 16);
    line(440, 450, -160, 0, 17, 34, 16);
    EXPECT_TRUE(shows("linemarks"));
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
    EXPECT_TRUE(shows("labels"));
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
    std::strcpy(IWO[a].label, "A");  // a label handle
    EXPECT_TRUE(shows("highlight")); // the locked frame in pen 4, the others in 3
}

using Formulas = Small;

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
    EXPECT_TRUE(shows("zeroweight"));
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
    EXPECT_TRUE(shows("labelbox"));
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
    // Drawing reads the record and never mends it, and what it draws depends
    // on the record alone (the same twice over). Erasing clears the object's
    // box, which strokes of garbage weights reach far past: it only has to stay
    // inside the window.
    const IWORecord kept = r;
    for (float z : {0.125f, 3.0f, 40.0f}) {
        zoom = z;
        clear();
        const std::vector<uint8_t> empty = snapshot();
        drawIWO(n);
        const std::vector<uint8_t> once = snapshot();
        EXPECT_FALSE(samepens(once, empty, 160)) << "nothing drawn at zoom " << z;
        clear();
        drawIWO(n);
        EXPECT_TRUE(samepens(snapshot(), once, 160)) << "zoom " << z;
        EXPECT_EQ(recordbytes(r), recordbytes(kept)) << "zoom " << z;
        eraseIWO(n, papercolour, 1);
    }
    // Past either end of the table: nothing drawn, nothing erased.
    zoom = 0.125f;
    clear();
    drawIWO(n);
    const std::vector<uint8_t> before = snapshot();
    drawIWO(5000);
    drawIWO(-3);
    eraseIWO(5000, papercolour, 1);
    eraseIWO(-3, papercolour, 1);
    EXPECT_TRUE(samepens(snapshot(), before, 160));
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
    drawpart(r, 0, 2, {0, 0, 30, 30}, 15);
    drawpart(r, 1, 3, {35, 0, 65, 30}, 14);
    drawpart(r, 2, 4, {70, 0, 100, 30}, 13);
    drawpart(r, 3, 5, {0, 35, 30, 65}, 12);
    drawpart(r, 4, 42, {40, 35, 55, 50, 40, 65}, 15);             // vertical base, bulging right
    drawpart(r, 5, 42, {70, 35, 55, 50, 70, 65}, 15);             // bulging left
    drawpart(r, 6, 42, {75, 50, 87, 35, 100, 50}, 5);             // dome up
    drawpart(r, 7, 42, {75, 55, 87, 70, 100, 55}, 5);             // dome down
    drawpart(r, 8, 7, {-10, 75, 20, 110, -10, 110, -10, 75}, 14); // outside the box
    drawpart(r, 9, 1, {30, 75, 45, 75, 60, 85, 60, 95, 45, 100, 30, 100, 25,
                       90, 26, 80, 27, 79, 28, 78, 29, 77, 29,  76, 30,  76},
             13); // never closes
    drawpart(r, 10, 6, {80, 85, 15, 12}, TRANSPARENT);
    EXPECT_TRUE(shows("userparts"));
}

// Thick lines, painted as the union of their discs row by row: every
// direction, radii 0 to 9, inset by their radius at both ends or not, short,
// of no length, partly and wholly outside the raster; each line in its own pen.
// Over them a filled quadrilateral that looks like a box to a careless test.
TEST(DrawParts, ThickLinesAndQuadrilateral) {
    const int lines[][6] = {
        {5, 5, 25, 8, 2, 0},    {30, 3, 55, 20, 3, 1},   {10, 45, 12, 15, 4, 0},
        {50, 45, 35, 25, 1, 1}, {-10, 20, 15, 30, 5, 0}, {45, -8, 58, 10, 3, 0},
        {40, 30, 70, 35, 6, 1}, {20, 40, 20, 60, 2, 0},  {5, 30, 25, 30, 0, 0},
        {30, 30, 30, 30, 4, 0}, {30, 40, 30, 40, 4, 1},  {2, 10, 22, 30, 3, 1},
        {25, 12, 24, 42, 9, 0}, {40, 10, 46, 10, 3, 1},  {-30, -30, -5, -5, 3, 0},
        {62, 5, 58, 48, 2, 1},  {57, 2, 57, 20, 1, 1},   {-3, 48, 4, 41, 3, 0}};
    Raster *rp = newraster(60, 50);
    int pen = 3;
    for (auto &l : lines) {
        SetAPen(rp, pen++);
        thickline(rp, l[0], l[1], l[2], l[3], l[4], l[5] != 0);
    }
    // A quadrilateral with two vertical sides of different heights is no box.
    int X[4] = {2, 2, 14, 14}, Y[4] = {30, 46, 46, 38};
    SetAPen(rp, pen);
    fillpolygon(rp, 4, X, Y);
    EXPECT_TRUE(goldenmatch(rp, "render/golden/thicklines.png"));
    freeraster(rp);
}
