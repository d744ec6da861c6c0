// The pen raster's primitives: the rasterisation rules written in raster.h,
// clipping of coordinates far outside, and complement drawing.
#include "platform/raster.h"
#include "testutil.h"

#include <climits>
#include <cstdlib>
#include <random>

namespace {

int setpixels(const Raster *rp) {
    int n = 0;
    for (uint8_t p : rp->Pixels) n += p != 0;
    return n;
}

struct Canvas {
    Raster *rp;
    Canvas(int w, int h, int pen = 5) : rp(newraster(w, h)) { SetAPen(rp, pen); }
    ~Canvas() { freeraster(rp); }
};

void polygon(Raster *rp, std::initializer_list<std::pair<int, int>> pts) {
    bool first = true;
    for (auto [x, y] : pts) {
        if (first)
            AreaMove(rp, x, y);
        else
            AreaDraw(rp, x, y);
        first = false;
    }
    AreaEnd(rp);
}

// A random primitive call with coordinates in lo..hi: a box, a line, a
// polygon, a filled ellipse, an ellipse outline, a closed dashed polyline,
// or a pixel with two spans. Only the last two may touch a pixel twice.
struct Primitive {
    int kind, x0, y0, x1, y1, a, b;
    std::vector<std::pair<int, int>> pts;
    uint16_t pat = 0xFFFF;
    bool once() const { return kind < 5; }
    // Draws it shifted by (ox, oy).
    void operator()(Raster *rp, int ox, int oy) const {
        size_t n = pts.size();
        switch (kind) {
        case 0:
            return RectFill(rp, x0 + ox, y0 + oy, x1 + ox, y1 + oy);
        case 1:
            Move(rp, x0 + ox, y0 + oy);
            return Draw(rp, x1 + ox, y1 + oy);
        case 2:
            for (size_t k = 0; k < n; k++)
                (k ? AreaDraw : AreaMove)(rp, pts[k].first + ox, pts[k].second + oy);
            AreaEnd(rp);
            return;
        case 3:
            return AreaEllipse(rp, x0 + ox, y0 + oy, a, b);
        case 4:
            return DrawEllipse(rp, x0 + ox, y0 + oy, a, b);
        case 5:
            SetDrPt(rp, pat);
            Move(rp, pts[0].first + ox, pts[0].second + oy);
            for (size_t k = 1; k <= n; k++) Draw(rp, pts[k % n].first + ox, pts[k % n].second + oy);
            return SetDrPt(rp, 0xFFFF);
        default:
            WritePixel(rp, x0 + ox, y0 + oy);
            vspan(rp, x1 + ox, y0 + oy, y1 + oy);
            hspan(rp, y1 + oy, x0 + ox, x1 + ox);
        }
    }
};

Primitive randomprimitive(std::mt19937 &rng, int lo, int hi) {
    std::uniform_int_distribution<int> c(lo, hi), r(0, 40), kind(0, 6), n(3, 8);
    Primitive p{0, c(rng), c(rng), c(rng), c(rng), r(rng), r(rng), {}, 0xFFFF};
    p.kind = kind(rng);
    if (p.kind == 2 || p.kind == 5)
        for (int k = n(rng); k > 0; k--) p.pts.push_back({c(rng), c(rng)});
    if (p.kind == 5) p.pat = (uint16_t)rng();
    return p;
}

// Random lines: max(|dx|, |dy|) + 1 pixels including both ends, the same
// whichever end they start from (the tie rule shows in RasterGolden.Rules).
TEST(RasterLine, PixelCountAndDirection) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> d(0, 39);
    for (int i = 0; i < 300; i++) {
        int x0 = d(rng), y0 = d(rng), x1 = d(rng), y1 = d(rng);
        Canvas f(40, 40), b(40, 40);
        Move(f.rp, x0, y0);
        Draw(f.rp, x1, y1);
        Move(b.rp, x1, y1);
        Draw(b.rp, x0, y0);
        ASSERT_EQ(f.rp->Pixels, b.rp->Pixels) << x0 << "," << y0 << " " << x1 << "," << y1;
        ASSERT_EQ(setpixels(f.rp), std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1);
        ASSERT_TRUE(ReadPixel(f.rp, x0, y0) && ReadPixel(f.rp, x1, y1));
    }
}

TEST(RasterPolygon, NeighboursSharingAnEdgeDoNotOverlap) {
    // Two triangles splitting a quadrilateral cover it exactly once.
    Canvas whole(40, 40, 255), halves(40, 40);
    polygon(whole.rp, {{3, 1}, {37, 9}, {30, 38}, {1, 25}});
    SetDrMd(halves.rp, COMPLEMENT);
    polygon(halves.rp, {{3, 1}, {37, 9}, {30, 38}});
    polygon(halves.rp, {{3, 1}, {30, 38}, {1, 25}});
    EXPECT_EQ(halves.rp->Pixels, whole.rp->Pixels);
}

TEST(RasterPolygon, BufferHoldsTwentyVertices) {
    Canvas c(8, 8);
    EXPECT_EQ(AreaMove(c.rp, 0, 0), 1);
    for (int k = 1; k < AREAMAXVERTICES; k++) EXPECT_EQ(AreaDraw(c.rp, k % 2 ? 8 : 0, k / 2), 1);
    EXPECT_EQ(AreaDraw(c.rp, 4, 4), 0);
    EXPECT_EQ(AreaMove(c.rp, 4, 4), 0);
    AreaEnd(c.rp);
    EXPECT_EQ(c.rp->areacount, 0);
    EXPECT_EQ(AreaMove(c.rp, 0, 0), 1);
}

TEST(RasterClip, FarCoordinatesClipInsteadOfWrapping) {
    Canvas c(32, 32);
    // Entirely outside on every side: nothing.
    for (int far : {-100000, 100000, -2000000000, 2000000000}) {
        RectFill(c.rp, far, 0, far + 10, 31);
        RectFill(c.rp, 0, far, 31, far + 10);
        Move(c.rp, far, far);
        Draw(c.rp, far, -far);
        polygon(c.rp, {{far, 0}, {far, 31}, {far + (far > 0 ? -5 : 5), 15}});
        AreaEllipse(c.rp, far, 16, 1000, 1000);
        DrawEllipse(c.rp, 16, far, 1000, 1000);
        WritePixel(c.rp, far, 3);
    }
    EXPECT_EQ(setpixels(c.rp), 0);
    // Across the whole raster: every pixel; lines through it: the pixels of
    // the diagonal, or of row 16 (y is just over 15.5 on the visible columns).
    std::vector<uint8_t> all(32 * 32, 5), diagonal(32 * 32, 0), row16(32 * 32, 0);
    for (int i = 0; i < 32; i++) diagonal[i * 33] = row16[16 * 32 + i] = 5;
    RectFill(c.rp, -100000, -100000, 100000, 100000);
    EXPECT_EQ(c.rp->Pixels, all);
    SetRast(c.rp, 0);
    polygon(c.rp, {{-100000, -100000}, {100000, -100000}, {0, 100000}});
    EXPECT_EQ(c.rp->Pixels, all);
    auto line = [&c](int x0, int y0, int x1, int y1) {
        SetRast(c.rp, 0);
        Move(c.rp, x0, y0);
        Draw(c.rp, x1, y1);
        return c.rp->Pixels;
    };
    EXPECT_EQ(line(-100000, -100000, 100000, 100000), diagonal);
    EXPECT_EQ(line(INT_MIN, INT_MIN, INT_MAX, INT_MAX), diagonal);
    EXPECT_EQ(line(INT_MIN, 0, INT_MAX, 31), row16);
}

TEST(RasterClip, SmallRasterShowsTheSameAsAWindowOfALargeOne) {
    std::mt19937 rng(11);
    for (int i = 0; i < 400; i++) {
        Primitive p = randomprimitive(rng, -60, 160);
        Canvas big(96, 96), small(32, 32);
        p(big.rp, 0, 0);
        p(small.rp, -32, -32);
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++)
                ASSERT_EQ(ReadPixel(small.rp, x, y), ReadPixel(big.rp, x + 32, y + 32)) << i;
    }
}

TEST(RasterComplement, TwiceRestoresAndOnceInvertsEachPixelOnce) {
    std::mt19937 rng(5);
    for (int i = 0; i < 400; i++) {
        Primitive p = randomprimitive(rng, -20, 60);
        // Twice on any picture restores it.
        Canvas c(40, 40);
        for (auto &b : c.rp->Pixels) b = (uint8_t)rng();
        std::vector<uint8_t> before = c.rp->Pixels;
        SetDrMd(c.rp, COMPLEMENT);
        p(c.rp, 0, 0);
        p(c.rp, 0, 0);
        ASSERT_EQ(c.rp->Pixels, before) << i;
        // Once on pen 0 it inverts exactly the pixels JAM1 would set: a pixel
        // inverted twice in one call would show as a hole.
        if (!p.once()) continue;
        Canvas jam(40, 40, 255), comp(40, 40);
        p(jam.rp, 0, 0);
        SetDrMd(comp.rp, COMPLEMENT);
        p(comp.rp, 0, 0);
        ASSERT_EQ(comp.rp->Pixels, jam.rp->Pixels) << i;
    }
}

// Marks follow the pixels drawn: JAM1 sets the current mark wherever a pen is
// set, complement with mark 1 flips them so that twice restores them, SetRast
// and a resize clear them, and a raster that keeps none has none.
TEST(RasterMarks, FollowThePixelsDrawn) {
    std::mt19937 rng(9);
    for (int i = 0; i < 300; i++) {
        Primitive p = randomprimitive(rng, -20, 60), q = randomprimitive(rng, -20, 60);
        Canvas c(40, 40, 255);
        keepmarks(c.rp, true);
        SetMark(c.rp, 1);
        p(c.rp, 0, 0);
        std::vector<uint8_t> expect(c.rp->Pixels.size());
        for (size_t k = 0; k < expect.size(); k++) expect[k] = c.rp->Pixels[k] != 0;
        ASSERT_EQ(c.rp->Marks, expect) << i;
        // The picture drawn over a mark takes it away where it draws.
        Canvas pic(40, 40, 7);
        q(pic.rp, 0, 0);
        SetMark(c.rp, 0);
        SetAPen(c.rp, 7);
        q(c.rp, 0, 0);
        for (size_t k = 0; k < expect.size(); k++)
            if (pic.rp->Pixels[k]) expect[k] = 0;
        ASSERT_EQ(c.rp->Marks, expect) << i;
        // A mark drawn in complement twice leaves pens and marks as they were;
        // a picture drawn in complement leaves the marks alone.
        std::vector<uint8_t> pens = c.rp->Pixels;
        SetDrMd(c.rp, COMPLEMENT);
        SetMark(c.rp, 1);
        q(c.rp, 0, 0);
        if (q.once()) {
            for (size_t k = 0; k < expect.size(); k++)
                ASSERT_EQ(c.rp->Marks[k], expect[k] ^ (uint8_t)(pic.rp->Pixels[k] != 0)) << i;
        }
        q(c.rp, 0, 0);
        SetMark(c.rp, 0);
        p(c.rp, 0, 0);
        p(c.rp, 0, 0);
        ASSERT_EQ(c.rp->Marks, expect) << i;
        ASSERT_EQ(c.rp->Pixels, pens) << i;
    }
    Canvas c(6, 4);
    keepmarks(c.rp, true);
    SetMark(c.rp, 1);
    RectFill(c.rp, 0, 0, 2, 2);
    SetRast(c.rp, 3);
    EXPECT_EQ(c.rp->Marks, std::vector<uint8_t>(24, 0));
    RectFill(c.rp, 0, 0, 2, 2);
    sizeraster(c.rp, 3, 3);
    EXPECT_EQ(c.rp->Marks, std::vector<uint8_t>(9, 0));
    keepmarks(c.rp, false);
    RectFill(c.rp, 0, 0, 2, 2);
    EXPECT_TRUE(c.rp->Marks.empty());
}

// A pen is its low 8 bits, a transparent one too; pixels outside read -1;
// resizing clears; an empty raster takes any drawing.
TEST(RasterState, PensAreLowEightBitsAndResizeClears) {
    Canvas c(4, 3);
    SetAPen(c.rp, -99);
    WritePixel(c.rp, 1, 1);
    SetAPen(c.rp, 0x1203);
    WritePixel(c.rp, 2, 1);
    EXPECT_EQ(std::vector<int>({ReadPixel(c.rp, 1, 1), ReadPixel(c.rp, 2, 1), ReadPixel(c.rp, 4, 0),
                                ReadPixel(c.rp, 0, -1)}),
              std::vector<int>({157, 3, -1, -1}));
    sizeraster(c.rp, 5, 2);
    EXPECT_EQ(c.rp->Width, 5);
    EXPECT_EQ(c.rp->Pixels, std::vector<uint8_t>(10, 0));
    sizeraster(c.rp, -3, 2);
    RectFill(c.rp, 0, 0, 10, 10);
    EXPECT_EQ(c.rp->Pixels.size(), 0u);
}

// Several primitives at once, compared with a stored image so that a change of
// any rule shows.
TEST(RasterGolden, MixedPrimitives) {
    Canvas c(32, 32);
    SetRast(c.rp, 2);
    SetAPen(c.rp, 3);
    RectFill(c.rp, 1, 1, 12, 8);
    SetAPen(c.rp, 40);
    AreaEllipse(c.rp, 22, 8, 8, 5);
    SetAPen(c.rp, 1);
    DrawEllipse(c.rp, 22, 8, 8, 5);
    SetAPen(c.rp, 60);
    polygon(c.rp, {{2, 14}, {14, 12}, {10, 30}, {4, 24}});
    SetAPen(c.rp, 1);
    SetDrPt(c.rp, 0xCCCC);
    Move(c.rp, 16, 16);
    Draw(c.rp, 30, 30);
    Draw(c.rp, 30, 16);
    Draw(c.rp, 16, 16);
    SetDrPt(c.rp, 0xFFFF);
    SetDrMd(c.rp, COMPLEMENT);
    AreaEllipse(c.rp, 8, 8, 3, 3);
    EXPECT_TRUE(goldenmatch(c.rp, "platform/golden/primitives.png"));
}

// The rules of raster.h as stored images: ties of a line rounding up; a
// line pattern taking one bit a pixel across Draws, from the pen position,
// clipped pixels included; a zero-length Draw; polygons of no area, too few
// vertices, and one inside another; ellipses of degenerate radii, and one
// taller than its row table; a closed
// polyline in complement, each vertex inverted once; the edge of a huge
// filled ellipse and its outline in complement.
TEST(RasterGolden, Rules) {
    Canvas c(36, 44);
    Move(c.rp, 0, 0);
    Draw(c.rp, 6, 3);
    SetDrMd(c.rp, COMPLEMENT);
    Move(c.rp, 9, 1);
    Draw(c.rp, 9, 1);
    Draw(c.rp, 9, 1);
    SetDrMd(c.rp, JAM1);
    SetDrPt(c.rp, 0xF0F0);
    Move(c.rp, 0, 4);
    Draw(c.rp, 5, 4);
    Draw(c.rp, 11, 4);
    SetDrPt(c.rp, 0xC000);
    Move(c.rp, 23, 5);
    Draw(c.rp, 14, 5);
    SetDrPt(c.rp, 0xF0F0);
    Move(c.rp, -100006, 6);
    Draw(c.rp, 23, 6);
    SetDrPt(c.rp, 0xFFFF);
    polygon(c.rp, {{1, 8}, {8, 12}, {1, 8}, {8, 12}});
    polygon(c.rp, {{0, 8}, {11, 14}});
    for (int y : {8, 10}) {
        AreaMove(c.rp, y - 8, y);
        AreaDraw(c.rp, 16 - y, y);
        AreaDraw(c.rp, 16 - y, 22 - y);
        AreaDraw(c.rp, y - 8, 22 - y);
    }
    AreaEnd(c.rp);
    AreaEllipse(c.rp, 13, 16, 0, 0);
    AreaEllipse(c.rp, 17, 16, 2, 0);
    DrawEllipse(c.rp, 20, 18, 0, 1);
    AreaEllipse(c.rp, 16, 18, -1, 3); // negative radius: nothing
    DrawEllipse(c.rp, 16, 18, 3, -1);
    AreaEllipse(c.rp, 34, 20, 1, 5000); // taller than the ellipse row table
    AreaEllipse(c.rp, 16, 100032, 100000, 100000);
    SetDrMd(c.rp, COMPLEMENT);
    Move(c.rp, 20, 21);
    for (auto [x, y] : {std::pair{30, 21}, {30, 28}, {25, 31}, {20, 28}, {20, 21}})
        Draw(c.rp, x, y);
    DrawEllipse(c.rp, 16, 100032, 100000, 99990);
    EXPECT_TRUE(goldenmatch(c.rp, "platform/golden/rules.png"));
}

// Filled ellipses (pen 5) with their outlines over them (pen 1), radii 0 to 7
// across and down, one to a cell of 16 pixels.
TEST(RasterGolden, Ellipses) {
    Canvas c(128, 128);
    for (int a = 0; a <= 7; a++)
        for (int b = 0; b <= 7; b++) {
            SetAPen(c.rp, 5);
            AreaEllipse(c.rp, 16 * a + 8, 16 * b + 8, a, b);
            SetAPen(c.rp, 1);
            DrawEllipse(c.rp, 16 * a + 8, 16 * b + 8, a, b);
        }
    EXPECT_TRUE(goldenmatch(c.rp, "platform/golden/ellipses.png"));
}

} // namespace
