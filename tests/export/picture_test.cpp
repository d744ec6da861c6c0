// picture_test.cpp - PNG and PDF drawn in process: their agreement with
// outside viewers' renderings of our SVG and PDF, labels centred in every
// format, the files' sizes, colours and fonts, the same bytes in every locale,
// the smooth view of render, and every failure path of the writers.
#include "exportfixture.h"

#include "export/picture.h"
#include "export/svg.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/palette.h"
#include "render/erase.h"
#include "store/diagramfile.h"

#include <png.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace {

// A PNG as 8-bit RGB, composed over white.
struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    bool alpha = false; // the file has an alpha channel
    const uint8_t *at(int x, int y) const { return &rgb[((size_t)y * (size_t)w + (size_t)x) * 3]; }
};

bool readrgb(const std::string &path, Image &im) {
    png_image p;
    std::memset(&p, 0, sizeof p);
    p.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&p, path.c_str())) return false;
    im.alpha = (p.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    p.format = PNG_FORMAT_RGB;
    im.w = (int)p.width;
    im.h = (int)p.height;
    im.rgb.resize(PNG_IMAGE_SIZE(p));
    png_color white{255, 255, 255};
    return png_image_finish_read(&p, &white, im.rgb.data(), 0, nullptr) != 0;
}

// The share of pixels that differ by more than a tenth in any channel, over
// the part both pictures cover (a viewer may round a side up where we round
// it to nearest); 1 when the sizes differ by more than that pixel.
double differing(const Image &a, const Image &b) {
    if (std::abs(a.w - b.w) > 1 || std::abs(a.h - b.h) > 1 || a.rgb.empty() || b.rgb.empty())
        return 1.0;
    const int w = std::min(a.w, b.w), h = std::min(a.h, b.h);
    size_t n = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const uint8_t *p = a.at(x, y), *q = b.at(x, y);
            for (int c = 0; c < 3; c++)
                if (std::abs((int)p[c] - (int)q[c]) > 25) {
                    n++;
                    break;
                }
        }
    return (double)n / ((double)w * h);
}

// Our PNG of a diagram file at a resolution, and an outside viewer's rendering
// at the same resolution of our SVG (rsvg-convert) or our PDF (pdftoppm).
void viewed(const std::string &diagram, const TempDir &t, int dpi, const std::string &ext,
            Image &ours, Image &theirs) {
    const std::string png = t.path("o.png"), out = t.path("o" + ext), d = std::to_string(dpi);
    std::string err;
    ASSERT_EQ(0, runcli("export " + quote(diagram) + " " + png + " --dpi " + d, nullptr, &err))
        << err;
    ASSERT_EQ(0, runcli("export " + quote(diagram) + " " + out, nullptr, &err)) << err;
    ASSERT_TRUE(readrgb(png, ours));
    const std::string cmd =
        ext == ".svg" ? "rsvg-convert -d " + d + " -p " + d + " -o " + t.path("r.png") + " " + out
                      : "pdftoppm -png -singlefile -r " + d + " " + out + " " + t.path("r");
    ASSERT_EQ(0, std::system(cmd.c_str())) << cmd;
    ASSERT_TRUE(readrgb(t.path("r.png"), theirs));
}

class Pictures : public View {
  protected:
    void SetUp() override {
        View::SetUp();
        if (!have("rsvg-convert") || !have("pdftoppm"))
            GTEST_SKIP() << "rsvg-convert and pdftoppm are needed";
    }
    // The open diagram saved where the command-line program can read it.
    std::string save(const std::string &name) {
        const std::string path = t.path(name);
        EXPECT_EQ(1, writeIWOdiagramfile(path));
        return path;
    }
    TempDir t;
};

} // namespace

// Our PNG, rsvg-convert's and Chromium's renderings of our SVG, pdftoppm's
// of our PDF and the smooth view of render at the same zoom differ in at most
// 1 % of the page's pixels (10 % colour fuzz), for every sample and for a
// diagram of every kind of part. pdftoppm puts every glyph on a
// whole pixel row (up to a pixel above where it belongs) and snaps strokes to
// pixel edges, whatever its options (-aa, -aaVector, -freetype, -thinlinemode,
// -scale-to), so its rendering is compared at three times the default
// resolution, where a pixel of its own shift weighs a third as much
// (pdftocairo, which has neither habit, agrees at 96 dpi to a tenth of a
// percent). Chromium is skipped, with a note, only where it isn't installed.
class Agreement : public Pictures, public ::testing::WithParamInterface<const char *> {};

TEST_P(Agreement, WithOutsideViewers) {
    std::string f = std::string(IW_SOURCE_DATADIR) + "/samples/" + GetParam() + ".iwo";
    if (!std::strcmp(GetParam(), "every")) {
        everykind();
        f = save("every.iwo");
    }
    Image ours, svg, pdf, view;
    viewed(f, t, PICTUREDPI, ".svg", ours, svg);
    if (HasFatalFailure()) return;
    EXPECT_LE(differing(ours, svg), 0.01) << "SVG";
    // The window laid out so that the page fills it at the PNG's scale.
    std::string err;
    const std::string zoom = std::to_string(PICTUREDPI / 254.0);
    ASSERT_EQ(0, runcli("render " + quote(f) + " " + t.path("v.png") + " --smooth --zoom " + zoom +
                            " --size " + std::to_string(ours.w) + "x" + std::to_string(ours.h) +
                            " --scroll 100,100",
                        nullptr, &err))
        << err;
    ASSERT_TRUE(readrgb(t.path("v.png"), view));
    EXPECT_LE(differing(ours, view), 0.01) << "render --smooth";
    const bool chromium = have("chromium");
    if (chromium) {
        ASSERT_EQ(0, std::system((std::string(IW_TEST_DATADIR) + "/export/chromium-svg.sh " +
                                  t.path("o.svg") + " " + t.path("c.png") + " " +
                                  std::to_string(ours.w) + " " + std::to_string(ours.h))
                                     .c_str()));
        ASSERT_TRUE(readrgb(t.path("c.png"), view));
        EXPECT_LE(differing(ours, view), 0.01) << "Chromium";
    }
    viewed(f, t, 3 * PICTUREDPI, ".pdf", ours, pdf);
    if (HasFatalFailure()) return;
    EXPECT_LE(differing(ours, pdf), 0.01) << "PDF";
    if (!chromium)
        GTEST_SKIP() << "chromium is not installed: its rendering of the SVG is unchecked";
}

INSTANTIATE_TEST_SUITE_P(Pictures, Agreement,
                         ::testing::Values("classes", "flowchart", "mindmap", "sample", "every"));

// Labels of sizes 8 to 72, plain, bold, italic and both: the middle of the
// letters' ink lies within half a millimetre of the label point in our PNG,
// in the SVG as rsvg-convert draws it and in the PDF as pdftoppm does.
TEST_F(Pictures, LabelsCentredInEveryFormat) {
    IWODiagram.paperwidth = 5940;
    IWODiagram.paperheight = 4200;
    const int sizes[] = {8, 16, 24, 32, 48, 72};
    const int styles[] = {0, FSF_BOLD, FSF_ITALIC, FSF_BOLD | FSF_ITALIC};
    struct Cell {
        double cx, cy;         // the label point, units
        double x0, y0, x1, y1; // the cell, units
    };
    std::vector<Cell> cells;
    for (int row = 0; row < 6; row++)
        for (int col = 0; col < 4; col++) {
            const int x = 200 + col * 1400, y = 100 + row * 660;
            const int n = place(101, x, y, 1000, 400, false);
            IWORecord &r = IWO[n];
            for (int p = 0; p < r.drawnum; p++) r.draw[p].lineweight = 0, r.draw[p].fillcolour = 0;
            std::strcpy(r.label, "HEH");
            r.font.ta_YSize = (uint16_t)sizes[row];
            r.font.ta_Style = (uint8_t)styles[col];
            r.labelfilled = 0;
            r.fontcolour = 1;
            r.labelx = 40;
            r.labely = 60;
            cells.push_back({x + 400.0, y + 240.0, x - 150.0, y - 120.0, x + 1150.0, y + 520.0});
        }
    const int dpi = 127; // a pixel is 0.2 mm
    const std::string file = save("labels.iwo");
    Image png, svg, png2, pdf;
    viewed(file, t, dpi, ".svg", png, svg);
    if (HasFatalFailure()) return;
    viewed(file, t, dpi, ".pdf", png2, pdf);
    if (HasFatalFailure()) return;
    const double px = 254.0 / dpi; // units per pixel
    for (const Image *im : {&png, &svg, &pdf})
        for (size_t c = 0; c < cells.size(); c++) {
            const Cell &k = cells[c];
            int l = im->w, t = im->h, rt = -1, b = -1;
            for (int y = std::max(0, (int)(k.y0 / px)); y < std::min(im->h, (int)(k.y1 / px)); y++)
                for (int x = std::max(0, (int)(k.x0 / px)); x < std::min(im->w, (int)(k.x1 / px));
                     x++)
                    if (im->at(x, y)[0] < 128)
                        l = std::min(l, x), rt = std::max(rt, x), t = std::min(t, y),
                        b = std::max(b, y);
            ASSERT_GE(rt, 0) << "no ink in cell " << c;
            const double mx = (l + rt + 1) / 2.0 * px, my = (t + b + 1) / 2.0 * px;
            SCOPED_TRACE(testing::Message()
                         << (im == &png   ? "PNG"
                             : im == &svg ? "SVG"
                                          : "PDF")
                         << " size " << sizes[c / 4] << " style " << styles[c % 4]);
            EXPECT_NEAR(mx, k.cx, 5.0);
            EXPECT_NEAR(my, k.cy, 5.0);
        }
}

// The PNG is the page at the resolution asked for, each side rounded (US
// Letter at 96 dpi is 816 x 1056 pixels), opaque to its last row and column,
// in the palette's exact colours; the PDF is one page of exactly the paper's
// size in points, its fonts embedded and its text extractable.
TEST_F(Pictures, SizesColoursAndFonts) {
    IWODiagram.paperwidth = 2159;
    IWODiagram.paperheight = 2794;
    IWODiagram.papercolour = 3;
    fillcolour = 45;
    const int n = place(101, 400, 400, 800, 600, false);
    std::strcpy(IWO[n].label, "Findable words");
    const std::string file = save("letter.iwo");
    struct Case {
        int dpi, w, h;
    } cases[] = {{96, 816, 1056}, {1, 9, 11}, {300, 2550, 3300}};
    for (const Case &c : cases) {
        std::string err;
        ASSERT_EQ(
            0, runcli("export " + file + " " + t.path("l.png") + " --dpi " + std::to_string(c.dpi),
                      nullptr, &err))
            << err;
        Image im;
        ASSERT_TRUE(readrgb(t.path("l.png"), im));
        EXPECT_FALSE(im.alpha) << c.dpi;
        EXPECT_EQ(im.w, c.w) << c.dpi;
        EXPECT_EQ(im.h, c.h) << c.dpi;
        const uint32_t paper = penrgb(3), fill = penrgb(45);
        for (const auto &[x, y] :
             {std::pair{0, 0}, {im.w - 1, 0}, {0, im.h - 1}, {im.w - 1, im.h - 1}}) {
            const uint8_t *p = im.at(x, y);
            EXPECT_EQ((uint32_t)(p[0] << 16 | p[1] << 8 | p[2]), paper) << c.dpi << " " << x;
        }
        if (c.dpi < 96) continue;
        const uint8_t *p = im.at(500 * c.dpi / 254, 450 * c.dpi / 254);
        EXPECT_EQ((uint32_t)(p[0] << 16 | p[1] << 8 | p[2]), fill) << c.dpi;
    }
    std::string out, err;
    ASSERT_EQ(0, runcli("export " + file + " " + t.path("l.pdf"), nullptr, &err)) << err;
    ASSERT_EQ(0, std::system(("pdfinfo " + t.path("l.pdf") + " >" + t.path("info")).c_str()));
    const std::string info = text(t.path("info"));
    EXPECT_TRUE(std::regex_search(info, std::regex("\nPages: +1\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("\nPage size: +612 x 792 pts \\(letter\\)\n")))
        << info;
    ASSERT_EQ(0, std::system(("pdffonts " + t.path("l.pdf") + " >" + t.path("fonts")).c_str()));
    const std::string fonts = text(t.path("fonts"));
    EXPECT_NE(fonts.find(" yes yes "), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find(" no "), std::string::npos) << fonts;
    ASSERT_EQ(0, std::system(("pdftotext " + t.path("l.pdf") + " " + t.path("l.txt")).c_str()));
    EXPECT_NE(text(t.path("l.txt")).find("Findable words"), std::string::npos);
    // A resolution out of range, not a whole number, missing, or given for
    // another format is bad usage, and nothing is written.
    for (const char *bad : {"x.png --dpi 0", "x.png --dpi 2401", "x.png --dpi 9x", "x.png --dpi ''",
                            "x.png --dpi", "x.svg --dpi 96", "x.pdf --dpi 96"}) {
        EXPECT_EQ(1, runcli("export " + file + " " + t.path(bad), nullptr, &err)) << bad;
        EXPECT_NE(err.find("--dpi"), std::string::npos) << bad << ": " << err;
    }
    for (const char *name : {"x.png", "x.svg", "x.pdf"}) EXPECT_FALSE(fileexists(t.path(name)));
}

// SVG, PNG and PDF come out the same under a decimal-comma locale as under
// C (the PDF but for its creation time).
TEST_F(Pictures, SameInEveryLocale) {
    if (std::system("locale -a 2>/dev/null | grep -qi '^de_DE.utf-\\?8$'") != 0)
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed";
    IWODiagram.paperwidth = 2159;
    IWODiagram.paperheight = 2794;
    const int a = place(102, 101, 103, 333, 211, false);
    const int b = place(105, 1201, 1503, 417, 239, false);
    std::strcpy(IWO[a].label, "Soft");
    std::strcpy(IWO[b].label, "Round");
    IWO[b].labelfilled = 1;
    connect(a, 150, 100, b, 200, 120);
    const std::string file = save("l.iwo");
    const auto made = [&](const char *locale, const char *ext) {
        const std::string out = t.path(std::string(locale) + ext);
        const std::string cmd = std::string("LC_ALL=") + locale + " " + IW_CLI_PATH + " export " +
                                file + " " + out + " 2>&1";
        EXPECT_EQ(0, std::system(cmd.c_str())) << cmd;
        std::string s = text(out);
        const size_t at = s.find("/CreationDate (");
        if (at != std::string::npos) s.erase(at, s.find(')', at) - at);
        return s;
    };
    for (const char *ext : {".svg", ".png", ".pdf"}) {
        const std::string c = made("C", ext);
        EXPECT_FALSE(c.empty()) << ext;
        EXPECT_EQ(c, made("de_DE.UTF-8", ext)) << ext;
    }
}

// Every way a picture can fail to be written is reported with the file and
// its cause, and the file that was there is left as it was: a directory that
// can't be written, a write, flush or rename that fails, a resolution too
// large to draw.
TEST_F(Pictures, FailuresKeepTheOldFile) {
    place(101, 100, 100, 400, 300, false);
    const Scene scene = buildscene(IWO, IWONumber, IWODiagram);
    const std::string path = t.path("old.png");
    spit(path, {'o', 'l', 'd'});
    const FileFault faults[] = {FAULT_OPEN, FAULT_WRITE, FAULT_SYNC, FAULT_RENAME};
    for (ExportFormat format : {EXPORT_PNG, EXPORT_PDF}) {
        for (FileFault f : faults) {
            std::string message;
            setfilefault(f, 1);
            EXPECT_EQ(0, writepicture(path, format, scene, PICTUREDPI, &message)) << f;
            setfilefault(FAULT_NONE, 0);
            EXPECT_EQ(0u, message.find("Sorry. Could not save file : " + path + " (")) << message;
            EXPECT_EQ(text(path), "old") << f;
        }
        std::string message;
        EXPECT_EQ(0, writepicture(t.path("none/x.png"), format, scene, PICTUREDPI, &message));
        EXPECT_NE(message.find(t.path("none/x.png") + " ("), std::string::npos) << message;
    }
    // 2400 dpi of an A2 page is more pixels than an image holds.
    IWODiagram.paperwidth = 5940;
    IWODiagram.paperheight = 4200;
    std::string message;
    EXPECT_EQ(0, writepicture(path, EXPORT_PNG, buildscene(IWO, IWONumber, IWODiagram),
                              MAXPICTUREDPI, &message));
    EXPECT_EQ(message, "Sorry. The picture would be too large at 2400 dpi.");
    EXPECT_EQ(text(path), "old");
    // A4 at 2400 dpi has sides an image holds (19843 x 28063) but more pixels
    // than a picture may have; at 1200 dpi it is taken.
    Scene a4;
    a4.width = 2100;
    a4.height = 2970;
    int w = 0, h = 0;
    EXPECT_FALSE(picturesize(a4, 2400, &w, &h));
    EXPECT_TRUE(picturesize(a4, 1200, &w, &h));
    EXPECT_EQ(std::vector<int>({w, h}), std::vector<int>({9921, 14031}));
    // No temporary file is left behind.
    EXPECT_EQ(0, std::system(("test \"$(ls -A " + t.dir + ")\" = old.png").c_str()));
}

// render --smooth at device pixel ratios: the picture is the window's size
// times the ratio, and its edges have shades between the pens (anti-aliased,
// not pixel-doubled: at ratio 2 a pixel differs from its neighbours in its
// 2 x 2 block somewhere).
TEST_F(Pictures, SmoothViewAtPixelRatios) {
    fillcolour = 45;
    place(105, 100, 100, 300, 250, false);
    const std::string file = save("v.iwo");
    for (const char *scale : {"1", "2", "1.25"}) {
        std::string err;
        ASSERT_EQ(0, runcli("render " + file + " " + t.path("v.png") +
                                " --smooth --size 200x150 --scroll 80,80 --scale " + scale,
                            nullptr, &err))
            << err;
        Image im;
        ASSERT_TRUE(readrgb(t.path("v.png"), im));
        const double s = std::atof(scale);
        EXPECT_EQ(im.w, (int)std::ceil(200 * s));
        EXPECT_EQ(im.h, (int)std::ceil(150 * s));
        const uint32_t fill = penrgb(45), line = penrgb(linecolour);
        int shades = 0, splitblocks = 0;
        for (int y = 0; y + 1 < im.h; y++)
            for (int x = 0; x + 1 < im.w; x++) {
                const uint8_t *p = im.at(x, y);
                const uint32_t c = (uint32_t)(p[0] << 16 | p[1] << 8 | p[2]);
                if (c != fill && c != line && c != penrgb(papercolour) &&
                    c != penrgb(backboardcolour) && c != penrgb(shadowcolour))
                    shades++;
                if (x % 2 == 0 && y % 2 == 0 &&
                    (std::memcmp(p, im.at(x + 1, y), 3) || std::memcmp(p, im.at(x, y + 1), 3)))
                    splitblocks++;
            }
        EXPECT_GT(shades, 20) << scale;
        EXPECT_GT(splitblocks, 20) << scale;
    }
    std::string err;
    for (const char *bad : {"--scale 2", "--smooth --scale 0.4", "--smooth --scale 4.5",
                            "--smooth --scale x", "--smooth --scale"})
        EXPECT_EQ(1, runcli("render " + file + " " + t.path("b.png") + " " + bad, nullptr, &err))
            << bad;
    EXPECT_FALSE(fileexists(t.path("b.png")));
}
