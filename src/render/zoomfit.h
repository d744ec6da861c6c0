// zoomfit.h - fitting the view to the page or to the selection, zooming about
// a point of the window, and scrolling an object into view.
//
//   FITMARGIN            window pixels kept free round a fitted page or box
//   MINFITZOOM           the smallest zoom a fit gives, as Zoom Out's: below
//                        it outlines one unit wide come out zero pixels wide,
//                        so a window too small for the page shows part of it
//   MAXFITZOOM           the largest zoom a fit to a selection gives
//   fitzoom(w, h, winw, winh, most)
//                        the largest zoom at which a box of w x h units fits a
//                        window of winw x winh pixels with FITMARGIN round it,
//                        held within MINFITZOOM..most
//   pagezoomlimit(w, h)  the largest zoom whose drawing extent a 16-bit window
//                        coordinate still addresses, for a page of w x h units
//   centretop(centre, z, page, extent, window)
//                        the scroller top that puts diagram coordinate centre
//                        (units) at pixel `window / 2` along one axis
//   zoomtofit()          the whole page in the window, centred
//   zoomtoselection()    the selected objects' box as large as fits, centred;
//                        nothing when nothing is selected
//   zoomabout(dir, px, py)  one zoom step in (dir > 0) or out (dir < 0), keeping
//                        the diagram point under window pixel (px, py) there
//   scrolltoshow(index)  scroll (centring it) when object index is not wholly
//                        in the window; 1 when the view moved
#pragma once
#include <cstdint>

constexpr int FITMARGIN = 8;
constexpr float MINFITZOOM = 0.1f;
constexpr float MAXFITZOOM = 3.0f;

float fitzoom(int w, int h, int winw, int winh, float most);
float pagezoomlimit(int16_t w, int16_t h);
int centretop(double centre, float z, int16_t page, int extent, int window);
int zoomtofit();
int zoomtoselection();
int zoomabout(int dir, int px, int py);
int scrolltoshow(int index);
