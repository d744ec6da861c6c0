// tools.h - choosing tools, and enabling the tools and menu items that depend
// on the state of the diagram.
//
//   choosetool(newtool, oldtool)   show newtool's button as chosen; returns newtool
//   setIWObuttons()                fill the palette's button table
//   findIWObutton()                find the palette position of the current tool
//   changeIWObutton()              make selectedgadget the current tool
//   disabledrawtools(off)          enable (0) or disable (1) the tools that need objects
//   disablefiletools(off)          enable (0) or disable (1) the tools that need a diagram
//   disableIWOtools(off)           enable (0) or disable (1) what needs a selection
//   OnMenu(num), OffMenu(num)      enable or disable a menu item by its full menu number
//   setgadgetenabled(id, enabled)  enable (1) or disable (0) a toolbar or palette button
#pragma once
#include <cstdint>

extern int16_t IWObutton[3][13];  // palette tools by tab and position 1..12
extern int16_t IWObuttonTab;       // palette tab of the current tool
extern int16_t IWObuttonNo;        // its position on the tab, 0 = none
extern int16_t selectedgadget;     // id of the last gadget used

int choosetool(int newtool, int oldtool);
int setIWObuttons();
int findIWObutton();
int changeIWObutton();
int disabledrawtools(int off);
int disablefiletools(int off);
int disableIWOtools(int off);
void OnMenu(int num);
void OffMenu(int num);
int setgadgetenabled(int id, int enabled);
