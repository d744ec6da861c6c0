// window.h - the drawing window as the core sees it: its pen raster (the size
// of the window's inner area) and its two scrollers.
//
// The core draws straight into `drawspacerp`; the desktop platform shows that
// raster through the screen palette and mirrors the scrollers in its scroll
// bars. Scroller values are kept here, so that headless sessions behave as the
// editor does; a scroller clamps its top to 0..total-visible as a scroll bar does.
//
//   opendrawspacewindow(w, h)       create the raster for an inner area of w x h
//   closedrawspacewindow()          free it
//   resizedrawspacewindow(w, h)     new inner size (the raster is cleared to pen 0)
//   drawspacewindowwidth()          inner width in pixels (0 while closed)
//   drawspacewindowheight()         inner height
//   getscrollertop(s)               top of scroller s (HSCROLLER or VSCROLLER)
//   setscrollertop(s, top)          set the top (clamped)
//   setscrollervisible(s, v)        set the visible amount (the top is re-clamped)
//   setscrollertotal(s, t)          set the total (the top is re-clamped)
//   getscroller(s)                  all three values
//   setpointerposition(x, y)        the platform reports the pointer (inner-area pixels)
//   pointerx(), pointery()          the last pointer position reported
#pragma once
#include "platform/raster.h"

#include <cstdint>

enum { HSCROLLER = 0, VSCROLLER = 1 };

struct Scroller {
    int top = 0;     // first visible extent pixel
    int visible = 0; // extent pixels shown
    int total = 0;   // extent pixels in all
};

extern Raster *drawspacerp; // the drawing window's raster; null while closed

int opendrawspacewindow(int w, int h);
int closedrawspacewindow();
int resizedrawspacewindow(int w, int h);
int drawspacewindowwidth();
int drawspacewindowheight();
int getscrollertop(int s);
void setscrollertop(int s, int top);
void setscrollervisible(int s, int visible);
void setscrollertotal(int s, int total);
Scroller getscroller(int s);
void setpointerposition(int x, int y);
int pointerx();
int pointery();
