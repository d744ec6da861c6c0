// grid.cpp - the grid of dots on the page, its repair after erasing, and
// snapping objects to it.
//
// The dots sit on the multiples of GridSize measured from the page's top-left
// corner, the first row and column one step inside the page. Each dot is a
// square 4 units wide whose top-left corner lies 2 units before the grid point.
#include "render/grid.h"

#include <algorithm>

#include "edit/selection.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/window.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/view.h"

namespace {

// The dot lattice in window pixels for the current view.
struct Lattice {
    int gx0, gy0; // first dot's top-left corner
    int step;     // pixels between dots (truncated)
};

Lattice lattice() {
    int pw = truncpixel((float)IWODiagram.paperwidth * zoom);
    int ph = truncpixel((float)IWODiagram.paperheight * zoom);
    int left = (drawspacebitmapwidth / 2 - pw / 2) - getscrollertop(HSCROLLER);
    int top = (drawspacebitmapheight / 2 - ph / 2) - getscrollertop(VSCROLLER);
    Lattice l;
    l.gx0 = truncpixel((float)left + (float)(GridSize - 2) * zoom);
    l.gy0 = truncpixel((float)top + (float)(GridSize - 2) * zoom);
    l.step = truncpixel((float)GridSize * zoom);
    return l;
}

// Draws the dots whose corner lies in (xlo, xhi) x (ylo, yhi) (window pixels,
// both bounds exclusive), walking the lattice from its first dot so that any
// part of the grid coincides with the whole.
void dots(const Lattice &l, float xlo, float xhi, float ylo, float yhi) {
    // A step of 0 pixels (a tiny grid at a small zoom) would never advance.
    if (l.step <= 0 || !drawspacerp) return;
    const float dot = 4.0f * zoom;
    const int ww = drawspacerp->Width, wh = drawspacerp->Height;
    SetDrMd(drawspacerp, JAM1);
    SetAPen(drawspacerp, shadowcolour);
    SetMark(drawspacerp, 1); // the dots are marks over the picture
    for (int gx = l.gx0; (float)gx < xhi; gx += l.step) {
        if (!((float)gx > xlo)) continue;
        int gx1 = truncpixel((float)gx + dot);
        if (gx1 < 0) continue; // columns left of the window draw nothing
        if (gx >= ww) break;   // nor do those right of it
        for (int gy = l.gy0; (float)gy < yhi; gy += l.step) {
            if (!((float)gy > ylo)) continue;
            if (gy >= wh) break;
            RectFill(drawspacerp, gx, gy, gx1, truncpixel((float)gy + dot));
        }
    }
    SetMark(drawspacerp, 0);
}

} // namespace

int togglegrid() {
    ShowGrid = ShowGrid == 0 ? 1 : 0;
    update();
    return 1;
}

int snaptogrid() {
    selectall(0);
    SnapToGrid = SnapToGrid == 0 ? 1 : 0;
    return 1;
}

int increasegrid(int up) {
    selectall(0);
    if (up != 0 && GridSize < 500) GridSize += 25;
    if (up == 0 && GridSize > 50) GridSize -= 25;
    update();
    return 1;
}

int drawgrid() {
    Lattice l = lattice();
    float xhi = (float)(l.gx0 - l.step) + (float)IWODiagram.paperwidth * zoom;
    float yhi = (float)(l.gy0 - l.step) + (float)IWODiagram.paperheight * zoom;
    // Every dot lies after the first; the lower bounds exclude nothing.
    dots(l, (float)l.gx0 - 1.0f, xhi, (float)l.gy0 - 1.0f, yhi);
    return 1;
}

int patchgrid(int x0, int y0, int x1, int y1) {
    // A box given by any two opposite corners (a line's end may lie left of
    // or above its start).
    if (x1 < x0) {
        int t = x0;
        x0 = x1;
        x1 = t;
    }
    if (y1 < y0) {
        int t = y0;
        y0 = y1;
        y1 = t;
    }
    // Beyond the page there are no dots to repair.
    if (x1 > IWODiagram.paperwidth) x1 = IWODiagram.paperwidth;
    if (y1 > IWODiagram.paperheight) y1 = IWODiagram.paperheight;
    Lattice l = lattice();
    float bx = (float)(l.gx0 - l.step), by = (float)(l.gy0 - l.step);
    dots(l, bx + (float)x0 * zoom, bx + (float)x1 * zoom, by + (float)y0 * zoom,
         by + (float)y1 * zoom);
    return 1;
}

int checkongrid(int i) {
    if (i < 0 || i >= IWOTABLESIZE) return 1;
    IWORecord &r = IWO[i];
    if (r.type == CONNECTORTYPE || selectedIWOhandle == 9 || !r.selected) return 1;
    const int G = GridSize;
    if (G <= 0) return 1; // no grid to snap to
    // Snapping keeps the page's margins: an edge never snaps into the margin
    // (the next draw would push it back, and the object would change each
    // time it is drawn).
    auto floorg = [G](int v) { return G * (v / G); };
    auto floorpos = [floorg](int v) { return std::max(floorg(v), 8); };
    auto fitg = [G](int v) { return G * ((v + G / 3) / G); };
    auto atleast = [G](int v) { return v < G ? G : v; };
    const int right = r.x + r.width, bottom = r.y + r.height;
    int x = r.x, y = r.y, w = r.width, h = r.height;

    switch (selectedIWOhandle) {
    case 0:
        x = floorpos(x);
        y = floorpos(y);
        // A line whose end lies up or left of its start keeps its start off
        // the grid when flooring would take the end into the margin.
        if (r.type == LINETYPE && x + w < 8) x = r.x;
        if (r.type == LINETYPE && y + h < 8) y = r.y;
        break;
    case 1:
        x = floorpos(x);
        w = right - x;
        y = floorpos(y);
        h = bottom - y;
        break;
    case 2:
        y = floorpos(y);
        h = bottom - y;
        break;
    case 3:
        w = atleast(fitg(w));
        y = floorpos(y);
        h = bottom - y;
        break;
    case 4:
        x = floorpos(x);
        w = right - x;
        break;
    case 5:
        w = atleast(fitg(w));
        break;
    case 6:
        x = floorpos(x);
        w = right - x;
        h = atleast(fitg(h));
        break;
    case 7:
        h = atleast(fitg(h));
        break;
    case 8:
        if (r.type == LINETYPE) {
            // A line's end snaps its signed offsets toward zero.
            w = floorg(w);
            h = floorg(h);
        } else {
            // A shape keeps at least one step of width, as with the other
            // right-hand handles, so it never collapses to nothing.
            w = atleast(floorg(w));
            h = atleast(fitg(h));
        }
        break;
    default:
        return 1;
    }
    if (r.type != LINETYPE) {
        // A size that snapped past the page's right or bottom margin takes
        // the largest whole number of steps that fits.
        const int W = IWODiagram.paperwidth, H = IWODiagram.paperheight;
        auto fit = [G](int size, int room) {
            if (size <= room) return size;
            return room >= G ? G * (room / G) : std::max(room, 0);
        };
        w = fit(w, W - 9 - x);
        h = fit(h, H - 8 - y);
    }
    auto s16 = [](int v) { return (int16_t)(v > 32767 ? 32767 : v < -32768 ? -32768 : v); };
    r.x = s16(x);
    r.y = s16(y);
    r.width = s16(w);
    r.height = s16(h);
    return 1;
}
