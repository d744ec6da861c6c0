// render.cpp - the render command: draws a diagram file as the drawing window
// shows it and writes the window's pens as a palette PNG, or (--smooth) the
// smooth view at a device pixel ratio (--scale) as a colour PNG.
#include "app/requesters.h"
#include "cli/commands.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/pngwrite.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/smooth.h"
#include "render/view.h"
#include "platform/files.h"
#include "store/diagramfile.h"
#include "store/prefs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// Largest window side accepted: far beyond any screen, and a raster of
// MAXSIDE x MAXSIDE pens still fits in memory.
constexpr long MAXSIDE = 16384;

// Largest zoom accepted (pixels per diagram unit). Real pages stop far below
// it (see the extent check); it bounds pages of no size.
constexpr double MAXZOOM = 100.0;

int bad(const std::string &why) {
    std::fprintf(stderr, "ideaweave-cli render: %s\n", why.c_str());
    return 1;
}

int refuse(const std::string &message) {
    ErrorReq(message.c_str());
    return 2;
}

// A whole decimal integer in lo..hi; false for anything else.
bool number(const char *s, long lo, long hi, long *v) {
    if (!*s) return false;
    char *end = nullptr;
    errno = 0;
    long n = std::strtol(s, &end, 10);
    if (errno || *end || n < lo || n > hi) return false;
    *v = n;
    return true;
}

// "A<sep>B" as two integers in lo..hi.
bool pair(const char *s, char sep, long lo, long hi, long *a, long *b) {
    const char *p = std::strchr(s, sep);
    if (!p) return false;
    std::string first(s, p - s);
    return number(first.c_str(), lo, hi, a) && number(p + 1, lo, hi, b);
}

// True when both paths name one existing file.
bool samefile(const char *a, const char *b) {
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

int clirender(int argc, char **argv) {
    const char *in = nullptr, *out = nullptr;
    long w = 800, h = 600, sx = 0, sy = 0;
    float z = 0.3f;
    bool grid = false, highlight = false, smooth = false;
    double scale = 1.0;
    std::vector<long> ids;

    for (int a = 0; a < argc; a++) {
        const char *arg = argv[a];
        const bool more = a + 1 < argc;
        if (!std::strcmp(arg, "--size")) {
            if (!more || !pair(argv[++a], 'x', 1, MAXSIDE, &w, &h))
                return bad("--size takes WxH, each 1 to " + std::to_string(MAXSIDE));
        } else if (!std::strcmp(arg, "--zoom")) {
            char *end = nullptr;
            if (!more) return bad("--zoom takes a number above 0, at most 100");
            const char *s = argv[++a];
            errno = 0;
            double v = std::strtod(s, &end);
            if (!*s || *end || errno || !(v > 0.0) || !((float)v > 0.0f) || !(v <= MAXZOOM))
                return bad("--zoom takes a number above 0, at most 100");
            z = (float)v;
        } else if (!std::strcmp(arg, "--scroll")) {
            if (!more || !pair(argv[++a], ',', 0, 32767, &sx, &sy))
                return bad("--scroll takes X,Y, each 0 to 32767");
        } else if (!std::strcmp(arg, "--smooth")) {
            smooth = true;
        } else if (!std::strcmp(arg, "--scale")) {
            char *end = nullptr;
            if (!more) return bad("--scale takes a number from 0.5 to 4");
            const char *s = argv[++a];
            errno = 0;
            double v = std::strtod(s, &end);
            if (!*s || *end || errno || !(v >= 0.5 && v <= 4.0))
                return bad("--scale takes a number from 0.5 to 4");
            scale = v;
        } else if (!std::strcmp(arg, "--grid")) {
            grid = true;
        } else if (!std::strcmp(arg, "--highlight")) {
            highlight = true;
        } else if (!std::strcmp(arg, "--select")) {
            if (!more) return bad("--select takes ID,ID,...");
            std::string list = argv[++a];
            size_t pos = 0;
            while (true) {
                size_t comma = list.find(',', pos);
                std::string item =
                    list.substr(pos, comma == std::string::npos ? comma : comma - pos);
                long id;
                if (!number(item.c_str(), -32768, 32767, &id))
                    return bad("--select takes ID,ID,... (whole numbers)");
                ids.push_back(id);
                if (comma == std::string::npos) break;
                pos = comma + 1;
            }
        } else if (arg[0] == '-' && arg[1] == '-') {
            return bad(std::string("unknown option ") + arg);
        } else if (!in) {
            in = arg;
        } else if (!out) {
            out = arg;
        } else {
            return bad(std::string("unexpected argument ") + arg);
        }
    }
    if (!in || !out) return bad("needs IN and OUT.png");
    if (scale != 1.0 && !smooth) return bad("--scale needs --smooth");
    // The diagram file is only read, never written.
    if (samefile(in, out)) return bad("OUT must not be the diagram file IN");

    clistart(stderr);
    std::string message;
    if (!readIWOdiagramfile(in, &message)) return refuse(message);

    // Where the window must scroll to, in 16-bit pixels, limits the zoom as
    // zooming in does: the page's extent must stay within 32767 pixels.
    double ew = (double)((float)IWODiagram.paperwidth * z) + 200.0;
    double eh = (double)((float)IWODiagram.paperheight * z) + 200.0;
    if (ew > 32767.0 || eh > 32767.0) return bad("--zoom is too large for this page");

    for (long id : ids)
        if (findIWObyid((int)id) < 0) return bad("no object with id " + std::to_string(id));

    // Lay the view out as opening the diagram in a window of this size does.
    DiagramExists = 1;
    updateIWOdiagram();
    opendrawspacewindow((int)w, (int)h);
    zoom = z;
    setbitmapsize();
    setscrollertop(HSCROLLER, (int)sx);
    setscrollertop(VSCROLLER, (int)sy);

    selectedIWO = -99;
    numIWOselected = 0;
    for (long id : ids) {
        int k = findIWObyid((int)id);
        if (!IWO[k].selected) numIWOselected++;
        IWO[k].selected = 1;
        selectedIWO = (int16_t)k;
    }
    IWOselected = numIWOselected > 0 ? 1 : 0;
    HighlightOn = highlight ? 1 : 0;
    ShowGrid = grid ? 1 : 0;

    if (smooth) {
        // The smooth view: the scene at the device pixel ratio, in colour.
        const int W = (int)std::ceil(w * scale), H = (int)std::ceil(h * scale);
        cairo_surface_t *img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
        cairo_t *cr = cairo_create(img);
        SmoothView v = smoothview(zoom, scale, getdrawx(0), getdrawy(0));
        v.backboard = backboardcolour;
        v.shadow = shadowcolour;
        smoothregion(cr, buildscene(IWO, IWONumber, IWODiagram), v, 0, 0, (int)w, (int)h);
        cairo_destroy(cr);
        cairo_surface_flush(img);
        const unsigned char *data = cairo_image_surface_get_data(img);
        const int stride = cairo_image_surface_get_stride(img);
        std::vector<uint8_t> rows((size_t)W * 3 * (size_t)H);
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                const uint32_t p = ((const uint32_t *)(data + (size_t)y * (size_t)stride))[x];
                uint8_t *d = &rows[((size_t)y * (size_t)W + (size_t)x) * 3];
                d[0] = (uint8_t)(p >> 16), d[1] = (uint8_t)(p >> 8), d[2] = (uint8_t)p;
            }
        cairo_surface_destroy(img);
        std::vector<uint8_t> png;
        std::string error;
        if (!encodecolourpng(rows.data(), W, H, (size_t)W * 3, false, &png) ||
            !writefileatomic(out, png, &error))
            return refuse(std::string("Sorry. Could not save file : ") + out +
                          (error.empty() ? "" : " (" + error + ")"));
        return 0;
    }

    cleardrawspace(papercolour);
    refreshIWOall();
    if (!writepenpng(out, drawspacerp))
        return refuse(std::string("Sorry. Could not save file : ") + out);
    return 0;
}
