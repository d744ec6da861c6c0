// labels.cpp - object labels (font, measurement, placement, background, text)
// and the fold marker.
#include "model/diagram.h"
#include "platform/window.h"
#include "render/drawparts.h"
#include "render/drawstate.h"
#include "render/view.h"

#include <algorithm>
#include <climits>
#include <cstring>

bool labelgeometry(int i, LabelGeometry &g) {
    IWORecord &r = IWO[i];
    resolvefont(i);
    // Label fonts scale with the zoom, four pixels per unit of size at zoom 1.
    int size = trunci((double)((float)r.font.ta_YSize * zoom) * 4.0);
    TextFont *font = OpenFont(r.fontname, size, r.font.ta_Style);
    if (!font) font = OpenFont(IWeaveFontName, IWeaveFont.ta_YSize, IWeaveFont.ta_Style);
    g.font = font;
    if (!font) return false;
    g.n = (int)strnlen(r.label, sizeof r.label);
    g.tl = fonttextlength(font, r.label, g.n);
    if (r.type == TEXTTYPE) {
        // A Text object is as wide as its label (never below 5, so that an
        // empty one can still be found and picked) and two interface font
        // sizes high. The width is measured in the font's size at zoom 1, where a
        // pixel is a unit, so that it is the same at every zoom: drawing at
        // another zoom never changes the diagram.
        TextFont *unit = OpenFont(r.fontname, 4 * r.font.ta_YSize, r.font.ta_Style);
        if (!unit) unit = font;
        r.width = (int16_t)std::clamp(fonttextlength(unit, r.label, g.n), 5, 32767);
        if (unit != font) CloseFont(unit);
        r.height = (int16_t)(2 * tempfont.ta_YSize);
        g.tx = getdrawx(r.x);
        g.ty = getdrawy((int16_t)(r.y + tempfont.ta_YSize));
        return true;
    }
    g.tx = getdrawx((int16_t)(r.x + r.width * r.labelx / 100)) - g.tl / 2;
    // Labels stay on the page horizontally; the right edge wins.
    int left = getdrawx(0), right = getdrawx(IWODiagram.paperwidth);
    if (g.tx <= left) g.tx = left;
    if (g.tx + g.tl > right) g.tx = right - g.tl;
    g.ty = getdrawy((int16_t)(r.y + r.height * r.labely / 100));
    return true;
}

void drawlabel(int i) {
    Raster *rp = drawspacerp;
    LabelGeometry g;
    // Without any font the label is skipped (and a Text object keeps its size).
    if (!rp || !labelgeometry(i, g)) return;
    IWORecord &r = IWO[i];
    int fs = tempfont.ta_YSize;
    if (r.type == TEXTTYPE) {
        int X = getdrawx(r.x);
        if (r.labelfilled == 1 && g.n > 0) {
            SetAPen(rp, r.labelcolour);
            RectFill(rp, X, getdrawy((int16_t)(r.y - r.height / 2)) - 3, X + g.tl,
                     getdrawy((int16_t)(r.y + r.height)) - 3);
        }
        if (r.selected == 1) {
            int HX[13], HY[13];
            mapparts(r, r.highlight[0], 2, HX, HY);
            SetAPen(rp, highlightcolour);
            RectFill(rp, HX[0] - 3, HY[0] - 3, HX[1] + 3, HY[1] + 3);
        }
    } else if (r.labelfilled == 1 && g.n > 0) {
        SetAPen(rp, r.labelcolour);
        RectFill(rp, g.tx, g.ty - (3 * fs) / 4, g.tx + g.tl, g.ty + fs / 4);
    }
    // Glyphs stay well within four font sizes of the text's advance box: a
    // label wholly outside the window by more than that is not drawn at all.
    int64_t m = 4 * (int64_t)g.font->tf_YSize;
    if (g.n > 0 && !offraster(rp, (int64_t)g.tx - m, (int64_t)g.ty - m, (int64_t)g.tx + g.tl + m,
                              (int64_t)g.ty + m)) {
        SetDrMd(rp, JAM1);
        SetFont(rp, g.font);
        Move(rp, g.tx, g.ty);
        SetBPen(rp, r.fillcolour);
        SetAPen(rp, r.fontcolour);
        Text(rp, r.label, g.n);
    }
    CloseFont(g.font);
}

void foldmarker(Raster *rp, int i) {
    const IWORecord &r = IWO[i];
    int X = getdrawx((int16_t)(r.x + r.handlex[8] * r.width / 100));
    int Y = getdrawy((int16_t)(r.y + r.handley[8] * r.height / 100));
    RectFill(rp, X - 7, Y - 3, X + 7, Y + 3);
    RectFill(rp, X - 3, Y - 7, X + 3, Y + 7);
}

bool textinkbox(TextFont *font, const char *s, int n, int &x0, int &y0, int &x1, int &y1) {
    if (!font || n <= 0) return false;
    fonttextlength(font, s, n); // renders any glyph not yet rendered
    int64_t l = INT64_MAX, t = INT64_MAX, rt = INT64_MIN, b = INT64_MIN, x = 0;
    for (int k = 0; k < n; k++) {
        const Glyph &gl = font->glyphs[(uint8_t)s[k]];
        for (const GlyphRun &run : gl.runs) {
            l = std::min<int64_t>(l, x + run.dx);
            rt = std::max<int64_t>(rt, x + run.dx + run.len - 1);
            t = std::min<int64_t>(t, run.dy);
            b = std::max<int64_t>(b, run.dy);
        }
        x += gl.advance;
    }
    if (l > rt) return false;
    x0 = (int)l;
    y0 = (int)t;
    x1 = (int)rt;
    y1 = (int)b;
    return true;
}
