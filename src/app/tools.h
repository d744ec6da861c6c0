// tools.h - choosing tools, and enabling the tools and menu items that depend
// on the state of the diagram.
//
//   setIWObuttons()                fill the palette's button table
//
// The tool-button state and the functions the lower layers call (choosetool,
// findIWObutton, changeIWObutton, the disable... functions, OnMenu, OffMenu,
// setgadgetenabled) are declared in ui/ui.h and defined in tools.cpp.
#pragma once
#include "ui/ui.h"

int setIWObuttons();
