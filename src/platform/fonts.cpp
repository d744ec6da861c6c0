// fonts.cpp - fontconfig look-up, FreeType rendering and the glyph cache.
#include "platform/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>

namespace {

// Families tried after the requested one, in this order.
const char *const fallbackfamilies[] = {"Bitstream Vera Sans", "DejaVu Sans"};

// Largest pixel size opened; larger requests get this size.
constexpr int MAXFONTSIZE = 2048;

struct FontFile {
    std::string path; // font file, empty when the family is not installed
    int index = 0;    // face index in the file
};

// Module state. Fonts live until closefonts(), which also runs at exit.
struct FontState {
    int state = 0;                                // 0 not set up yet, 1 ready, -1 set-up failed
    FT_Library library = nullptr;                 // the FreeType library
    FcConfig *config = nullptr;                   // our own fontconfig configuration
    std::map<std::string, FontFile> files;        // family (lower case) and style -> file
    std::map<std::string, TextFont *> faces;      // file, index and size -> opened font
    std::map<std::string, TextFont *> openings;   // requested family, size, style -> font or null
    std::map<std::string, FaceMetrics *> metrics; // requested family, style -> metrics or null
    // The last opening asked for, answered again without building its key:
    // drawing asks for the same font object after object.
    std::string lastname;
    int lastsize = 0, laststyle = 0;
    TextFont *last = nullptr;
    bool haslast = false;
    ~FontState() { closefonts(); }
} fonts;

// The font directories and caches of a standard installation. Families are
// matched by exact name and rendered with fixed settings, so nothing else of
// the system's configuration matters here; and parsing that configuration
// (fonts.conf and the dozens of files it includes) costs more than the rest of
// a command-line render together.
const char *const FONTDIRS = R"(<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <dir>~/.fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <cachedir>~/.fontconfig</cachedir>
</fontconfig>
)";

// The configuration with those directories and their fonts; the system's full
// configuration when it can't be built.
FcConfig *loadconfig() {
    FcConfig *config = FcConfigCreate();
    if (config && FcConfigParseAndLoadFromMemory(config, (const FcChar8 *)FONTDIRS, FcTrue) &&
        FcConfigBuildFonts(config))
        return config;
    if (config) FcConfigDestroy(config);
    return FcInitLoadConfigAndFonts();
}

bool setupfonts() {
    if (fonts.state == 0) {
        fonts.state = -1;
        if (FT_Init_FreeType(&fonts.library) != 0) return false;
        // Fix the TrueType hinting engine, so that an environment setting
        // cannot change the glyph pixels.
        FT_UInt version = TT_INTERPRETER_VERSION_40;
        FT_Property_Set(fonts.library, "truetype", "interpreter-version", &version);
        // A configuration of our own, independent of any other user of
        // fontconfig in the process, and released again by closefonts().
        fonts.config = loadconfig();
        if (!fonts.config) {
            FT_Done_FreeType(fonts.library);
            fonts.library = nullptr;
            return false;
        }
        fonts.state = 1;
    }
    return fonts.state == 1;
}

std::string lowercase(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return s;
}

// "dir:Family Name.font" -> "Family Name".
std::string familyname(const char *name) {
    std::string s = name ? name : "";
    size_t cut = s.find_last_of(":/");
    if (cut != std::string::npos) s = s.substr(cut + 1);
    if (s.size() >= 5 && lowercase(s.substr(s.size() - 5)) == ".font") s.resize(s.size() - 5);
    return s;
}

// The file of a family in a style, through fontconfig; the match must really be
// of that family (fontconfig otherwise offers its best substitute).
const FontFile &findfamily(const std::string &family, int style) {
    std::string key = lowercase(family) + "|" + std::to_string(style & (FSF_BOLD | FSF_ITALIC));
    auto it = fonts.files.find(key);
    if (it != fonts.files.end()) return it->second;
    FontFile ff;
    FcPattern *pat = FcPatternCreate();
    if (pat && !family.empty()) {
        FcPatternAddString(pat, FC_FAMILY, (const FcChar8 *)family.c_str());
        FcPatternAddInteger(pat, FC_WEIGHT,
                            (style & FSF_BOLD) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, (style & FSF_ITALIC) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddInteger(pat, FC_WIDTH, FC_WIDTH_NORMAL);
        FcConfigSubstitute(fonts.config, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult res;
        FcPattern *match = FcFontMatch(fonts.config, pat, &res);
        if (match) {
            bool same = false;
            FcChar8 *fam = nullptr;
            for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; i++)
                if (FcStrCmpIgnoreCase(fam, (const FcChar8 *)family.c_str()) == 0) same = true;
            FcChar8 *file = nullptr;
            int index = 0;
            if (same && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
                ff.path = (const char *)file;
                if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
                    ff.index = index;
            }
            FcPatternDestroy(match);
        }
    }
    if (pat) FcPatternDestroy(pat);
    return fonts.files[key] = ff;
}

// The font of a file at a pixel size, opened once.
TextFont *openface(const FontFile &ff, int size) {
    std::string key = ff.path + "|" + std::to_string(ff.index) + "|" + std::to_string(size);
    auto it = fonts.faces.find(key);
    if (it != fonts.faces.end()) return it->second;
    TextFont *tf = nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(fonts.library, ff.path.c_str(), ff.index, &face) == 0) {
        if (FT_Set_Pixel_Sizes(face, 0, (FT_UInt)size) == 0) {
            tf = new TextFont;
            tf->face = face;
            tf->tf_YSize = size;
            tf->tf_Baseline = (int)((face->size->metrics.ascender + 63) >> 6);
            tf->tf_Descent = (int)((-face->size->metrics.descender + 63) >> 6);
        } else {
            FT_Done_Face(face);
        }
    }
    fonts.faces[key] = tf;
    return tf;
}

// Renders character c of a font into its glyph cache entry.
const Glyph &getglyph(TextFont *tf, uint8_t c) {
    Glyph &g = tf->glyphs[c];
    if (g.loaded) return g;
    g.loaded = true;
    FT_Face face = tf->face;
    FT_UInt gi = FT_Get_Char_Index(face, c);
    if (FT_Load_Glyph(face, gi, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        return g;
    FT_GlyphSlot slot = face->glyph;
    g.advance = (int)((slot->advance.x + 32) >> 6);
    const FT_Bitmap &bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO && bm.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
    const unsigned char *row = bm.buffer;
    if (bm.pitch < 0) row -= (ptrdiff_t)bm.pitch * (ptrdiff_t)(bm.rows - 1);
    for (unsigned y = 0; y < bm.rows; y++, row += bm.pitch) {
        int start = -1;
        for (unsigned x = 0; x <= bm.width; x++) {
            bool on = false;
            if (x < bm.width)
                on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                         : row[x] >= 128;
            if (on && start < 0) start = (int)x;
            if (!on && start >= 0) {
                GlyphRun run;
                run.dy = (int16_t)((int)y - slot->bitmap_top);
                run.dx = (int16_t)(slot->bitmap_left + start);
                run.len = (int16_t)((int)x - start);
                g.runs.push_back(run);
                start = -1;
            }
        }
    }
    return g;
}

// The unhinted metrics of a font file's face, in ems; null when it can't be read.
FaceMetrics *measureface(const FontFile &ff) {
    FT_Face face = nullptr;
    if (FT_New_Face(fonts.library, ff.path.c_str(), ff.index, &face) != 0) return nullptr;
    const double em = face->units_per_EM > 0 ? (double)face->units_per_EM : 1000.0;
    auto *m = new FaceMetrics;
    m->path = ff.path;
    m->index = ff.index;
    m->bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    m->italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    if (FT_IS_SCALABLE(face)) {
        m->ascent = face->ascender / em;
        m->descent = -face->descender / em;
    }
    const FT_Int32 flags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_IGNORE_TRANSFORM;
    // The height of a capital H is the line a label is centred by.
    if (FT_Load_Char(face, 'H', flags) == 0 && face->glyph->metrics.horiBearingY > 0)
        m->capheight = face->glyph->metrics.horiBearingY / em;
    for (int c = 0; c < 256; c++)
        if (FT_Load_Char(face, (FT_ULong)c, flags) == 0) {
            const FT_Glyph_Metrics &gm = face->glyph->metrics;
            m->advance[c] = face->glyph->advance.x / em;
            if (gm.width > 0) {
                m->inkleft[c] = gm.horiBearingX / em;
                m->inkright[c] = (gm.horiBearingX + gm.width) / em;
            }
        }
    FT_Done_Face(face);
    return m;
}

// Clamps a 64-bit coordinate into the int range.
int clampint(int64_t v) { return (int)std::clamp<int64_t>(v, INT_MIN, INT_MAX); }

} // namespace

TextFont *OpenFont(const char *name, int ysize, int style) {
    if (!setupfonts()) return nullptr;
    int size = std::clamp(ysize, 1, MAXFONTSIZE);
    if (!name) name = "";
    if (fonts.haslast && size == fonts.lastsize && style == fonts.laststyle &&
        fonts.lastname == name)
        return fonts.last;
    std::string family = familyname(name);
    std::string key = lowercase(family) + "|" + std::to_string(size) + "|" +
                      std::to_string(style & (FSF_BOLD | FSF_ITALIC));
    auto it = fonts.openings.find(key);
    TextFont *tf = nullptr;
    if (it != fonts.openings.end()) {
        tf = it->second;
    } else {
        std::string tries[3] = {family, fallbackfamilies[0], fallbackfamilies[1]};
        for (const std::string &f : tries) {
            const FontFile &ff = findfamily(f, style);
            if (!ff.path.empty()) tf = openface(ff, size);
            if (tf) break;
        }
        fonts.openings[key] = tf;
    }
    fonts.lastname = name;
    fonts.lastsize = size;
    fonts.laststyle = style;
    fonts.last = tf;
    fonts.haslast = true;
    return tf;
}

const FaceMetrics *facemetrics(const char *name, int style) {
    if (!setupfonts()) return nullptr;
    std::string family = familyname(name);
    style &= FSF_BOLD | FSF_ITALIC;
    std::string key = lowercase(family) + "|" + std::to_string(style);
    auto it = fonts.metrics.find(key);
    if (it != fonts.metrics.end()) return it->second;
    FaceMetrics *m = nullptr;
    std::string tries[3] = {family, fallbackfamilies[0], fallbackfamilies[1]};
    for (int t = 0; t < 3 && !m; t++) {
        const FontFile &ff = findfamily(tries[t], style);
        if (ff.path.empty() || !(m = measureface(ff))) continue;
        m->family = tries[t];
        m->fallback = t > 0;
    }
    fonts.metrics[key] = m;
    return m;
}

double textwidth(const FaceMetrics *m, const char *s, int n) {
    if (!m || !s) return 0.0;
    double w = 0.0;
    for (int i = 0; i < n; i++) w += m->advance[(uint8_t)s[i]];
    return w;
}

bool textink(const FaceMetrics *m, const char *s, int n, double *left, double *right) {
    if (!m || !s) return false;
    double pen = 0, l = 1e300, r = -1e300;
    for (int i = 0; i < n; i++) {
        const uint8_t c = (uint8_t)s[i];
        if (m->inkright[c] > m->inkleft[c]) {
            l = std::min(l, pen + m->inkleft[c]);
            r = std::max(r, pen + m->inkright[c]);
        }
        pen += m->advance[c];
    }
    if (l > r) return false;
    *left = l;
    *right = r;
    return true;
}

void CloseFont(TextFont *) {}

void closefonts() {
    for (auto &f : fonts.faces) {
        if (f.second) {
            FT_Done_Face(f.second->face);
            delete f.second;
        }
    }
    fonts.faces.clear();
    fonts.openings.clear();
    fonts.haslast = false;
    fonts.last = nullptr;
    for (auto &m : fonts.metrics) delete m.second;
    fonts.metrics.clear();
    fonts.files.clear();
    if (fonts.library) FT_Done_FreeType(fonts.library);
    fonts.library = nullptr;
    if (fonts.config) FcConfigDestroy(fonts.config);
    fonts.config = nullptr;
    fonts.state = 0;
}

void SetFont(Raster *rp, TextFont *font) { rp->Font = font; }

int fonttextlength(TextFont *font, const char *s, int n) {
    if (!font || !s) return 0;
    int64_t w = 0;
    for (int i = 0; i < n; i++) w += getglyph(font, (uint8_t)s[i]).advance;
    return clampint(w);
}

void Text(Raster *rp, const char *s, int n) {
    TextFont *font = rp->Font;
    rp->drawing = false;
    if (!font || !s || n <= 0) return;
    int64_t x0 = rp->cp_x, y0 = rp->cp_y;
    const int64_t W = rp->Width, H = rp->Height;

    if (rp->DrawMode != COMPLEMENT) {
        int64_t x = x0;
        for (int i = 0; i < n; i++) {
            const Glyph &g = getglyph(font, (uint8_t)s[i]);
            for (const GlyphRun &run : g.runs) {
                int64_t y = y0 + run.dy, xa = x + run.dx, xb = xa + run.len - 1;
                if (y < 0 || y >= H || xb < 0 || xa >= W) continue;
                hspan(rp, (int)y, (int)std::max<int64_t>(xa, 0), (int)std::min(xb, W - 1));
            }
            x += g.advance;
        }
        rp->cp_x = clampint(x);
        return;
    }

    // Complement: collect the glyph pixels in a mask first, so that pixels
    // where glyphs overlap are still inverted only once.
    int64_t left = INT64_MAX, right = INT64_MIN, top = INT64_MAX, bottom = INT64_MIN;
    int64_t x = x0;
    for (int i = 0; i < n; i++) {
        const Glyph &g = getglyph(font, (uint8_t)s[i]);
        for (const GlyphRun &run : g.runs) {
            left = std::min(left, x + run.dx);
            right = std::max(right, x + run.dx + run.len - 1);
            top = std::min(top, y0 + run.dy);
            bottom = std::max(bottom, y0 + run.dy);
        }
        x += g.advance;
    }
    rp->cp_x = clampint(x);
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min(right, W - 1);
    bottom = std::min(bottom, H - 1);
    if (left > right || top > bottom) return;
    size_t mw = (size_t)(right - left + 1), mh = (size_t)(bottom - top + 1);
    std::vector<uint8_t> mask(mw * mh, 0);
    x = x0;
    for (int i = 0; i < n; i++) {
        const Glyph &g = getglyph(font, (uint8_t)s[i]);
        for (const GlyphRun &run : g.runs) {
            int64_t y = y0 + run.dy;
            int64_t xa = std::max(x + run.dx, left), xb = std::min(x + run.dx + run.len - 1, right);
            if (y < top || y > bottom || xa > xb) continue;
            std::memset(&mask[(size_t)(y - top) * mw + (size_t)(xa - left)], 1,
                        (size_t)(xb - xa + 1));
        }
        x += g.advance;
    }
    for (size_t r = 0; r < mh; r++) {
        uint8_t *p = rp->Pixels.data() + (size_t)(top + (int64_t)r) * (size_t)W + (size_t)left;
        const uint8_t *m = &mask[r * mw];
        for (size_t c = 0; c < mw; c++) p[c] ^= (uint8_t)(m[c] * 0xFF);
        if (rp->keepmarks) {
            uint8_t *k = rp->Marks.data() + (size_t)(top + (int64_t)r) * (size_t)W + (size_t)left;
            for (size_t c = 0; c < mw; c++) k[c] ^= (uint8_t)(m[c] & rp->Mark);
        }
    }
}
