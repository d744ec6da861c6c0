// settings.cpp - the program-wide settings and the view and grid settings.
#include "model/settings.h"

PrefListRecord PrefList;

TextAttr IWeaveFont = {0, 16, 0, 1};
char IWeaveFontName[256] = "Bitstream Vera Sans.font";

float zoom = 0.3f;
int16_t scrollsizex = 50;
int16_t scrollsizey = 50;
int16_t GridSize = 100;
int16_t ShowGrid = 0;
int16_t SnapToGrid = 0;
