// usericon.cpp - the tool-button picture of a user object.
#include "export/usericon.h"

#include "ui/ui.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "edit/interact.h"
#include "export/svg.h"
#include "platform/pngwrite.h"
#include "render/smooth.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "store/userobjects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const char *NOSVG = "Sorry. Couldn't create the icon for the user IWO.";
const char *FAILURE = "Sorry. Couldn't create user IWO icon in ";

// A fresh, empty file for the picture; "" when none can be made.
std::string newiconfile() {
    std::string path = tempdirectory() + "useriwo-XXXXXX.png";
    int fd = ::mkstemps(path.data(), 4);
    if (fd < 0) return "";
    ::close(fd);
    return path;
}

} // namespace

std::string usericonsvg(int k) {
    const IWORecord &t = userIWO[k];
    char svgtag[200];
    std::snprintf(svgtag, sizeof svgtag,
                  "<svg width=\"%dmm\" height=\"%dmm\"  viewBox=\"0 0 %d %d \" version=\"1.1\" "
                  "xmlns=\"http://www.w3.org/2000/svg\">\n",
                  t.width / 10, t.height / 10, t.width, t.height);
    std::string svg = svgheader();
    svg += "\n";
    svg += svgtag;
    svg += "\n";
    // The outline three times as heavy for the shrinking, then as it was.
    IWORecord &s = IWO[SHADOWIWO];
    const int16_t weight = s.lineweight;
    s.lineweight = (int16_t)(weight * 3);
    iwotosvg(SHADOWIWO);
    s.lineweight = weight;
    svg += svgline;
    svg += "\n</svg>\n\n";
    return svg;
}

bool usericonpng(const IWORecord &shadow, int side, std::vector<uint8_t> *png) {
    // The outline three times as heavy, so that it survives the shrinking.
    IWORecord icon[1];
    icon[0] = shadow;
    icon[0].lineweight = (int16_t)(shadow.lineweight * 3);
    for (DrawPart &d : icon[0].draw) d.lineweight = (int16_t)(d.lineweight * 3);
    icon[0].selected = 0;
    icon[0].visible = 1;
    icon[0].connectstart = icon[0].connectend = TRANSPARENT;
    SceneObject o = sceneobject(icon, 1, 0, IWODiagram);
    // The object's box fills the picture's longer side; the other keeps the
    // aspect ratio.
    const double w = std::abs(shadow.width), h = std::abs(shadow.height);
    if (side <= 0 || !(w > 0) || !(h > 0)) return false;
    const int pw = w >= h ? side : std::max(1, (int)std::lround(side * w / h));
    const int ph = h >= w ? side : std::max(1, (int)std::lround(side * h / w));
    cairo_surface_t *img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
    cairo_t *cr = cairo_create(img);
    cairo_scale(cr, pw / w, ph / h);
    cairo_translate(cr, -std::min<double>(shadow.x, shadow.x + shadow.width),
                    -std::min<double>(shadow.y, shadow.y + shadow.height));
    smoothobject(cr, o);
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(img);
    bool ok = drawn;
    if (ok) {
        // Premultiplied 0xAARRGGBB words to straight RGBA bytes.
        const unsigned char *data = cairo_image_surface_get_data(img);
        const int stride = cairo_image_surface_get_stride(img);
        std::vector<uint8_t> rows((size_t)pw * 4 * (size_t)ph);
        for (int y = 0; y < ph; y++) {
            const uint32_t *src = (const uint32_t *)(data + (size_t)y * (size_t)stride);
            for (int x = 0; x < pw; x++) {
                const uint32_t p = src[x];
                const unsigned a = p >> 24;
                uint8_t *d = &rows[((size_t)y * (size_t)pw + (size_t)x) * 4];
                for (int c = 0; c < 3; c++) {
                    const unsigned v = (p >> (16 - 8 * c)) & 0xFF;
                    d[c] = (uint8_t)(a ? std::min(255u, (v * 255 + a / 2) / a) : 0);
                }
                d[3] = (uint8_t)a;
            }
        }
        ok = encodecolourpng(rows.data(), pw, ph, (size_t)pw * 4, true, png);
    }
    cairo_surface_destroy(img);
    return ok;
}

int createUserIWOicon(int k) {
    if (k < 1 || k > MAXUSERIWO || userIWO[k].type != 131 + k) return 1;
    const IWORecord &t = userIWO[k];
    const int tool = t.type;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, tool, 0, 0, linecolour, lineweight, fillcolour);
    selectedgadget = (int16_t)tool;
    selectedtool = (int16_t)choosetool(tool, selectedtool);

    std::string picture;
    if (t.drawnum == 0) {
        // Nothing that could be drawn: no picture, but the tool still works.
        ErrorReq(NOSVG);
    } else {
        picture = newiconfile();
        std::vector<uint8_t> png;
        std::string error;
        if (picture.empty()) {
            ErrorReq((std::string(FAILURE) + tempdirectory()).c_str());
        } else if (!usericonpng(IWO[SHADOWIWO], IconSet == 0 ? 40 : 24, &png) ||
                   !writefileatomic(picture, png, &error)) {
            ::unlink(picture.c_str());
            ErrorReq(
                (std::string(FAILURE) + picture + (error.empty() ? "" : ": " + error)).c_str());
            picture.clear();
        }
    }
    PlatformUI &ui = platformui();
    ui.setgadgetimage(tool, "");
    IWObuttonTab = 2;
    ui.setpalettetab(2);
    if (!picture.empty()) ui.setgadgetimage(tool, picture);
    return 1;
}
