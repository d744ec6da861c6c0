// drawparts.h - the pieces of object drawing that drawing, erasing and the
// label code share. Not for use outside src/render.
//
//   trunci(v)                       float or double to int, toward zero, clamped to the int range
//   partcount(n, max)               a stored part count limited to its table size
//   mappoint(r, px, py, &X, &Y)     one part point (percent of the box) to window pixels
//   mapparts(r, d, n, X, Y)         the first n points of a part
//   closededges(d)                  edges of a part's closed point list
//   offraster(rp, x0, y0, x1, y1)   the box lies wholly outside the raster
//   fillpolygon(rp, n, X, Y)        fill the polygon X[0..n-1], Y[0..n-1]
//   fillellipse(rp, cx, cy, a, b)   filled ellipse (AreaEllipse), skipped when off the raster
//   outlineband(rp, A, B, N, Q, lw) the band quadrilateral of one outline edge
//   ellipsehalfwidth(a, b, dy)      half-width of row dy of a filled ellipse
//   fillring(rp, cx, cy, a, b, ia, ib)  the ellipse (a, b) without the ellipse (ia, ib)
//   thickline(rp, X0, Y0, X1, Y1, r, inset)  discs of radius r stamped along a line
//   drawlineend(rp, r, d, X0, Y0, erase)     one line-end mark at (X0, Y0)
//   drawhighlightparts(rp, r, pen, erase)    the selection highlight of record r in pen
//   labelgeometry(i, g)             font, width and position of object i's label
//   drawlabel(i)                    the label text and its background
//   foldmarker(i)                   the plus sign of a folded connector
//   textinkbox(font, s, n, ...)     pixels the glyphs of a text cover
#pragma once
#include "model/iwo.h"
#include "platform/fonts.h"
#include "platform/raster.h"

#include <cmath>
#include <cstdint>

// Float or double to int, truncating toward zero; values beyond the int range
// (huge zooms, garbage sizes) are clamped instead of being undefined.
inline int trunci(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return (int)v;
}

// A count stored in a record, limited to the size of its table (files may
// hold anything).
inline int partcount(int n, int max) { return n < 0 ? 0 : (n > max ? max : n); }

// Window pixels of the part point (px, py) of record r: the percentages of
// width and height are added to x and y in 16-bit diagram units.
void mappoint(const IWORecord &r, int px, int py, int &X, int &Y);
// The first n (at most 13) points of a part.
void mapparts(const IWORecord &r, const DrawPart &d, int n, int X[13], int Y[13]);
// The number of edges of a closed point list: the first point k >= 1 equal to
// point 0 closes it; a list that never closes uses all 13 points.
int closededges(const DrawPart &d);

// True when the box x0..x1, y0..y1 (64-bit, so that margins never overflow)
// has no pixel on the raster. Drawing skips such primitives before doing any
// work on them: most objects of a large diagram lie outside the window.
inline bool offraster(const Raster *rp, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return x1 < 0 || y1 < 0 || x0 >= rp->Width || y0 >= rp->Height;
}
// Fills a polygon of up to AREAMAXVERTICES vertices in the current pen.
void fillpolygon(Raster *rp, int n, const int *X, const int *Y);
// The raster's filled ellipse, not even set up when it lies off the raster.
inline void fillellipse(Raster *rp, int cx, int cy, int a, int b) {
    if (offraster(rp, (int64_t)cx - a, (int64_t)cy - b, (int64_t)cx + a, (int64_t)cy + b)) return;
    AreaEllipse(rp, cx, cy, a, b);
}
// The band of width lw along edge A-B of an outline: the quadrilateral A, B,
// B + lw (N - B) / |N - B|, A + lw (Q - A) / |Q - A|; a zero-length neighbour
// vector gives a zero offset.
void outlineband(Raster *rp, int ax, int ay, int bx, int by, int nx, int ny, int qx, int qy,
                 int lw);

// Half-width of row dy of the filled ellipse with radii a, b (the rule of
// platform/raster.h), -1 outside it.
int ellipsehalfwidth(int a, int b, int dy);
// Fills the ellipse (a, b) at (cx, cy) except where the ellipse (ia, ib) lies;
// a negative inner radius leaves nothing out.
void fillring(Raster *rp, int cx, int cy, int a, int b, int ia, int ib);

// Stamps filled discs of radius r along the line (X0, Y0)-(X1, Y1), one per
// pixel of its major axis. inset = true: the first and last centres lie r
// inside the end points (the drawn line); false: centres run from end point to
// end point, both included (erasing). A negative r draws nothing.
void thickline(Raster *rp, int X0, int Y0, int X1, int Y1, int r, bool inset);
// The line-end mark of part d (kinds 18 to 35) of record r at (X0, Y0), in its
// pens. erase = true paints the whole mark in the current pen instead (an open
// diamond as the filled diamond).
void drawlineend(Raster *rp, const IWORecord &r, const DrawPart &d, int X0, int Y0, bool erase);

// The highlight parts of record r in pen: kind 1 a 3-pixel frame round the
// box (erase = true: the whole grown box), kind 6 a 3-pixel halo, kind 7 a
// 6-pixel band inside the outline of the box grown by 15 units.
void drawhighlightparts(Raster *rp, IWORecord &r, int pen, bool erase);

// Where and in what font a label is drawn.
struct LabelGeometry {
    TextFont *font = nullptr; // font the label is drawn in; null: no font, no label
    int n = 0;                // bytes of the label
    int tl = 0;               // its width in pixels
    int tx = 0, ty = 0;       // baseline start of the text
};
// Opens the label font of object i and measures the label; a Text object takes
// its width and height from it. False when no font can be opened.
bool labelgeometry(int i, LabelGeometry &g);
// The label of object i, as the last step of drawing it.
void drawlabel(int i);
// The fold marker of object i in the current pen.
void foldmarker(Raster *rp, int i);
// The box (relative to the pen position on the baseline) that the glyphs of n
// bytes of s cover; false when they cover nothing.
bool textinkbox(TextFont *font, const char *s, int n, int &x0, int &y0, int &x1, int &y1);
