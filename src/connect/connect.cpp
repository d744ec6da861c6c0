// connect.cpp - connectors that stay attached to the objects they join.
//
// A connector's ends are stored as the id of the object each end is attached
// to and a percentage of that object's box, so that the ends follow the
// objects when they move, are resized or mirrored. Objects are always found
// again by id, because table indices change with z-order, deletion and undo.
//
// The records can form loops (connectors attached to connectors attached back,
// or anything a damaged file holds), so every recursion here keeps a mark of
// the records it is working on and never enters one of them again.
#include "connect/connect.h"

#include "edit/history.h"
#include "model/clones.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/idindex.h"
#include "model/iwo.h"
#include "render/erase.h"

#include <algorithm>
#include <cstring>

namespace {

// Attachment percentage of an offset inside an object; an object without
// width or height gives 0 instead of a division by zero.
int16_t percentof(int offset, int size) { return size == 0 ? 0 : (int16_t)(offset * 100 / size); }

// Offset inside an object from an attachment percentage.
int offsetof_(int size, int percent) { return size * percent / 100; }

// The attachment percentage for an end at this offset inside an object. On an
// object wider than 100 units several percentages give the same offset; the
// stored one is kept when it still gives this very offset, so recomputing an
// attachment from the geometry it produced changes nothing (undo and redo
// then restore connectors exactly, and ends do not creep on repeated edits).
int attachment(int stored, int offset, int size) {
    if (size != 0 && offsetof_(size, stored) == offset) return stored;
    return percentof(offset, size);
}

// Start point of connector r from its start object s.
void placestart(IWORecord &r, const IWORecord &s) {
    r.x = (int16_t)(s.x + offsetof_(s.width, r.connectstartx));
    r.y = (int16_t)(s.y + offsetof_(s.height, r.connectstarty));
}

// Width and height of connector r from its end object e and its present start.
void placeend(IWORecord &r, const IWORecord &e) {
    r.width = (int16_t)(e.x + offsetof_(e.width, r.connectendx) - r.x);
    r.height = (int16_t)(e.y + offsetof_(e.height, r.connectendy) - r.y);
}

// Index of the object an attachment names, or -99 when there is none: the
// sentinel -99 never names an object, though empty slots carry it as id.
int findattached(int id) { return id == TRANSPARENT ? TRANSPARENT : findIWObyid(id); }

// Records whose connectors are being recomputed further up the recursion
// (indices do not change while end points are recomputed).
bool busy[IWOTABLESIZE];

// calcconnectorpoints follows every path through connectors attached to
// connectors; chains that branch and meet again can make that exponential,
// so one call from outside does at most this many recomputations.
constexpr long CALCBUDGET = 200000;
long calcsteps = 0;
int calcdepth = 0;

// The table read once for many recomputations (nothing but geometry changes
// while they run): the objects by id, and per id the records whose start or
// end names it, in table order.
struct TableIndex {
    IWOIdIndex ids{IWO, IWONumber};
    std::vector<int> begin, records; // records[begin[id] .. begin[id + 1]], id as unsigned

    TableIndex() : begin(65537, 0) {
        const int top = std::min<int>(IWONumber, IWOTABLESIZE);
        auto ends = [](const IWORecord &r, auto &&each) {
            each((uint16_t)r.connectstart);
            if (r.connectend != r.connectstart) each((uint16_t)r.connectend);
        };
        for (int r = 1; r < top; r++) ends(IWO[r], [&](uint16_t id) { begin[id + 1u]++; });
        for (size_t id = 1; id < begin.size(); id++) begin[id] += begin[id - 1];
        records.resize((size_t)begin.back());
        std::vector<int> at(begin.begin(), begin.end() - 1);
        for (int r = 1; r < top; r++)
            ends(IWO[r], [&](uint16_t id) { records[(size_t)at[id]++] = r; });
    }
    int find(int id) const { return id == TRANSPARENT ? TRANSPARENT : ids.find(id); }
};

// Recomputes the connectors attached to record k and, through them, those
// attached to the connectors. With an index the records naming k are taken
// from it (in the table order of the search), else the table is searched.
void calcfrom(int k, const TableIndex *index, bool erase) {
    const int16_t kid = IWO[k].id;
    busy[k] = true;
    auto follow = [&](int r) {
        IWORecord &c = IWO[r];
        const bool atstart = c.connectstart == kid;
        const bool atend = c.connectend == kid;
        if (!atstart && !atend) return;
        // Both ends must still exist; a connector whose other object is gone
        // keeps its geometry.
        auto other = [&](int id) { return index ? index->find(id) : findattached(id); };
        const int s = atstart ? k : other(c.connectstart);
        const int e = atend ? k : other(c.connectend);
        if (s < 1 || e < 1) return;
        if (atstart) {
            if (erase) eraseIWO(r, papercolour, 0);
            placestart(c, IWO[k]);
            placeend(c, IWO[e]);
        }
        if (atend) {
            if (erase) eraseIWO(r, papercolour, 0);
            placeend(c, IWO[k]);
            placestart(c, IWO[s]);
        }
        // Connectors attached to this connector follow it; one recursion after
        // both ends have been placed gives what one after each end would.
        if (!busy[r] && calcsteps < CALCBUDGET) {
            calcsteps++;
            calcfrom(r, index, erase);
        }
    };
    if (index) {
        const uint16_t id = (uint16_t)kid;
        for (int j = index->begin[id]; j < index->begin[id + 1]; j++)
            follow(index->records[(size_t)j]);
    } else {
        for (int r = 1; r < IWONumber; r++) follow(r);
    }
    busy[k] = false;
}

// Removed indices, in order, during one deleteconnector from outside, so that
// each level of the recursion can tell where its connector has shifted to.
int16_t removedlog[IWOTABLESIZE];
int removedcount = 0;
// Ids of the objects whose connectors are being deleted, outermost first;
// ids rather than indices, because the indices shift as records go.
int16_t deletingids[IWOTABLESIZE];
int deletedepth = 0;

bool deleting(int16_t id) {
    for (int i = 0; i < deletedepth; i++)
        if (deletingids[i] == id) return true;
    return false;
}

// Clone table entries in use, never past the table's end.
int cloneentries() {
    if (clones <= 0) return 0;
    return clones < CLONETABLESIZE ? clones : CLONETABLESIZE;
}

// Id of the copy the clone table lists for an object id, or -99 if it has none.
int16_t copyofid(int16_t id) {
    if (id == TRANSPARENT) return TRANSPARENT;
    for (int e = 0; e < cloneentries(); e++)
        if (clone_[e].sourceid == id && clone_[e].copyid != TRANSPARENT) return clone_[e].copyid;
    return TRANSPARENT;
}

// Index of an entry's object: its stored index if that still holds the id,
// else a search by id.
int cloneindex(int16_t index, int16_t id) {
    if (id == TRANSPARENT) return TRANSPARENT;
    if (liveIWO(index) && IWO[index].id == id) return index;
    return findIWObyid(id);
}

// Appends a copy of connector r as a new object, with its ends on the given
// ids, and records the creation. Returns 0 when the table is full.
int copyconnector(int r, int16_t startid, int16_t endid) {
    if (IWONumber >= MAXIWO || !IWOidavailable()) return 0;
    const int n = IWONumber;
    savehistorypre(n);
    IWO[n] = IWO[r];
    IWOid += 1;
    IWO[n].id = IWOid;
    IWO[n].connectstart = startid;
    IWO[n].connectend = endid;
    // Both ends are set before the creation is recorded, so that a redo
    // brings back the copy attached where it is.
    savehistorypost(n, 1);
    IWONumber += 1;
    return 1;
}

int folddepth = 0;

} // namespace

int calcconnectorpoints(int index) {
    if (!liveIWO(index) || IWO[index].id == TRANSPARENT) return 1;
    if (calcdepth == 0) calcsteps = 0;
    calcdepth++;
    calcfrom(index, nullptr, true);
    calcdepth--;
    return 1;
}

int calcconnectorpointsof(const std::vector<int> &objects, bool erase) {
    if (objects.empty()) return 1;
    const TableIndex index;
    for (int i : objects) {
        if (!liveIWO(i) || IWO[i].id == TRANSPARENT) continue;
        if (calcdepth == 0) calcsteps = 0;
        calcdepth++;
        calcfrom(i, &index, erase);
        calcdepth--;
    }
    return 1;
}

int placeconnector(int index) {
    if (!liveIWO(index) || IWO[index].type != CONNECTORTYPE) return 1;
    IWORecord &r = IWO[index];
    // Each end whose object is still there goes back onto it; an end whose
    // object is gone keeps its place.
    const int s = findattached(r.connectstart);
    const int e = findattached(r.connectend);
    const int ex = r.x + r.width, ey = r.y + r.height;
    if (s >= 1 && s != index) placestart(r, IWO[s]);
    if (e >= 1 && e != index) {
        placeend(r, IWO[e]);
    } else {
        r.width = (int16_t)(ex - r.x);
        r.height = (int16_t)(ey - r.y);
    }
    return 1;
}

int resetconnectorpoints(int index) {
    if (!liveIWO(index)) return 1;
    IWORecord &r = IWO[index];
    const int s = findattached(r.connectstart);
    const int e = findattached(r.connectend);
    // A connector whose object is gone keeps its geometry and its attachment.
    if (s < 1 || e < 1) return 1;
    const IWORecord &S = IWO[s];
    const IWORecord &E = IWO[e];
    bool clamped = false;
    auto clamp = [&clamped](int v) {
        if (v < 0) {
            clamped = true;
            return 0;
        }
        if (v > 100) {
            clamped = true;
            return 100;
        }
        return v;
    };

    int p = attachment(r.connectstartx, r.x - S.x, S.width);
    int q = attachment(r.connectstarty, r.y - S.y, S.height);
    if (r.connectstartclamp != 0) {
        p = clamp(p);
        q = clamp(q);
    }
    r.connectstartx = (int16_t)p;
    r.connectstarty = (int16_t)q;

    p = attachment(r.connectendx, r.x + r.width - E.x, E.width);
    q = attachment(r.connectendy, r.y + r.height - E.y, E.height);
    if (r.connectendclamp != 0) {
        p = clamp(p);
        q = clamp(q);
    }
    r.connectendx = (int16_t)p;
    r.connectendy = (int16_t)q;

    // An end pulled back onto its object moves the segment with it.
    if (clamped) {
        placestart(r, S);
        placeend(r, E);
    }
    return 1;
}

int remakeconnectors() {
    for (int r = 1; r < IWONumber; r++)
        if (IWO[r].type == CONNECTORTYPE) resetconnectorpoints(r);
    return 1;
}

// The count is what decides whether an object's connectors follow it. It is
// derived from the connectors in the table, so commands that add or remove
// connectors, and undo and redo, set it again instead of adjusting it: a
// count taken from a history image of another moment would be wrong.
int recountconnections() {
    static int16_t count[65536];
    std::memset(count, 0, sizeof count);
    for (int r = 1; r < IWONumber; r++) {
        const IWORecord &c = IWO[r];
        if (c.type != CONNECTORTYPE) continue;
        if (c.connectstart != TRANSPARENT) count[(uint16_t)c.connectstart]++;
        if (c.connectend != TRANSPARENT) count[(uint16_t)c.connectend]++;
    }
    for (int r = 1; r < IWONumber; r++) {
        IWORecord &o = IWO[r];
        if (o.type == DEADTYPE || o.id == TRANSPARENT) continue;
        // Only a positive count means anything; an object without
        // connectors keeps whatever non-positive value it was created with.
        const int16_t n = count[(uint16_t)o.id];
        if (n > 0 || connections(o) > 0) connections(o) = n;
    }
    return 1;
}

int duplicateconnectors() {
    const int entries = cloneentries();
    for (int e = 0; e < entries; e++) {
        const CloneEntry entry = clone_[e];
        const int o = cloneindex(entry.sourceindex, entry.sourceid);
        const int copy = cloneindex(entry.copyindex, entry.copyid);
        if (o < 1 || copy < 1) continue; // an unused or stale entry
        if (connections(IWO[o]) <= 0) continue;
        const int16_t oid = IWO[o].id;
        // The copies made here are appended above the records walked.
        const int top = IWONumber;
        for (int r = 1; r < top; r++) {
            if (IWO[r].connectstart == oid) {
                // The other end goes to its copy when it has one, else stays.
                const int16_t endid = IWO[r].connectend;
                const int16_t endcopy = copyofid(endid);
                copyconnector(r, entry.copyid, endcopy != TRANSPARENT ? endcopy : endid);
            }
            if (IWO[r].connectend == oid) {
                // A start object with a copy had this connector copied on its
                // own entry (above); otherwise copy it here, from the original
                // start to the copy of this object.
                const int16_t startid = IWO[r].connectstart;
                if (copyofid(startid) == TRANSPARENT) copyconnector(r, startid, entry.copyid);
            }
        }
        calcconnectorpoints(copy);
    }
    return 1;
}

int deleteconnector(int index) {
    if (!liveIWO(index)) return 0;
    const int16_t kid = IWO[index].id;
    if (kid == TRANSPARENT || deleting(kid)) return 0;
    if (deletedepth == 0) removedcount = 0;
    if (deletedepth >= IWOTABLESIZE) return 0;
    deletingids[deletedepth++] = kid;
    for (int r = IWONumber - 1; r >= 1; r--) {
        if (r >= IWONumber) continue;
        if (IWO[r].connectstart != kid && IWO[r].connectend != kid) continue;
        const int16_t rid = IWO[r].id;
        if (deleting(rid)) continue; // removed further up the recursion
        eraseIWO(r, papercolour, 0);
        // Connectors attached to this connector go first; they can shift it
        // down, so it is found again afterwards.
        const int mark = removedcount;
        deleteconnector(r);
        int cur = r;
        for (int i = mark; i < removedcount; i++)
            if (removedlog[i] < cur) cur--;
        if (!liveIWO(cur) || IWO[cur].id != rid) {
            r = cur;
            continue;
        }
        // Recorded at its index of the moment it goes, so that undoing the
        // entries in reverse order puts every record back where it was.
        savehistorypre(cur);
        savehistorypost(cur, 6);
        downjigIWO(cur);
        if (removedcount < IWOTABLESIZE) removedlog[removedcount++] = (int16_t)cur;
        // The focus keeps naming the same record; a removed focus is no focus.
        if (cur < selectedIWO)
            selectedIWO -= 1;
        else if (cur == selectedIWO)
            selectedIWO = -99;
        r = cur; // the walk goes on below the removed record
    }
    deletedepth--;
    return 0;
}

int foldnode(int index) {
    if (!liveIWO(index)) return 1;
    if (folddepth >= IWOTABLESIZE) return 1;
    folddepth++;
    const int16_t f = IWO[index].fold;
    const int16_t startid = IWO[index].connectstart;
    const int16_t endid = IWO[index].connectend;
    const int16_t shown = f == 0 ? 1 : 0;

    // The parent node is marked as folded or unfolded.
    if (startid != TRANSPARENT)
        for (int n = IWONumber - 1; n >= 1; n--)
            if (IWO[n].id == startid) IWO[n].nodefold = f;

    // The node behind the connector and everything leaving it take the fold;
    // a node already in that state stops the walk, which also ends it on
    // cycles.
    if (endid != TRANSPARENT)
        for (int n = IWONumber - 1; n >= 1; n--) {
            if (IWO[n].id != endid || IWO[n].nodefold == f) continue;
            eraseIWO(n, papercolour, 0);
            IWO[n].visible = shown;
            IWO[n].nodefold = f;
            const int16_t nid = IWO[n].id;
            for (int j = IWONumber - 1; j >= 1; j--) {
                if (IWO[j].connectstart != nid) continue;
                eraseIWO(j, papercolour, 0);
                IWO[j].visible = shown;
                IWO[j].fold = f;
                foldnode(j);
            }
        }
    folddepth--;
    return 1;
}
