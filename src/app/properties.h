// properties.h - the object properties window ("Object Properties") and the
// two small modal windows that serve it: the palette window ("Select a
// colour") and the style window ("Styles").
//
// The window shows the focus object (selectedIWO) and edits it, or every
// selected object: Apply and Apply To ALL carry over what the user changed
// relative to the focus object, so a field left alone keeps each object's own
// value. Locked, Hide Node, Fill, Position and the line ends act at once.
//
//   propmain()                     open (or refresh) the window for the focus object
//   make_propwindow()              build the window's gadget table
//   disableIWOprop(flag)           1: disable the gadgets (no object shown); 0: enable
//   iwopropertiesevents(result, code)  the window's handler; 1 when it was closed
//   palettemain(pen)               the palette window: the pen clicked, or pen
//   make_palettewindow()           place the palette window
//   openstylewindow()              the style window: the style clicked, or 0
//   make_stylewindow()             build the style window's buttons
//   setstyle(n, style, end)        line end `end` (1 start, 2 end) of object n
//   righthalfgadget(x, id)         window-relative x lies in the left half of gadget id
//
// Gadgets (ids): 209 ID No, 210 Name, 201 tabs; Layout: 212 X, 213 Y,
// 214 Width, 215 Height, 216 Locked, 217 Hide Node; Drawing: 229 Fill Colour,
// 228 Line Colour, 227 Line Weight, 231 Start Style, 233 its size, 232 End
// Style, 234 its size; Text: 218 Label, 219 Font, 220 Label colours (left
// half the background pen, right half the text pen), 226 Fill, 223 Position,
// 224 label X, 225 label Y; bottom row: 235 Undo, 237 Apply To ALL, 236 Apply.
//
// updateIWOprop(n) (show object n; n < 1: nothing selected) and the open flag
// propwindowopen are declared in ui/ui.h, for the editing code that keeps the
// window up to date.
#pragma once
#include "model/iwo.h"
#include "platform/gadgets.h"
#include "ui/ui.h"

#include <cstdint>

// ---- the object properties window ----
extern GadgetWindow propwin;                // the window object and its gadget table (PropObjects)
extern int16_t propwinx, propwiny;          // its last position
extern int16_t propwinwidth, propwinheight; // its last size

// ---- working values the colour and font buttons edit and Apply writes ----
extern int16_t tempIWOlinecolour;  // Line Colour
extern int16_t tempIWOfillcolour;  // Fill Colour
extern int16_t tempIWOfontcolour;  // label text pen
extern int16_t tempIWOlabelcolour; // label background pen
extern TextAttr tempIWOfont;       // label font size and style
extern char tempIWOfontname[256];  // label font name

// ---- the palette and style windows ----
extern int16_t palettewinx, palettewiny; // the palette window's position
extern int16_t stylewindowopen;          // 1 while the style window is shown
extern int16_t stylewinx, stylewiny;     // the style window's position

// ---- label placements ----
constexpr int TEXTPOSITIONS = 10;
constexpr int CUSTOMPOSITION = 9;                     // "Custom": the label stays where it is
extern const char *const textposition[TEXTPOSITIONS]; // chooser names
extern const int16_t textx[TEXTPOSITIONS];            // label x, percent of the width
extern const int16_t texty[TEXTPOSITIONS];            // label y, percent of the height

int propmain();
int make_propwindow();
int disableIWOprop(int flag);
int iwopropertiesevents(int32_t result, int code);
int palettemain(int pen);
int make_palettewindow();
int openstylewindow();
int make_stylewindow();
int setstyle(int n, int style, int end);
int righthalfgadget(int x, int id);
