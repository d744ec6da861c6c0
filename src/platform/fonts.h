// fonts.h - label fonts: opening by name and size, measuring and drawing text.
//
// Fonts are found with fontconfig and rendered with FreeType. A font name
// "X.font" means the family X (any directory part before ':' or '/' and the
// ".font" suffix are dropped); the size is the font's pixel size (its em
// height in pixels). When the family is not installed, "Bitstream Vera Sans"
// and then "DejaVu Sans" are used instead. Text is ISO-8859-1: each byte is the
// character with that code point. Glyphs are rendered unsmoothed (monochrome,
// with the font's own hinting, the same way on every run), so text uses exactly
// one pen. Glyph advances are whole pixels and there is no kerning, so the width
// of a text is the sum of its characters' advances. Sizes below 1 open size 1,
// sizes above 2048 open size 2048.
//
// Opened fonts are kept (by family, size and style) until closefonts(), so
// opening the same font again is cheap and CloseFont does nothing; the glyphs
// of a font are rendered once, when first used.
//
// Public functions:
//   OpenFont(name, ysize, style)      open a font (style: FSF_BOLD, FSF_ITALIC);
//                                     null when no font can be found at all
//   CloseFont(font)                   release a font from OpenFont (it stays cached)
//   closefonts()                      free every opened font; earlier pointers become
//                                     invalid (runs at exit by itself)
//   SetFont(rp, font)                 font used by Text on rp (null: none)
//   fonttextlength(font, s, n)        width in pixels of n bytes of s in the font; 0 for
//                                     a null font
//   Text(rp, s, n)                    draw n bytes of s with the baseline's left end at
//                                     the pen position, then advance the pen by the width
//   facemetrics(name, style)          the unhinted outline metrics of the face OpenFont
//                                     would choose (same family and fallbacks), for
//                                     drawing at any scale; null when no font is found
//   textwidth(m, s, n)                advance width of n bytes of s in ems of that face
//   textink(m, s, n, &left, &right)   where the ink of n bytes of s starts and ends,
//                                     ems from the start of the text; false without ink
//
// Text drawing sets the glyph pixels only: in JAM1 to the foreground pen, in
// COMPLEMENT each glyph pixel is XORed exactly once (also where glyphs overlap).
// Without a font, measuring gives 0 and drawing draws nothing.
#pragma once
#include "platform/raster.h"

#include <cstdint>
#include <string>
#include <vector>

struct FT_FaceRec_;

// Style bits for OpenFont.
enum { FSF_UNDERLINED = 1, FSF_BOLD = 2, FSF_ITALIC = 4 };

// One row run of set pixels of a glyph, relative to the pen position on the baseline.
struct GlyphRun {
    int16_t dy;  // row, negative above the baseline
    int16_t dx;  // first pixel
    int16_t len; // pixels in the run
};

// A rendered character.
struct Glyph {
    bool loaded = false;        // rendered yet
    int advance = 0;            // pen advance in pixels
    std::vector<GlyphRun> runs; // set pixels
};

// An opened font.
struct TextFont {
    int tf_YSize = 0;            // pixel size the font was opened at
    int tf_Baseline = 0;         // pixels from the top of a text line to the baseline
    int tf_Descent = 0;          // pixels from the baseline to the bottom of a text line
    FT_FaceRec_ *face = nullptr; // FreeType face, set to the pixel size
    Glyph glyphs[256];           // glyphs by character code, rendered on first use
};

// A label face measured without hinting: every size is the same shape scaled,
// so a text measured here is as wide on screen, in a PNG and in a PDF.
struct FaceMetrics {
    std::string path;          // font file
    int index = 0;             // face index in the file
    std::string family;        // the family found (the requested one or a fallback)
    bool fallback = false;     // the requested family is not installed
    bool bold = false;         // the face itself is bold (else bold must be synthesised)
    bool italic = false;       // the face itself is italic or oblique
    double ascent = 0.8;       // ems above the baseline
    double descent = 0.2;      // ems below the baseline
    double capheight = 0.7;    // height of a capital letter, ems
    double advance[256] = {};  // advance of each ISO-8859-1 character, ems
    double inkleft[256] = {};  // where each character's ink starts, ems from its pen position
    double inkright[256] = {}; // where it ends (no ink: both 0)
};

TextFont *OpenFont(const char *name, int ysize, int style);
void CloseFont(TextFont *font);
void closefonts();
void SetFont(Raster *rp, TextFont *font);
int fonttextlength(TextFont *font, const char *s, int n);
void Text(Raster *rp, const char *s, int n);
const FaceMetrics *facemetrics(const char *name, int style);
double textwidth(const FaceMetrics *m, const char *s, int n);
bool textink(const FaceMetrics *m, const char *s, int n, double *left, double *right);
