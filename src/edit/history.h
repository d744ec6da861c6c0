// history.h - the undo/redo history.
//
// Commands bracket every change of a record with savehistorypre (before) and
// savehistorypost (after, with the kind of change). Until the history ring is
// in place these record nothing.
//
//   resethistory()             empty the history
//   savehistorypre(n)          snapshot record n before a change
//   savehistorypost(n, kind)   record the change of record n (1 = create)
#pragma once

int resethistory();
int savehistorypre(int n);
int savehistorypost(int n, int kind);
