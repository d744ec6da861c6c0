// lineends.cpp - thick lines stamped from discs, and the marks at line ends
// (squares, discs, diamonds, open diamonds, arrow-heads).
#include "render/drawparts.h"

#include "render/view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Row extents of the discs stamped for one line. The discs' union is painted
// row by row: along a line whose centres step one pixel along the major axis
// and at most one along the minor axis, the discs that cross a row are
// consecutive and each reaches its centre's column, so their pieces of the
// row touch or overlap and the row's union is one span from the leftmost to
// the rightmost pixel. That paints exactly the pixels that stamping every
// disc would, with one span per row instead of one per disc row.
struct RowSpans {
    std::vector<int> lo, hi; // per raster row; lo > hi when untouched
    int ymin = INT_MAX, ymax = INT_MIN;
    std::vector<int> hw; // half-widths of the disc rows 0..r, when r is small
    int r = -1;

    void begin(int height, int radius) {
        if ((int)lo.size() < height) {
            lo.assign((size_t)height, INT_MAX);
            hi.assign((size_t)height, INT_MIN);
        }
        ymin = INT_MAX;
        ymax = INT_MIN;
        if (radius != r) {
            r = radius;
            hw.clear();
            if (radius <= 65536) {
                hw.resize((size_t)radius + 1);
                for (int dy = 0; dy <= radius; dy++)
                    hw[(size_t)dy] = ellipsehalfwidth(radius, radius, dy);
            }
        }
    }

    int halfwidth(int dy) const {
        if (dy < 0) dy = -dy;
        return hw.empty() ? ellipsehalfwidth(r, r, dy) : hw[(size_t)dy];
    }

    // Adds the disc at (cx, cy) for the rows of a raster height rows tall.
    void disc(int64_t cx, int64_t cy, int height) {
        int64_t ya = std::max<int64_t>(cy - r, 0),
                yb = std::min<int64_t>(cy + r, (int64_t)height - 1);
        if (ya > yb) return;
        for (int64_t y = ya; y <= yb; y++) {
            int w = halfwidth((int)(y - cy));
            int64_t a = cx - w, b = cx + w;
            int la = (int)std::clamp<int64_t>(a, INT_MIN / 2, INT_MAX / 2);
            int lb = (int)std::clamp<int64_t>(b, INT_MIN / 2, INT_MAX / 2);
            if (la < lo[(size_t)y]) lo[(size_t)y] = la;
            if (lb > hi[(size_t)y]) hi[(size_t)y] = lb;
        }
        ymin = std::min(ymin, (int)ya);
        ymax = std::max(ymax, (int)yb);
    }

    // Paints the rows in the current pen and leaves them untouched again.
    void paint(Raster *rp) {
        for (int y = ymin; y <= ymax; y++) {
            if (lo[(size_t)y] <= hi[(size_t)y]) hspan(rp, y, lo[(size_t)y], hi[(size_t)y]);
            lo[(size_t)y] = INT_MAX;
            hi[(size_t)y] = INT_MIN;
        }
    }
};

thread_local RowSpans rowspans;

} // namespace

void thickline(Raster *rp, int X0, int Y0, int X1, int Y1, int r, bool inset) {
    if (r < 0 || rp->Width <= 0 || rp->Height <= 0) return;
    int64_t dx = (int64_t)X1 - X0, dy = (int64_t)Y1 - Y0;
    int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int64_t in = inset ? r : 0;
    RowSpans &rs = rowspans;
    rs.begin(rp->Height, r);
    const int W = rp->Width, H = rp->Height;
    if (dx == 0 && dy == 0) {
        // Only an erase reaches a disc here: the centres run from P0 to P0.
        if (!inset) rs.disc(X0, Y0, H);
        rs.paint(rp);
        return;
    }
    if (adx >= ady) {
        // Centres step along x; discs wholly left or right of the raster are skipped.
        int64_t step = dx > 0 ? 1 : -1;
        int64_t first = X0 + step * in;
        int64_t last = inset ? X1 - step * in - step : X1; // last centre taken
        if ((last - first) * step < 0) {
            rs.paint(rp);
            return;
        }
        int64_t lo = std::min(first, last), hi = std::max(first, last);
        lo = std::max<int64_t>(lo, -(int64_t)r);
        hi = std::min<int64_t>(hi, (int64_t)W - 1 + r);
        for (int64_t t = lo; t <= hi; t++) {
            float ft = (float)t;
            int64_t cy = trunci((float)Y0 + (float)dy * (ft - (float)X0) / (float)dx);
            rs.disc(t, cy, H);
        }
    } else {
        int64_t step = dy > 0 ? 1 : -1;
        int64_t first = Y0 + step * in;
        int64_t last = inset ? Y1 - step * in - step : Y1;
        if ((last - first) * step < 0) {
            rs.paint(rp);
            return;
        }
        int64_t lo = std::min(first, last), hi = std::max(first, last);
        lo = std::max<int64_t>(lo, -(int64_t)r);
        hi = std::min<int64_t>(hi, (int64_t)H - 1 + r);
        for (int64_t t = lo; t <= hi; t++) {
            float ft = (float)t;
            int64_t cx = trunci((float)X0 + (float)dx * (ft - (float)Y0) / (float)dy);
            if (cx + r < 0 || cx - r >= W) continue;
            rs.disc(cx, t, H);
        }
    }
    rs.paint(rp);
}

void drawlineend(Raster *rp, const IWORecord &r, const DrawPart &d, int X0, int Y0, bool erase) {
    int kind = d.kind;
    if (!lineendmark(kind)) return;
    float sx = (float)d.px[1] * zoom, sy = (float)d.py[1] * zoom;
    // The pen of the filled mark; a negative (transparent) fill pen paints nothing.
    auto fillpen = [&]() {
        if (erase) return true;
        if (d.fillcolour < 0) return false;
        SetAPen(rp, d.fillcolour);
        return true;
    };
    if (kind < PARTENDDISC) { // square
        if (!fillpen()) return;
        int left = trunci((float)X0 - sx), top = trunci((float)Y0 - sy);
        RectFill(rp, left, top, trunci((float)left + (float)(2 * d.px[1]) * zoom),
                 trunci((float)top + (float)(2 * d.py[1]) * zoom));
    } else if (kind < PARTENDDIAMOND) { // disc
        if (!fillpen()) return;
        fillellipse(rp, X0, Y0, trunci(sx), trunci(sy));
    } else if (kind < PARTENDARROW) { // diamond, open diamond
        int X[4] = {trunci((float)X0 - sx), X0, trunci((float)X0 + sx), X0};
        int Y[4] = {Y0, trunci((float)Y0 - sy), Y0, trunci((float)Y0 + sy)};
        if (kind < PARTENDOPENDIAMOND || erase) {
            if (!fillpen()) return;
            fillpolygon(rp, 4, X, Y);
            return;
        }
        SetAPen(rp, d.linecolour);
        fillpolygon(rp, 4, X, Y);
        if (d.fillcolour >= 0) {
            float dd = 2.0f * (float)r.lineweight * zoom;
            int IX[4] = {trunci((float)X0 - sx + dd), X0, trunci((float)X0 + sx - dd), X0};
            int IY[4] = {Y0, trunci((float)Y0 - sy + dd), Y0, trunci((float)Y0 + sy - dd)};
            SetAPen(rp, d.fillcolour);
            fillpolygon(rp, 4, IX, IY);
        }
        SetAPen(rp, r.linecolour);
    } else { // arrow-heads
        if (!fillpen()) return;
        // The line's direction with y up. A line drawn exactly leftward has
        // the angle pi: its heads point left like the line, not back along it.
        float a = (float)std::atan2(-(double)r.height, (double)r.width);
        int s = trunci((float)d.px[1] * zoom);
        double c = std::cos((double)a), sn = std::sin((double)a);
        auto local = [&](double u, double v, int &x, int &y) {
            x = trunci((double)X0 + (double)trunci(u * c - v * sn));
            y = trunci((double)Y0 - (double)trunci(v * c + u * sn));
        };
        int X[3] = {X0, 0, 0}, Y[3] = {Y0, 0, 0};
        double u = kind == PARTENDARROW ? -2.0 * s : 2.0 * s;
        local(u, s, X[1], Y[1]);
        local(u, -s, X[2], Y[2]);
        fillpolygon(rp, 3, X, Y);
    }
}
