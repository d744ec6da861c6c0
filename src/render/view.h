// view.h - the mapping between diagram units and window pixels under zoom and
// scroll, the drawing extent and its scrollers, the paper tables, and keeping
// objects on the page.
//
//   getdrawx(x), getdrawy(y)   diagram unit to window pixel
//   getrealx(px), getrealy(py) window pixel to diagram unit
//   setbitmapsize()            size the drawing extent for the zoom and page
//   updatescrollers()          give the scrollers the extent and window sizes
//   scrolldiagram(dx, dy)      scroll by mouse-wheel steps
//   zoomin(), zoomout()        change the zoom by 0.1 and redraw
//   zoomstepin(z, w, h), zoomstepout(z, w, h)
//                              the zoom one step in or out from z for a page of
//                              w x h units (z itself where the step is refused)
//   update()                   re-layout and redraw everything
//   checkonpage(i, snap)       keep object i inside the page margins and, unless snap
//                              is false, on the grid
//   truncpixel(v)              a float position to a pixel, truncated toward zero, held
//                              within +-2^30 (never wraps; no window reaches that far)
//
// The zoom, the scroll steps and the grid settings are in model/settings.h.
#pragma once
#include "model/settings.h"

#include <cstdint>

extern int16_t drawspacebitmapwidth;  // drawing extent width in pixels (scroll total)
extern int16_t drawspacebitmapheight; // drawing extent height in pixels
extern int16_t drawspacebitmapx;      // horizontal scroll top seen by the last page clear
extern int16_t drawspacebitmapy;      // vertical scroll top seen by the last page clear

// Paper tables, indexed by the paper-size choice (0 = custom).
constexpr int PAPERSIZES = 9;
extern const char *sizelist[PAPERSIZES + 1]; // chooser labels, null-terminated
extern const int16_t setpaperwidth[PAPERSIZES];
extern const int16_t setpaperheight[PAPERSIZES];

int getdrawx(int x);
int getdrawy(int y);
int getrealx(int px);
int getrealy(int py);
int setbitmapsize();
int updatescrollers();
int scrolldiagram(int dx, int dy);
float zoomstepin(float z, int16_t w, int16_t h);
float zoomstepout(float z, int16_t w, int16_t h);
int zoomin();
int zoomout();
int update();
int checkonpage(int i, bool snap = true);
int truncpixel(double v);
