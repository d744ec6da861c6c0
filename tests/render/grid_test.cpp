// The grid: the grid commands, the dot lattice and its repair, snapping.
#include "render/grid.h"
#include "renderfixture.h"

using V = std::vector<int>;

// Size steps of 25 between 50 and 500; turning snapping on deselects first.
TEST_F(View, GridCommands) {
    increasegrid(0);
    EXPECT_EQ(GridSize, 75);
    increasegrid(0);
    increasegrid(0);
    EXPECT_EQ(GridSize, 50);
    for (int k = 0; k < 30; k++) increasegrid(1);
    EXPECT_EQ(GridSize, 500);

    int a = place(101, 100, 100, 310, 210, false), b = place(104, 800, 100, 310, 210, false);
    IWO[a].selected = IWO[b].selected = 1;
    selectedIWO = (int16_t)b;
    snaptogrid();
    EXPECT_EQ(V({SnapToGrid, IWO[a].selected, IWO[b].selected, selectedIWO}), V({1, 0, 0, -99}));
}

// A grid step that truncates to 0 pixels draws nothing instead of looping.
TEST_F(View, ZeroPixelStepDrawsNothing) {
    SetRast(drawspacerp, 2);
    GridSize = 3; // 3 * 0.3 = 0.9 pixels
    drawgrid();
    patchgrid(0, 0, 2100, 2900);
    GridSize = 0;
    drawgrid();
    EXPECT_EQ(drawspacerp->Pixels, std::vector<uint8_t>(800 * 600, 2));
    int n = place(101, 257, 333, 310, 210, false);
    IWO[n].selected = 1;
    checkongrid(n); // no division by a zero step
    EXPECT_EQ(IWO[n].x, 257);
}

// A small page at two grid sizes, compared pen for pen with stored images.
// The page (240 x 200 units at zoom 0.25) starts at window pixel (5, 5).
TEST_F(View, GridGoldens) {
    IWODiagram.paperwidth = 240;
    IWODiagram.paperheight = 200;
    resizedrawspacewindow(70, 60);
    zoom = 0.25f;
    setbitmapsize(); // 260 x 250
    setscrollertop(HSCROLLER, 95);
    setscrollertop(VSCROLLER, 95);
    ASSERT_EQ(getdrawx(0), 5);
    ASSERT_EQ(getdrawy(0), 5);
    Raster *rp = drawspacerp;
    // Backboard and page, so that the images show the dots on the page.
    auto blank = [rp] {
        SetRast(rp, 0);
        SetAPen(rp, 2);
        RectFill(rp, 5, 5, 65, 55);
    };

    blank();
    drawgrid();
    // Grid 100: gx0 = trunc(5 + 98 * 0.25) = 29, step 25, dots 2 x 2; the
    // points at 100 and 200 across, 100 down (the page ends at 240 x 200).
    EXPECT_TRUE(goldenmatch(rp, "render/golden/grid100.png"));

    blank();
    GridSize = 50;
    drawgrid();
    // Grid 50: gx0 = 17, step trunc(12.5) = 12: 17, 29, 41, 53 both ways.
    // The truncated step drifts, so the row for 200 units (the page's bottom
    // edge, pixel 55) is still drawn, at 53.
    EXPECT_TRUE(goldenmatch(rp, "render/golden/grid50.png"));
}

// Patching redraws exactly the full grid's dots inside the box, whichever
// corners it is given, and none beyond the page.
TEST_F(View, PatchMatchesFullGrid) {
    Raster *rp = drawspacerp;
    SetRast(rp, 2);
    drawgrid();
    std::vector<uint8_t> full = rp->Pixels;

    SetRast(rp, 2);
    patchgrid(250, 180, 1020, 760);
    int patched = 0;
    for (size_t i = 0; i < full.size(); i++) {
        if (rp->Pixels[i] == 2) continue;
        patched++;
        EXPECT_EQ(rp->Pixels[i], full[i]) << i;
    }
    // Grid points 300..1000 across and 200..700 down lie inside: 8 x 6 dots.
    EXPECT_EQ(patched, 8 * 6 * 4);
    std::vector<uint8_t> once = rp->Pixels;
    SetRast(rp, 2);
    patchgrid(1020, 760, 250, 180);
    EXPECT_EQ(rp->Pixels, once);

    SetRast(rp, 2);
    patchgrid(0, 0, 30000, 30000);
    EXPECT_EQ(rp->Pixels, full);
}

// The snapping table, by handle: left and top edges snap down keeping the
// opposite edge, right and bottom edges snap by size (at least one step: a
// shape never collapses); a line's end snaps its signed offsets toward zero;
// the label handle and connectors never snap.
TEST_F(View, SnappingByHandle) {
    const struct {
        int type, handle, x, y, w, h, ex, ey, ew, eh;
    } cases[] = {
        {101, 5, 257, 333, 20, 250, 257, 333, 100, 250},
        {101, 1, 257, 333, 100, 250, 200, 300, 157, 283},
        {101, 8, 257, 333, 60, 140, 257, 333, 100, 100},
        {101, 9, 257, 333, 60, 140, 257, 333, 60, 140},
        {107, 8, 257, 333, 170, -260, 257, 333, 100, -200},
        {107, 8, 257, 333, 40, -260, 257, 333, 0, -200},
        {108, 0, 257, 333, 40, -260, 257, 333, 40, -260},
    };
    for (const auto &c : cases) {
        int n = place(c.type == 108 ? 107 : c.type, c.x, c.y, c.w, c.h, false);
        IWO[n].type = (int16_t)c.type;
        IWO[n].selected = 1;
        selectedIWOhandle = (int16_t)c.handle;
        checkongrid(n);
        const IWORecord &r = IWO[n];
        EXPECT_EQ(V({r.x, r.y, r.width, r.height}), V({c.ex, c.ey, c.ew, c.eh}))
            << "case " << &c - cases;
    }
}
