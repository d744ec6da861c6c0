// tools.h - choosing tools.
//
//   setIWObuttons()                fill the palette's button table
//
// The tool-button state and the functions the lower layers call (choosetool,
// findIWObutton, changeIWObutton) are declared in ui/ui.h and defined in
// tools.cpp. What the tools and menu items offer is app/menustate.h.
#pragma once
#include "ui/ui.h"

int setIWObuttons();
