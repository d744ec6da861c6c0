// erase.cpp - clearing the page, redrawing, erasing objects, the damaged box
// and its repair, and the outline that follows the pointer.
//
// The window keeps no display list: objects are painted into its raster in
// table order. An object is erased by painting its area in the paper pen; the
// objects it overlapped are then repainted, either all of them (redraw flag)
// or those touching the damaged box (CheckDamage, FixDamage).
#include "render/erase.h"

#include "model/diagram.h"
#include "model/interaction.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/drawparts.h"
#include "render/drawstate.h"
#include "render/grid.h"
#include "render/handles.h"
#include "render/view.h"

#include <algorithm>
#include <vector>

int16_t Damagex = 0, Damagey = 0;
int16_t Damagewidth = 0, Damageheight = 0;
int16_t SHADOWIWODRAWN = 0;
int16_t shadowcolour = 9;
int16_t backboardcolour = 0;

namespace {

// The select tool's button id.

// Paints the label area of object i in the current pen: the label background
// box (drawn or not) and, for a Text object, its highlight bar; and the box the
// glyphs cover, which may reach beyond the background box when the font is
// larger than the interface font.
void eraselabel(Raster *rp, int i) {
    LabelGeometry g;
    // No font: nothing can have been drawn.
    if (!labelgeometry(i, g)) return;
    IWORecord &r = IWO[i];
    if (r.type == TEXTTYPE) {
        int X = getdrawx(r.x);
        RectFill(rp, X, getdrawy((int16_t)(r.y - r.height / 2)) - 3, X + g.tl,
                 getdrawy((int16_t)(r.y + r.height)) - 3);
        int HX[13], HY[13];
        mapparts(r, r.highlight[0], 2, HX, HY);
        RectFill(rp, HX[0] - 3, HY[0] - 3, HX[1] + 3, HY[1] + 3);
    } else {
        int fs = tempfont.ta_YSize;
        RectFill(rp, g.tx, g.ty - (3 * fs) / 4, g.tx + g.tl, g.ty + fs / 4);
    }
    int x0, y0, x1, y1;
    if (textinkbox(g.font, r.label, g.n, x0, y0, x1, y1))
        RectFill(rp, g.tx + x0, g.ty + y0, g.tx + x1, g.ty + y1);
    CloseFont(g.font);
}

// Lines and connectors: end marks, end handles and the body.
void eraseline(Raster *rp, IWORecord &r) {
    // Boxes round the start and end marks, half their size each way.
    for (int m = 1; m <= 2; m++) {
        const DrawPart &d = r.draw[m];
        int px = r.x + r.width * d.px[0] / 100, py = r.y + r.height * d.py[0] / 100;
        int hx = d.px[1] / 2, hy = d.py[1] / 2;
        RectFill(rp, getdrawx((int16_t)(px - hx)), getdrawy((int16_t)(py - hy)),
                 getdrawx((int16_t)(px + hx)), getdrawy((int16_t)(py + hy)));
    }
    int X, Y;
    mappoint(r, r.handlex[1], r.handley[1], X, Y);
    RectFill(rp, X - 3, Y - 3, X + 3, Y + 3);
    mappoint(r, r.handlex[8], r.handley[8], X, Y);
    int top = trunci((float)(Y - 3) + (float)r.lineweight * zoom);
    RectFill(rp, X - 3, top, X + 3, top + 6);
    // The body, end point to end point.
    int PX[13], PY[13];
    mapparts(r, r.erase, 2, PX, PY);
    int rad = trunci((float)r.lineweight * zoom);
    if (r.lineweight > 0 && rad < 2) rad = 2;
    thickline(rp, PX[0], PY[0], PX[1], PY[1], rad, false);
    int count = partcount(r.drawnum, MAXDRAWNUM);
    for (int k = 0; k < count; k++) {
        const DrawPart &d = r.draw[k];
        if (!lineendmark(d.kind)) continue;
        mapparts(r, d, 1, PX, PY);
        drawlineend(rp, r, d, PX[0], PY[0], true);
    }
}

} // namespace

namespace {

// One box of the window's background: corners included, and its pen.
struct Backdrop {
    int x0, y0, x1, y1, pen;
};

// What a clear paints, in order: the area round the page, the page's drop
// shadow, and the page itself in pen (the last box).
std::vector<Backdrop> backdrops(int pen) {
    int hx = getscrollertop(HSCROLLER), vy = getscrollertop(VSCROLLER);
    int pw = trunci((float)IWODiagram.paperwidth * zoom);
    int ph = trunci((float)IWODiagram.paperheight * zoom);
    int left = (drawspacebitmapwidth / 2 - pw / 2) - hx;
    int top = (drawspacebitmapheight / 2 - ph / 2) - vy;
    float s = 60.0f * zoom;
    int W = drawspacebitmapwidth, H = drawspacebitmapheight;
    const int board = backboardcolour, shadow = shadowcolour;
    return {
        {0, 0, W, top, board},
        {0, top + ph, W, H, board},
        {0, 0, left, H, board},
        {trunci((float)(left + pw) + s), 0, W, H, board},
        {left + pw, top, W, trunci((float)top + s), board},
        {left + pw, trunci((float)top + s), trunci((float)(left + pw) + s),
         trunci((float)(top + ph) + s), shadow},
        {trunci((float)left + s), top + ph, trunci((float)(left + pw) + s),
         trunci((float)(top + ph) + s), shadow},
        {left, top, left + pw, top + ph, pen},
    };
}

// Paints the area object i covers on screen (its handles, label, erase part
// and highlight) in pen.
void erasearea(Raster *rp, int i, int pen) {
    drawIWOhandles(i, pen);
    IWORecord &r = IWO[i];
    SetDrMd(rp, JAM1);
    SetAPen(rp, pen);
    if (r.fold) foldmarker(rp, i);
    eraselabel(rp, i);
    SetAPen(rp, pen);
    const DrawPart &e = r.erase;
    switch (e.kind) {
    case PARTOUTLINE: {
        // The erase box is given by an offset in units and a size in percent.
        int X = getdrawx((int16_t)(r.x + e.px[0])), Y = getdrawy((int16_t)(r.y + e.py[0]));
        int w = e.px[1] * r.width / 100, h = e.py[1] * r.height / 100;
        RectFill(rp, X - 3, Y - 3, trunci((double)((float)(X - 3) + (float)w * zoom) + 7.0),
                 trunci((double)((float)(Y - 3) + (float)h * zoom) + 7.0));
        break;
    }
    case PARTELLIPSE: {
        int X[13], Y[13];
        mapparts(r, e, 1, X, Y);
        int rx = trunci((float)(int)(r.width * e.px[1] / 100) * zoom);
        int ry = trunci((float)(int)(r.height * e.py[1] / 100) * zoom);
        fillellipse(rp, X[0], Y[0], rx + 3, ry + 3);
        break;
    }
    case PARTPOLYGON: {
        // The outline of the box grown by 20 units on every side, filled.
        int16_t ox = r.x, oy = r.y, ow = r.width, oh = r.height;
        r.x = (int16_t)(ox - 20);
        r.y = (int16_t)(oy - 20);
        r.width = (int16_t)(ow + 40);
        r.height = (int16_t)(oh + 40);
        int n = closededges(e);
        int X[13], Y[13];
        mapparts(r, e, n, X, Y);
        r.x = ox;
        r.y = oy;
        r.width = ow;
        r.height = oh;
        fillpolygon(rp, n, X, Y);
        break;
    }
    case PARTLINE:
    case PARTCONNECTOR:
        eraseline(rp, r);
        break;
    default:
        break;
    }
    // The highlight of a selected object may reach beyond the erase part (a
    // polygon's band is grown by 15 units, the erase polygon by 20 units in
    // proportion to the box; a star's points pass the erase box): it is
    // painted over as it was drawn.
    if (r.selected == 1 && HighlightOn) drawhighlightparts(rp, r, pen, true);
}

} // namespace

int cleardrawspace(int pen) {
    Raster *rp = drawspacerp;
    int hx = getscrollertop(HSCROLLER), vy = getscrollertop(VSCROLLER);
    // The scrollers' position is taken in even with nothing to draw: the
    // drawing window's handler compares it with the scrollers on every event.
    drawspacebitmapx = (int16_t)hx;
    drawspacebitmapy = (int16_t)vy;
    if (!DiagramExists || !rp) return 0;
    SetDrMd(rp, JAM1);
    for (const Backdrop &b : backdrops(pen)) {
        SetAPen(rp, b.pen);
        RectFill(rp, b.x0, b.y0, b.x1, b.y1);
    }
    if (ShowGrid) drawgrid();
    return 1;
}

int updateIWOall(int from, int to) {
    // Only live objects are drawn, whatever the caller passes.
    if (to > IWONumber) to = IWONumber;
    for (int k = std::max(from, 1); k < to; k++) drawIWO(k);
    return 1;
}

int refreshIWOall() {
    int sel = selectedIWO;
    updateIWOall(1, sel);
    if (liveIWO(sel)) drawIWO(sel);
    updateIWOall(sel + 1, IWONumber);
    ResetDamage();
    return 1;
}

int eraseIWO(int i, int pen, int redraw) {
    if (i <= 0 || i >= IWOTABLESIZE) return 1;
    Raster *rp = drawspacerp;
    if (!rp) return 1;
    IWORecord &r = IWO[i];
    if (i == SHADOWIWO) {
        drawIWOhandles(i, pen);
        int x0 = getdrawx(r.x), y0 = getdrawy(r.y);
        int x1 = getdrawx((int16_t)(r.x + r.width)), y1 = getdrawy((int16_t)(r.y + r.height));
        SetMark(rp, 1);
        SetDrMd(rp, COMPLEMENT);
        SetAPen(rp, r.linecolour);
        Move(rp, x0, y0);
        Draw(rp, x1, y0);
        Draw(rp, x1, y1);
        Draw(rp, x0, y1);
        Draw(rp, x0, y0);
        SetDrMd(rp, JAM1);
        SetMark(rp, 0);
        return 1;
    }
    // The area is painted in the pen on the page; where it reaches past the
    // page edge (handles and highlights of an object at the edge) it gets
    // back what a clear paints there, never paper in the margin.
    for (const Backdrop &b : backdrops(pen)) {
        // A box outside the window (the margin scrolled away) has nothing to get back.
        if (b.x1 < b.x0 || b.y1 < b.y0 || b.x1 < 0 || b.y1 < 0 || b.x0 >= rp->Width ||
            b.y0 >= rp->Height)
            continue;
        SetClip(rp, b.x0, b.y0, b.x1, b.y1);
        erasearea(rp, i, b.pen);
    }
    ClearClip(rp);
    if (ShowGrid) {
        // The box in either direction: lines may run left or up from x, y.
        int xa = r.x, xb = r.x + r.width, ya = r.y, yb = r.y + r.height;
        // The handles reach 6 pixels past the box whatever the zoom.
        const int m = zoom > 0.0f ? std::max(7, trunci(7.0f / zoom) + 1) : 7;
        patchgrid(std::min(xa, xb) - m, std::min(ya, yb) - m, std::max(xa, xb) + m,
                  std::max(ya, yb) + m);
    }
    if (redraw) {
        updateIWOall(0, i);
        drawIWO(i);
        updateIWOall(i + 1, IWONumber);
    }
    return 1;
}

int ResetDamage() {
    Damagex = IWODiagram.paperwidth;
    Damagey = IWODiagram.paperheight;
    Damagewidth = 0;
    Damageheight = 0;
    return 1;
}

int CheckDamage(int i) {
    if (i < 0 || i >= IWOTABLESIZE) return 1;
    const IWORecord &r = IWO[i];
    int16_t right = (int16_t)(r.x + r.width), bottom = (int16_t)(r.y + r.height);
    if (r.x < Damagex) Damagex = r.x;
    if (right > Damagewidth) Damagewidth = right;
    if (r.y < Damagey) Damagey = r.y;
    if (bottom > Damageheight) Damageheight = bottom;
    return 1;
}

int FixDamage() {
    for (int k = 0; k < IWONumber; k++) {
        const IWORecord &r = IWO[k];
        int16_t right = (int16_t)(r.x + r.width), bottom = (int16_t)(r.y + r.height);
        bool hit =
            (Damagex < r.x && r.x < Damagewidth) || (Damagex < right && right < Damagewidth) ||
            (Damagey < r.y && r.y < Damageheight) || (Damagey < bottom && bottom < Damageheight);
        if (hit) drawIWO(k);
    }
    ResetDamage();
    return 1;
}

int drawshadowiwo() {
    checkonpage(SHADOWIWO);
    if (selectedtool != SELECTTOOL)
        drawIWO(SHADOWIWO);
    else
        groupshadow(selectedIWO);
    if (DragSelect) drawIWO(SHADOWIWO);
    SHADOWIWODRAWN = 1;
    return 1;
}

int removeshadowiwo() {
    if (SHADOWIWODRAWN == 0) return 1;
    drawshadowiwo();
    SHADOWIWODRAWN = 0;
    return 1;
}

int groupshadow(int sel) {
    if (!liveIWO(sel)) return 1;
    checkonpage(SHADOWIWO);
    static IWORecord keep;
    keep = IWO[SHADOWIWO];
    int dx = keep.x - IWO[sel].x, dy = keep.y - IWO[sel].y;
    int dw = keep.width - IWO[sel].width, dh = keep.height - IWO[sel].height;
    for (int k = 1; k < IWONumber; k++) {
        if (!IWO[k].selected || IWO[k].locked) continue;
        IWO[SHADOWIWO] = IWO[k];
        IWORecord &s = IWO[SHADOWIWO];
        s.x = (int16_t)(s.x + dx);
        s.y = (int16_t)(s.y + dy);
        s.width = (int16_t)(s.width + dw);
        s.height = (int16_t)(s.height + dh);
        drawIWO(SHADOWIWO);
    }
    IWO[SHADOWIWO] = keep;
    return 1;
}
