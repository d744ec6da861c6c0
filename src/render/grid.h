// grid.h - the grid: drawing its dots, repairing them, snapping objects to it.
//
//   togglegrid()                 show or hide the grid, redraw
//   snaptogrid()                 deselect all, toggle snapping
//   increasegrid(up)             grid size up or down by 25 (50..500), redraw
//   drawgrid()                   draw the dots over the page
//   patchgrid(x0, y0, x1, y1)    redraw the dots inside a box in diagram units
//   checkongrid(i)               snap object i
#pragma once

int togglegrid();
int snaptogrid();
int increasegrid(int up);
int drawgrid();
int patchgrid(int x0, int y0, int x1, int y1);
int checkongrid(int i);
