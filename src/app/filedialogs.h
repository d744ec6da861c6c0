// filedialogs.h - the file requesters of the diagram and settings commands:
// the application asks for a name, checks it and confirms an overwrite; the
// store reads and writes the path it is then given.
//
//   loadIWOdiagram(warning)  ask for a diagram file and load it; 0 when cancelled or
//                         refused; warning gets the incomplete-file warning ("" none)
//   saveIWOdiagram()      save under the diagram's own name, or ask for one; after
//                         a diagram was read only in part it asks as Save As does,
//                         so the file, which holds more, is only replaced by choice
//   markincompleteread(b) say whether the diagram just read was read only in part
//   saveasIWOdiagram()    ask for a name (".iwo" appended when missing) and save;
//                         0 when cancelled, declined or not written
//   loadaspreferences()   ask for a settings file and load it; 0 when cancelled or refused
//   saveaspreferences()   ask for a name (".prefs" appended when missing) and save;
//                         0 when cancelled, declined or not written
#pragma once

#include <string>

int loadIWOdiagram(std::string *warning = nullptr);
int saveIWOdiagram();
void markincompleteread(bool incomplete);
int saveasIWOdiagram();
int loadaspreferences();
int saveaspreferences();
