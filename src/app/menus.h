// menus.h - the menu strip's commands.
//
//   processMenus(num)   run the command of a menu item by its full menu number;
//                       returns 1 when the program is to quit
#pragma once

int processMenus(int num);
