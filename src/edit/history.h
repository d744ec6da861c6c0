// history.h - the undo/redo history: a ring of before and after images of
// whole object records, in groups that undo and redo as one step.
//
//   resethistory()             empty the history
//   savehistorypre(n)          snapshot record n before a change
//   savehistorypost(n, kind)   record the change of record n (kinds below)
//   undohistory()              undo one step
//   redohistory()              redo one step
//
// Kinds: 1 create, 2 modify, 3 to front, 4 to back, 5 delete, 6 connector
// deleted with an object, 7 group begin, 8 group end, 9 crop begin, 10 crop end.
#pragma once
#include <cstdint>

extern int16_t historynum; // entry to be written next (and redone next)

int resethistory();
int savehistorypre(int n);
int savehistorypost(int n, int kind);
int undohistory();
int redohistory();
