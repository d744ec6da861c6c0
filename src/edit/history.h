// history.h - the undo/redo history: a ring of before and after images of
// whole object records, in groups that undo and redo as one step.
//
//   resethistory()             empty the history
//   savehistorypre(n)          snapshot record n before a change
//   savehistorypost(n, kind)   record the change of record n (kinds below)
//   undohistory()              undo one step
//   redohistory()              redo one step
//   refreshhistorycreated()    copy the records created in the open group into
//                              their entries again (after the command adjusted them)
//
// Kinds: 1 create, 2 modify, 3 to front, 4 to back, 5 delete, 6 connector
// deleted with an object, 7 group begin, 8 group end, 9 crop begin, 10 crop end,
// 11 many records changed in place and the page size (kept beside the ring,
// so that a command moving the whole table is still one step).
//
// The ring is entries 0..MAXHISTORY; one of them is always empty and marks
// both ends (redo stops at the entry at historynum, undo at the empty entry
// before the oldest one). A group (7 ... 8) or crop (9 ... 10) is undone and
// redone as one step. Crop entries carry the page size in their after image's
// width and height (9: the old size, 10: the new one).
#pragma once
#include "model/iwo.h"
#include "platform/buttons.h"

#include <cstdint>

constexpr int MAXHISTORY = 195;  // last entry of the ring (entries 0..MAXHISTORY)
constexpr int HISTORYSIZE = 200; // entries allocated; those above MAXHISTORY stay empty

// Kinds of history entries.
enum {
    HISTORY_EMPTY = 0,
    HISTORY_CREATE = 1,
    HISTORY_MODIFY = 2,
    HISTORY_TOFRONT = 3,
    HISTORY_TOBACK = 4,
    HISTORY_DELETE = 5,
    HISTORY_CONNECTORDELETE = 6,
    HISTORY_GROUPBEGIN = 7,
    HISTORY_GROUPEND = 8,
    HISTORY_CROPBEGIN = 9,
    HISTORY_CROPEND = 10,
    HISTORY_TABLE = 11,
};

struct HistoryEntry {
    uint8_t kind = 0;  // entry kind, 0 = empty
    int16_t index = 0; // table index of the record when the entry was written
    IWORecord before;  // the record as savehistorypre found it
    IWORecord after;   // the record as savehistorypost found it (crop: page size)
};

extern HistoryEntry history[HISTORYSIZE]; // the ring
extern int16_t historynum;                // entry to be written next (and redone next)

int resethistory();
int savehistorypre(int n);
int savehistorypost(int n, int kind);
int undohistory();
// Whether there is a step to undo, and one to redo.
bool historycanundo();
bool historycanredo();
// Entries written since the program started; a command that changed nothing
// writes none (commands compare it to tell whether to mark the diagram modified).
long historywritecount();
// While held (calls nest), savehistorypost records nothing: for changes to an
// object whose creation is not recorded yet and will record its final image.
void holdhistory(bool hold);
int redohistory();
int refreshhistorycreated();
// For commands that change records in place (lock, group, fold): before holds
// the images of records 1..IWONumber-1 taken before the command, in the same
// order. Writes one undo step with an entry for every record that changed.
int savehistorytable(const IWORecord *before, int count, int focus);
// For commands that move any number of records in place and may change the
// page size (arrange): before holds the images of records 1..IWONumber-1 and
// the page size taken before the command. Writes one entry of kind 11 with
// the records that changed, however many; nothing when nothing changed.
int savehistoryimage(const IWORecord *before, int count, int16_t pagewidth, int16_t pageheight,
                     int focus);
