// prefs.h - the program-wide settings list and the defaults for new diagrams.
//
//   setdefaultpreferences()   fill defaultIWODiagram and PrefList with the built-in defaults
//                             (the settings list itself is in model/settings.h)
//   writePrefList(l, p)       serialise the list to 288 big-endian bytes
//   readPrefList(l, p)        deserialise 288 bytes
//
// Settings list layout (big-endian):
//   OFFSET SIZE DESCRIPTION
//        0    8 font            interface font: u32 name pointer, u16 size, u8 style, u8 flags
//        8    2 highlightcolour selection highlight pen for new diagrams
//       10  256 fontname        interface font name
//      266    2 scrollsizex     wheel scroll step
//      268    2 scrollsizey
//      270    2 ShowGrid
//      272    2 SnapToGrid
//      274    2 GridSize
//      276    4 zoom            IEEE single precision
//      280    2 QuickDraw
//      282    2 IconSet
//      284    2 HighlightOn
//      286    2 reserved        kept as read
#pragma once
#include "model/settings.h"

#include <cstdint>

constexpr int PREFLISTSIZE = 288;

extern int16_t IconSet; // toolbar icon set

void writePrefList(const PrefListRecord &l, uint8_t *p);
void readPrefList(PrefListRecord &l, const uint8_t *p);
int setdefaultpreferences();
