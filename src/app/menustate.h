// menustate.h - what the menus and buttons offer, computed in one place from
// the program's state after each event.
//
// Nothing below the application enables or disables a menu item or a button:
// after every event (and when a session starts, or the clipboard changes) the
// application reads the state it depends on into a ProgramState, works out
// every item's and button's state from it with the command table's enabled
// tests, and hands the result to the platform.
//
//   currentstate()             the program's state as the rules read it
//   computestates(s)           every menu item's and button's state in state s
//   showstates()               compute the states now and show them
#pragma once
#include <cstdint>
#include <map>

struct ProgramState {
    bool diagram = false;        // a diagram is open
    int objects = 0;             // objects in it
    int selected = 0;            // objects selected
    bool focusconnector = false; // the focus object is a selected connector
    bool canundo = false;        // the history holds a step to undo ...
    bool canredo = false;        // ... and one to redo
    bool clipboard = false;      // the clipboard holds objects or text
    bool showgrid = false, snaptogrid = false;
    uint16_t usedslots = 0; // user-object slots in use: bit k for slot k (1..12)
};

struct UiStates {
    std::map<int, bool> menus;   // menu number -> enabled
    std::map<int, bool> checks;  // menu number of a check-mark item -> checked
    std::map<int, bool> buttons; // toolbar and palette button id -> enabled
};

ProgramState currentstate();
UiStates computestates(const ProgramState &s);
void showstates();
