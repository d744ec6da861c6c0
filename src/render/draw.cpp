// draw.cpp - drawing one object from its list of drawing parts.
//
// No drawing code is specific to an object type: drawIWO walks the object's
// `draw` list and paints each primitive with its points mapped from percent of
// the object's box to window pixels. An ordinary object is painted in JAM1 in
// this order: selection highlight, parts, label, handles, fold marker. The
// shadow record (1009) is drawn as a dashed complement outline instead, so that
// drawing it twice leaves the window as it was.
#include "render/draw.h"

#include "model/diagram.h"
#include "model/interaction.h"
#include "platform/window.h"
#include "render/drawparts.h"
#include "render/drawstate.h"
#include "render/handles.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Integer square root of a non-negative 64-bit value, truncated; 0 for a
// negative radicand.
int isqrt(int64_t v) {
    if (v <= 0) return 0;
    int64_t s = (int64_t)std::sqrt((double)v);
    while (s * s > v) s--;
    while ((s + 1) * (s + 1) <= v) s++;
    return (int)s;
}

// a / b rounded up, for b > 0.
int64_t ceildiv64(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

// Corner radius of a kind 1 part: px[5] percent of the top edge, at most half
// the right edge.
int64_t cornerradius(const DrawPart &d, const int X[13], const int Y[13]) {
    int64_t rad = ((int64_t)X[1] - X[0]) * d.px[5] / 100;
    int64_t half = ((int64_t)Y[2] - Y[1]) / 2;
    return half < rad ? half : rad;
}

// True when the segments P0-P1 and P2-P3 have a point in common.
bool segmentsmeet(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                  int64_t x3, int64_t y3) {
    auto side = [](int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t cx, int64_t cy) {
        int64_t c = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
        return (c > 0) - (c < 0);
    };
    auto within = [](int64_t a, int64_t b, int64_t c) {
        return std::min(a, b) <= c && c <= std::max(a, b);
    };
    int d1 = side(x2, y2, x3, y3, x0, y0), d2 = side(x2, y2, x3, y3, x1, y1);
    int d3 = side(x0, y0, x1, y1, x2, y2), d4 = side(x0, y0, x1, y1, x3, y3);
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    return (d1 == 0 && within(x2, x3, x0) && within(y2, y3, y0)) ||
           (d2 == 0 && within(x2, x3, x1) && within(y2, y3, y1)) ||
           (d3 == 0 && within(x0, x1, x2) && within(y0, y1, y2)) ||
           (d4 == 0 && within(x0, x1, x3) && within(y0, y1, y3));
}

// lw times the unit vector from (x, y) toward (tx, ty), each component
// truncated: the offset of an outline band's inner corner.
void bandoffset(int x, int y, int tx, int ty, int lw, int64_t &ox, int64_t &oy) {
    int64_t dx = (int64_t)tx - x, dy = (int64_t)ty - y;
    int64_t L = (int64_t)std::sqrt((double)(dx * dx + dy * dy));
    ox = L ? dx * lw / L : 0;
    oy = L ? dy * lw / L : 0;
}

// True when the polygon fill (platform/raster.h) covers pixel (x, y): the
// crossings of row y left of or at x are odd in number.
bool fillcovers(int n, const int X[13], const int Y[13], int64_t x, int64_t y) {
    bool in = false;
    for (int k = 0; k < n; k++) {
        int64_t x0 = X[k], y0 = Y[k], x1 = X[(k + 1) % n], y1 = Y[(k + 1) % n];
        if (y0 == y1) continue;
        if (y0 > y1) std::swap(x0, x1), std::swap(y0, y1);
        if (y < y0 || y >= y1) continue;
        if (x0 + ceildiv64((y - y0) * (x1 - x0), y1 - y0) <= x) in = !in;
    }
    return in;
}

// A one-pixel chain along every edge of a closed outline, so that the outline
// is unbroken whatever the band quadrilaterals leave out: where the band is
// thinner than a pixel (weight 1, slanted neighbours) or crosses itself at an
// inward corner. Per step of the edge's major axis the chain takes, of the two
// pixels either side of the exact edge, the one the fill covers (the one on
// the inner side when both or neither are). An edge whose band is a pixel or
// more deep at both ends already holds that chain and is skipped, so thick
// outlines stay as they were. An end pixel outside the fill is left out unless
// its corner is acute, so that square corners don't grow.
void outlinechain(Raster *rp, int n, const int X[13], const int Y[13], int lw) {
    if (n < 2) return;
    int64_t area = 0;
    for (int k = 0; k < n; k++)
        area += (int64_t)X[k] * Y[(k + 1) % n] - (int64_t)X[(k + 1) % n] * Y[k];
    // In a polygon whose edges don't cross, the pixel on the inner side of an
    // edge is the fill's wherever the fill reaches it; only a crossing
    // polygon needs the fill asked pixel by pixel.
    bool simple = true;
    for (int j = 0; j < n && simple; j++)
        for (int k = j + 2; k < n && simple; k++)
            if ((k + 1) % n != j && segmentsmeet(X[j], Y[j], X[(j + 1) % n], Y[(j + 1) % n], X[k],
                                                 Y[k], X[(k + 1) % n], Y[(k + 1) % n]))
                simple = false;
    for (int j = 0; j < n; j++) {
        int b = (j + 1) % n, q = (j + n - 1) % n, nn = (j + 2) % n;
        int64_t dx = (int64_t)X[b] - X[j], dy = (int64_t)Y[b] - Y[j];
        if (dx == 0 && dy == 0) continue;
        bool xmajor = std::abs(dx) >= std::abs(dy);
        // The inner side along the minor axis: the interior normal is
        // (-dy, dx) for a positive area (clockwise on the screen).
        int64_t nx = area >= 0 ? -dy : dy, ny = area >= 0 ? dx : -dx;
        // A band at least a pixel deep at both ends already holds the chain.
        int64_t obx, oby, oax, oay;
        bandoffset(X[b], Y[b], X[nn], Y[nn], lw, obx, oby);
        bandoffset(X[j], Y[j], X[q], Y[q], lw, oax, oay);
        __int128 db = (__int128)obx * nx + (__int128)oby * ny;
        __int128 da = (__int128)oax * nx + (__int128)oay * ny;
        __int128 nn2 = (__int128)nx * nx + (__int128)ny * ny;
        if (db > 0 && da > 0 && db * db >= nn2 && da * da >= nn2) continue;
        bool plus = xmajor ? ny > 0 : nx > 0;
        int64_t mA = xmajor ? X[j] : Y[j], mB = xmajor ? X[b] : Y[b];
        int64_t nA = xmajor ? Y[j] : X[j], E = xmajor ? dy : dx, D = mB - mA;
        if (D < 0) D = -D, E = -E;
        int64_t lo = std::min(mA, mB), hi = std::max(mA, mB);
        int64_t size = xmajor ? rp->Width : rp->Height;
        lo = std::max<int64_t>(lo, -1);
        hi = std::min<int64_t>(hi, size);
        // Corners at either end: acute when the neighbours lie ahead.
        auto acute = [&](int v, int p, int w) {
            return ((int64_t)X[p] - X[v]) * ((int64_t)X[w] - X[v]) +
                       ((int64_t)Y[p] - Y[v]) * ((int64_t)Y[w] - Y[v]) >
                   0;
        };
        bool acuteA = acute(j, q, b), acuteB = acute(b, j, nn);
        for (int64_t m = lo; m <= hi; m++) {
            int64_t c = nA + ceildiv64((m - mA) * E, D); // ceil of the exact minor
            int64_t p1 = plus ? c : c - 1, p2 = plus ? c - 1 : c;
            auto px = [&](int64_t p) { return xmajor ? m : p; };
            auto py = [&](int64_t p) { return xmajor ? p : m; };
            int64_t p = p1;
            bool end = m == mA || m == mB;
            if ((!simple || end) && !fillcovers(n, X, Y, px(p1), py(p1))) {
                if (fillcovers(n, X, Y, px(p2), py(p2)))
                    p = p2;
                else if ((m == mA && !acuteA) || (m == mB && !acuteB))
                    continue;
            }
            int64_t x = px(p), y = py(p);
            if (x >= 0 && y >= 0 && x < rp->Width && y < rp->Height) WritePixel(rp, (int)x, (int)y);
        }
    }
}

// Outline bands of a closed list of n vertices (no rounding), made unbroken
// by the edge chain.
void polygonbands(Raster *rp, int n, const int X[13], const int Y[13], int lw) {
    for (int j = 0; j < n; j++) {
        int b = (j + 1) % n, nn = (j + 2) % n, q = (j + n - 1) % n;
        outlineband(rp, X[j], Y[j], X[b], Y[b], X[nn], Y[nn], X[q], Y[q], lw);
    }
    if (lw > 0) outlinechain(rp, n, X, Y, lw);
}

// Kind 7, and kind 1 lists that are not four-cornered: optional fill, then
// the outline band.
void polygonpart(Raster *rp, const DrawPart &d, int n, const int X[13], const int Y[13], int lw) {
    if (d.fillcolour > 0) {
        SetAPen(rp, d.fillcolour);
        fillpolygon(rp, n, X, Y);
    }
    if (lw > 0) {
        SetAPen(rp, d.linecolour);
        polygonbands(rp, n, X, Y, lw);
    }
}

// A vertical span with 64-bit ends, clamped to just outside the raster (the
// visible part stays the same).
void vline(Raster *rp, int64_t x, int64_t y0, int64_t y1) {
    if (x < 0 || x >= rp->Width) return;
    int64_t H = rp->Height;
    vspan(rp, (int)x, (int)std::clamp<int64_t>(y0, -1, H), (int)std::clamp<int64_t>(y1, -1, H));
}

// A horizontal span with 64-bit ends, clamped likewise.
void hline(Raster *rp, int64_t y, int64_t x0, int64_t x1) {
    if (y < 0 || y >= rp->Height) return;
    int64_t W = rp->Width;
    hspan(rp, (int)y, (int)std::clamp<int64_t>(x0, -1, W), (int)std::clamp<int64_t>(x1, -1, W));
}

// The steps t = first .. last for which the column (or row) base + dir * t
// lies on a raster side of `size` pixels; false when there are none. Loops over
// spans use it to skip the columns that cannot show.
bool clipsteps(int64_t base, int dir, int64_t size, int64_t &first, int64_t &last) {
    int64_t lo = dir > 0 ? -base : base - (size - 1);
    int64_t hi = dir > 0 ? size - 1 - base : base;
    first = std::max(first, lo);
    last = std::min(last, hi);
    return first <= last;
}

// The corners of a kind 1 box: centre and the direction its columns run in.
struct Corner {
    int64_t cx, cy; // centre of the corner's circle
    int dx;         // +1: columns run right of the centre, -1: left
    int dy;         // +1: the corner lies below the centre, -1: above
};

// Corner centres: top-right, bottom-right, top-left, bottom-left.
void corners(const int X[13], const int Y[13], int64_t rad, Corner c[4]) {
    c[0] = {X[1] - rad, Y[1] + rad, 1, -1};
    c[1] = {X[2] - rad, Y[2] - rad, 1, 1};
    c[2] = {X[0] + rad, Y[0] + rad, -1, -1};
    c[3] = {X[3] + rad, Y[3] - rad, -1, 1};
}

// Kind 1 with four corners: the box with corners rounded by px[5] percent.
void roundedbox(Raster *rp, const DrawPart &d, const int X[13], const int Y[13], int lw) {
    int64_t rad = cornerradius(d, X, Y);
    Corner c[4];
    corners(X, Y, rad, c);
    if (d.fillcolour > 0) {
        SetAPen(rp, d.fillcolour);
        int ax[4] = {(int)(X[0] + rad), (int)(X[1] - rad), (int)(X[2] - rad), (int)(X[3] + rad)};
        int ay[4] = {Y[0], Y[1], Y[2], Y[3]};
        fillpolygon(rp, 4, ax, ay);
        int bx[4] = {X[0], X[1], X[2], X[3]};
        int by[4] = {(int)(Y[0] + rad), (int)(Y[1] + rad), (int)(Y[2] - rad), (int)(Y[3] - rad)};
        fillpolygon(rp, 4, bx, by);
        // Quarter discs as columns from the centre row out to the circle.
        for (const Corner &k : c) {
            int64_t first = 0, last = rad - 1;
            if (!clipsteps(k.cx, k.dx, rp->Width, first, last)) continue;
            for (int64_t u = first; u <= last; u++)
                vline(rp, k.cx + k.dx * u, k.cy + k.dy * isqrt(rad * rad - u * u), k.cy);
        }
    }
    // A zero-weight outline draws nothing at all (also no corner arcs), so
    // the picture never depends on a pen left from earlier drawing.
    if (lw <= 0) return;
    SetAPen(rp, d.linecolour);
    bool box =
        Y[0] == Y[1] && X[1] == X[2] && Y[2] == Y[3] && X[3] == X[0] && X[1] > X[0] && Y[2] > Y[0];
    if (rad <= 0 || !box) {
        polygonbands(rp, 4, X, Y, lw);
        return;
    }
    // Rounded: straight bands lw wide and arcs that meet them. The arcs
    // follow the edge of the corner fill (so no fill shows outside them): its
    // top reaches row Y0, its bottom row Y2, its sides columns X0 + 1 and
    // X1 - 1. The bands lie on the rows and columns where the arcs end: top
    // Y0, bottom Y2, left X0, right X1 - 1, each lw thick inward.
    int64_t x0 = X[0], x1 = X[1], y0 = Y[0], y2 = Y[2];
    RectFill(rp, (int)(x0 + rad), (int)y0, (int)(x1 - rad - 1), (int)(y0 + lw - 1));
    RectFill(rp, (int)(x0 + rad), (int)(y2 - lw + 1), (int)(x1 - rad - 1), (int)y2);
    RectFill(rp, (int)x0, (int)(y0 + rad), (int)(x0 + lw - 1), (int)(y2 - rad));
    RectFill(rp, (int)(x1 - lw), (int)(y0 + rad), (int)(x1 - 1), (int)(y2 - rad));
    // Per corner column the span from the circle of radius rad in to the
    // circle lw smaller (to the centre row where that circle ends).
    for (const Corner &k : c) {
        int64_t first = 0, last = rad - 1;
        if (!clipsteps(k.cx, k.dx, rp->Width, first, last)) continue;
        int64_t in = rad - lw;
        for (int64_t u = first; u <= last; u++) {
            int64_t h1 = isqrt(rad * rad - u * u);
            int64_t h2 = in >= 0 && in * in >= u * u ? isqrt(in * in - u * u) + 1 : 0;
            vline(rp, k.cx + k.dx * u, k.cy + k.dy * h1, k.cy + k.dy * h2);
        }
    }
}

// Radii in pixels of a kind 6 part: px[1], py[1] percent of width and height.
void ellipseradii(const IWORecord &r, const DrawPart &d, int &rx, int &ry) {
    rx = trunci((float)(int)(r.width * d.px[1] / 100) * zoom);
    ry = trunci((float)(int)(r.height * d.py[1] / 100) * zoom);
}

// Kind 6: the ellipse in the line pen, its inside in the fill pen. A negative
// (transparent) fill pen leaves the inside unpainted: only the ring is drawn.
void ellipsepart(Raster *rp, const IWORecord &r, const DrawPart &d, const int X[13],
                 const int Y[13]) {
    int rx, ry;
    ellipseradii(r, d, rx, ry);
    float pw = (float)d.lineweight * zoom;
    int ix = trunci((float)rx - pw), iy = trunci((float)ry - pw);
    SetAPen(rp, d.linecolour);
    if (d.fillcolour < 0) {
        fillring(rp, X[0], Y[0], rx, ry, ix, iy);
        return;
    }
    fillellipse(rp, X[0], Y[0], rx, ry);
    SetAPen(rp, d.fillcolour);
    fillellipse(rp, X[0], Y[0], ix, iy);
}

// trunc(sqrt(c^2 - t^2) * b / a): the height of a half-ellipse of radius c at
// column t, scaled by b / a; a negative radicand gives 0.
int domeheight(int64_t c, int64_t t, int64_t b, int64_t a) {
    int64_t rad = c * c - t * t;
    if (rad < 0 || a == 0) return 0;
    return trunci(std::sqrt((double)rad) * (double)b / (double)a);
}

// Kind 42: a half-ellipse filled and outlined; P1 is the apex, py[0] == py[2]
// gives a horizontal base through P0, otherwise the base is vertical.
void halfellipse(Raster *rp, const DrawPart &d, const int X[13], const int Y[13], int lw) {
    bool horizontal = d.py[0] == d.py[2];
    const int64_t W = rp->Width, H = rp->Height;
    if (d.fillcolour > 0) {
        SetAPen(rp, d.fillcolour);
        if (horizontal) {
            // Columns X1 + t from the base up (or down) to the curve.
            int64_t a = (int64_t)X[1] - X[0], b = (int64_t)Y[0] - Y[1];
            int64_t first = -a, last = a - 1;
            if (clipsteps(X[1], 1, W, first, last))
                for (int64_t t = first; t <= last; t++)
                    vline(rp, X[1] + t, (int64_t)Y[0] - domeheight(a, t, b, a), Y[0]);
        } else {
            // Rows Y1 + t from the base across to the curve.
            int64_t a = (int64_t)X[1] - X[0], b = (int64_t)Y[1] - Y[0];
            int64_t first = -b, last = b - 1;
            if (clipsteps(Y[1], 1, H, first, last))
                for (int64_t t = first; t <= last; t++)
                    hline(rp, Y[1] + t, (int64_t)X[0] + domeheight(b, t, a, b), X[0]);
        }
    }
    // The outline: spans between the outer curve and the one lw inside it.
    SetAPen(rp, d.linecolour);
    int64_t a = std::abs((int64_t)X[1] - X[0]);
    if (horizontal) {
        int64_t b = (int64_t)Y[0] - Y[1];
        int64_t first = -a, last = a - 1;
        if (clipsteps(X[1], 1, W, first, last))
            for (int64_t t = first; t <= last; t++)
                vline(rp, X[1] + t, (int64_t)Y[0] - domeheight(a, t, b, a),
                      (int64_t)Y[0] - domeheight(a - lw, t, b, a));
    } else {
        int64_t b = (int64_t)Y[1] - Y[0];
        int dir = d.px[1] > d.px[0] ? 1 : -1;
        // Up to and including the apex column, which the fill reaches too.
        int64_t first = 0, last = a;
        if (clipsteps(X[0], dir, W, first, last))
            for (int64_t t = first; t <= last; t++) {
                int64_t h1 = domeheight(a, t, b, a), h2 = domeheight(a - lw, t, b, a);
                vline(rp, X[0] + dir * t, Y[1] + h1, Y[1] + h2);
                vline(rp, X[0] + dir * t, Y[1] - h1, Y[1] - h2);
            }
    }
}

// Kinds 3 to 5: a box in the fill pen, inset by the object's line weight.
void barpart(Raster *rp, const IWORecord &r, const DrawPart &d, const int X[13], const int Y[13]) {
    if (d.fillcolour < 0) return; // transparent: no paint
    float W = (float)r.lineweight * zoom;
    SetAPen(rp, d.fillcolour);
    switch (d.kind) {
    case PARTBAR:
        RectFill(rp, trunci(X[0] + W), trunci(Y[0] + W), trunci(X[1] - W), trunci(Y[1] - W));
        break;
    case PARTHBAR:
        RectFill(rp, X[0], trunci(Y[0] + W), X[1], trunci(Y[1] - W));
        break;
    default:
        RectFill(rp, trunci(X[0] + W), Y[0], trunci(X[1] - W), Y[1]);
        break;
    }
}

// One part of an ordinary object.
void drawpart(Raster *rp, const IWORecord &r, const DrawPart &d) {
    int kind = d.kind;
    // Only the closed shapes, lines, half-ellipses and line-end marks draw.
    if (kind <= PARTNONE || kind > PARTHALFELLIPSE) return;
    if ((kind >= PARTTRIANGLE && kind <= PARTTEXTHIGHLIGHT) ||
        (kind > PARTCONNECTOR && kind <= PARTENDNONE) ||
        (kind > PARTENDARROWBACK && kind < PARTHALFELLIPSE))
        return;
    int X[13], Y[13];
    int n = 2; // points used
    if (kind == PARTOUTLINE || kind == PARTPOLYGON)
        n = closededges(d);
    else if (kind == PARTELLIPSE || kind >= PARTENDSQUARE)
        n = kind == PARTHALFELLIPSE ? 2 : 1;
    mapparts(r, d, n, X, Y);
    int lw = trunci((float)d.lineweight * zoom);
    switch (kind) {
    case PARTOUTLINE: {
        if (n == 4)
            roundedbox(rp, d, X, Y, lw);
        else
            polygonpart(rp, d, n, X, Y, lw);
        break;
    }
    case PARTBOX:
        if (d.fillcolour < 0) break; // transparent: no paint
        SetAPen(rp, d.fillcolour);
        RectFill(rp, X[0], Y[0], X[1], Y[1]);
        break;
    case PARTBAR:
    case PARTHBAR:
    case PARTVBAR:
        barpart(rp, r, d, X, Y);
        break;
    case PARTELLIPSE:
        ellipsepart(rp, r, d, X, Y);
        break;
    case PARTPOLYGON:
        polygonpart(rp, d, n, X, Y, lw);
        break;
    case PARTLINE:
    case PARTCONNECTOR: {
        int rr = trunci((float)d.lineweight * zoom);
        if (d.lineweight > 0 && rr < 2) rr = 2;
        SetAPen(rp, d.linecolour);
        thickline(rp, X[0], Y[0], X[1], Y[1], rr, true);
        break;
    }
    case PARTHALFELLIPSE:
        halfellipse(rp, d, X, Y, lw);
        break;
    default: // the line-end marks
        drawlineend(rp, r, d, X[0], Y[0], false);
        break;
    }
}

} // namespace

void drawhighlightparts(Raster *rp, IWORecord &r, int pen, bool erase) {
    SetAPen(rp, pen);
    int count = partcount(r.highlightnum, MAXHIGHLIGHTNUM);
    for (int j = 0; j < count; j++) {
        const DrawPart &d = r.highlight[j];
        int X[13], Y[13];
        switch (d.kind) {
        case PARTELLIPSE: {
            mapparts(r, d, 1, X, Y);
            int rx, ry;
            ellipseradii(r, d, rx, ry);
            fillellipse(rp, X[0], Y[0], rx + 3, ry + 3);
            break;
        }
        case PARTPOLYGON: {
            // The outline of the box grown by 15 units on every side.
            int16_t ox = r.x, oy = r.y, ow = r.width, oh = r.height;
            r.x = (int16_t)(ox - 15);
            r.y = (int16_t)(oy - 15);
            r.width = (int16_t)(ow + 30);
            r.height = (int16_t)(oh + 30);
            int n = closededges(d);
            mapparts(r, d, n, X, Y);
            r.x = ox;
            r.y = oy;
            r.width = ow;
            r.height = oh;
            polygonbands(rp, n, X, Y, 6);
            break;
        }
        case PARTOUTLINE:
            // A 3-pixel frame: the grown box, then the box itself in the paper pen.
            mapparts(r, d, 2, X, Y);
            RectFill(rp, X[0] - 3, Y[0] - 3, X[1] + 3, Y[1] + 3);
            if (!erase) {
                SetAPen(rp, papercolour);
                RectFill(rp, X[0], Y[0], X[1], Y[1]);
                SetAPen(rp, pen);
            }
            break;
        default:
            break;
        }
    }
}

namespace {

// One part of the shadow record as a complement outline.
void previewpart(Raster *rp, const DrawPart &d, const IWORecord &r) {
    int X[13], Y[13];
    switch (d.kind) {
    case PARTOUTLINE: {
        int n = closededges(d);
        mapparts(r, d, std::max(n, 4), X, Y);
        if (DragSelect || n != 4) {
            int m = DragSelect ? 4 : n;
            Move(rp, X[0], Y[0]);
            for (int k = 1; k <= m; k++) Draw(rp, X[k % m], Y[k % m]);
            break;
        }
        int64_t rad = cornerradius(d, X, Y);
        if (rad == 0) {
            // The four edges meet: one closed outline, every corner once.
            Move(rp, X[0], Y[0]);
            for (int k = 1; k <= 4; k++) Draw(rp, X[k % 4], Y[k % 4]);
            break;
        }
        Move(rp, (int)(X[0] + rad), Y[0]);
        Draw(rp, (int)(X[1] - rad), Y[1]);
        Move(rp, X[1], (int)(Y[1] + rad));
        Draw(rp, X[2], (int)(Y[2] - rad));
        Move(rp, (int)(X[2] - rad), Y[2]);
        Draw(rp, (int)(X[3] + rad), Y[3]);
        Move(rp, X[3], (int)(Y[3] - rad));
        Draw(rp, X[0], (int)(Y[0] + rad));
        // Per corner column a 2-pixel stroke at the circle: from the circle
        // point outward for the right corners, inward for the left ones.
        // Strokes are spans, not pattern lines: taken in turn with the dash
        // pattern, the bottom corners' strokes would always fall on its gaps.
        Corner c[4];
        corners(X, Y, rad, c);
        for (const Corner &k : c) {
            int64_t first = 0, last = rad - 1;
            if (!clipsteps(k.cx, k.dx, rp->Width, first, last)) continue;
            for (int64_t u = first; u <= last; u++) {
                int64_t y = k.cy + k.dy * isqrt(rad * rad - u * u);
                if (k.dx > 0)
                    vline(rp, k.cx + u, y + k.dy, y);
                else
                    vline(rp, k.cx - u, y, y - k.dy);
            }
        }
        break;
    }
    case PARTELLIPSE: {
        mapparts(r, d, 1, X, Y);
        int rx, ry;
        ellipseradii(r, d, rx, ry);
        DrawEllipse(rp, X[0], Y[0], rx, ry);
        break;
    }
    case PARTPOLYGON: {
        int n = closededges(d);
        mapparts(r, d, n, X, Y);
        Move(rp, X[0], Y[0]);
        for (int k = 1; k <= n; k++) Draw(rp, X[k % n], Y[k % n]);
        break;
    }
    case PARTLINE:
    case PARTCONNECTOR:
        mapparts(r, d, 2, X, Y);
        Move(rp, X[0], Y[0]);
        Draw(rp, X[1], Y[1]);
        break;
    case PARTHALFELLIPSE: {
        // The outer curve only, as 2-pixel strokes per column.
        mapparts(r, d, 2, X, Y);
        int64_t a = std::abs((int64_t)X[1] - X[0]);
        if (d.py[0] == d.py[2]) {
            int64_t b = (int64_t)Y[0] - Y[1];
            int64_t first = -a, last = a - 1;
            if (clipsteps(X[1], 1, rp->Width, first, last))
                for (int64_t t = first; t <= last; t++) {
                    int64_t y = (int64_t)Y[0] - domeheight(a, t, b, a);
                    vline(rp, X[1] + t, y, y + 1);
                }
        } else {
            int64_t b = (int64_t)Y[1] - Y[0];
            int dir = d.px[1] > d.px[0] ? 1 : -1;
            int64_t first = 0, last = a - 1;
            if (clipsteps(X[0], dir, rp->Width, first, last))
                for (int64_t t = first; t <= last; t++) {
                    int64_t h = domeheight(a, t, b, a);
                    vline(rp, X[0] + dir * t, Y[1] + h, Y[1] + h + 1);
                    vline(rp, X[0] + dir * t, Y[1] - h, Y[1] - h + 1);
                }
        }
        break;
    }
    default:
        break;
    }
}

// The shadow record: every part as a dashed complement outline, then its handles.
void drawpreview(Raster *rp, IWORecord &r) {
    SetMark(rp, 1);
    SetDrMd(rp, COMPLEMENT);
    SetDrPt(rp, 0xCCCC);
    int count = partcount(r.drawnum, MAXDRAWNUM);
    for (int k = 0; k < count; k++) {
        SetAPen(rp, r.draw[k].linecolour);
        previewpart(rp, r.draw[k], r);
    }
    SetDrMd(rp, JAM1);
    SetDrPt(rp, 0xFFFF);
    drawIWOhandles(SHADOWIWO, highlightcolour);
    SetMark(rp, 0);
}

} // namespace

int drawIWO(int i) {
    if (i <= 0 || i >= IWOTABLESIZE) return 1;
    IWORecord &r = IWO[i];
    if (r.type == DEADTYPE) return 1; // a deleted record is never seen
    if (r.type == TEXTTYPE) {
        // A Text object takes its size from its label: measured before the
        // page check, so that the page check sees the size it is drawn in.
        LabelGeometry g;
        if (labelgeometry(i, g)) CloseFont(g.font);
    }
    // Drawing keeps only the outline on the page and on the grid: it shows
    // where the pointer is placing an object. An object is kept on the page
    // and snapped when it is moved, resized or created, never by being drawn:
    // a click, a new text, a lock or a smaller page leaves it where it is.
    if (i == SHADOWIWO) checkonpage(i, true);
    Raster *rp = drawspacerp;
    if (!rp) return 1;
    SetDrMd(rp, JAM1);
    if (r.visible == 0) return 1;
    if (i == SHADOWIWO) {
        drawpreview(rp, r);
        return 1;
    }
    highlightcolour = r.locked ? 4 : IWODiagram.highlightcolour;
    // The highlight, the handles and the fold marker are the editor's marks
    // (platform/raster.h), the parts and the label the object's picture.
    if (r.selected == 1 && HighlightOn) {
        SetMark(rp, 1);
        drawhighlightparts(rp, r, highlightcolour, false);
        SetMark(rp, 0);
    }
    int count = partcount(r.drawnum, MAXDRAWNUM);
    for (int k = 0; k < count; k++) drawpart(rp, r, r.draw[k]);
    drawlabel(i);
    SetMark(rp, 1);
    if (r.selected) drawIWOhandles(i, highlightcolour);
    if (r.fold) {
        SetAPen(rp, 4);
        foldmarker(rp, i);
        SetAPen(rp, r.linecolour);
    }
    SetMark(rp, 0);
    return 1;
}
