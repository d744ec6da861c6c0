// toolicon.h - tool button pictures drawn by the renderer itself from each
// object type's default drawing, so that a tool always looks like the object
// it makes, in the current pens.
//
//   drawtoolicon(rp, type, size)   size rp to size x size pixels (all pen 0) and draw
//                                  a default object of `type` centred in it; pen 0
//                                  stays wherever nothing is drawn (a transparent
//                                  background for the caller). Returns 1, or 0 for
//                                  a type without a default drawing.
//   drawlineendicon(rp, kind, end, size)  size rp to size x size pixels and draw a short
//                                  line whose end `end` (1 start, 2 end) has the mark
//                                  of draw-part kind `kind` (17 to 35; 17 no mark)
#pragma once

struct Raster;

int drawtoolicon(Raster *rp, int type, int size);
int drawlineendicon(Raster *rp, int kind, int end, int size);
