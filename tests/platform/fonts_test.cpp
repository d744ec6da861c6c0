// Label fonts: opening with fallbacks, measuring, and drawing text in one pen.
#include "platform/fonts.h"
#include "platform/raster.h"
#include "testutil.h"

#include <cstring>

namespace {

const char *const VERA = "Bitstream Vera Sans.font";

int len(TextFont *f, const char *s) { return fonttextlength(f, s, (int)std::strlen(s)); }

// The pens of s drawn at (x, y) in pen 1 on a w x h raster of pen 2.
std::vector<uint8_t> render(TextFont *f, const char *s, int mode, int x = 2, int y = 17, int w = 64,
                            int h = 24) {
    Raster *rp = newraster(w, h);
    SetRast(rp, 2);
    SetAPen(rp, 1);
    SetDrMd(rp, mode);
    SetFont(rp, f);
    Move(rp, x, y);
    Text(rp, s, (int)std::strlen(s));
    std::vector<uint8_t> px = rp->Pixels;
    freeraster(rp);
    return px;
}

// Fonts are cached by family, style and size; a directory in the name, an
// unknown family, an empty name or none fall back to Vera; bold is another
// face; size 0 is taken as 1.
TEST(FontOpen, FindsFamiliesFallsBackAndCaches) {
    TextFont *vera = OpenFont(VERA, 19, 0);
    ASSERT_NE(vera, nullptr);
    EXPECT_EQ(vera->tf_YSize, 19);
    EXPECT_TRUE(vera->tf_Baseline > 10 && vera->tf_Baseline < 19 && vera->tf_Descent > 0);
    for (const char *name : {VERA, "FONTS:Bitstream Vera Sans.font", "No Such Family Anywhere.font",
                             "", (const char *)nullptr})
        EXPECT_EQ(OpenFont(name, 19, 0), vera) << (name ? name : "null");
    TextFont *dejavu = OpenFont("DejaVu Sans.font", 19, 0), *bold = OpenFont(VERA, 19, FSF_BOLD);
    ASSERT_TRUE(dejavu && bold);
    EXPECT_NE(dejavu, vera);
    EXPECT_NE(bold, vera);
    EXPECT_GT(len(bold, "Mind map"), len(vera, "Mind map"));
    EXPECT_EQ(OpenFont(VERA, 0, 0)->tf_YSize, 1);
    CloseFont(vera); // fonts stay cached
    EXPECT_EQ(OpenFont(VERA, 19, 0), vera);
}

// A width is the sum of the advances, without kerning; ISO-8859-1 letters
// have glyphs; a larger size is wider; the count limits the text.
TEST(FontMeasure, WidthIsTheSumOfAdvances) {
    TextFont *f = OpenFont(VERA, 19, 0);
    ASSERT_NE(f, nullptr);
    EXPECT_GT(len(f, "Ideaweave"), 0);
    EXPECT_EQ(len(f, ""), 0);
    EXPECT_EQ(len(f, "AV"), len(f, "A") + len(f, "V"));
    EXPECT_GT(len(f, "\xE9t\xE9"), len(f, "t"));
    EXPECT_GT(len(OpenFont(VERA, 38, 0), "Ideaweave"), len(f, "Ideaweave"));
    EXPECT_EQ(fonttextlength(f, "abc", 2), len(f, "ab"));
    EXPECT_EQ(fonttextlength(f, "abc", -1), 0);
    EXPECT_EQ(fonttextlength(nullptr, "abc", 3), 0);
}

// Text is drawn in the one pen, the same every time; in complement it inverts
// exactly the glyph pixels, once (also where glyphs overlap), and advances the
// pen position by the text's width. Text far outside, or without a font, draws
// nothing.
TEST(FontText, DrawsOnePenTheSameEveryTimeAndAdvancesAndAsStored) {
    TextFont *f = OpenFont(VERA, 16, 0);
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> a = render(f, "Wag", JAM1);
    EXPECT_EQ(a, render(f, "Wag", JAM1));
    std::vector<uint8_t> c = render(f, "Wag", COMPLEMENT);
    int ink = 0;
    for (size_t k = 0; k < a.size(); k++) {
        ASSERT_TRUE(a[k] == 1 || a[k] == 2);
        ASSERT_EQ(c[k], a[k] == 1 ? 0xFD : 2);
        ink += a[k] == 1;
    }
    EXPECT_GT(ink, 30);
    Raster *rp = newraster(40, 20);
    SetDrMd(rp, COMPLEMENT);
    SetFont(rp, f);
    for (int twice = 0; twice < 2; twice++) {
        Move(rp, -3, 15);
        Text(rp, "ffi//", 5);
    }
    EXPECT_EQ(rp->Pixels, std::vector<uint8_t>(40 * 20, 0));
    EXPECT_EQ(rp->cp_x, -3 + len(f, "ffi//"));
    freeraster(rp);
    std::vector<uint8_t> blank(64 * 24, 2);
    for (int far : {-100000, 100000, -2000000000, 2000000000}) {
        EXPECT_EQ(render(f, "far", JAM1, far, 10), blank) << far;
        EXPECT_EQ(render(f, "far", JAM1, 5, far), blank) << far;
    }
    EXPECT_EQ(render(nullptr, "none", JAM1), blank);
    // A label as stored pixels, so that a change of font, hinting or glyph
    // placement shows.
    rp = newraster(32, 16);
    SetRast(rp, 2);
    SetAPen(rp, 1);
    SetFont(rp, OpenFont(VERA, 13, 0));
    Move(rp, 1, 12);
    Text(rp, "Ag\xE9", 3);
    EXPECT_TRUE(goldenmatch(rp, "platform/golden/label.png"));
    freeraster(rp);
}

} // namespace
