// filedialogs.h - the file requesters of the diagram and settings commands:
// the application asks for a name, checks it and confirms an overwrite; the
// store reads and writes the path it is then given.
//
//   loadIWOdiagram()      ask for a diagram file and load it; 0 when cancelled or refused
//   saveIWOdiagram()      save under the diagram's own name, or ask for one
//   saveasIWOdiagram()    ask for a name (".iwo" appended when missing) and save;
//                         0 when cancelled, declined or not written
//   loadaspreferences()   ask for a settings file and load it; 0 when cancelled or refused
//   saveaspreferences()   ask for a name (".prefs" appended when missing) and save;
//                         0 when cancelled, declined or not written
#pragma once

int loadIWOdiagram();
int saveIWOdiagram();
int saveasIWOdiagram();
int loadaspreferences();
int saveaspreferences();
