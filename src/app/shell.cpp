// shell.cpp - program-wide globals of the application shell.
#include "app/shell.h"

char IWVersionString[255] = "Ideaweave Version 0.9 Release 7a";
TextAttr IWeaveFont = {0, 16, 0, 1};
char IWeaveFontName[256] = "Bitstream Vera Sans.font";
TextAttr tempfont = {0, 16, 0, 1};
int16_t DiagramExists = 0;
int16_t IconSet = 2;
int16_t DefaultIWOWidth = 310;
int16_t DefaultIWOHeight = 210;
