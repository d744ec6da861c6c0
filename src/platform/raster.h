// raster.h - the drawing window's pen raster and the drawing primitives on it.
//
// The picture of the drawing window is an 8-bit raster owned by the program:
// one byte per pixel holding a pen number (the low 8 bits of a 16-bit pen).
// Everything the renderer paints goes through the functions below. Every
// primitive is clipped to the raster: any int coordinates are accepted, however
// far outside, and nothing is ever written outside the raster (no wrapping).
//
// Public functions (rp is the raster drawn into):
//   newraster(w, h)                   new raster of w x h pixels, all pen 0
//   freeraster(rp)                    release a raster (null is fine)
//   sizeraster(rp, w, h)              change the size; all pixels become pen 0
//   SetRast(rp, pen)                  set every pixel to pen (mode ignored)
//   SetAPen(rp, pen) / SetBPen(rp, pen)   foreground / background pen
//   SetDrMd(rp, mode)                 JAM1 or COMPLEMENT
//   SetDrPt(rp, pattern)              16-bit line pattern; restarts it at its top bit
//   ReadPixel(rp, x, y)               pen at (x, y), -1 outside the raster
//   WritePixel(rp, x, y)              plot one pixel
//   Move(rp, x, y)                    set the pen position, start a new polyline
//   Draw(rp, x, y)                    1-pixel line from the pen position to (x, y)
//   RectFill(rp, x0, y0, x1, y1)      filled rectangle, both corners included
//   vspan(rp, x, y0, y1)              column x from y0 to y1, both included, any order
//   hspan(rp, y, x0, x1)              row y from x0 to x1, both included, any order
//   AreaMove(rp, x, y)                start a polygon in the area buffer
//   AreaDraw(rp, x, y)                add a vertex to the polygon
//   AreaEnd(rp)                       fill the buffered polygons, empty the buffer
//   AreaEllipse(rp, cx, cy, a, b)     filled ellipse, drawn at once
//   DrawEllipse(rp, cx, cy, a, b)     ellipse outline
//   SetClip(rp, x0, y0, x1, y1)       draw only inside this box (corners included)
//   ClearClip(rp)                     draw anywhere in the raster again
//   keepmarks(rp, on)                 keep (or stop keeping) the marks layer below
//   SetMark(rp, mark)                 1: what is drawn now is an editor mark, 0: the picture
// Text drawing (SetFont, Text) is in platform/fonts.h.
//
// Marks. A raster can keep, beside its pens, one byte per pixel telling
// whether the pixel shows an editor mark (handles, the grid, the highlight,
// the fold marker, the pointer outline and the rubber band) rather than the
// picture of the objects, so that a view drawing the objects another way can
// lay the marks over its own picture. While marks are kept, every pixel drawn
// in JAM1 takes the current mark, and every pixel drawn in COMPLEMENT with
// mark 1 flips its mark (drawing the same outline twice restores both the
// pens and the marks); SetRast clears them. A raster that keeps no marks
// costs nothing more.
//
// Drawing modes. JAM1 sets each pixel drawn to the foreground pen. COMPLEMENT
// XORs each pixel drawn with 0xFF (the pen is not used), so drawing the same
// thing twice restores the raster. Every primitive touches each pixel at most
// once per call, so a single call never leaves holes in complement mode.
//
// Rasterisation rules:
//   Lines (Draw): the pixels of the line from A to B are, for every value m of
//     the major coordinate from A's to B's (x when |dx| >= |dy|, else y), the
//     pixel whose minor coordinate is nearest to the exact line; an exact tie
//     goes to the smaller coordinate (up or left). So both end points are part
//     of the line, a line has max(|dx|, |dy|) + 1 pixels, and A to B gives the
//     same pixels as B to A.
//     Polylines: when the pen position was left by a Draw, the next Draw does
//     not plot its first pixel again, and a Draw that comes back to the point
//     of the last Move does not plot its last pixel again. So Move P0, Draw P1,
//     ..., Draw Pn = P0 plots every vertex once and a closed outline can be
//     drawn and undrawn in complement mode. (Pixels shared by two non-adjacent
//     parts of a polyline that crosses itself are still drawn twice.)
//     Line pattern: every pixel a Draw plots takes the next bit of the 16-bit
//     pattern, from bit 15 down to bit 0 and round again; the pixel is drawn
//     only when the bit is 1. The position in the pattern carries over from
//     one Draw to the next and restarts at bit 15 on SetDrPt. A pixel skipped
//     by the polyline rule takes no bit; pixels clipped away do take theirs.
//     No other primitive uses the pattern.
//   Rectangles (RectFill, spans): both corners included; RectFill does nothing
//     when x1 < x0 or y1 < y0.
//   Polygons (AreaMove / AreaDraw / AreaEnd): vertices are pixel positions. A
//     pixel (x, y) is filled when the point (x, y) is inside the polygon by the
//     even-odd rule; a point exactly on an edge is inside on left and top edges
//     and outside on right and bottom edges (on row y an edge counts when
//     ymin <= y < ymax, and the pixels from ceil(xl) to ceil(xr) - 1 between two
//     crossings xl <= xr are filled). So the polygon (0,0) (10,0) (10,5) (0,5)
//     fills x 0..9, y 0..4 (one less than RectFill(0,0,10,5) on the right and
//     bottom), two polygons sharing an edge never overlap, and a polygon of zero
//     area fills nothing. Several AreaMove sub-polygons before one AreaEnd are
//     filled together by the even-odd rule. The buffer holds AREAMAXVERTICES
//     vertices in all; AreaMove/AreaDraw return 0 (and drop the vertex) when
//     it is full, else 1.
//   Ellipses: the filled ellipse with centre (cx, cy) and radii a, b is every
//     pixel (cx + dx, cy + dy) with (dx / (a + 1/2))^2 + (dy / (b + 1/2))^2 <= 1:
//     exactly the columns cx - a .. cx + a and rows cy - b .. cy + b, symmetric
//     about both axes; radius 0 gives a single pixel (or a 1-pixel line when only
//     one radius is 0). The outline (DrawEllipse) is every pixel of that filled
//     ellipse with one of its four neighbours outside it. A negative radius
//     draws nothing. Radii above 2^26 are treated as 2^26. AreaEllipse fills at
//     once and does not use the area buffer; an AreaEnd after it does nothing.
#pragma once
#include <cstdint>
#include <vector>

struct TextFont;

// Drawing modes.
enum { JAM1 = 0, COMPLEMENT = 2 };

// Vertices the area buffer holds.
constexpr int AREAMAXVERTICES = 20;

// A pen raster with its drawing state.
struct Raster {
    int Width = 0;                   // pixels per row
    int Height = 0;                  // rows
    std::vector<uint8_t> Pixels;     // Width x Height pens, row by row from the top
    uint8_t FgPen = 1;               // foreground pen (low 8 bits of the pen set)
    uint8_t BgPen = 0;               // background pen (kept; neither mode draws with it)
    int DrawMode = JAM1;             // JAM1 or COMPLEMENT
    uint16_t LinePtrn = 0xFFFF;      // line pattern for Draw
    int linpatcnt = 15;              // pattern bit the next line pixel takes
    int cp_x = 0, cp_y = 0;          // pen position
    int pathx = 0, pathy = 0;        // position of the last Move
    bool drawing = false;            // the pen position was left by a Draw
    int areacount = 0;               // vertices in the area buffer
    int areax[AREAMAXVERTICES] = {}; // buffered vertices
    int areay[AREAMAXVERTICES] = {};
    bool areastart[AREAMAXVERTICES] = {}; // vertex begins a sub-polygon (AreaMove)
    TextFont *Font = nullptr;             // font for Text (platform/fonts.h)
    // The box the primitives draw in, besides the raster's own bounds.
    int64_t ClipX0 = INT64_MIN, ClipY0 = INT64_MIN, ClipX1 = INT64_MAX, ClipY1 = INT64_MAX;
    std::vector<uint8_t> Marks; // Width x Height marks when kept, else empty
    bool keepmarks = false;     // Marks is kept
    uint8_t Mark = 0;           // mark of what is drawn now
};

Raster *newraster(int w, int h);
void freeraster(Raster *rp);
int sizeraster(Raster *rp, int w, int h);
void SetRast(Raster *rp, int pen);

void SetAPen(Raster *rp, int pen);
void SetBPen(Raster *rp, int pen);
void SetDrMd(Raster *rp, int mode);
void SetDrPt(Raster *rp, uint16_t pattern);
void keepmarks(Raster *rp, bool on);
void SetMark(Raster *rp, int mark);

int ReadPixel(const Raster *rp, int x, int y);
void WritePixel(Raster *rp, int x, int y);
void Move(Raster *rp, int x, int y);
void Draw(Raster *rp, int x, int y);
void RectFill(Raster *rp, int x0, int y0, int x1, int y1);
void vspan(Raster *rp, int x, int y0, int y1);
void hspan(Raster *rp, int y, int x0, int x1);

int AreaMove(Raster *rp, int x, int y);
int AreaDraw(Raster *rp, int x, int y);
int AreaEnd(Raster *rp);
void AreaEllipse(Raster *rp, int cx, int cy, int a, int b);
void DrawEllipse(Raster *rp, int cx, int cy, int a, int b);
void SetClip(Raster *rp, int x0, int y0, int x1, int y1);
void ClearClip(Raster *rp);
