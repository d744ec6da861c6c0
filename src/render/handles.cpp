// handles.cpp - which object lies under the pointer, which handle of it, and
// drawing the handles.
//
// Handles 1..8 are the resize handles (1 top-left, 2 top-middle, 3 top-right,
// 4 middle-left, 5 middle-right, 6 bottom-left, 7 bottom-middle, 8 bottom-
// right; for lines and connectors 1 is the start and 8 the end point) and 9 is
// the label handle. Their positions are percentages of the object's box; a
// negative percentage marks a handle the object does not have.
#include "render/handles.h"

#include "model/iwo.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "render/view.h"

#include <climits>

namespace {

// A percentage that lies outside every range tested (its divisor was 0).
constexpr int NOPERCENT = INT_MIN;

// (v * 100) / d in 32 bits, truncating toward zero; NOPERCENT for d = 0.
int percent(int v, int d) { return d == 0 ? NOPERCENT : v * 100 / d; }

bool within(int v, int lo, int hi) { return v != NOPERCENT && v >= lo && v <= hi; }

bool isline(const IWORecord &r) { return r.type == LINETYPE || r.type == CONNECTORTYPE; }

// Window position of handle h of object r.
void handlepos(const IWORecord &r, int h, int *hx, int *hy) {
    *hx = getdrawx(r.x + r.handlex[h] * r.width / 100);
    *hy = getdrawy(r.y + r.handley[h] * r.height / 100);
}

// Hit test of a line or connector. Across a flat line the tolerance is 10
// units, across a steep one 20, both widened by the line weight.
bool linehit(const IWORecord &r, int mx, int my, int pxp, int pyp) {
    const int lw = r.lineweight;
    auto vertical = [&] {
        int yl = r.y + pxp * r.height / 100;
        return -10 - lw < my - yl && my - yl < lw + 10;
    };
    auto horizontal = [&] {
        int xl = r.x + pyp * r.width / 100;
        return -20 - lw < mx - xl && mx - xl < lw + 20;
    };
    if (within(pxp, -1, 101)) {
        if (vertical()) return true;
        // A steep line spans few x percent per unit of height, so the
        // vertical test alone misses most of it even where the pointer is
        // on it; measure such a line across, too.
        int aw = r.width < 0 ? -r.width : r.width, ah = r.height < 0 ? -r.height : r.height;
        return ah > aw && within(pyp, -1, 101) && horizontal();
    }
    return within(pyp, -1, 101) && horizontal();
}

} // namespace

int insideIWO(int mx, int my, int start) {
    if (start < 1) start = 1;
    // Nothing above the end marker is an object.
    if (start > IWONumber) start = IWONumber;
    for (int k = start; k >= 1; k--) {
        const IWORecord &r = IWO[k];
        if (r.visible == 0 || r.type == DEADTYPE) continue;
        int pxp = percent(mx - r.x, r.width);
        int pyp = percent(my - r.y, r.height);
        bool hit;
        if (isline(r)) {
            hit = linehit(r, mx, my, pxp, pyp);
        } else if (r.type == TEXTTYPE) {
            // Text rises above its y.
            hit = within(pxp, 1, 100) && within(pyp, -49, 100);
        } else {
            hit = within(pxp, 1, 100) && within(pyp, 1, 100);
            // The focus object is also caught just outside its edges.
            if (!hit && k == selectedIWO) hit = within(pxp, -1, 101) && within(pyp, -1, 101);
        }
        if (hit) return k;
    }
    return -99;
}

int checkIWOhandle(int i, int px, int py) {
    if (i <= 0 || i >= IWOTABLESIZE) return 0;
    const IWORecord &r = IWO[i];
    const int t = r.selected ? 8 : 3;
    int found = 0;
    // Handles the object does not have cannot be grabbed, so they never
    // hide one it has: resize handles with a negative position, and the
    // label handle without a label or on a Text object. The label handle is
    // offered wherever it lies (it is drawn there too).
    const bool labelhandle = r.label[0] != 0 && r.type != TEXTTYPE;
    for (int h = 1; h <= 9; h++) {
        if (h < 9 ? r.handlex[h] < 0 : !labelhandle) continue;
        int hx, hy;
        handlepos(r, h, &hx, &hy);
        if (hx - t <= px && px < hx + t && hy - t <= py && py < hy + t) found = h;
    }
    if (r.locked && r.type != CONNECTORTYPE) found = 0;
    return found;
}

int drawIWOhandles(int i, int pen) {
    if (i <= 0 || i >= IWOTABLESIZE || !drawspacerp) return 1;
    const IWORecord &r = IWO[i];
    Raster *rp = drawspacerp;
    // The outline's handles are marks, whoever draws them; the others' are
    // marks when drawn and picture when painted over (the caller says).
    const int mark = rp->Mark;
    if (i == SHADOWIWO) {
        SetMark(rp, 1);
        SetDrMd(rp, COMPLEMENT);
        SetAPen(rp, r.linecolour);
    } else {
        SetDrMd(rp, JAM1);
        SetAPen(rp, pen);
    }
    const bool line = isline(r), connector = r.type == CONNECTORTYPE;
    int X, Y;
    auto present = [&](int h) {
        if (r.handlex[h] < 0) return false;
        handlepos(r, h, &X, &Y);
        return true;
    };

    if (present(1)) {
        if (line)
            RectFill(rp, X - 3, Y - 3, X + 3, Y + 3);
        else
            RectFill(rp, X, Y, X + 6, Y + 6);
    }
    if (!connector && present(2)) RectFill(rp, X - 6, Y, X, Y + 6);
    if (r.label[0] != 0 && r.type != TEXTTYPE) {
        // The T of the label handle, as two rectangles that do not overlap,
        // so that it shows whole in complement mode as well.
        handlepos(r, 9, &X, &Y);
        RectFill(rp, X - 3, Y, X + 3, Y + 3);
        RectFill(rp, X - 1, Y + 4, X + 1, Y + 6);
    }
    if (!connector && present(3)) RectFill(rp, X - 6, Y, X, Y + 6);
    if (!connector && present(4)) RectFill(rp, X, Y - 3, X + 6, Y + 3);
    if (!connector && present(5)) RectFill(rp, X - 6, Y - 3, X, Y + 3);
    if (present(8)) {
        if (line)
            RectFill(rp, X - 3, Y - 3, X + 3, Y + 3);
        else
            RectFill(rp, X - 6, Y - 6, X, Y);
    }
    if (!connector && present(7)) RectFill(rp, X - 3, Y - 6, X + 3, Y);
    if (!connector && present(6)) RectFill(rp, X, Y - 6, X + 6, Y);

    SetDrMd(rp, JAM1);
    SetMark(rp, mark);
    return 1;
}
