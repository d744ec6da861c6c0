// menus.h - the file commands with their questions, and the Object menu's
// commands that are more than one call. The menu strip itself, and the
// dispatch of a pick to its command, are the command table (app/commands.h).
//
//   quitiw()               ask the quit question; 1 = quit
//   newdiagram(), opendiagram(), closediagram(), savediagram(), saveasdiagram()
//                          the file commands with their questions
//   changetext()           Object > Change Text: ask for every selected object's label
//   nodecommand()          Object > Node: fold or unfold the branch at the focus connector
#pragma once
#include "app/commands.h"
#include "ui/ui.h"

int quitiw();
int newdiagram();
int opendiagram();
int closediagram();
int savediagram();
int saveasdiagram();
int changetext();
int nodecommand();
