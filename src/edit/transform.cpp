// transform.cpp - commands on the selected objects as a whole: duplicate,
// delete, to front, to back, resize, flip and crop to fit.
//
// Each command records every record it changes in the undo history inside one
// group (crop to fit: one crop pair, which also carries the page sizes), so
// that one undo step reverses the whole command, and finishes by redrawing.
#include "edit/transform.h"

#include "connect/connect.h"
#include "edit/history.h"
#include "model/clones.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "render/erase.h"
#include "render/view.h"
#include "ui/ui.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int CROPMARGIN = 100; // page margin round the objects after crop to fit

int16_t saturate16(long v) { return (int16_t)std::clamp<long>(v, INT16_MIN, INT16_MAX); }

void opengroup() {
    savehistorypre(selectedIWO);
    savehistorypost(selectedIWO, HISTORY_GROUPBEGIN);
}

void closegroup() {
    savehistorypre(selectedIWO);
    savehistorypost(selectedIWO, HISTORY_GROUPEND);
}

void refreshpropertywindow() {
    if (propwindowopen) updateIWOprop(selectedIWO);
}

// Marks the diagram modified when the command recorded a change (with nothing
// selected, or only locked objects, a command changes nothing).
void markifchanged(long writesbefore) {
    if (historywritecount() != writesbefore) markIWOdiagrammodified();
}

// An object takes part in resize and flip when it is selected and not locked.
bool takespart(int i) { return IWO[i].selected && !IWO[i].locked; }

void countselection() {
    int n = 0;
    for (int i = 1; i < IWONumber; i++)
        if (IWO[i].selected) n++;
    numIWOselected = (int16_t)n;
}

// ---- flip ----

// The mirror image of a percentage coordinate, kept within a signed byte.
int8_t mirror(int v) { return (int8_t)std::clamp(100 - v, -128, 127); }

// The coordinates a flip works on: x for horizontal, y for vertical.
int8_t *coords(DrawPart &d, int direction) { return direction == 1 ? d.px : d.py; }

void mirrorall(int8_t *c) {
    for (int k = 0; k < 13; k++) c[k] = mirror(c[k]);
}

void mirrorpart(IWORecord &r, int k, int direction) {
    DrawPart &d = r.draw[k];
    int8_t *c = coords(d, direction);
    switch (d.kind) {
    case PARTBOX:
    case PARTHBAR:
    case PARTVBAR: { // a box given by two corners
        int8_t c0 = c[0];
        c[0] = mirror(c[1]);
        c[1] = mirror(c0);
        break;
    }
    case PARTLINE:
    case PARTCONNECTOR: // a straight line
        if (r.type == LINETYPE) {
            // A Line is its own box: reverse it in y, whatever the direction.
            r.y = saturate16((long)r.y + r.height);
            r.height = saturate16(-(long)r.height);
        } else {
            c[0] = mirror(c[0]);
            c[1] = mirror(c[1]);
            if (k < MAXHIGHLIGHTNUM) {
                int8_t *h = coords(r.highlight[k], direction);
                h[0] = mirror(h[0]);
                h[1] = mirror(h[1]);
            }
            int8_t *e = coords(r.erase, direction);
            e[0] = mirror(e[0]);
            e[1] = mirror(e[1]);
        }
        break;
    case PARTELLIPSE: // ellipse: only the centre moves
        c[0] = mirror(c[0]);
        break;
    case PARTHALFELLIPSE: // half-ellipse through three points
        for (int j = 0; j < 3; j++) c[j] = mirror(c[j]);
        break;
    case PARTPOLYGON: // polygon
        mirrorall(c);
        break;
    case PARTOUTLINE: { // closed outline through the corners
        int8_t c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3];
        if (direction == 1) {
            c[0] = mirror(c1);
            c[1] = mirror(c0);
            c[2] = mirror(c3);
            c[3] = mirror(c2);
        } else {
            c[0] = mirror(c3);
            c[3] = mirror(c0);
            c[1] = mirror(c2);
            c[2] = mirror(c1);
        }
        c[4] = c[0];
        break;
    }
    default: // line ends, the Text underline
        break;
    }
}

void mirroroutline(DrawPart &d, int direction) {
    int8_t *c = coords(d, direction);
    if (d.kind == PARTELLIPSE)
        c[0] = mirror(c[0]);
    else if (d.kind == PARTPOLYGON)
        mirrorall(c);
}

// A handle position mirrored; handles that are not offered become -99.
int16_t mirrorhandle(int16_t v) { return v >= 0 ? (int16_t)(100 - v) : (int16_t)-99; }

// Mirrors the resize handles: the middle ones in place, the others change
// places with their opposite.
void fliphandles(IWORecord &r, int direction) {
    int16_t *along = direction == 1 ? r.handlex : r.handley;
    int16_t *across = direction == 1 ? r.handley : r.handlex;
    const int inplace[2][2] = {{2, 7}, {4, 5}};
    const int pairs[2][3][2] = {{{1, 3}, {6, 8}, {4, 5}}, {{1, 6}, {3, 8}, {2, 7}}};
    int d = direction == 1 ? 0 : 1;
    for (int h : inplace[d])
        if (along[h] >= 0) along[h] = (int16_t)(100 - along[h]);
    for (const auto &p : pairs[d]) {
        int a = p[0], b = p[1];
        int16_t na = mirrorhandle(along[b]), nb = mirrorhandle(along[a]);
        along[a] = na;
        along[b] = nb;
        std::swap(across[a], across[b]);
    }
}

// Whether To Front (front) or To Back would change the drawing order: only
// when an unselected object lies in front of (behind) a selected one. A
// selection already at the front (back) stays as it is and records nothing.
bool stackingchanges(bool front) {
    bool seen = false;
    for (int k = 1; k < IWONumber; k++) {
        const int i = front ? k : IWONumber - k;
        if (IWO[i].selected)
            seen = true;
        else if (seen)
            return true;
    }
    return false;
}

} // namespace

int duplicate() {
    const long writes = historywritecount();
    removeshadowiwo();
    resetclones();
    clones = 0;
    opengroup();

    const int n = IWONumber;
    int16_t copygroup = 0; // the new group of the copies of grouped objects
    for (int i = 1; i < n; i++) {
        if (!IWO[i].selected || IWO[i].type == CONNECTORTYPE) continue;
        eraseIWO(i, papercolour, 0);
        int before = IWONumber;
        duplicateIWO(i);
        if (IWONumber == before) continue; // the table is full
        if (clones < CLONETABLESIZE) clones += 1;
        // The copy sits a little below and to the right, on the page.
        checkonpage(IWONumber - 1, false);
        IWORecord &copy = IWO[IWONumber - 1];
        if (copy.group >= 1) {
            if (copygroup == 0) copygroup = ++groupnum;
            copy.group = copygroup;
        }
    }
    duplicateconnectors();
    recountconnections();
    // The copies' new groups and the placing of the copied connectors came
    // after their creation was recorded; redo must bring them back as they are.
    refreshhistorycreated();

    selectedIWO = (int16_t)(IWONumber - 1);
    closegroup();
    for (int i = 1; i < n; i++) IWO[i].selected = 0;
    countselection();

    refreshIWOall();
    refreshpropertywindow();
    markifchanged(writes);
    return 1;
}

int delete_() {
    const long writes = historywritecount();
    removeshadowiwo();
    opengroup();

    int i = 1;
    while (i < IWONumber) {
        if (!IWO[i].selected) {
            i++;
            continue;
        }
        IWO[i].selected = 0;
        eraseIWO(i, papercolour, 0);
        const int16_t id = IWO[i].id;
        // Removing its connectors can shift the object down; they keep the
        // focus index on it.
        selectedIWO = (int16_t)i;
        deleteconnector(i);
        int k = selectedIWO;
        if (!liveIWO(k) || IWO[k].id != id) k = findIWObyid(id);
        if (!liveIWO(k)) { // it went with the connectors (a connector on a connector)
            i = 1;
            continue;
        }
        savehistorypre(k);
        savehistorypost(k, HISTORY_DELETE);
        downjigIWO(k);
        i = k; // the records below were looked at already
    }

    recountconnections();
    selectedIWO = 0;
    numIWOselected = 0;
    closegroup();

    refreshIWOall();
    refreshpropertywindow();
    markifchanged(writes);
    return 1;
}

int sendtofront() {
    const long writes = historywritecount();
    removeshadowiwo();
    opengroup();

    int n = stackingchanges(true) ? IWONumber : 1;
    int i = 1;
    while (i < n) {
        if (IWO[i].selected) {
            savehistorypre(i);
            savehistorypost(i, HISTORY_TOFRONT);
            swapIWO(i, IWONumber); // the end marker comes down to i
            IWONumber += 1;
            downjigIWO(i); // closes the gap: the object is now the last one
            n -= 1;
        } else {
            i++;
        }
    }

    closegroup();
    selectedIWO = (int16_t)(IWONumber - 1);
    refreshIWOall();
    markifchanged(writes);
    refreshpropertywindow();
    return 1;
}

int sendtoback() {
    const long writes = historywritecount();
    removeshadowiwo();
    // Record 0 is the properties buffer; the shifting below passes every
    // object through it, so it is kept aside and put back afterwards.
    const IWORecord buffer = IWO[0];
    opengroup();

    int top = stackingchanges(false) ? IWONumber - 1 : 0;
    int moved = 0;
    while (moved < top) {
        if (IWO[top].selected) {
            savehistorypre(top);
            savehistorypost(top, HISTORY_TOBACK);
            swapIWO(top, 0);
            upjigIWO(top); // records 0..top-1 move up: the object lands at 1
            moved += 1;
        } else {
            top -= 1;
        }
    }

    closegroup();
    IWO[0] = buffer;
    selectedIWO = 1;
    refreshIWOall();
    markifchanged(writes);
    refreshpropertywindow();
    return 1;
}

int resize(int percent) {
    const long writes = historywritecount();
    opengroup();
    for (int i = 1; i < IWONumber; i++) {
        if (!takespart(i)) continue;
        IWORecord &r = IWO[i];
        const bool connector = r.type == CONNECTORTYPE;
        if (!connector || i == selectedIWO) {
            eraseIWO(i, papercolour, 0);
            savehistorypre(i);
            int16_t w = saturate16((long)r.width * percent / 100);
            int16_t h = saturate16((long)r.height * percent / 100);
            if (r.type != LINETYPE) {
                w = std::max<int16_t>(w, MINSIZE);
                h = std::max<int16_t>(h, MINSIZE);
            }
            r.width = w;
            r.height = h;
            checkonpage(i);
            // A connector's new attachment belongs to the recorded change.
            if (connector) resetconnectorpoints(i);
            savehistorypost(i, HISTORY_MODIFY);
        } else {
            resetconnectorpoints(i);
        }
        if (connections(IWO[i]) > 0) calcconnectorpoints(i);
    }
    closegroup();
    refreshIWOall();
    markifchanged(writes);
    return 1;
}

int flip(int direction) {
    const long writes = historywritecount();
    // The bounding box of the selection, connectors left out.
    int minx = IWODiagram.paperwidth, miny = IWODiagram.paperheight, maxx = 0, maxy = 0;
    bool anyshape = false;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        if (!takespart(i) || r.type == CONNECTORTYPE) continue;
        anyshape = true;
        minx = std::min<int>(minx, r.x);
        miny = std::min<int>(miny, r.y);
        maxx = std::max(maxx, r.x + r.width);
        maxy = std::max(maxy, r.y + r.height);
    }

    opengroup();
    // Without a shape there is no box to mirror in (connectors follow shapes).
    for (int i = 1; anyshape && i < IWONumber; i++) {
        if (!takespart(i)) continue;
        IWORecord &r = IWO[i];
        const bool connector = r.type == CONNECTORTYPE;
        if (!connector || i == selectedIWO) {
            eraseIWO(i, papercolour, 0);
            savehistorypre(i);
            int parts = std::min<int>(r.drawnum, MAXDRAWNUM);
            for (int k = 0; k < parts; k++) mirrorpart(r, k, direction);
            int outlines = std::min<int>(r.highlightnum, MAXHIGHLIGHTNUM);
            for (int k = 0; k < outlines; k++) mirroroutline(r.highlight[k], direction);
            mirroroutline(r.erase, direction);
            if (direction == 1)
                r.x = saturate16((long)maxx - r.width - (r.x - minx));
            else
                r.y = saturate16((long)maxy - r.height - (r.y - miny));
            checkonpage(i);
            // The handles and a connector's attachment belong to the recorded change.
            if (r.type != LINETYPE) fliphandles(r, direction);
            if (connector) resetconnectorpoints(i);
            savehistorypost(i, HISTORY_MODIFY);
        } else {
            // A connector that only follows its objects keeps its parts as
            // they are, and so its handles, which must stay on its ends.
            resetconnectorpoints(i);
        }
        if (connections(IWO[i]) > 0) calcconnectorpoints(i);
    }
    closegroup();
    refreshIWOall();
    markifchanged(writes);
    return 1;
}

int croptofit() {
    if (IWONumber <= 1) {
        ErrorReq("You have not drawn any objects to crop the diagram to!");
        return 0;
    }
    savehistorypre(IWONumber);
    savehistorypost(IWONumber, HISTORY_CROPBEGIN); // keeps the old page size

    int minx = INT_MAX, miny = INT_MAX, maxx = INT_MIN, maxy = INT_MIN;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        minx = std::min<int>(minx, r.x);
        miny = std::min<int>(miny, r.y);
        maxx = std::max(maxx, r.x + r.width);
        maxy = std::max(maxy, r.y + r.height);
        if (r.type == LINETYPE) {
            // A line drawn up or left: its start is the far edge.
            if (r.height <= 0) {
                maxy = std::max<int>(maxy, r.y);
                miny = std::min(miny, r.y + r.height);
            }
            if (r.width <= 0) {
                maxx = std::max<int>(maxx, r.x);
                minx = std::min(minx, r.x + r.width);
            }
        }
    }
    const int16_t width = saturate16((long)maxx - minx + 2 * CROPMARGIN);
    const int16_t height = saturate16((long)maxy - miny + 2 * CROPMARGIN);

    for (int i = 1; i < IWONumber; i++) {
        savehistorypre(i);
        IWO[i].x = saturate16((long)IWO[i].x - minx + CROPMARGIN);
        IWO[i].y = saturate16((long)IWO[i].y - miny + CROPMARGIN);
        savehistorypost(i, HISTORY_MODIFY);
    }

    IWODiagram.paperwidth = width;
    IWODiagram.paperheight = height;
    savehistorypre(IWONumber);
    savehistorypost(IWONumber, HISTORY_CROPEND); // keeps the new page size

    setbitmapsize();
    cleardrawspace(papercolour);
    refreshIWOall();
    markIWOdiagrammodified();
    return 1;
}
