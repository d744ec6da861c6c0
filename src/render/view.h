// view.h - view state: zoom, drawing extent, scroll steps and the grid settings.
#pragma once
#include <cstdint>

extern float zoom;                    // pixels per diagram unit
extern int16_t drawspacebitmapwidth;  // drawing extent width in pixels (scroll total)
extern int16_t drawspacebitmapheight; // drawing extent height in pixels
extern int16_t drawspacebitmapx;      // horizontal scroll top seen by the last page clear
extern int16_t drawspacebitmapy;      // vertical scroll top seen by the last page clear
extern int16_t scrollsizex;           // pixels scrolled per wheel step, horizontally
extern int16_t scrollsizey;           // pixels scrolled per wheel step, vertically
extern int16_t GridSize;              // grid spacing in diagram units
extern int16_t ShowGrid;              // 1 = grid dots drawn
extern int16_t SnapToGrid;            // 1 = selected objects snap to the grid
