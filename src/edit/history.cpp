// history.cpp - the undo/redo ring.
//
// Recording. savehistorypre keeps the record's image aside; savehistorypost
// writes the entry at historynum with that image and the record as it is now,
// advances, and empties the entry it lands on (the end of the history for
// redo). When the ring is full the oldest entry is the one overwritten; if it
// is the beginning of a group or crop, the rest of that group is cut off whole
// so that undo never reaches half of it.
//
// Group begins are written lazily: a begin is only put into the ring when the
// group's first member is recorded. A group that ends with no member (a drag
// that changed nothing) therefore leaves the history exactly as it was,
// including whatever could be redone.
//
// A command that writes more entries than the ring holds cannot be undone
// whole; when its outermost group ends, the history is emptied instead.
//
// Undo and redo find records by id, so that the stacking changes in between do
// not matter; an entry whose record is gone is skipped. Every walk through the
// ring stops at an empty entry and after at most one lap.
#include "edit/history.h"

#include "connect/connect.h"
#include "edit/selection.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/view.h"
#include "ui/ui.h"

#include <cstring>
#include <utility>
#include <vector>

HistoryEntry history[HISTORYSIZE];
int16_t historynum = 0;

namespace {

// The records an entry of kind 11 changed, beside the ring at the same index:
// the ring's entries hold one record each.
struct TableImage {
    std::vector<std::pair<IWORecord, IWORecord>> changes; // before, after
    int16_t oldwidth = 0, oldheight = 0, newwidth = 0, newheight = 0;
};
TableImage tableimages[HISTORYSIZE];

constexpr int RINGENTRIES = MAXHISTORY + 1; // entries 0..MAXHISTORY

IWORecord prerecord;          // the image taken by the last savehistorypre
int pendingbegins = 0;        // group begins announced but not yet written
int16_t pendingindex = 0;     // the focus index given with the last of them
int openbrackets = 0;         // groups and crops written and not yet ended
int commandentries = 0;       // entries written since the outermost group began
bool commandoverflow = false; // that command has written more than the ring holds

int nextentry(int e) { return e >= MAXHISTORY || e < 0 ? 0 : e + 1; }
int preventry(int e) { return e <= 0 || e > MAXHISTORY ? MAXHISTORY : e - 1; }

int current() {
    if (historynum < 0 || historynum > MAXHISTORY) historynum = 0;
    return historynum;
}

bool isbegin(int kind) { return kind == HISTORY_GROUPBEGIN || kind == HISTORY_CROPBEGIN; }
bool isend(int kind) { return kind == HISTORY_GROUPEND || kind == HISTORY_CROPEND; }

// The record at n, or an empty record for an index outside the table.
const IWORecord &recordat(int n) {
    static const IWORecord none{};
    return n >= 0 && n < IWOTABLESIZE ? IWO[n] : none;
}

// Whether a record changed between two images: any byte of the stored
// record but the selection flag, which is not part of the diagram. Mirroring
// changes only the drawing parts and handles, a label drag may change only one
// coordinate, a font change only the font; each is an undo step of its own.
bool recordchanged(const IWORecord &a, const IWORecord &b) {
    // Most changes move or resize: no need to look further.
    if (a.x != b.x || a.y != b.y || a.width != b.width || a.height != b.height) return true;
    IWORecord ca = a, cb = b;
    ca.selected = cb.selected = 0;
    uint8_t pa[IWORECORDSIZE], pb[IWORECORDSIZE];
    writeIWOrecord(ca, pa);
    writeIWOrecord(cb, pb);
    return std::memcmp(pa, pb, IWORECORDSIZE) != 0;
}

void emptyring() {
    for (auto &e : history) e.kind = HISTORY_EMPTY;
    historynum = 0;
}

void forgetcommand() {
    pendingbegins = 0;
    openbrackets = 0;
    commandentries = 0;
    commandoverflow = false;
}

// The entry at historynum is about to be reused while it begins a group or a
// crop: cut off the rest of that group, up to and including its end, so that
// neither undo nor redo can reach a part of it.
void cutoldestgroup() {
    int e = current();
    int j = nextentry(e);
    for (int steps = 0; steps < RINGENTRIES && j != e; steps++) {
        int kind = history[j].kind;
        if (kind == HISTORY_EMPTY) break;
        history[j].kind = HISTORY_EMPTY;
        if (isend(kind)) break;
        j = nextentry(j);
    }
}

// Writes one entry at historynum and advances.
long writes = 0; // entries written since start-up

void writeentry(int n, int kind, const IWORecord &before) {
    writes++;
    int e = current();
    HistoryEntry &entry = history[e];
    tableimages[e] = TableImage{}; // whatever an older entry here kept goes
    entry.before = before;
    entry.after = recordat(n);
    entry.index = (int16_t)n;
    entry.kind = (uint8_t)kind;
    if (kind == HISTORY_CROPBEGIN || kind == HISTORY_CROPEND) {
        entry.after.width = IWODiagram.paperwidth;
        entry.after.height = IWODiagram.paperheight;
    }

    // Count the entries of the command in progress: once it has written more
    // than the ring holds, its own beginning is gone.
    if (isbegin(kind)) {
        if (openbrackets == 0) {
            commandentries = 0;
            commandoverflow = false;
        }
        openbrackets++;
    }
    if (openbrackets > 0 && ++commandentries > MAXHISTORY) commandoverflow = true;
    bool closes = isend(kind) && openbrackets > 0;
    if (closes) openbrackets--;

    historynum = (int16_t)nextentry(e);
    if (isbegin(history[historynum].kind)) cutoldestgroup();
    history[historynum].kind = HISTORY_EMPTY;

    if (closes && openbrackets == 0 && commandoverflow) {
        // Too big to undo whole: no half of it may be undone either.
        emptyring();
        commandoverflow = false;
    }
}

// Writes the group begins that were announced and are still waiting for their
// first member.
void flushbegins() {
    while (pendingbegins > 0) {
        pendingbegins--;
        writeentry(pendingindex, HISTORY_GROUPBEGIN, recordat(pendingindex));
    }
}

int clampindex(int index, int low, int high) {
    if (index < low) return low;
    if (index > high) return high;
    return index;
}

// Takes record k out of the table and puts image in at index (the stacking
// position being restored); the number of records stays the same.
void moverecord(int k, int index, const IWORecord &image) {
    if (k >= index)
        upjigIWO2(k, index);
    else
        downjigIWO2(k, index);
    IWO[index] = image;
}

void setpagesize(const HistoryEntry &entry) {
    IWODiagram.paperwidth = entry.after.width;
    IWODiagram.paperheight = entry.after.height;
    setbitmapsize();
    cleardrawspace(papercolour);
}

// Removes the record with this id (the reverse of a creation, or a deletion
// being redone).
void removebyid(int id) {
    int k = findIWObyid(id);
    if (!liveIWO(k)) return;
    eraseIWO(k, papercolour, 0);
    downjigIWO(k);
}

// Puts image back in at index (the reverse of a deletion, or a creation being
// redone). Returns the index used, or -1 when the table is full.
int insertat(int index, const IWORecord &image) {
    if (IWONumber > MAXIWO) return -1;
    int at = clampindex(index, 1, IWONumber);
    upjigIWO2(IWONumber, at);
    IWO[at] = image;
    IWONumber += 1;
    IWO[IWONumber].type = DEADTYPE;
    return at;
}

// Puts back one side of an entry of kind 11: the records and the page size.
void applytableimage(const HistoryEntry &entry, bool undo) {
    const TableImage &t = tableimages[&entry - history];
    for (const auto &[before, after] : t.changes) {
        const IWORecord &image = undo ? before : after;
        int k = findIWObyid(image.id);
        if (!liveIWO(k)) continue;
        eraseIWO(k, papercolour, 0);
        IWO[k] = image;
        IWO[k].selected = undo ? 0 : after.selected;
        selectedIWO = (int16_t)k;
    }
    const int16_t w = undo ? t.oldwidth : t.newwidth, h = undo ? t.oldheight : t.newheight;
    if (w != IWODiagram.paperwidth || h != IWODiagram.paperheight) {
        IWODiagram.paperwidth = w;
        IWODiagram.paperheight = h;
        setbitmapsize();
        cleardrawspace(papercolour);
    }
}

// Undoes one entry of kinds 1 to 6 and 11.
void undoentry(const HistoryEntry &entry) {
    switch (entry.kind) {
    case HISTORY_TABLE:
        applytableimage(entry, true);
        break;
    case HISTORY_CREATE:
        removebyid(entry.after.id);
        break;
    case HISTORY_MODIFY: {
        int k = findIWObyid(entry.after.id);
        if (!liveIWO(k)) return;
        eraseIWO(k, papercolour, 0);
        IWO[k] = entry.before;
        IWO[k].selected = 0;
        if (connections(IWO[k]) > 0) calcconnectorpoints(k);
        selectedIWO = (int16_t)k;
        numIWOselected = 1;
        break;
    }
    case HISTORY_TOFRONT:
    case HISTORY_TOBACK: {
        int k = findIWObyid(entry.after.id);
        if (!liveIWO(k)) return;
        int at = clampindex(entry.index, 1, IWONumber - 1);
        moverecord(k, at, entry.before);
        IWO[at].selected = 0;
        selectedIWO = (int16_t)at;
        numIWOselected = 1;
        break;
    }
    case HISTORY_DELETE:
    case HISTORY_CONNECTORDELETE: {
        int at = insertat(entry.index, entry.after);
        if (at < 0) return;
        IWO[at].selected = 0;
        selectedIWO = (int16_t)at;
        numIWOselected = 1;
        break;
    }
    default:
        break;
    }
}

// Redoes one entry of kinds 1 to 6 and 11.
void redoentry(const HistoryEntry &entry) {
    switch (entry.kind) {
    case HISTORY_TABLE:
        applytableimage(entry, false);
        break;
    case HISTORY_CREATE: {
        int at = insertat(entry.index, entry.after);
        if (at < 0) return;
        IWO[at].selected = 1;
        selectedIWO = (int16_t)at;
        break;
    }
    case HISTORY_MODIFY: {
        int k = findIWObyid(entry.before.id);
        if (!liveIWO(k)) return;
        eraseIWO(k, papercolour, 0);
        IWO[k] = entry.after;
        if (connections(IWO[k]) > 0) calcconnectorpoints(k);
        IWO[k].selected = 1;
        selectedIWO = (int16_t)k;
        break;
    }
    case HISTORY_TOFRONT:
    case HISTORY_TOBACK: {
        int k = findIWObyid(entry.before.id);
        if (!liveIWO(k)) return;
        int at = entry.kind == HISTORY_TOFRONT ? IWONumber - 1 : 1;
        moverecord(k, at, entry.after);
        IWO[at].selected = 1;
        selectedIWO = (int16_t)at;
        break;
    }
    case HISTORY_DELETE:
    case HISTORY_CONNECTORDELETE:
        removebyid(entry.after.id);
        break;
    default:
        break;
    }
}

// After a deletion entry has been undone: the connectors deleted with the
// object were recorded just before it; bring them back in the same step.
void undoconnectorsdeletedwith(int &steps) {
    while (steps < RINGENTRIES) {
        int p = preventry(current());
        if (history[p].kind != HISTORY_CONNECTORDELETE) break;
        historynum = (int16_t)p;
        steps++;
        undoentry(history[p]);
    }
    remakeconnectors();
}

void refreshpropertywindow() {
    if (!propwindowopen) return;
    if (liveIWO(selectedIWO)) bufferIWO(selectedIWO, 0);
    updateIWOprop(selectedIWO);
}

} // namespace

long historywritecount() { return writes; }

namespace {
int holds = 0;
}

void holdhistory(bool hold) { holds += hold ? 1 : (holds > 0 ? -1 : 0); }

int resethistory() {
    emptyring();
    forgetcommand();
    return 1;
}

int savehistorypre(int n) {
    prerecord = recordat(n);
    return 1;
}

int savehistorypost(int n, int kind) {
    if (holds > 0) return 1;
    if (kind == HISTORY_GROUPBEGIN) {
        // Written with the group's first member, so that an empty group
        // leaves no trace.
        pendingbegins++;
        pendingindex = (int16_t)n;
        return 1;
    }
    if (kind == HISTORY_GROUPEND && pendingbegins > 0) {
        pendingbegins--; // the group got no member: take it back
        return 1;
    }
    if (isend(kind) && openbrackets == 0) {
        // An end with no open group or crop of this command: writing it would
        // let undo run on into the steps before it.
        return 1;
    }
    if (kind == HISTORY_MODIFY && !recordchanged(recordat(n), prerecord)) return 1;
    if (kind < HISTORY_CREATE || kind > HISTORY_CROPEND) return 1; // 11: savehistoryimage
    flushbegins();
    writeentry(n, kind, prerecord);
    return 1;
}

int savehistorytable(const IWORecord *before, int count, int focus) {
    savehistorypre(focus);
    savehistorypost(focus, HISTORY_GROUPBEGIN);
    for (int k = 1; k < IWONumber && k <= count; k++) {
        prerecord = before[k - 1];
        savehistorypost(k, HISTORY_MODIFY);
    }
    savehistorypre(focus);
    savehistorypost(focus, HISTORY_GROUPEND);
    return 1;
}

int savehistoryimage(const IWORecord *before, int count, int16_t pagewidth, int16_t pageheight,
                     int focus) {
    if (holds > 0) return 1;
    TableImage t;
    for (int k = 1; k < IWONumber && k <= count; k++)
        if (before[k - 1].id == IWO[k].id && recordchanged(before[k - 1], IWO[k]))
            t.changes.emplace_back(before[k - 1], IWO[k]);
    t.oldwidth = pagewidth;
    t.oldheight = pageheight;
    t.newwidth = IWODiagram.paperwidth;
    t.newheight = IWODiagram.paperheight;
    if (t.changes.empty() && pagewidth == t.newwidth && pageheight == t.newheight) return 1;
    flushbegins();
    const int e = current();
    savehistorypre(focus);
    writeentry(focus, HISTORY_TABLE, prerecord);
    tableimages[e] = std::move(t);
    return 1;
}

// Undo is possible while the entry before historynum holds something; redo
// while the entry at historynum does (the ring's position alone says nothing
// once it has wrapped).
// Reading the state leaves historynum as it is, even when out of range.
bool historycanundo() {
    const int e = historynum < 0 || historynum > MAXHISTORY ? 0 : historynum;
    return history[preventry(e)].kind != HISTORY_EMPTY;
}
bool historycanredo() {
    const int e = historynum < 0 || historynum > MAXHISTORY ? 0 : historynum;
    return history[e].kind != HISTORY_EMPTY;
}

int undohistory() {
    forgetcommand();
    int e = current();
    if (history[preventry(e)].kind == HISTORY_EMPTY) return 1; // nothing to undo
    removeshadowiwo();
    selectall(0);

    int steps = 1;
    historynum = (int16_t)preventry(e);
    const HistoryEntry &top = history[historynum];
    if (isend(top.kind)) {
        // A group or crop: undo back to its beginning. Nested groups count.
        int depth = 1;
        while (depth > 0 && steps < RINGENTRIES) {
            int p = preventry(current());
            if (history[p].kind == HISTORY_EMPTY) break; // its beginning was cut off
            historynum = (int16_t)p;
            steps++;
            const HistoryEntry &entry = history[p];
            if (isend(entry.kind)) {
                depth++;
            } else if (isbegin(entry.kind)) {
                depth--;
                if (entry.kind == HISTORY_CROPBEGIN) setpagesize(entry);
            } else {
                undoentry(entry);
                if (entry.kind == HISTORY_DELETE || entry.kind == HISTORY_CONNECTORDELETE)
                    undoconnectorsdeletedwith(steps);
            }
        }
    } else if (!isbegin(top.kind)) {
        undoentry(top);
        if (top.kind == HISTORY_DELETE || top.kind == HISTORY_CONNECTORDELETE)
            undoconnectorsdeletedwith(steps);
    }

    recountconnections();
    refreshIWOall();
    refreshpropertywindow();
    markIWOdiagrammodified();
    return 1;
}

int redohistory() {
    forgetcommand();
    int e = current();
    if (history[e].kind == HISTORY_EMPTY) return 1; // nothing to redo
    removeshadowiwo();
    selectall(0);

    const HistoryEntry &top = history[e];
    historynum = (int16_t)nextentry(e);
    int16_t focusid = 0; // the object a group's command worked on
    if (isbegin(top.kind)) {
        // A group or crop: redo up to and past its end. Nested groups count.
        int depth = 1;
        for (int steps = 1; depth > 0 && steps < RINGENTRIES; steps++) {
            int j = current();
            const HistoryEntry &entry = history[j];
            if (entry.kind == HISTORY_EMPTY) break; // its end was never written
            historynum = (int16_t)nextentry(j);
            if (isbegin(entry.kind)) {
                depth++;
            } else if (isend(entry.kind)) {
                depth--;
                if (entry.kind == HISTORY_CROPEND) setpagesize(entry);
                if (depth == 0) focusid = entry.after.id;
            } else {
                redoentry(entry);
            }
        }
    } else if (!isend(top.kind)) {
        redoentry(top);
    }

    // Redo selects what it changed, but a redone fold hides part of that: what
    // is hidden can't be selected. The focus goes back to the object the
    // command worked on when it is among the selection (Fold/Unfold again then
    // acts on the same node), else to the last object redone that is shown.
    int selected = 0, shown = 0;
    for (int k = 1; k < IWONumber; k++) {
        if (IWO[k].selected && IWO[k].visible == 0) IWO[k].selected = 0;
        if (IWO[k].selected) {
            selected++;
            shown = k;
        }
    }
    const int focus = focusid ? findIWObyid(focusid) : 0;
    if (liveIWO(focus) && IWO[focus].selected)
        selectedIWO = (int16_t)focus;
    else if (liveIWO(selectedIWO) && IWO[selectedIWO].visible == 0)
        selectedIWO = (int16_t)shown;
    numIWOselected = (int16_t)selected;
    recountconnections();

    // Redo puts back the recorded images as they are: drawing them selected
    // must not snap them to the grid again.
    const int16_t snap = SnapToGrid;
    SnapToGrid = 0;
    refreshIWOall();
    SnapToGrid = snap;
    if (history[current()].kind != HISTORY_EMPTY) refreshpropertywindow();
    markIWOdiagrammodified();
    return 1;
}

int refreshhistorycreated() {
    // Only a group of this command that has been written has entries to refresh.
    if (openbrackets == 0 || pendingbegins > 0) return 1;
    // Walk back over the entries of the open group to its begin.
    int j = preventry(current());
    for (int steps = 0; steps < RINGENTRIES; steps++, j = preventry(j)) {
        HistoryEntry &entry = history[j];
        if (entry.kind == HISTORY_EMPTY || isbegin(entry.kind) || isend(entry.kind)) break;
        if (entry.kind != HISTORY_CREATE) continue;
        int k = findIWObyid(entry.after.id);
        if (liveIWO(k)) entry.after = IWO[k];
    }
    return 1;
}
