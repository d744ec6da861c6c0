// prefwindow.h - the preferences window ("Ideaweave Preferences").
//
// The window edits the settings (store/prefs.h): the defaults every new
// diagram starts with (defaultIWODiagram) and the program-wide list
// (PrefList). Apply To New stores what the window shows as the settings;
// Apply Now stores them and applies them at once to the live view (grid,
// zoom, scroll steps) and the open diagram's pens and font. Nothing is written
// to a file here: Preferences > Save Settings does that.
//
//   preferences()               open the window (or refresh it) with the settings
//   make_prefwindow()           build the window's gadget table
//   updatePreferences()         show the settings in the gadgets
//   applyPreferences()          store the gadgets into the settings
//   applypreferencesnow()       the settings into the live view and the open diagram
//   changescreenfont()          say that a new screen font or icon set needs a restart
//   prefevents(result, code)    the window's handler; 1 when it was closed
//
// Gadgets (ids): 406 tabs; Info: 411 Default Title, 412 Save Path (a drawer
// chooser), 413 Author, 414 Description; Page: 417 Paper Size, 415 Width,
// 416 Height, 418 Paper Colour; Object: 421 Fill Colour, 420 Line Colour,
// 419 Line Weight, 429 Label Font, 430 Label Colours (left half the background
// pen, right half the text pen); Interface: 439 Screen Font, 422 Highlight
// Colour, 423 On, 438 Default Zoom (%), 437 Grid Size (mm), 435 Show Grid,
// 436 Snap To Grid; Misc: 432 Undo Buffer (shown only), 433 Scroll Speed,
// 434 Icon Set; bottom row: 440 Apply Now, 441 Apply To New.
#pragma once
#include "platform/gadgets.h"

#include <cstdint>

extern GadgetWindow prefwin;                // the window object and its gadget table
extern int16_t prefwindowopen;              // 1 while the window is open
extern int16_t prefwinx, prefwiny;          // its last position
extern int16_t prefwinwidth, prefwinheight; // its last size

// Working colours the colour buttons set and either Apply stores.
extern int16_t tempdefaultpapercolour, tempdefaultlinecolour, tempdefaultfillcolour;
extern int16_t tempdefaulthighlightcolour, tempdefaultfontcolour, tempdefaultlabelcolour;

extern const char *const PREFIcons[3]; // icon set names, index = IconSet

int preferences();
int make_prefwindow();
int updatePreferences();
int applyPreferences();
int applypreferencesnow();
int changescreenfont();
int prefevents(int32_t result, int code);
