// Placeholder bodies until the view, grid and handle code lands.
#include "render/grid.h"
#include "render/handles.h"
#include "render/view.h"

float zoom = 0.3f;
int16_t drawspacebitmapwidth = 2048;
int16_t drawspacebitmapheight = 2048;
int16_t drawspacebitmapx = 0;
int16_t drawspacebitmapy = 0;
int16_t scrollsizex = 50;
int16_t scrollsizey = 50;
int16_t GridSize = 100;
int16_t ShowGrid = 0;
int16_t SnapToGrid = 0;
const char *sizelist[PAPERSIZES + 1] = {};
const int16_t setpaperwidth[PAPERSIZES] = {};
const int16_t setpaperheight[PAPERSIZES] = {};
int getdrawx(int x) { return x; }
int getdrawy(int y) { return y; }
int getrealx(int px) { return px; }
int getrealy(int py) { return py; }
int setbitmapsize() { return 1; }
int updatescrollers() { return 1; }
int scrolldiagram(int, int) { return 1; }
int zoomin() { return 1; }
int zoomout() { return 1; }
int update() { return 1; }
int checkonpage(int) { return 1; }
int togglegrid() { return 1; }
int snaptogrid() { return 1; }
int increasegrid(int) { return 1; }
int drawgrid() { return 1; }
int patchgrid(int, int, int, int) { return 1; }
int checkongrid(int) { return 1; }
int insideIWO(int, int, int) { return -99; }
int checkIWOhandle(int, int, int) { return 0; }
int drawIWOhandles(int, int) { return 1; }
