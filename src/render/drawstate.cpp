// drawstate.cpp - the editor's state and the settings that drawing reads.
#include "render/drawstate.h"

int16_t selectedtool = SELECTTOOL;
int16_t selectedIWOhandle = 0;
int16_t AltDown = 0;
int16_t HighlightOn = 0;
TextAttr tempfont = {0, 16, 0, 1};
