// menus.h - the file commands with their questions, and the Object menu's
// commands that are more than one call. The menu strip itself, and the
// dispatch of a pick to its command, are the command table (app/commands.h).
//
//   quitiw()               ask the quit question; 1 = quit
//   newdiagram(), opendiagram(), closediagram(), savediagram(), saveasdiagram()
//                          the file commands with their questions
//   opendiagramfrom(path)  Open with the file already chosen (a recent or dropped
//                          file): the same question first; 1 when it was opened
//   changetext()           Object > Change Text: ask for every selected object's label
//   nodecommand()          Object > Node: fold or unfold the branch at the focus connector
//   editlabel(typed)       Object > Edit Label (and typing on the selected object): the
//                          focus object's label edited in place, starting from the text
//                          typed (nullptr: its label); a changed label is one undo step.
//                          Where labels can't be edited in place, or with several objects
//                          selected, Change Text asks instead.
#pragma once
#include "app/commands.h"
#include "ui/ui.h"

#include <string>

int quitiw();
int newdiagram();
int opendiagram();
int opendiagramfrom(const std::string &path);
int closediagram();
int savediagram();
int saveasdiagram();
int changetext();
int nodecommand();
int editlabel(const char *typed);
