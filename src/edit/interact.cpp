// interact.cpp - the drawing window's input handler.
//
// Pointer and keyboard events become edits of the object table. While the left
// button is held, the shadow record (index 1009) holds the outline of what the
// release will do and is drawn in complement mode; the table itself changes on
// press, on release, and when a dragged handle crosses the opposite edge.
#include "edit/interact.h"

#include "connect/connect.h"
#include "edit/history.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/handles.h"
#include "render/view.h"
#include "ui/ui.h"

#include <cstring>

int16_t ShiftDown = 0;
int16_t mousex = 0, mousey = 0;
int16_t insideIWOx = 0, insideIWOy = 0;

namespace {

constexpr int OFFPAGE = NOOUTLINETYPE; // pointer off the page, no outline this time

// Index of the object that the press of a shape tool created, or -1. Its
// release records the creation whether or not it ended on the page, so that
// later undo entries address the right records.
int createdatpress = -1;

// The pointer position (window pixels) at the last press, and whether the
// pointer has left it since: a release without movement is a click, which
// selects and changes nothing.
int16_t pressmousex = 0, pressmousey = 0;
bool pointermoved = false;

// The press point in diagram units. A shape created at the press may have
// been pushed onto the page since; its drag-out starts when the pointer
// leaves the press point, not the pushed corner.
int pressx = 0, pressy = 0;

// A handle drag has crossed the opposite edge and opened a history group
// that the release closes: the mirror, the re-anchoring and the release's
// change are undone and redone as one step.
bool draggroup = false;

IWORecord &S() { return IWO[SHADOWIWO]; }
bool hasfocus() { return liveIWO(selectedIWO); }
bool objecttool(int t) { return t >= RECTANGLETYPE && t <= 148; }
int P() { return IWODiagram.paperwidth; }
int Q() { return IWODiagram.paperheight; }

void copyOtoS() {
    if (hasfocus()) bufferIWO(selectedIWO, SHADOWIWO);
}

// Creates a real object of a type at the next free slot, from a reset slot.
// Returns its index, or -1 when the table is full or no id is left.
int newobject(int type, int mx, int my) {
    if (IWONumber > MAXIWO || !IWOidavailable()) return -1;
    int n = IWONumber;
    resetsingleIWO(n);
    if (!createIWO(n, type, mx, my, linecolour, lineweight, fillcolour)) return -1;
    return n;
}

// ---- pointer tracking ----

// Geometry is 16-bit: a pointer far outside the page (a drag that leaves the
// window at a small zoom) saturates instead of wrapping into a negative size.
int16_t sat16(long v) { return (int16_t)(v < -32768 ? -32768 : v > 32767 ? 32767 : v); }

// A dragged handle crossed the opposite edge: mirror the selection, continue
// with the mirrored handle, and re-anchor the focus object.
//
// An object being created is recorded once, by the release, with its final
// image: its mirror and re-anchoring are not recorded. An existing selection
// records the mirror and the re-anchoring inside one group with the
// release's change, so that one undo brings back what was there before the
// drag.
template <typename Reanchor> void crossing(int direction, int newhandle, Reanchor reanchor) {
    const bool creating = createdatpress > 0 && createdatpress == selectedIWO;
    // Objects other than the one being created take no part in its mirror
    // (their change would go unrecorded).
    static bool aside[IWOTABLESIZE];
    if (creating) {
        holdhistory(true);
        for (int k = 1; k < IWONumber; k++) {
            aside[k] = k != selectedIWO && IWO[k].selected;
            if (aside[k]) IWO[k].selected = 0;
        }
    } else if (!draggroup && hasfocus()) {
        savehistorypost(selectedIWO, HISTORY_GROUPBEGIN);
        draggroup = true;
    }
    flip(direction);
    if (creating)
        for (int k = 1; k < IWONumber; k++)
            if (aside[k]) IWO[k].selected = 1;
    if (hasfocus()) {
        eraseIWO(selectedIWO, papercolour, 0);
        selectedIWOhandle = (int16_t)newhandle;
        CheckDamage(selectedIWO);
        FixDamage();
        savehistorypre(selectedIWO);
        reanchor(IWO[selectedIWO]);
        checkonpage(selectedIWO);
        savehistorypost(selectedIWO, HISTORY_MODIFY);
        copyOtoS();
    }
    if (creating) holdhistory(false);
}

// Handles on the left edge (1, 4, 6): percentage hx of the handle.
void leftpart(int mx, int hx, int crossto) {
    IWORecord &O = IWO[selectedIWO];
    IWORecord &s = S();
    if (mx <= 8) return;
    if (mx > O.x + O.width) {
        // The mirrored edge can't go into the far margin.
        if (mx >= P() - 8) return;
        crossing(1, crossto, [mx](IWORecord &o) {
            o.x = sat16(o.x + o.width);
            o.width = sat16(mx - o.x);
        });
    } else {
        s.x = sat16(mx - hx * s.width / 100);
        s.width = sat16(O.x + O.width - s.x);
    }
}

// Handles on the top edge (1, 2, 3).
void toppart(int my, int hy, int crossto) {
    IWORecord &O = IWO[selectedIWO];
    IWORecord &s = S();
    if (my <= 8) return;
    if (my > O.y + O.height) {
        if (my >= Q() - 8) return;
        crossing(2, crossto, [my](IWORecord &o) {
            o.y = sat16(o.y + o.height);
            o.height = sat16(my - o.y);
        });
    } else {
        s.y = sat16(my - hy * s.height / 100);
        s.height = sat16(O.y + O.height - s.y);
    }
}

// Handles on the right edge (3, 8).
void rightpart(int mx, int hx, int crossto) {
    IWORecord &O = IWO[selectedIWO];
    IWORecord &s = S();
    if (mx >= P() - 8) return;
    if (mx < O.x) {
        // Nor into the near margin: that would leave no size at all.
        if (mx <= 8) return;
        crossing(1, crossto, [mx](IWORecord &o) {
            o.width = sat16(o.x - mx);
            o.x = sat16(mx);
        });
    } else {
        s.width = sat16((mx - O.x) + (100 - hx) * s.width / 100);
    }
}

// Handles on the bottom edge (6, 7, 8).
void bottompart(int my, int hy, int crossto) {
    IWORecord &O = IWO[selectedIWO];
    IWORecord &s = S();
    if (my >= Q() - 8) return;
    if (my < O.y) {
        if (my <= 8) return;
        crossing(2, crossto, [my](IWORecord &o) {
            o.height = sat16(o.y - my);
            o.y = sat16(my);
        });
    } else {
        s.height = sat16((my - s.y) + (100 - hy) * s.height / 100);
    }
}

// The middle-right handle re-anchors by the middle-left handle's position.
void middleright(int mx) {
    IWORecord &O = IWO[selectedIWO];
    IWORecord &s = S();
    if (mx >= P() - 8) return;
    if (mx < O.x) {
        if (mx <= 8) return;
        crossing(1, 4, [mx](IWORecord &o) {
            o.width = sat16(o.x - mx);
            o.x = sat16(mx - (100 - o.handlex[4]) * o.width / 100);
        });
    } else {
        s.width = sat16((mx - s.x) + (100 - s.handlex[5]) * s.width / 100);
    }
}

// Keeps a point inside the box of the object with this id (no such object:
// the point stays as it is).
void clampinto(int id, int16_t &px, int16_t &py) {
    int k = findIWObyid(id);
    if (k < 1) return;
    const IWORecord &a = IWO[k];
    if (px < a.x) px = a.x;
    if (px > a.x + a.width) px = sat16(a.x + a.width);
    if (py < a.y) py = a.y;
    if (py > a.y + a.height) py = sat16(a.y + a.height);
}

// Line and connector start point (handle 1).
void startpoint(int mx, int my) {
    IWORecord &s = S();
    int ex = s.x + s.width, ey = s.y + s.height;
    if (8 < mx && mx < P() - 8) s.x = sat16(mx);
    if (8 < my && my < Q() - 8) s.y = sat16(my);
    if (s.type == CONNECTORTYPE && s.connectstartclamp) clampinto(s.connectstart, s.x, s.y);
    s.width = sat16(ex - s.x);
    s.height = sat16(ey - s.y);
}

// The end point of a line or connector follows the pointer within the margins.
void endfollows(int mx, int my) {
    IWORecord &s = S();
    if (8 < mx && mx < P() - 8) s.width = sat16(mx - s.x);
    if (8 < my && my < Q() - 8) s.height = sat16(my - s.y);
}

void handle8(int mx, int my) {
    IWORecord &s = S();
    if (JustCreated == 1 && mx != pressx && my != pressy) JustCreated = 0;
    if (JustCreated == 1) return;
    if (s.type == LINETYPE) {
        if (selectedtool != SELECTTOOL && (s.x < 8 || s.x > P() || s.y < 8 || s.y > Q())) {
            connectstartoffsetx = s.x = sat16(mx);
            connectstartoffsety = s.y = sat16(my);
            s.width = s.height = 0;
        }
        endfollows(mx, my);
        return;
    }
    if (s.type == CONNECTORTYPE) {
        if (selectedtool == SELECTTOOL) {
            endfollows(mx, my);
            if (s.connectendclamp) {
                int k = findIWObyid(s.connectend);
                if (k >= 1) {
                    const IWORecord &b = IWO[k];
                    if (s.x + s.width < b.x) s.width = sat16(b.x - s.x);
                    if (s.x + s.width > b.x + b.width) s.width = sat16(b.x + b.width - s.x);
                    if (s.y + s.height < b.y) s.height = sat16(b.y - s.y);
                    if (s.y + s.height > b.y + b.height) s.height = sat16(b.y + b.height - s.y);
                }
            }
        } else if (connectstartoffsetx > 0) {
            endfollows(mx, my);
        }
        return;
    }
    // A line or connector being drawn whose outline is off the page stays as
    // it was; the rules below are a shape's, and the focus is then only the
    // object the connector starts at. A focus line or connector has no such
    // edges either.
    if (selectedtool == LINETYPE || selectedtool == CONNECTORTYPE) return;
    if (!hasfocus() || IWO[selectedIWO].type == LINETYPE || IWO[selectedIWO].type == CONNECTORTYPE)
        return;
    bottompart(my, s.handley[8], 3);
    rightpart(mx, s.handlex[8], 6);
}

// A percentage of a side moved by a distance in diagram units, within 0..100.
int16_t percentmoved(int percent, int distance, int side) {
    int v = percent + distance * 100 / side;
    return (int16_t)(v < 0 ? 0 : v > 100 ? 100 : v);
}

// Moves the outline by the handle being dragged.
void trackhandle(int mx, int my) {
    IWORecord &s = S();
    int h = selectedIWOhandle;
    if (h == 0) {
        if (s.type != CONNECTORTYPE) {
            s.x = sat16(mx - insideIWOx);
            s.y = sat16(my - insideIWOy);
        }
        return;
    }
    if (h == 8) {
        handle8(mx, my);
        return;
    }
    if (h == 1 && (s.type == LINETYPE || s.type == CONNECTORTYPE)) {
        startpoint(mx, my);
        return;
    }
    // Every other handle measures against the focus object. A corner handle
    // has two parts; both run in one event, even when the first crossed the
    // opposite edge and changed the handle being dragged.
    if (!hasfocus()) return;
    const IWORecord &O = IWO[selectedIWO];
    switch (h) {
    case 1:
        leftpart(mx, s.handlex[1], 3);
        toppart(my, s.handley[1], 6);
        break;
    case 2:
        toppart(my, s.handley[2], 7);
        break;
    case 3:
        rightpart(mx, s.handlex[3], 1);
        toppart(my, s.handley[3], 8);
        break;
    case 4:
        leftpart(mx, s.handlex[4], 5);
        break;
    case 5:
        middleright(mx);
        break;
    case 6:
        leftpart(mx, s.handlex[6], 8);
        bottompart(my, s.handley[6], 1);
        break;
    case 7:
        bottompart(my, s.handley[7], 2);
        break;
    case 9:
        // The label moves by the pointer's movement since the press (not to
        // the pointer), and stays inside its object.
        if (s.type != TEXTTYPE && O.x < mx && mx < O.x + O.width && O.y < my &&
            my < O.y + O.height) {
            s.handlex[9] = percentmoved(O.handlex[9], mx - O.x - insideIWOx, O.width);
            s.handley[9] = percentmoved(O.handley[9], my - O.y - insideIWOy, O.height);
        }
        break;
    default:
        break;
    }
}

void tracking(int mx, int my) {
    IWORecord &s = S();
    // A rubber band belongs to the select tool: another tool chosen while it
    // is drawn (from the keyboard, say) ends it unapplied.
    if (DragSelect == 1 && selectedtool != SELECTTOOL) DragSelect = 0;
    if (DragSelect == 0 && s.type != DEADTYPE && s.locked == 0) {
        bool offpage = mx < 0 || mx > P() || my < 0 || my > Q();
        if (offpage)
            s.type = OFFPAGE;
        else if (selectedtool != SELECTTOOL)
            s.type = selectedtool;
        else if (hasfocus())
            s.type = IWO[selectedIWO].type;
        else
            s.type = OFFPAGE; // nothing to outline
        trackhandle(mx, my);
        if (selectedtool != SELECTTOOL && (s.type == LINETYPE || s.type == CONNECTORTYPE) &&
            (connectstartoffsetx < 1 || connectstartoffsetx > P() || connectstartoffsety < 1 ||
             connectstartoffsety > Q()))
            s.type = OFFPAGE;
        if (s.type != OFFPAGE) drawshadowiwo();
    } else if (DragSelect == 1) {
        s.width = sat16(mx - s.x);
        s.height = sat16(my - s.y);
        drawshadowiwo();
    }
}

// ---- creating objects ----

// Removes a text object that was cancelled or left empty. It was never
// recorded in the history, so only this record goes (not the selection).
void droptext(int n) {
    eraseIWO(n, papercolour, 0);
    downjigIWO(n);
    selectedIWO = -99;
    numIWOselected = 0;
    IWOselected = 0;
    FixDamage();
}

// A text object at the pointer: asks for its text. Returns the new index if
// the object was kept, -1 otherwise.
int createtext(int mx, int my) {
    int n = newobject(TEXTTYPE, mx, my);
    int kept = -1;
    if (n > 0) {
        eraseIWO(n, papercolour, 0);
        int ok = TextReq(n);
        drawIWO(n);
        if (ok == 0 || IWO[n].label[0] == 0)
            droptext(n);
        else
            kept = n;
    }
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    deleteIWO(SHADOWIWO);
    return kept;
}

// Whether keeping object n on the page would move or resize it.
bool offpage(int n) {
    const IWORecord was = IWO[n];
    checkonpage(n, false);
    const IWORecord &r = IWO[n];
    const bool moved =
        r.x != was.x || r.y != was.y || r.width != was.width || r.height != was.height;
    IWO[n] = was;
    return moved;
}

void keepcreated(int n) {
    if (propwindowopen && hasfocus()) {
        updateIWOprop(selectedIWO);
        bufferIWO(selectedIWO, 0);
    }
    if (n > 0) {
        // A new object is placed: with snapping on it lands on the grid by the
        // rule of the handle that drew it (the body for Insert and text). One
        // drawn out past the page edge is brought back onto it.
        if (SnapToGrid || offpage(n)) {
            eraseIWO(n, papercolour, 0);
            checkonpage(n);
            drawIWO(n);
        }
        markIWOdiagrammodified();
        savehistorypost(n, 1);
    }
}

bool onpage(int mx, int my) { return 0 < mx && mx < P() && 0 < my && my < Q(); }

void insertkey(int mx, int my) {
    removeshadowiwo();
    if (!objecttool(selectedtool) && selectedtool != TEXTTOOL) return;
    savehistorypre(IWONumber);
    if (!(IWONumber <= MAXIWO && onpage(mx, my) && selectedtool != LINETYPE &&
          selectedtool != CONNECTORTYPE))
        return;
    if (hasfocus()) {
        IWO[selectedIWO].selected = 0;
        eraseIWO(selectedIWO, papercolour, 1);
    }
    updateIWOall(1, IWONumber);
    int n;
    if (selectedtool == TEXTTOOL)
        n = createtext(mx, my);
    else
        n = newobject(selectedtool, mx, my);
    keepcreated(n);
}

// ---- keys ----

void palettekey(int key) {
    findIWObutton();
    int oldtab = IWObuttonTab, oldbutton = IWObuttonNo;
    int tab = oldtab, b = oldbutton;
    switch (key) {
    case KEY_TAB:
        movepalette(PaletteMove::NextTab, tab, b);
        break;
    case KEY_UP:
        movepalette(PaletteMove::Up, tab, b);
        break;
    case KEY_DOWN:
        movepalette(PaletteMove::Down, tab, b);
        break;
    case KEY_RIGHT:
    case KEY_LEFT:
        movepalette(PaletteMove::Across, tab, b);
        break;
    default:
        break;
    }
    if (tab == 2 && b >= 1 && b <= 12 && userIWO[b].type == DEADTYPE) {
        tab = oldtab;
        b = oldbutton;
    }
    IWObuttonTab = (int16_t)tab;
    IWObuttonNo = (int16_t)b;
    platformui().setpalettetab(tab);
    selectall(0);
    if (b >= 1 && b <= 12) {
        selectedgadget = IWObutton[tab][b];
        changeIWObutton();
    }
}

void nudgekey(int key) {
    int step = ShiftDown ? 100 : 10;
    removeshadowiwo();
    copyOtoS();
    if (!AltDown) {
        if (hasfocus()) {
            IWORecord &s = S();
            switch (key) {
            case KEY_UP:
                s.y = (int16_t)(s.y - step);
                break;
            case KEY_DOWN:
                s.y = (int16_t)(s.y + step);
                break;
            case KEY_RIGHT:
                s.x = (int16_t)(s.x + step);
                break;
            case KEY_LEFT:
                s.x = (int16_t)(s.x - step);
                break;
            default:
                break;
            }
        }
    } else {
        palettekey(key);
    }
    // movegroup marks the diagram modified when something moved; a locked
    // selection, or one held at the page edge, stays as it was.
    if (hasfocus()) movegroup(selectedIWO);
    if (propwindowopen) updateIWOprop(selectedIWO);
    if (selectedtool == SELECTTOOL) deleteIWO(SHADOWIWO);
    refreshIWOall();
}

void rawkey(int code, int mx, int my) {
    if (code == KEY_F) flip(ShiftDown ? 2 : 1);
    if (code == KEY_INSERT) insertkey(mx, my);
    if (code >= 0x42 && code <= 0x4F) nudgekey(code);
    switch (code) {
    case KEY_LSHIFT:
    case KEY_RSHIFT:
        ShiftDown = 1;
        break;
    case KEY_LSHIFT | KEY_UPFLAG:
    case KEY_RSHIFT | KEY_UPFLAG:
        ShiftDown = 0;
        break;
    case KEY_LALT:
    case KEY_RALT:
        AltDown = 1;
        break;
    case KEY_LALT | KEY_UPFLAG:
    case KEY_RALT | KEY_UPFLAG:
        removeshadowiwo();
        AltDown = 0;
        break;
    default:
        break;
    }
    if (code == KEY_DEL) delete_();
}

// ---- the left button ----

// The object attached at the end of connector c that lies under the pointer
// (window pixels px, py; the end within a selected handle's reach), or -99.
int endattachedat(const IWORecord &c, int px, int py) {
    const int t = 8;
    const int16_t ids[2] = {c.connectstart, c.connectend};
    const int ends[2][2] = {{c.x, c.y}, {c.x + c.width, c.y + c.height}};
    for (int e = 1; e >= 0; e--) {
        const int hx = getdrawx(ends[e][0]), hy = getdrawy(ends[e][1]);
        if (hx - t <= px && px < hx + t && hy - t <= py && py < hy + t) {
            const int a = ids[e] == TRANSPARENT ? -99 : findIWObyid(ids[e]);
            if (liveIWO(a)) return a;
        }
    }
    return -99;
}

// The object a press at (mx, my) (window pixels px, py) lands on: the topmost
// one there, except that a press on a connector's end point that lies inside
// the object that end is attached to is a press on that object. Connectors
// drawn from one shape all start at the same point on top of it; the next one
// drawn from there must start at the shape, not at the connector before it.
// A connector's body stays a place to start from, and a connector for which
// keep says so (a selected one: its ends are its handles) stays what was hit.
int pressedobject(int mx, int my, int px, int py, bool (*keep)(int)) {
    int k = insideIWO(mx, my, IWONumber);
    for (int guard = 0; guard < 16 && liveIWO(k) && IWO[k].type == CONNECTORTYPE; guard++) {
        if (keep && keep(k)) break;
        const int a = endattachedat(IWO[k], px, py);
        // The end point must lie inside that object: it is hit there.
        if (a < 1 || a == k || insideIWO(mx, my, a) != a) break;
        k = a;
    }
    return k;
}

void deselectfocus() {
    if (!hasfocus()) return;
    IWO[selectedIWO].selected = 0;
    eraseIWO(selectedIWO, papercolour, 1);
    IWOselected = 0;
}

// Which objects were selected before the press: only their handles are
// handles (a press on an unselected object takes its body).
bool wasselected[IWOTABLESIZE];
bool selectedbefore(int k) { return k >= 1 && k < IWOTABLESIZE && wasselected[k]; }

void pressselect(int mx, int my) {
    for (int k = 0; k < IWOTABLESIZE; k++) wasselected[k] = k < IWONumber && IWO[k].selected != 0;
    if (hasfocus() && !ShiftDown) selectall(0);
    selectedIWO = (int16_t)pressedobject(mx, my, mousex, mousey, selectedbefore);
    if (!hasfocus()) {
        DragSelect = 1;
        DragSelectx = (int16_t)mx;
        DragSelecty = (int16_t)my;
        DragSelectwidth = DragSelectheight = 0;
        resetsingleIWO(SHADOWIWO);
        createIWO(SHADOWIWO, RECTANGLETYPE, DragSelectx, DragSelecty, linecolour, lineweight,
                  fillcolour);
        selectedIWOhandle = 8;
        drawshadowiwo();
    } else {
        IWORecord &O = IWO[selectedIWO];
        DragSelect = 0;
        insideIWOx = (int16_t)(mx - O.x);
        insideIWOy = (int16_t)(my - O.y);
        if (O.selected == 0) {
            O.selected = 1;
            numIWOselected += 1;
        }
        eraseIWO(selectedIWO, papercolour, 1);
        IWOselected = 1;
        copyOtoS();
        groupselect(1);
        connectstartoffsetx = (int16_t)(mx - O.x);
        connectstartoffsety = (int16_t)(my - O.y);
        selectedIWOhandle = selectedbefore(selectedIWO)
                                ? (int16_t)checkIWOhandle(selectedIWO, mousex, mousey)
                                : (int16_t)0;
    }
    if (propwindowopen) {
        if (hasfocus()) bufferIWO(selectedIWO, 0);
        updateIWOprop(selectedIWO);
    }
}

void pressconnector(int mx, int my) {
    deselectfocus();
    selectedIWO = (int16_t)pressedobject(mx, my, mousex, mousey, nullptr);
    if (!hasfocus()) {
        connectstartIWO = connectendIWO = -5;
        connectstartoffsetx = connectstartoffsety = -99;
        connectendoffsetx = connectendoffsety = -99;
        return;
    }
    IWORecord &O = IWO[selectedIWO];
    O.selected = 1;
    if (SnapToGrid == 1) {
        SnapToGrid = 0;
        eraseIWO(selectedIWO, papercolour, 0);
        drawIWO(selectedIWO);
        SnapToGrid = 1;
    } else {
        drawIWO(selectedIWO);
    }
    IWOselected = 1;
    connectstartIWO = selectedIWO;
    connectstartoffsetx = (int16_t)(mx - O.x);
    connectstartoffsety = (int16_t)(my - O.y);
    selectedIWOhandle = 8;
    S().type = CONNECTORTYPE;
    S().x = (int16_t)mx;
    S().y = (int16_t)my;
}

void pressline(int mx, int my) {
    deselectfocus();
    connectstartoffsetx = (int16_t)mx;
    connectstartoffsety = (int16_t)my;
    selectedIWOhandle = 8;
    S().type = LINETYPE;
}

void pressshape(int mx, int my) {
    if (hasfocus()) {
        removeshadowiwo();
        deselectfocus();
    }
    int n = newobject(selectedtool, mx, my);
    if (n < 0) return; // table full: nothing is created
    // The object is in the table from now on: like every object it stays on
    // the page, also before its first draw (the grid applies on release).
    const int16_t snap = SnapToGrid;
    SnapToGrid = 0;
    checkonpage(n);
    SnapToGrid = snap;
    createdatpress = n;
    selectedIWOhandle = 8;
    JustCreated = 1;
    bufferIWO(n, SHADOWIWO);
}

void press(int mx, int my) {
    createdatpress = -1;
    pressmousex = mousex;
    pressmousey = mousey;
    pointermoved = false;
    pressx = mx;
    pressy = my;
    if (selectedtool == SELECTTOOL)
        pressselect(mx, my);
    else if (selectedtool == CONNECTORTYPE)
        pressconnector(mx, my);
    else if (selectedtool == LINETYPE)
        pressline(mx, my);
    else if (selectedtool == TEXTTOOL)
        deselectfocus();
    else if (objecttool(selectedtool))
        pressshape(mx, my);
}

void releaseselect(int mx, int my) {
    IWORecord &s = S();
    if (!hasfocus() || IWO[selectedIWO].selected != 1 || s.type == DEADTYPE) {
        DragSelectwidth = (int16_t)mx;
        DragSelectheight = (int16_t)my;
        CheckDragSelect();
        DragSelect = 0;
    } else {
        const long writes = historywritecount();
        IWORecord &O = IWO[selectedIWO];
        // A click (no pointer movement since the press) only selects: no move,
        // no snap to the grid, no label placed at the pointer.
        if (pointermoved) {
            if (s.type != OFFPAGE) {
                movegroup(selectedIWO);
                if (s.handlex[9] != O.handlex[9] || s.handley[9] != O.handley[9]) {
                    savehistorypre(selectedIWO);
                    O.handlex[9] = O.labelx = s.handlex[9];
                    O.handley[9] = O.labely = s.handley[9];
                    O.labelposition = 9;
                    savehistorypost(selectedIWO, 2);
                }
            }
            // movegroup keeps what it moves on the page (and on the grid) as
            // part of the recorded move; a locked focus, or one dragged off the
            // page, stays where it is.
            if (connections(O) > 0) calcconnectorpoints(selectedIWO);
        }
        refreshIWOall();
        // A click that moved nothing recorded nothing and leaves the diagram
        // unmodified.
        if (historywritecount() != writes) markIWOdiagrammodified();
    }
    if (propwindowopen) updateIWOprop(selectedIWO);
    deleteIWO(SHADOWIWO);
}

void releasetool(int mx, int my) {
    savehistorypre(IWONumber);
    int kept = -1;
    if (selectedtool == CONNECTORTYPE || selectedtool == LINETYPE || selectedtool == TEXTTOOL) {
        if (IWONumber <= MAXIWO && onpage(mx, my)) {
            if (selectedtool == CONNECTORTYPE) {
                connectendIWO = (int16_t)pressedobject(mx, my, mousex, mousey, nullptr);
                if (liveIWO(connectendIWO) && liveIWO(connectstartIWO)) {
                    const IWORecord &e = IWO[connectendIWO];
                    connectendoffsetx = (int16_t)(mx - e.x);
                    connectendoffsety = (int16_t)(my - e.y);
                    kept = newobject(CONNECTORTYPE, mx, my);
                    if (kept > 0) {
                        IWO[kept].selected = 1;
                        drawIWO(kept);
                    }
                }
            } else if (selectedtool == TEXTTOOL) {
                kept = createtext(mx, my);
            } else {
                kept = newobject(LINETYPE, mx, my);
            }
        }
    } else if (createdatpress > 0 && createdatpress == selectedIWO && hasfocus()) {
        // The shape exists since the press; on the page it takes the outline.
        if (onpage(mx, my)) {
            bufferIWO(SHADOWIWO, selectedIWO);
            IWO[selectedIWO].selected = 1;
            JustCreated = 0;
        }
        // Released off the page, the shape keeps the geometry it was created
        // with; drawing it also pulls it onto the page, so it is never left
        // unseen beyond the page edge.
        drawIWO(selectedIWO);
        kept = selectedIWO;
    }
    createdatpress = -1;
    keepcreated(kept);
}

void release(int mx, int my) {
    removeshadowiwo();
    if (selectedtool == SELECTTOOL)
        releaseselect(mx, my);
    else if (objecttool(selectedtool) || selectedtool == TEXTTOOL)
        releasetool(mx, my);
    if (draggroup) {
        savehistorypost(hasfocus() ? selectedIWO : 0, HISTORY_GROUPEND);
        draggroup = false;
    }
    FixDamage();
    // Back to rest: a connector, line or text object created by this release
    // leaves no "just created" mark that would hold the next outline still.
    JustCreated = 0;
    selectedIWOhandle = 0;
    IWOselected = 0;
    insideIWOx = insideIWOy = 0;
    connectstartIWO = connectendIWO = -5;
    connectstartoffsetx = connectstartoffsety = -99;
}

} // namespace

bool modifierkey(int code) {
    switch (code & ~KEY_UPFLAG) {
    case KEY_LSHIFT:
    case KEY_RSHIFT:
    case KEY_LALT:
    case KEY_RALT:
        return true;
    default:
        return false;
    }
}

int drawspacewindowevents(int32_t result, int code) {
    // Entry: scrolled by the scroll bars since the last page clear?
    int htop = getscrollertop(HSCROLLER), vtop = getscrollertop(VSCROLLER);
    if (htop != drawspacebitmapx || vtop != drawspacebitmapy) {
        updatescrollers();
        cleardrawspace(papercolour);
        refreshIWOall();
        updateIWOdiagram();
        return 0;
    }
    mousex = (int16_t)pointerx();
    mousey = (int16_t)pointery();
    if (mousex != pressmousex || mousey != pressmousey) pointermoved = true;
    int mx = getrealx(mousex), my = getrealy(mousey);
    removeshadowiwo();
    tracking(mx, my);

    int32_t cls = result & (int32_t)0xFFFF0000;
    int quit = 0;
    // While a shape is being dragged out it is not yet an object of its own
    // (its creation is recorded on release): commands and keys that change
    // the table would change or remove it half-made, so they wait until the
    // button is released. Shift and Alt are still followed.
    if (createdatpress > 0 &&
        (cls == IW_MENUPICK || (cls == IW_RAWKEY && !modifierkey(code & 0xFFFF))))
        return 0;
    // A command or key repaints what it changes, and a new window size the
    // whole page; an outline left on the page meanwhile could no longer be
    // drawn away and would stay as a ghost. It is drawn again at the next
    // pointer movement.
    if (cls == IW_MENUPICK || cls == IW_NEWSIZE ||
        (cls == IW_RAWKEY && !modifierkey(code & 0xFFFF)))
        removeshadowiwo();
    switch (cls) {
    case IW_CLOSEWINDOW:
        // The close gadget asks what Project > Quit asks.
        quit = quitiw();
        break;
    case IW_NEWSIZE:
        setbitmapsize();
        cleardrawspace(papercolour);
        refreshIWOall();
        break;
    case IW_MENUPICK: {
        int num = code & 0xFFFF;
        // A selection links at most every item of the strip once.
        for (int guard = 0; num != 0xFFFF && guard < 1024; guard++) {
            quit = processMenus(num);
            num = platformui().nextmenuselection(num);
        }
        break;
    }
    case IW_GADGETHELP: {
        int n = result & 0xFFFF;
        if (n >= 0 && n < TYPETABLESIZE) platformui().sethelpline(helptext[n]);
        break;
    }
    case IW_RAWKEY:
        rawkey(code & 0xFFFF, mx, my);
        break;
    case IW_MOUSEBUTTONS:
        if (code == IW_SELECTDOWN)
            press(mx, my);
        else if (code == IW_SELECTUP)
            release(mx, my);
        break;
    default:
        break;
    }
    return quit;
}
