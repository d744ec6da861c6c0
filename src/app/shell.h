// shell.h - program-wide globals of the application shell.
#pragma once
#include "model/iwo.h"

#include <cstdint>

constexpr int16_t IWRelease = 97; // release number written into files

extern char IWVersionString[255];   // the version line, written into files
extern TextAttr IWeaveFont;         // the interface font (size 16, flags 1)
extern char IWeaveFontName[256];    // its name
extern TextAttr tempfont;           // working interface font; its size sets the height of
                                    // Text objects and of label backgrounds
extern int16_t DiagramExists;       // 1 while a diagram is open
extern int16_t IconSet;             // toolbar icon set
extern int16_t DefaultIWOWidth;     // size of a new object
extern int16_t DefaultIWOHeight;
