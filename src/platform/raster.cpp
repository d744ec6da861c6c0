// raster.cpp - the pen raster and its primitives; the rules are in raster.h.
//
// All geometry is computed in 64-bit (128-bit where products of two
// coordinates appear) so that coordinates anywhere in the int range clip
// instead of overflowing. Filling is done in row spans: memset in JAM1, an XOR
// loop in COMPLEMENT.
#include "platform/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

typedef int64_t i64;
typedef __int128 i128;

// Largest radius the ellipse code works with (keeps its products in 128 bits).
constexpr i64 MAXRADIUS = (i64)1 << 26;

// Rounding divisions for a positive divisor.
inline i128 ceildiv(i128 a, i128 b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }
inline i128 floordiv(i128 a, i128 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Fills row y from x0 to x1 in the current mode; clips both ends, and the row.
void span(Raster *rp, i64 y, i64 x0, i64 x1) {
    if (y < 0 || y >= rp->Height || y < rp->ClipY0 || y > rp->ClipY1) return;
    if (x0 < 0) x0 = 0;
    if (x0 < rp->ClipX0) x0 = rp->ClipX0;
    if (x1 >= rp->Width) x1 = rp->Width - 1;
    if (x1 > rp->ClipX1) x1 = rp->ClipX1;
    if (x1 < x0) return;
    const size_t at = (size_t)y * (size_t)rp->Width + (size_t)x0;
    uint8_t *p = rp->Pixels.data() + at;
    size_t n = (size_t)(x1 - x0 + 1);
    if (rp->keepmarks) {
        uint8_t *m = rp->Marks.data() + at;
        if (rp->DrawMode != COMPLEMENT)
            std::memset(m, rp->Mark, n);
        else if (rp->Mark)
            for (size_t i = 0; i < n; i++) m[i] ^= 1;
    }
    if (rp->DrawMode == COMPLEMENT) {
        // Eight pixels at a time; the compiler does not vectorise the plain loop at -O2.
        size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            uint64_t v;
            std::memcpy(&v, p + i, 8);
            v = ~v;
            std::memcpy(p + i, &v, 8);
        }
        for (; i < n; i++) p[i] ^= 0xFF;
    } else {
        std::memset(p, rp->FgPen, n);
    }
}

// Plots one pixel in the current mode; clips.
inline void plot(Raster *rp, i64 x, i64 y) {
    if (x < 0 || y < 0 || x >= rp->Width || y >= rp->Height) return;
    if (x < rp->ClipX0 || x > rp->ClipX1 || y < rp->ClipY0 || y > rp->ClipY1) return;
    const size_t at = (size_t)y * (size_t)rp->Width + (size_t)x;
    uint8_t *p = rp->Pixels.data() + at;
    if (rp->keepmarks) {
        if (rp->DrawMode != COMPLEMENT)
            rp->Marks[at] = rp->Mark;
        else
            rp->Marks[at] ^= rp->Mark;
    }
    if (rp->DrawMode == COMPLEMENT)
        *p ^= 0xFF;
    else
        *p = rp->FgPen;
}

// The line from A to B (rules in raster.h); skipfirst / skiplast leave out the
// pixel at A / at B. Advances the pattern position by the pixels taken.
void line(Raster *rp, i64 ax, i64 ay, i64 bx, i64 by, bool skipfirst, bool skiplast) {
    i64 dx = bx - ax, dy = by - ay;
    i64 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    i64 n = std::max(adx, ady);
    i64 count = n + 1 - (skipfirst ? 1 : 0) - (skiplast ? 1 : 0);
    if (n == 0 && (skipfirst || skiplast)) count = 0;
    int start = rp->linpatcnt;
    rp->linpatcnt = (int)(((i64)start - count) & 15);
    if (count <= 0) return;

    bool xmajor = adx >= ady;
    i64 mA = xmajor ? ax : ay, nA = xmajor ? ay : ax;
    i64 mB = xmajor ? bx : by, nB = xmajor ? by : bx;
    i64 majsize = xmajor ? rp->Width : rp->Height;
    i64 minsize = xmajor ? rp->Height : rp->Width;
    if ((nA < 0 && nB < 0) || (nA >= minsize && nB >= minsize)) return;

    // Work from the end with the smaller major coordinate, so that the pixels
    // do not depend on the direction of the line.
    i64 ma = mA, na = nA, mb = mB, nb = nB;
    if (ma > mb) {
        std::swap(ma, mb);
        std::swap(na, nb);
    }
    i64 lo = std::max<i64>(ma, 0), hi = std::min<i64>(mb, majsize - 1);
    if (lo > hi) return;
    uint16_t pat = rp->LinePtrn;
    if (mb == ma) {
        // A single pixel (n is 0 and it is not skipped).
        if (pat & (1u << (start & 15))) {
            if (xmajor)
                plot(rp, ma, na);
            else
                plot(rp, na, ma);
        }
        return;
    }
    // Minor offset at major m: ceil((2 (m - ma) E - D) / 2D), which is the
    // nearest pixel to na + (m - ma) E / D with ties going down.
    i64 D = mb - ma, E = nb - na;
    i64 twoD = 2 * D;
    i128 num = (i128)2 * (lo - ma) * E - D;
    i64 q = (i64)ceildiv(num, twoD);
    i64 r = (i64)((i128)q * twoD - num);
    i64 sa = (i64)floordiv((i128)2 * E, twoD);
    i64 sb = 2 * E - sa * twoD;
    for (i64 m = lo; m <= hi; m++) {
        i64 minor = na + q;
        if (minor >= 0 && minor < minsize) {
            i64 s = m - mA;
            if (s < 0) s = -s;
            bool skip = (skipfirst && s == 0) || (skiplast && s == n);
            if (!skip) {
                i64 p = s - (skipfirst ? 1 : 0);
                if (pat & (1u << ((start - p) & 15))) {
                    if (xmajor)
                        plot(rp, m, minor);
                    else
                        plot(rp, minor, m);
                }
            }
        }
        q += sa;
        r -= sb;
        if (r < 0) {
            r += twoD;
            q++;
        }
    }
}

// Half-widths of the rows of the ellipse with radii a, b (rules in raster.h):
// halfwidth(dy) is the largest w with (w / (a + 1/2))^2 + (dy / (b + 1/2))^2 <= 1,
// -1 for rows outside. Rows of the last ellipse with a small vertical radius are
// kept, since thick lines stamp the same disc at every step.
struct EllipseRows {
    i64 a = -1, b = -1;
    std::vector<int32_t> table; // halfwidth(0..b) when b is small
};
thread_local EllipseRows ellipserows;

i64 computehalfwidth(i64 a, i64 b, i64 dy) {
    if (dy < 0) dy = -dy;
    if (dy > b) return -1;
    i128 A = 2 * a + 1, B = 2 * b + 1;
    i128 rhs = A * A * (B * B - (i128)4 * dy * dy);
    long double est = (long double)A * std::sqrt((long double)(B * B - (i128)4 * dy * dy)) /
                      (2.0L * (long double)B);
    i64 w = (i64)est;
    if (w > a) w = a;
    if (w < 0) w = 0;
    while (w > 0 && (i128)4 * w * w * B * B > rhs) w--;
    while (w < a && (i128)4 * (w + 1) * (w + 1) * B * B <= rhs) w++;
    return w;
}

void setellipse(i64 a, i64 b) {
    EllipseRows &e = ellipserows;
    if (e.a == a && e.b == b) return;
    e.a = a;
    e.b = b;
    e.table.clear();
    if (b <= 4096) {
        e.table.resize((size_t)b + 1);
        for (i64 dy = 0; dy <= b; dy++) e.table[(size_t)dy] = (int32_t)computehalfwidth(a, b, dy);
    }
}

inline i64 halfwidth(i64 dy) {
    const EllipseRows &e = ellipserows;
    if (dy < 0) dy = -dy;
    if (dy > e.b) return -1;
    if (!e.table.empty()) return e.table[(size_t)dy];
    return computehalfwidth(e.a, e.b, dy);
}

// One polygon edge, oriented downwards, with its crossing stepped row by row.
struct Edge {
    i64 ya, yb; // rows ya .. yb - 1 cross this edge
    i64 xa;     // x at row ya
    i64 dx, dy; // direction, dy > 0
    i64 q, r;   // crossing at the current row: ceil = xa + q, remainder r
    i64 sa, sb; // per-row step of q and r
};

} // namespace

Raster *newraster(int w, int h) {
    Raster *rp = new Raster;
    sizeraster(rp, w, h);
    return rp;
}

void freeraster(Raster *rp) { delete rp; }

int sizeraster(Raster *rp, int w, int h) {
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    rp->Width = w;
    rp->Height = h;
    rp->Pixels.assign((size_t)w * (size_t)h, 0);
    if (rp->keepmarks) rp->Marks.assign(rp->Pixels.size(), 0);
    return 1;
}

void SetRast(Raster *rp, int pen) {
    std::memset(rp->Pixels.data(), (uint8_t)pen, rp->Pixels.size());
    if (rp->keepmarks) std::fill(rp->Marks.begin(), rp->Marks.end(), 0);
}

void keepmarks(Raster *rp, bool on) {
    if (!rp || rp->keepmarks == on) return;
    rp->keepmarks = on;
    // Marks start cleared: what was drawn before is taken as the picture.
    if (on)
        rp->Marks.assign(rp->Pixels.size(), 0);
    else
        rp->Marks = std::vector<uint8_t>();
}

void SetMark(Raster *rp, int mark) { rp->Mark = mark ? 1 : 0; }

void SetAPen(Raster *rp, int pen) { rp->FgPen = (uint8_t)pen; }
void SetBPen(Raster *rp, int pen) { rp->BgPen = (uint8_t)pen; }
void SetDrMd(Raster *rp, int mode) { rp->DrawMode = (mode & COMPLEMENT) ? COMPLEMENT : JAM1; }

void SetDrPt(Raster *rp, uint16_t pattern) {
    rp->LinePtrn = pattern;
    rp->linpatcnt = 15;
}

int ReadPixel(const Raster *rp, int x, int y) {
    if (x < 0 || y < 0 || x >= rp->Width || y >= rp->Height) return -1;
    return rp->Pixels[(size_t)y * (size_t)rp->Width + (size_t)x];
}

void WritePixel(Raster *rp, int x, int y) { plot(rp, x, y); }

void Move(Raster *rp, int x, int y) {
    rp->cp_x = rp->pathx = x;
    rp->cp_y = rp->pathy = y;
    rp->drawing = false;
}

void Draw(Raster *rp, int x, int y) {
    bool skipfirst = rp->drawing;
    bool skiplast = rp->drawing && x == rp->pathx && y == rp->pathy;
    line(rp, rp->cp_x, rp->cp_y, x, y, skipfirst, skiplast);
    rp->cp_x = x;
    rp->cp_y = y;
    rp->drawing = true;
}

void RectFill(Raster *rp, int x0, int y0, int x1, int y1) {
    if (x1 < x0 || y1 < y0) return;
    i64 ya = std::max<i64>(y0, 0), yb = std::min<i64>(y1, (i64)rp->Height - 1);
    for (i64 y = ya; y <= yb; y++) span(rp, y, x0, x1);
}

void vspan(Raster *rp, int x, int y0, int y1) {
    if (y1 < y0) std::swap(y0, y1);
    if (x < 0 || x >= rp->Width) return;
    i64 ya = std::max<i64>(y0, 0), yb = std::min<i64>(y1, (i64)rp->Height - 1);
    for (i64 y = ya; y <= yb; y++) plot(rp, x, y);
}

void hspan(Raster *rp, int y, int x0, int x1) {
    if (x1 < x0) std::swap(x0, x1);
    span(rp, y, x0, x1);
}

int AreaMove(Raster *rp, int x, int y) {
    if (rp->areacount >= AREAMAXVERTICES) return 0;
    rp->areax[rp->areacount] = x;
    rp->areay[rp->areacount] = y;
    rp->areastart[rp->areacount] = true;
    rp->areacount++;
    return 1;
}

int AreaDraw(Raster *rp, int x, int y) {
    if (rp->areacount >= AREAMAXVERTICES) return 0;
    rp->areax[rp->areacount] = x;
    rp->areay[rp->areacount] = y;
    rp->areastart[rp->areacount] = rp->areacount == 0; // a leading AreaDraw starts a polygon
    rp->areacount++;
    return 1;
}

int AreaEnd(Raster *rp) {
    int nv = rp->areacount;
    rp->areacount = 0;
    if (nv < 3) return 1;

    // Edges of every sub-polygon, each closed back to its first vertex.
    Edge edges[AREAMAXVERTICES];
    int ne = 0;
    i64 ymin = INT64_MAX, ymax = INT64_MIN;
    for (int s = 0; s < nv;) {
        int e = s + 1;
        while (e < nv && !rp->areastart[e]) e++;
        for (int k = s; k < e; k++) {
            int k2 = k + 1 < e ? k + 1 : s;
            i64 x0 = rp->areax[k], y0 = rp->areay[k], x1 = rp->areax[k2], y1 = rp->areay[k2];
            if (y0 == y1) continue; // horizontal edges cross no row
            if (y0 > y1) {
                std::swap(x0, x1);
                std::swap(y0, y1);
            }
            Edge &ed = edges[ne++];
            ed.ya = y0;
            ed.yb = y1;
            ed.xa = x0;
            ed.dx = x1 - x0;
            ed.dy = y1 - y0;
            ymin = std::min(ymin, y0);
            ymax = std::max(ymax, y1);
        }
        s = e;
    }
    if (ne < 2) return 1;
    i64 ystart = std::max<i64>(ymin, 0), yend = std::min<i64>(ymax - 1, (i64)rp->Height - 1);
    if (ystart > yend) return 1;

    // Crossing of each edge at its first visible row: ceil(xa + (y - ya) dx / dy).
    for (int k = 0; k < ne; k++) {
        Edge &ed = edges[k];
        i64 y = std::max(ed.ya, ystart);
        i128 num = (i128)(y - ed.ya) * ed.dx;
        ed.q = (i64)ceildiv(num, ed.dy);
        ed.r = (i64)((i128)ed.q * ed.dy - num);
        ed.sa = (i64)floordiv(ed.dx, ed.dy);
        ed.sb = ed.dx - ed.sa * ed.dy;
    }
    i64 xs[AREAMAXVERTICES];
    for (i64 y = ystart; y <= yend; y++) {
        int nx = 0;
        for (int k = 0; k < ne; k++) {
            Edge &ed = edges[k];
            if (y < ed.ya || y >= ed.yb) continue;
            // Insertion into the sorted list of crossings.
            i64 c = ed.xa + ed.q;
            int j = nx++;
            while (j > 0 && xs[j - 1] > c) {
                xs[j] = xs[j - 1];
                j--;
            }
            xs[j] = c;
            ed.q += ed.sa;
            ed.r -= ed.sb;
            if (ed.r < 0) {
                ed.r += ed.dy;
                ed.q++;
            }
        }
        for (int j = 0; j + 1 < nx; j += 2) span(rp, y, xs[j], xs[j + 1] - 1);
    }
    return 1;
}

void AreaEllipse(Raster *rp, int cx, int cy, int a, int b) {
    if (a < 0 || b < 0) return;
    i64 A = std::min<i64>(a, MAXRADIUS), B = std::min<i64>(b, MAXRADIUS);
    setellipse(A, B);
    i64 ya = std::max<i64>((i64)cy - B, 0), yb = std::min<i64>((i64)cy + B, (i64)rp->Height - 1);
    for (i64 y = ya; y <= yb; y++) {
        i64 w = halfwidth(y - cy);
        span(rp, y, (i64)cx - w, (i64)cx + w);
    }
}

void DrawEllipse(Raster *rp, int cx, int cy, int a, int b) {
    if (a < 0 || b < 0) return;
    i64 A = std::min<i64>(a, MAXRADIUS), B = std::min<i64>(b, MAXRADIUS);
    setellipse(A, B);
    i64 ya = std::max<i64>((i64)cy - B, 0), yb = std::min<i64>((i64)cy + B, (i64)rp->Height - 1);
    for (i64 y = ya; y <= yb; y++) {
        i64 dy = y - cy;
        i64 w = halfwidth(dy);
        i64 wn = std::min(halfwidth(dy - 1), halfwidth(dy + 1));
        // Pixels beyond the narrower neighbour row, or at the row's ends.
        i64 lo = std::min(wn + 1, w);
        if (lo == 0) {
            span(rp, y, (i64)cx - w, (i64)cx + w);
        } else {
            span(rp, y, (i64)cx - w, (i64)cx - lo);
            span(rp, y, (i64)cx + lo, (i64)cx + w);
        }
    }
}

void SetClip(Raster *rp, int x0, int y0, int x1, int y1) {
    rp->ClipX0 = x0;
    rp->ClipY0 = y0;
    rp->ClipX1 = x1;
    rp->ClipY1 = y1;
}

void ClearClip(Raster *rp) {
    rp->ClipX0 = rp->ClipY0 = INT64_MIN;
    rp->ClipX1 = rp->ClipY1 = INT64_MAX;
}
