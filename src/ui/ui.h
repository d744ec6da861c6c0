// ui.h - what the layers below the application ask of the user interface:
// requesters, the chosen tool, the object properties window and the dispatch
// of menu picks. What menu items and buttons offer is no business of theirs:
// the application works it out from the program's state after each event
// (app/menustate.h).
//
// The functions are declared here, below every layer that calls them, and
// defined by the application (src/app): editing, storing and exporting say
// what the user should see without depending on how the application shows
// it. The tool-button state and the properties window's open flag live here
// too, since editing reads and sets them.
//
// Requesters (app/requesters.cpp):
//   MessageReq(body, title)  information with "Okay"; returns 1
//   ErrorReq(body)           "Ideaweave Error" with "Okay"; returns 1
//   ConfirmReq(body)         "Ideaweave Warning", "Okay | Cancel"; 1 Okay, 0 Cancel
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
//
// Diagrams (app/session.cpp):
//   startloadeddiagram()           show a diagram just read or built into the
//                                  table: drawn, tools enabled, marked unmodified
#pragma once
#include <cstdint>

// ---- tool-button state ----
extern int16_t IWObutton[3][13]; // palette tools by tab and position 1..12
extern int16_t IWObuttonTab;     // palette tab of the current tool
extern int16_t IWObuttonNo;      // its position on the tab, 0 = none
extern int16_t selectedgadget;   // id of the last gadget used

// ---- the object properties window ----
extern int16_t propwindowopen; // 1 while the object properties window is open

int MessageReq(const char *body, const char *title);
int ErrorReq(const char *body);
int ConfirmReq(const char *body);
int TextReq(int n);

int choosetool(int newtool, int oldtool);
int findIWObutton();
int changeIWObutton();

int updateIWOprop(int n);

int processMenus(int num);

int startloadeddiagram();
