// commands.h - command bodies of the menu items that work on the selection.
//
//   nodecommand()   Object > Node: fold or unfold the branch at the selected connector
#pragma once

int nodecommand();
