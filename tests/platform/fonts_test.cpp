// Label fonts: opening with fallbacks, measuring, and drawing text in one pen.
#include "platform/fonts.h"
#include "platform/raster.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

int len(TextFont *f, const char *s) { return fonttextlength(f, s, (int)std::strlen(s)); }

std::vector<uint8_t> render(TextFont *f, const char *s, int mode, int w = 64, int h = 24) {
    Raster *rp = newraster(w, h);
    SetRast(rp, 2);
    SetAPen(rp, 1);
    SetDrMd(rp, mode);
    SetFont(rp, f);
    Move(rp, 2, 17);
    Text(rp, s, (int)std::strlen(s));
    std::vector<uint8_t> px = rp->Pixels;
    freeraster(rp);
    return px;
}

TEST(FontOpen, FindsFamiliesFallsBackAndCaches) {
    TextFont *vera = OpenFont("Bitstream Vera Sans.font", 19, 0);
    ASSERT_NE(vera, nullptr);
    EXPECT_EQ(vera->tf_YSize, 19);
    EXPECT_GT(vera->tf_Baseline, 10);
    EXPECT_LT(vera->tf_Baseline, 19);
    EXPECT_GT(vera->tf_Descent, 0);
    EXPECT_EQ(OpenFont("Bitstream Vera Sans.font", 19, 0), vera);
    // The name may carry a directory; an unknown family falls back to Vera.
    EXPECT_EQ(OpenFont("FONTS:Bitstream Vera Sans.font", 19, 0), vera);
    EXPECT_EQ(OpenFont("No Such Family Anywhere.font", 19, 0), vera);
    EXPECT_EQ(OpenFont("", 19, 0), vera);
    EXPECT_EQ(OpenFont(nullptr, 19, 0), vera);
    TextFont *dejavu = OpenFont("DejaVu Sans.font", 19, 0);
    ASSERT_NE(dejavu, nullptr);
    EXPECT_NE(dejavu, vera);
    // A bold style is another face; the sizes are pixel sizes, 0 is taken as 1.
    TextFont *bold = OpenFont("Bitstream Vera Sans.font", 19, FSF_BOLD);
    ASSERT_NE(bold, nullptr);
    EXPECT_NE(bold, vera);
    EXPECT_GT(len(bold, "Mind map"), len(vera, "Mind map"));
    TextFont *tiny = OpenFont("Bitstream Vera Sans.font", 0, 0);
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->tf_YSize, 1);
    CloseFont(vera); // fonts stay cached
    EXPECT_EQ(OpenFont("Bitstream Vera Sans.font", 19, 0), vera);
}

TEST(FontMeasure, WidthIsTheSumOfAdvances) {
    TextFont *f = OpenFont("Bitstream Vera Sans.font", 19, 0);
    ASSERT_NE(f, nullptr);
    EXPECT_GT(len(f, "Ideaweave"), 0);
    EXPECT_EQ(len(f, ""), 0);
    EXPECT_EQ(len(f, "AV"), len(f, "A") + len(f, "V")); // no kerning
    EXPECT_GT(len(f, "\xE9t\xE9"), len(f, "t"));        // ISO-8859-1 letters have glyphs
    EXPECT_GT(len(OpenFont("Bitstream Vera Sans.font", 38, 0), "Ideaweave"), len(f, "Ideaweave"));
    EXPECT_EQ(fonttextlength(f, "abc", 2), len(f, "ab"));
    EXPECT_EQ(fonttextlength(f, "abc", -1), 0);
    EXPECT_EQ(fonttextlength(nullptr, "abc", 3), 0);
}

TEST(FontText, DrawsOnePenTheSameEveryTimeAndAdvances) {
    TextFont *f = OpenFont("Bitstream Vera Sans.font", 16, 0);
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> a = render(f, "Wag", JAM1);
    EXPECT_EQ(a, render(f, "Wag", JAM1));
    int ink = 0;
    for (uint8_t p : a) {
        EXPECT_TRUE(p == 1 || p == 2);
        ink += p == 1;
    }
    EXPECT_GT(ink, 30);
    // Complement inverts exactly the glyph pixels, once, and twice restores.
    std::vector<uint8_t> c = render(f, "Wag", COMPLEMENT);
    for (size_t k = 0; k < a.size(); k++) ASSERT_EQ(c[k], a[k] == 1 ? 0xFD : 2);
    Raster *rp = newraster(40, 20);
    SetDrMd(rp, COMPLEMENT);
    SetFont(rp, f);
    for (int twice = 0; twice < 2; twice++) {
        Move(rp, -3, 15);
        Text(rp, "ffi//", 5);
    }
    EXPECT_EQ(rp->Pixels, std::vector<uint8_t>(40 * 20, 0));
    EXPECT_EQ(rp->cp_x, -3 + len(f, "ffi//"));
    // Text far outside draws nothing and keeps its pixels inside the raster.
    SetDrMd(rp, JAM1);
    for (int far : {-100000, 100000, -2000000000, 2000000000}) {
        Move(rp, far, 10);
        Text(rp, "far", 3);
        Move(rp, 5, far);
        Text(rp, "far", 3);
    }
    EXPECT_EQ(rp->Pixels, std::vector<uint8_t>(40 * 20, 0));
    // Without a font: nothing drawn, nothing measured.
    SetFont(rp, nullptr);
    Move(rp, 5, 15);
    Text(rp, "none", 4);
    EXPECT_EQ(TextLength(rp, "none", 4), 0);
    EXPECT_EQ(rp->Pixels, std::vector<uint8_t>(40 * 20, 0));
    freeraster(rp);
}

// A label as stored pixels, so that a change of font, hinting or glyph placement
// shows. Set IW_UPDATE_GOLDEN=1 to write the image anew.
TEST(FontText, GoldenLabel) {
    TextFont *f = OpenFont("Bitstream Vera Sans.font", 13, 0);
    ASSERT_NE(f, nullptr);
    Raster *rp = newraster(32, 16);
    SetRast(rp, 2);
    SetAPen(rp, 1);
    SetFont(rp, f);
    Move(rp, 1, 12);
    Text(rp, "Ag\xE9", 3);
    EXPECT_TRUE(goldenmatch(rp, "platform/golden/label.png"));
    freeraster(rp);
}

} // namespace
