// view.cpp - the mapping between diagram units and window pixels, the drawing
// extent and its scrollers, zooming, scrolling and keeping objects on the page.
//
// The drawing extent is the page, scaled by the zoom, with a 100-pixel margin
// round it and at least the size of the window; the page is centred in it and
// the scrollers say which part of it the window shows. Only its size is kept:
// everything is drawn straight into the window's raster.
#include "render/view.h"

#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/grid.h"

#include <cmath>

int16_t drawspacebitmapwidth = 2048;
int16_t drawspacebitmapheight = 2048;
int16_t drawspacebitmapx = 0;
int16_t drawspacebitmapy = 0;

const char *sizelist[PAPERSIZES + 1] = {
    "Custom",        "A2: landscape", "A2: portrait",  "A3: landscape", "A3: portrait",
    "A4: landscape", "A4: portrait",  "A5: landscape", "A5: portrait",  nullptr};
// The ISO sizes in tenths of a millimetre (A4 is 210 x 297 mm), so that a page
// prints true. Pages of other sizes, such as those of diagrams saved with
// shorter pages, show as "Custom" and keep their size.
const int16_t setpaperwidth[PAPERSIZES] = {0, 5940, 4200, 4200, 2970, 2970, 2100, 2100, 1480};
const int16_t setpaperheight[PAPERSIZES] = {0, 4200, 5940, 2970, 4200, 2100, 2970, 1480, 2100};

namespace {

// Float to a diagram coordinate: truncated toward zero and held within the
// 16-bit range instead of wrapping.
int truncunit(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 32767.0) return 32767;
    if (v <= -32768.0) return -32768;
    return (int)v;
}

// An integer result stored into a 16-bit record field: held within the range.
int16_t s16(int v) { return (int16_t)(v > 32767 ? 32767 : v < -32768 ? -32768 : v); }

// The page's extent in pixels for a zoom, with the 100-pixel margins.
int pageextent(int16_t side, float z) { return truncpixel((double)((float)side * z) + 200.0); }

// Largest extent a 16-bit window coordinate can address.
constexpr int MAXEXTENT = 32767;

} // namespace

// Values that no window position can reach are held at +-2^30, so that nothing
// folds round (a position far off the window stays far off and the raster
// clips it) and callers can still add to the result without overflow.
int truncpixel(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 1073741824.0) return 1073741824;
    if (v <= -1073741824.0) return -1073741824;
    return (int)v;
}

int getdrawx(int x) {
    float top = (float)getscrollertop(HSCROLLER);
    float v = ((float)drawspacebitmapwidth - (float)IWODiagram.paperwidth * zoom) / 2.0f +
              (float)x * zoom - top;
    return truncpixel(v);
}

int getdrawy(int y) {
    float top = (float)getscrollertop(VSCROLLER);
    float v = ((float)drawspacebitmapheight - (float)IWODiagram.paperheight * zoom) / 2.0f +
              (float)y * zoom - top;
    return truncpixel(v);
}

// The difference is taken wide: any pointer position maps without overflow.
int getrealx(int px) {
    int pw = truncpixel((float)IWODiagram.paperwidth * zoom);
    int offset = (drawspacebitmapwidth / 2 - pw / 2) - getscrollertop(HSCROLLER);
    return truncunit((float)((double)px - offset) / zoom);
}

int getrealy(int py) {
    int ph = truncpixel((float)IWODiagram.paperheight * zoom);
    int offset = (drawspacebitmapheight / 2 - ph / 2) - getscrollertop(VSCROLLER);
    return truncunit((float)((double)py - offset) / zoom);
}

int setbitmapsize() {
    int w = pageextent(IWODiagram.paperwidth, zoom);
    int h = pageextent(IWODiagram.paperheight, zoom);
    if (w < drawspacewindowwidth()) w = drawspacewindowwidth();
    if (h < drawspacewindowheight()) h = drawspacewindowheight();
    // The extent's size is kept in 16 bits: hold it there rather than wrap.
    drawspacebitmapwidth = (int16_t)(w < 0 ? 0 : w > MAXEXTENT ? MAXEXTENT : w);
    drawspacebitmapheight = (int16_t)(h < 0 ? 0 : h > MAXEXTENT ? MAXEXTENT : h);
    updatescrollers();
    return 1;
}

int updatescrollers() {
    setscrollertotal(HSCROLLER, drawspacebitmapwidth);
    setscrollervisible(HSCROLLER, drawspacewindowwidth());
    setscrollertotal(VSCROLLER, drawspacebitmapheight);
    setscrollervisible(VSCROLLER, drawspacewindowheight());
    return 1;
}

int scrolldiagram(int dx, int dy) {
    if (dx == 0 && dy == 0) return 1;
    int oldx = getscrollertop(HSCROLLER), oldy = getscrollertop(VSCROLLER);
    // Computed wide and held within 0..32767: a long wheel burst never wraps
    // round to the other end of the extent.
    long nx = (long)oldx + (long)scrollsizex * dx;
    long ny = (long)oldy + (long)scrollsizey * dy;
    int newx = (int)(nx < 1 ? 0 : nx > MAXEXTENT ? MAXEXTENT : nx);
    int newy = (int)(ny < 1 ? 0 : ny > MAXEXTENT ? MAXEXTENT : ny);
    if (newx == oldx && newy == oldy) return 1;
    removeshadowiwo();
    setscrollertop(HSCROLLER, newx);
    setscrollertop(VSCROLLER, newy);
    cleardrawspace(papercolour);
    refreshIWOall();
    updateIWOdiagram();
    return 1;
}

int zoomin() {
    float z = (float)((double)zoom + 0.1);
    // Window coordinates are 16-bit: the page's extent must stay addressable.
    if (pageextent(IWODiagram.paperwidth, z) <= MAXEXTENT &&
        pageextent(IWODiagram.paperheight, z) <= MAXEXTENT)
        zoom = z;
    update();
    return 1;
}

int zoomout() {
    if ((double)zoom > 0.15 && (float)IWODiagram.paperwidth * zoom > 300.0 &&
        (float)IWODiagram.paperheight * zoom > 300.0)
        zoom = (float)((double)zoom - 0.1);
    update();
    return 1;
}

int update() {
    updateIWOdiagram();
    setbitmapsize();
    cleardrawspace(papercolour);
    refreshIWOall();
    SHADOWIWODRAWN = 0;
    return 1;
}

int checkonpage(int i, bool snap) {
    if (i < 0 || i >= IWOTABLESIZE) return 1;
    IWORecord &r = IWO[i];
    const int W = IWODiagram.paperwidth, H = IWODiagram.paperheight;
    int x = r.x, y = r.y, w = r.width, h = r.height;

    // One margin rule for both branches: 8 units at the left, top and bottom,
    // 9 at the right, and a shape too big for the page made 9 units smaller
    // than it. Whatever either branch leaves, neither changes again, so that
    // drawing a diagram twice leaves it as it was.
    if (selectedIWOhandle != 0) {
        // Resizing: the dragged edge stops at the margin, the opposite edge
        // stays where it is (the size loses the overshoot).
        if (x < 8) {
            w = w - (8 - x);
            x = 8;
        }
        if (y < 8) {
            h = h - (8 - y);
            y = 8;
        }
        if (x + w > W - 9) {
            x = W - w - 9;
            if (x < 8) {
                x = 8;
                w = W - 9;
            }
        }
        if (y + h > H - 8) {
            y = H - h - 8;
            if (y < 8) {
                y = 8;
                h = H - 9;
            }
        }
    } else {
        // Moving, creating, redrawing: the whole object is pushed back.
        if (x < 8) x = 8;
        if (y < 8) y = 8;
        if (x + w > W - 9) {
            x = W - w - 9;
            if (x < 8) x = 8;
            if (x + w > W - 9) {
                x = 8;
                w = W - 9;
            }
        }
        if (y + h > H - 8) {
            y = H - h - 8;
            if (y < 8) y = 8;
            if (y + h > H - 8) {
                y = 8;
                h = H - 9;
            }
        }
        // A line's width and height are signed offsets to its end point,
        // which must stay on the page as well.
        if (r.type == LINETYPE) {
            if (y + h < 8) y = 8 - h;
            if (y > H - 8) y = H - 8;
            if (x + w < 8) x = 8 - w;
            if (x > W - 8) x = W - 8;
        }
    }
    r.x = s16(x);
    r.y = s16(y);
    r.width = s16(w);
    r.height = s16(h);

    if (snap && SnapToGrid && !AltDown) checkongrid(i);
    return 1;
}
