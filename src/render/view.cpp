// view.cpp - view state.
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
