// drawparts.cpp - point mapping and the filled primitives shared by drawing and
// erasing.
#include "render/drawparts.h"

#include "render/view.h"

#include <algorithm>
#include <cmath>

void mappoint(const IWORecord &r, int px, int py, int &X, int &Y) {
    X = getdrawx((int16_t)(r.x + r.width * px / 100));
    Y = getdrawy((int16_t)(r.y + r.height * py / 100));
}

void mapparts(const IWORecord &r, const DrawPart &d, int n, int X[13], int Y[13]) {
    if (n > 13) n = 13;
    for (int k = 0; k < n; k++) mappoint(r, d.px[k], d.py[k], X[k], Y[k]);
}

int closededges(const DrawPart &d) {
    for (int k = 1; k < 13; k++)
        if (d.px[k] == d.px[0] && d.py[k] == d.py[0]) return k;
    return 13;
}

void fillpolygon(Raster *rp, int n, const int *X, const int *Y) {
    if (n < 3) return;
    if (n > AREAMAXVERTICES) n = AREAMAXVERTICES;
    int x0 = X[0], x1 = X[0], y0 = Y[0], y1 = Y[0];
    for (int k = 1; k < n; k++) {
        x0 = std::min(x0, X[k]);
        x1 = std::max(x1, X[k]);
        y0 = std::min(y0, Y[k]);
        y1 = std::max(y1, Y[k]);
    }
    if (offraster(rp, x0, y0, x1, y1)) return;
    // An axis-parallel rectangle (most outline bands, box fills) fills the
    // same pixels as RectFill without its right column and bottom row.
    if (n == 4 && ((Y[0] == Y[1] && X[1] == X[2] && Y[2] == Y[3] && X[3] == X[0]) ||
                   (X[0] == X[1] && Y[1] == Y[2] && X[2] == X[3] && Y[3] == Y[0]))) {
        RectFill(rp, x0, y0, x1 - 1, y1 - 1);
        return;
    }
    AreaMove(rp, X[0], Y[0]);
    for (int k = 1; k < n; k++) AreaDraw(rp, X[k], Y[k]);
    AreaEnd(rp);
}

namespace {

// lw times the unit vector from (x, y) toward (tx, ty), each component
// truncated; zero when the two points coincide.
void offset(int x, int y, int tx, int ty, int lw, int &ox, int &oy) {
    int64_t dx = (int64_t)tx - x, dy = (int64_t)ty - y;
    int64_t L = (int64_t)std::sqrt((double)(dx * dx + dy * dy));
    if (L == 0) {
        ox = oy = 0;
        return;
    }
    ox = (int)(dx * lw / L);
    oy = (int)(dy * lw / L);
}

} // namespace

void outlineband(Raster *rp, int ax, int ay, int bx, int by, int nx, int ny, int qx, int qy,
                 int lw) {
    int onx, ony, oqx, oqy;
    offset(bx, by, nx, ny, lw, onx, ony);
    offset(ax, ay, qx, qy, lw, oqx, oqy);
    int X[4] = {ax, bx, bx + onx, ax + oqx};
    int Y[4] = {ay, by, by + ony, ay + oqy};
    fillpolygon(rp, 4, X, Y);
}

int ellipsehalfwidth(int a, int b, int dy) {
    if (a < 0 || b < 0) return -1;
    // The raster's limit on radii, which keeps the products below in 128 bits.
    const int MAXRADIUS = 1 << 26;
    a = std::min(a, MAXRADIUS);
    b = std::min(b, MAXRADIUS);
    if (dy < 0) dy = -dy;
    if (dy > b) return -1;
    // Largest w with 4 w^2 B^2 <= A^2 (B^2 - 4 dy^2), A = 2a + 1, B = 2b + 1.
    __int128 A = 2 * (__int128)a + 1, B = 2 * (__int128)b + 1;
    __int128 rhs = A * A * (B * B - (__int128)4 * dy * dy);
    double est = (double)A * std::sqrt((double)(B * B - (__int128)4 * dy * dy)) / (2.0 * (double)B);
    int64_t w = (int64_t)est;
    if (w > a) w = a;
    if (w < 0) w = 0;
    while (w > 0 && (__int128)4 * w * w * B * B > rhs) w--;
    while (w < a && (__int128)4 * (w + 1) * (w + 1) * B * B <= rhs) w++;
    return (int)w;
}

void fillring(Raster *rp, int cx, int cy, int a, int b, int ia, int ib) {
    if (a < 0 || b < 0) return;
    b = std::min(b, 1 << 26);
    int64_t ya = std::max<int64_t>((int64_t)cy - b, 0);
    int64_t yb = std::min<int64_t>((int64_t)cy + b, (int64_t)rp->Height - 1);
    bool inner = ia >= 0 && ib >= 0;
    for (int64_t y = ya; y <= yb; y++) {
        int dy = (int)(y - cy);
        int w = ellipsehalfwidth(a, b, dy);
        int wi = inner ? ellipsehalfwidth(ia, ib, dy) : -1;
        if (wi < 0) {
            hspan(rp, (int)y, cx - w, cx + w);
        } else if (wi < w) {
            hspan(rp, (int)y, cx - w, cx - wi - 1);
            hspan(rp, (int)y, cx + wi + 1, cx + w);
        }
    }
}
