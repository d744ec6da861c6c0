// The screen palette and the palette PNG files of pen rasters.
#include "platform/palette.h"
#include "platform/pngwrite.h"
#include "platform/raster.h"
#include "testutil.h"

#include <algorithm>
#include <set>

namespace {

TEST(Palette, ComplementHalvesAndDistinctEntries) {
    for (int i = 0; i < 256; i++) EXPECT_EQ(penrgb(255 - i), penrgb(i) ^ 0xFFFFFF) << i;
    // Pens are taken modulo 256, negative ones included.
    EXPECT_EQ(penrgb(-99), penrgb(157));
    EXPECT_EQ(penrgb(0x103), penrgb(3));
    int r, g, b;
    penrgb3(4, &r, &g, &b);
    EXPECT_EQ((uint32_t)(r << 16 | g << 8 | b), penrgb(4));
    // The chosen entries are all different, also from every complement, so
    // no pen is wasted; only black and white repeat (pens 1, 2, 253, 254).
    std::set<uint32_t> seen;
    for (int i = 0; i < 256; i++)
        if (i != 253 && i != 254) {
            EXPECT_TRUE(seen.insert(penrgb(i)).second) << i;
        }
}

// The writer encodes runs and repeated rows itself: runs of every length
// around the copy limits (1 to 3, 258 and past it), rows equal to the one
// above, noise, and widths from 1 up, all read back as written.
TEST(PngFile, RunsAndRepeatedRowsReadBackExactly) {
    TempDir dir;
    std::string path = dir.path("runs.png");
    unsigned seed = 99;
    auto rnd = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return (int)((seed >> 8) % (unsigned)n);
    };
    for (int w : {1, 2, 3, 4, 6, 259, 384, 700, 33000})
        for (int kind = 0; kind < 3; kind++) {
            int h = w > 1000 ? 3 : 40;
            std::vector<uint8_t> px((size_t)w * h);
            size_t k = 0;
            while (k < px.size()) {
                static const int lengths[] = {1, 2, 3, 4, 257, 258, 259, 260, 261, 600};
                int len = kind == 0 ? 1 : lengths[rnd(10)];
                uint8_t v = (uint8_t)rnd(256);
                for (int i = 0; i < len && k < px.size(); i++) px[k++] = v;
            }
            if (kind == 2) // every other row repeats the one above
                for (int y = 1; y < h; y += 2)
                    std::copy(px.begin() + (long)(y - 1) * w, px.begin() + (long)y * w,
                              px.begin() + (long)y * w);
            ASSERT_TRUE(writepenpngdata(path.c_str(), px.data(), w, h));
            int rw = 0, rh = 0;
            std::vector<uint8_t> back;
            ASSERT_TRUE(readpenpng(path.c_str(), &rw, &rh, &back, nullptr)) << w << " " << kind;
            EXPECT_TRUE(rw == w && rh == h && back == px) << w << " " << kind;
        }
}

// A raster is written as an 8-bit palette image with the screen palette and
// read back pen for pen; a file that can't be written or read is refused.
TEST(PngFile, RoundTripAndErrors) {
    TempDir dir;
    Raster *rp = newraster(37, 9);
    for (size_t k = 0; k < rp->Pixels.size(); k++) rp->Pixels[k] = (uint8_t)(k * 7);
    EXPECT_FALSE(writepenpng(dir.path("missing/dir/x.png").c_str(), rp));
    Raster *empty = newraster(0, 0);
    EXPECT_FALSE(writepenpng(dir.path("empty.png").c_str(), empty));
    freeraster(empty);

    int w = -1, h = -1;
    std::vector<uint8_t> pens;
    EXPECT_FALSE(readpenpng(dir.path("none.png").c_str(), &w, &h, &pens, nullptr));
    spit(dir.path("junk.png"), std::vector<uint8_t>(100, 0x42));
    EXPECT_FALSE(readpenpng(dir.path("junk.png").c_str(), &w, &h, &pens, nullptr));
    ASSERT_TRUE(writepenpng(dir.path("good.png").c_str(), rp));
    std::vector<uint8_t> good = slurp(dir.path("good.png"));
    ASSERT_GT(good.size(), 33u);
    EXPECT_EQ(std::vector<int>({good[24], good[25]}), std::vector<int>({8, 3})); // depth, type
    uint32_t palette[256];
    ASSERT_TRUE(readpenpng(dir.path("good.png").c_str(), &w, &h, &pens, palette));
    EXPECT_EQ(std::vector<int>({w, h}), std::vector<int>({37, 9}));
    EXPECT_EQ(pens, rp->Pixels);
    EXPECT_TRUE(std::equal(palette, palette + 256, ScreenPalette.begin()));
    // A good file cut short at every length.
    for (size_t n = 0; n + 1 < good.size(); n += n < 64 ? 1 : 11) {
        spit(dir.path("cut.png"), std::vector<uint8_t>(good.begin(), good.begin() + (long)n));
        EXPECT_FALSE(readpenpng(dir.path("cut.png").c_str(), &w, &h, &pens, nullptr)) << n;
    }
    freeraster(rp);
}

} // namespace
