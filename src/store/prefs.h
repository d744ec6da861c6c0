// prefs.h - the program-wide settings list and the defaults for new diagrams.
//
//   setdefaultpreferences()   fill defaultIWODiagram and PrefList with the built-in defaults
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
#include "model/iwo.h"

#include <cstdint>

constexpr int PREFLISTSIZE = 288;

struct PrefListRecord {
    TextAttr font;               // interface font
    int16_t highlightcolour = 3; // highlight pen copied into each new diagram
    char fontname[256] = {};     // interface font name
    int16_t scrollsizex = 50;    // wheel scroll steps
    int16_t scrollsizey = 50;
    int16_t ShowGrid = 0;      // grid shown in new diagrams
    int16_t SnapToGrid = 0;    // snapping on in new diagrams
    int16_t GridSize = 100;    // grid spacing
    float zoom = 0.3f;         // zoom of a new diagram
    int16_t QuickDraw = 0;     // kept with the settings, otherwise unused
    int16_t IconSet = 2;       // toolbar icon set
    int16_t HighlightOn = 0;   // selected objects show their highlight outline
    uint8_t reserved[2] = {};  // never interpreted
};

extern PrefListRecord PrefList; // the program-wide settings
extern int16_t HighlightOn;     // 1 = draw the selection highlight

void writePrefList(const PrefListRecord &l, uint8_t *p);
void readPrefList(PrefListRecord &l, const uint8_t *p);
int setdefaultpreferences();
