// ui.h - what the layers below the application ask of the user interface:
// requesters, the chosen tool, the object properties window and the dispatch
// of menu picks. What menu items and buttons offer is no business of theirs:
// the application works it out from the program's state after each event
// (app/menustate.h).
//
// The functions are declared here, below every layer that calls them, and
// defined by the application (src/app): editing, storing and exporting say
// what the user should see without depending on how the application shows
// it. The tool-button state, the palette's layout and the properties window's
// open flag live here too, since editing reads and sets them.
//
// Requesters (app/requesters.cpp):
//   MessageReq(body, title)  information with "Okay"; returns 1
//   ErrorReq(body)           "Ideaweave Error" with "Okay"; returns 1
//   ConfirmReq(body, canceldefault)  "Ideaweave Warning", "Okay | Cancel"; 1 Okay,
//                            0 Cancel; Enter presses Cancel when canceldefault is true
//                            (questions before work is lost), else Okay
//   TextReq(n)               edit the label of object n; 1 Okay, 0 Cancel
//
// Tools (app/tools.cpp):
//   choosetool(newtool, oldtool)   show newtool's button as chosen; returns newtool
//   findIWObutton()                find the palette position of the current tool
//   changeIWObutton()              make selectedgadget the current tool
//
// The object properties window (app/properties.cpp):
//   updateIWOprop(n)               show object n (n < 1: nothing selected)
//
// Menus (app/commands.cpp):
//   processMenus(num)              run the command of a menu number; 1 = quit
//   quitiw()                       the quit questions (unsaved diagram, unsaved user
//                                  objects); 1 = quit
//
// Diagrams (app/session.cpp):
//   startloadeddiagram()           show a diagram just read or built into the
//                                  table: drawn, tools enabled, marked unmodified
#pragma once
#include <cstdint>

// ---- the palette's layout ----
// Three tabs of twelve tool buttons each, positions 1 to 12 in two columns:
// odd positions on the left, even ones on the right, two to a row.
constexpr int PALETTETABS = 3;
constexpr int PALETTEBUTTONS = 12;
enum class PaletteMove { NextTab, Up, Down, Across };

// ---- tool-button state ----
extern int16_t IWObutton[PALETTETABS][PALETTEBUTTONS + 1]; // tools by tab and position 1..12
extern int16_t IWObuttonTab;                               // palette tab of the current tool
extern int16_t IWObuttonNo;                                // its position on the tab, 0 = none
extern int16_t selectedgadget;                             // id of the last gadget used

// The position of tool on a tab of the button table; 0 when it isn't there.
int paletteposition(const int16_t (&buttons)[PALETTETABS][PALETTEBUTTONS + 1], int tab, int tool);
// Moves the palette's cursor a row up or down (wrapping round within the
// column), across to the other column, or to the next tab at the same
// position. Position 0, no current button, starts at 1 for Tab and Across.
void movepalette(PaletteMove move, int &tab, int &position);

// ---- the object properties window ----
extern int16_t propwindowopen; // 1 while the object properties window is open

int MessageReq(const char *body, const char *title);
int ErrorReq(const char *body);
int ConfirmReq(const char *body, bool canceldefault = false);
int TextReq(int n);

int choosetool(int newtool, int oldtool);
int findIWObutton();
int changeIWObutton();

int updateIWOprop(int n);

int processMenus(int num);

int startloadeddiagram();
int quitiw();
