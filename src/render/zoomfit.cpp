// zoomfit.cpp - fitting the view, zooming about a point, scrolling to an
// object (see zoomfit.h).
//
// The drawing extent centres the page (view.cpp): pixel = (extent - page * z) / 2
// + unit * z - top. Every function here picks a zoom and the scroller tops that
// put the wanted diagram point at the wanted pixel, and redraws once.
#include "render/zoomfit.h"

#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/erase.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace {

// The extent's limit (16-bit window coordinates) less the 100-pixel margins.
constexpr double ADDRESSABLE = 32767.0 - 200.0;

// Sets the zoom, sizes the extent for it and puts the scroller tops where
// asked (the scrollers clamp them), then redraws everything once.
void showat(float z, double cx, double cy, int px, int py) {
    removeshadowiwo();
    zoom = z;
    setbitmapsize();
    setscrollertop(HSCROLLER,
                   centretop(cx, z, IWODiagram.paperwidth, drawspacebitmapwidth, 2 * px));
    setscrollertop(VSCROLLER,
                   centretop(cy, z, IWODiagram.paperheight, drawspacebitmapheight, 2 * py));
    update();
}

// The box of the selected objects, in units; false when none is selected.
bool selectionbox(int &x0, int &y0, int &x1, int &y1) {
    bool any = false;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        if (!r.selected || r.type == DEADTYPE) continue;
        // A line's width and height may point left or up.
        const int ax = std::min<int>(r.x, r.x + r.width), bx = std::max<int>(r.x, r.x + r.width);
        const int ay = std::min<int>(r.y, r.y + r.height), by = std::max<int>(r.y, r.y + r.height);
        if (!any) {
            x0 = ax, y0 = ay, x1 = bx, y1 = by;
            any = true;
        } else {
            x0 = std::min(x0, ax), y0 = std::min(y0, ay);
            x1 = std::max(x1, bx), y1 = std::max(y1, by);
        }
    }
    return any;
}

} // namespace

float fitzoom(int w, int h, int winw, int winh, float most) {
    const double roomw = winw - 2 * FITMARGIN, roomh = winh - 2 * FITMARGIN;
    double z = most;
    if (w > 0) z = std::min(z, roomw / w);
    if (h > 0) z = std::min(z, roomh / h);
    // The float must not round up past what fits.
    float f = (float)z;
    if ((double)f > z) f = std::nextafter(f, 0.0f);
    return std::max(f, MINFITZOOM);
}

float pagezoomlimit(int16_t w, int16_t h) {
    const int side = std::max<int>({(int)w, (int)h, 1});
    float f = (float)(ADDRESSABLE / side);
    if ((double)f * side > ADDRESSABLE) f = std::nextafter(f, 0.0f);
    return f;
}

int centretop(double centre, float z, int16_t page, int extent, int window) {
    const double top = (extent - (double)page * z) / 2.0 + centre * z - window / 2.0;
    return (int)std::lround(std::clamp(top, -1.0e9, 1.0e9));
}

int zoomtofit() {
    if (!DiagramExists) return 1;
    const int16_t W = IWODiagram.paperwidth, H = IWODiagram.paperheight;
    const int ww = drawspacewindowwidth(), wh = drawspacewindowheight();
    const float z = fitzoom(W, H, ww, wh, pagezoomlimit(W, H));
    showat(z, W / 2.0, H / 2.0, ww / 2, wh / 2);
    return 1;
}

int zoomtoselection() {
    int x0, y0, x1, y1;
    if (!DiagramExists || !selectionbox(x0, y0, x1, y1)) return 1;
    const int16_t W = IWODiagram.paperwidth, H = IWODiagram.paperheight;
    const int ww = drawspacewindowwidth(), wh = drawspacewindowheight();
    const float most = std::min(MAXFITZOOM, pagezoomlimit(W, H));
    const float z = fitzoom(x1 - x0, y1 - y0, ww, wh, most);
    showat(z, (x0 + x1) / 2.0, (y0 + y1) / 2.0, ww / 2, wh / 2);
    return 1;
}

int zoomabout(int dir, int px, int py) {
    if (!DiagramExists || dir == 0) return 1;
    const int16_t W = IWODiagram.paperwidth, H = IWODiagram.paperheight;
    const float z = dir > 0 ? zoomstepin(zoom, W, H) : zoomstepout(zoom, W, H);
    if (z == zoom) return 1;
    // The diagram point under the pointer, before the change.
    const double ux =
        (px + getscrollertop(HSCROLLER) - (drawspacebitmapwidth - (double)W * zoom) / 2.0) / zoom;
    const double uy =
        (py + getscrollertop(VSCROLLER) - (drawspacebitmapheight - (double)H * zoom) / 2.0) / zoom;
    // centretop puts the point at half the window given: twice the pointer.
    showat(z, ux, uy, px, py);
    return 1;
}

int scrolltoshow(int index) {
    if (!liveIWO(index)) return 0;
    const IWORecord &r = IWO[index];
    const int ww = drawspacewindowwidth(), wh = drawspacewindowheight();
    const int ax = std::min<int>(r.x, r.x + r.width), bx = std::max<int>(r.x, r.x + r.width);
    const int ay = std::min<int>(r.y, r.y + r.height), by = std::max<int>(r.y, r.y + r.height);
    const int l = getdrawx(ax), t = getdrawy(ay), rr = getdrawx(bx), b = getdrawy(by);
    const int oldx = getscrollertop(HSCROLLER), oldy = getscrollertop(VSCROLLER);
    int nx = oldx, ny = oldy;
    if (l < 0 || rr > ww)
        nx = centretop((ax + bx) / 2.0, zoom, IWODiagram.paperwidth, drawspacebitmapwidth, ww);
    if (t < 0 || b > wh)
        ny = centretop((ay + by) / 2.0, zoom, IWODiagram.paperheight, drawspacebitmapheight, wh);
    removeshadowiwo();
    setscrollertop(HSCROLLER, nx);
    setscrollertop(VSCROLLER, ny);
    if (getscrollertop(HSCROLLER) == oldx && getscrollertop(VSCROLLER) == oldy) return 0;
    cleardrawspace(papercolour);
    refreshIWOall();
    updateIWOdiagram();
    return 1;
}
