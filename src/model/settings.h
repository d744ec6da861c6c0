// settings.h - the program-wide settings list, the interface font and the view
// and grid settings: state that creation and a new diagram read, and that the
// drawing, the preferences file and the windows share.
//
// The settings list's file layout and its reading and writing are in
// store/prefs.h.
#pragma once
#include "model/iwo.h"

#include <cstdint>

struct PrefListRecord {
    TextAttr font;               // interface font
    int16_t highlightcolour = 3; // highlight pen copied into each new diagram
    char fontname[256] = {};     // interface font name
    int16_t scrollsizex = 50;    // wheel scroll steps
    int16_t scrollsizey = 50;
    int16_t ShowGrid = 0;     // grid shown in new diagrams
    int16_t SnapToGrid = 0;   // snapping on in new diagrams
    int16_t GridSize = 100;   // grid spacing
    float zoom = 0.3f;        // zoom of a new diagram
    int16_t QuickDraw = 0;    // kept with the settings, otherwise unused
    int16_t IconSet = 2;      // toolbar icon set
    int16_t HighlightOn = 0;  // selected objects show their highlight outline
    uint8_t reserved[2] = {}; // never interpreted
};

extern PrefListRecord PrefList; // the program-wide settings

// ---- the interface font ----
extern TextAttr IWeaveFont;      // the interface font (size 16, flags 1); new labels take it
extern char IWeaveFontName[256]; // its name

// ---- view and grid ----
extern float zoom;          // pixels per diagram unit
extern int16_t scrollsizex; // pixels scrolled per wheel step, horizontally
extern int16_t scrollsizey; // pixels scrolled per wheel step, vertically
extern int16_t GridSize;    // grid spacing in diagram units
extern int16_t ShowGrid;    // 1 = grid dots drawn
extern int16_t SnapToGrid;  // 1 = selected objects snap to the grid
