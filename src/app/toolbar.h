// toolbar.h - the toolbar window ("Tools") and the tool palette ("Shapes"):
// icon file names, help texts and their window handlers.
//
//   setupicons()                        fill Icon from IconSet
//   sethelptext()                       help texts of the toolbar buttons
//   tophalfgadget(id)                   1 when the pointer is in the upper half of gadget id
//   ideaweavewindowevents(result, code) toolbar handler; nonzero = quit
//   shapewindowevents(result, code)     palette handler; nonzero = quit
//   iconindex(id)                       the Icon entry of a toolbar or palette button, or -1
//
// Icon names are relative to the program's data directory: "icons/large/new"
// is the file icons/large/new.svg or .png there; a button's selected image is
// its name with "_s" appended. IconSet 0 uses icons/large/, 1 icons/small/,
// 2 the desktop's icon theme (by base name), falling back to icons/large/.
//
// Gadget ids: toolbar buttons 23..39 (no 38), palette tools 101..143, the
// palette's tab strip 12 and help line 22.
#pragma once
#include <cstdint>
#include <string>

constexpr int ICONCOUNT = 88;
extern char Icon[ICONCOUNT][50]; // icon file names: directory + base name

int setupicons();
int sethelptext();
int tophalfgadget(int id);
int ideaweavewindowevents(int32_t result, int code);
int shapewindowevents(int32_t result, int code);
int iconindex(int id);
