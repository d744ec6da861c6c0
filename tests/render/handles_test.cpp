// Hit-testing objects and handles, and drawing handles.
#include "render/handles.h"
#include "renderfixture.h"

#include <cstring>

// Overlaps go to the higher index; the focus object also takes a click just
// outside its edge; hidden and dead records are never hit.
TEST_F(View, InsideShapes) {
    int a = place(101, 100, 100, 310, 210, false), b = place(101, 300, 200, 310, 210, false);
    EXPECT_EQ(insideIWO(350, 250, IWONumber), b);
    EXPECT_EQ(insideIWO(150, 150, IWONumber), a);
    EXPECT_EQ(insideIWO(99, 150, IWONumber), -99);
    selectedIWO = (int16_t)a;
    EXPECT_EQ(insideIWO(99, 150, IWONumber), a);
    EXPECT_EQ(insideIWO(100, 150, IWONumber), a); // 0 percent: only as the focus
    IWO[b].visible = 0;
    EXPECT_EQ(insideIWO(350, 250, IWONumber), a);
    IWO[a].type = DEADTYPE;
    EXPECT_EQ(insideIWO(350, 250, IWONumber), -99);
    EXPECT_EQ(insideIWO(350, 250, 5000), -99); // a start past the table is safe
}

// Flat lines: lineweight + 9 units above or below; steep lines: lineweight +
// 19 units to either side, and anywhere within their narrow x range; lines
// without width or height stay hittable. Percentages are 32-bit: a 1-unit-wide
// line is not hit 656 units away, where a 16-bit percentage (65600 -> 64)
// would fall back into range. Text rises above its y; a Text of no width
// (empty label) is never hit.
TEST_F(View, InsideLinesAndText) {
    const struct {
        int type, x, y, w, h, weight, px, py;
        bool hit;
    } cases[] = {
        {107, 100, 500, 1000, 0, 5, 600, 514, true},
        {107, 100, 500, 1000, 0, 5, 600, 486, true},
        {107, 100, 500, 1000, 0, 5, 600, 515, false},
        {107, 2000, 100, 10, 1000, 5, 2029, 600, true},
        {107, 2000, 100, 10, 1000, 5, 2030, 600, false},
        {107, 2000, 100, 10, 1000, 5, 2002, 200, true},
        {107, 2000, 100, 10, 1000, 5, 2002, 1090, true},
        {108, 1500, 1000, 0, 1000, 0, 1519, 1500, true},
        {108, 1500, 1000, 0, 1000, 0, 1520, 1500, false},
        {107, 100, 100, 1, 1000, 5, 756, 740, false},
        {107, 100, 100, 1, 1000, 5, 101, 740, true},
        {109, 500, 500, 200, 40, 5, 600, 485, true},
        {109, 500, 500, 200, 40, 5, 600, 479, false},
        {109, 500, 500, 0, 40, 5, 500, 500, false},
    };
    for (const auto &c : cases) {
        IWONumber = 1;
        int n = place(c.type == 108 ? 107 : c.type, c.x, c.y, c.w, c.h, false);
        IWO[n].type = (int16_t)c.type;
        IWO[n].lineweight = (int16_t)c.weight;
        EXPECT_EQ(insideIWO(c.px, c.py, IWONumber), c.hit ? n : -99) << "case " << &c - cases;
    }
}

// Handle hit tests on objects at (1000, 1000), a pixel offset (dx, dy) from
// the point (ux, uy): tolerance 8 when selected, 3 otherwise; the label
// handle only with a label; a locked object has none. On a tiny object every
// handle is within reach and the highest number offered wins. Lines offer
// only their end points (a short line's start is handle 1, not one of the
// handles it does not have); a locked connector keeps its ends.
TEST_F(View, HandleHitTest) {
    const struct {
        int type, selected, locked;
        const char *label;
        int w, h, ux, uy, dx, dy, handle;
    } cases[] = {
        {101, 0, 0, "", 310, 210, 1310, 1210, 0, 0, 8},
        {101, 0, 0, "", 310, 210, 1310, 1210, -4, 0, 0},
        {101, 1, 0, "", 310, 210, 1310, 1210, -8, 7, 8},
        {101, 1, 0, "", 310, 210, 1310, 1210, 8, 0, 0},
        {101, 1, 0, "", 310, 210, 1155, 1105, 0, 0, 0},
        {101, 1, 0, "Idea", 310, 210, 1155, 1105, 0, 0, 9},
        {101, 1, 1, "Idea", 310, 210, 1155, 1105, 0, 0, 0},
        {101, 1, 1, "Idea", 310, 210, 1310, 1210, 0, 0, 0},
        {101, 1, 0, "Idea", 10, 10, 1005, 1005, 0, 0, 9},
        {101, 1, 0, "", 10, 10, 1005, 1005, 0, 0, 8},
        {107, 1, 0, "", 300, 200, 1000, 1000, 0, 0, 1},
        {107, 1, 0, "", 300, 200, 1300, 1200, 0, 0, 8},
        {108, 1, 1, "", 300, 200, 1000, 1000, 0, 0, 1},
        {107, 1, 1, "", 300, 200, 1000, 1000, 0, 0, 0},
    };
    for (const auto &c : cases) {
        IWONumber = 1;
        int n = place(c.type == 108 ? 107 : c.type, 1000, 1000, c.w, c.h, false);
        IWORecord &r = IWO[n];
        r.type = (int16_t)c.type;
        r.selected = (int16_t)c.selected;
        r.locked = (int16_t)c.locked;
        std::strcpy(r.label, c.label);
        EXPECT_EQ(checkIWOhandle(n, getdrawx(c.ux) + c.dx, getdrawy(c.uy) + c.dy), c.handle)
            << "case " << &c - cases;
    }
}

// The shadow's handles are drawn in complement in its line pen, the label
// handle's T whole, and drawing them twice leaves nothing; the raster is left
// in JAM1. Records outside the table draw nothing.
TEST_F(View, ShadowHandlesInComplement) {
    Raster *rp = drawspacerp;
    SetRast(rp, 2);
    std::vector<uint8_t> before = rp->Pixels;
    IWO[SHADOWIWO] = IWO[place(101, 1000, 1000, 310, 210, false)];
    IWO[SHADOWIWO].id = SHADOWIWO;
    std::strcpy(IWO[SHADOWIWO].label, "A");
    drawIWOhandles(SHADOWIWO, 3);
    int X9 = getdrawx(1155), Y9 = getdrawy(1105);
    for (int dy = 0; dy <= 6; dy++) EXPECT_EQ(ReadPixel(rp, X9, Y9 + dy), 2 ^ 0xFF) << dy;
    EXPECT_EQ(rp->DrawMode, JAM1);
    drawIWOhandles(SHADOWIWO, 3);
    drawIWOhandles(0, 3);
    drawIWOhandles(-5, 3);
    EXPECT_EQ(rp->Pixels, before);
}
