// selection.cpp - selecting objects, rubber bands, groups and locks, and
// applying the change of the focus object's outline to the whole selection.
//
// The selection lives in the records' `selected` words; `selectedIWO` names
// the focus object and `numIWOselected` counts the selection. Any index taken
// from `selectedIWO` is checked against the table before it is used, because
// -99 (none) and stale indices are ordinary values of it.
#include "edit/selection.h"

#include "connect/connect.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "render/erase.h"
#include "render/view.h"
#include "ui/ui.h"

#include <utility>
#include <vector>

int16_t DragSelectx = 0, DragSelecty = 0;
int16_t DragSelectwidth = 0, DragSelectheight = 0;

namespace {

// The fields a drag or an attachment update can change.
struct Geometry {
    int16_t x, y, width, height;
    int16_t sx, sy, ex, ey;
    bool operator==(const Geometry &) const = default;
};

Geometry geometryof(const IWORecord &r) {
    return {r.x,           r.y,          r.width, r.height, r.connectstartx, r.connectstarty,
            r.connectendx, r.connectendy};
}

} // namespace

int selectall(int flag) {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
    for (int k = 1; k < IWONumber; k++) {
        IWO[k].selected = (int16_t)flag;
        if (flag == 0) eraseIWO(k, papercolour, 0); // takes the handles away
    }
    if (flag) {
        // Hidden and locked objects are selected too; the topmost is the focus.
        selectedIWO = (int16_t)(IWONumber - 1);
        numIWOselected = (int16_t)(IWONumber - 1);
    } else {
        selectedIWO = -99;
        IWOselected = 0;
        numIWOselected = 0;
    }
    selectedIWOhandle = 0;
    IWOselected = 0;
    insideIWOx = 0;
    insideIWOy = 0;
    connectstartIWO = -5;
    connectendIWO = -5;
    connectstartoffsetx = -99;
    connectstartoffsety = -99;
    refreshIWOall();
    deleteIWO(SHADOWIWO); // no outline: pointer tracking stops
    // The properties window shows the new focus object, or none.
    if (propwindowopen) {
        if (liveIWO(selectedIWO)) bufferIWO(selectedIWO, 0);
        updateIWOprop(selectedIWO);
    }
    return 1;
}

int CheckDragSelect() {
    // The band may have been drawn in any direction.
    if (DragSelectwidth < DragSelectx) std::swap(DragSelectwidth, DragSelectx);
    if (DragSelectheight < DragSelecty) std::swap(DragSelectheight, DragSelecty);
    for (int k = 1; k < IWONumber; k++) {
        IWORecord &r = IWO[k];
        // Only objects wholly inside the band; touching its edge is not enough.
        // Lines and connectors are tested on their start and end points.
        if (DragSelectx < r.x && DragSelecty < r.y && r.x + r.width < DragSelectwidth &&
            r.y + r.height < DragSelectheight && r.selected == 0 && r.visible != 0) {
            r.selected = 1;
            numIWOselected += 1;
            selectedIWO = (int16_t)k;
        }
    }
    refreshIWOall();
    return 1;
}

int groupselect(int flag) {
    const int g = liveIWO(selectedIWO) ? IWO[selectedIWO].group : 0;
    if (g > 0)
        for (int k = 1; k < IWONumber; k++)
            if (IWO[k].group == g) IWO[k].selected = (int16_t)flag;
    return 1;
}

int creategroup() {
    // Without a focus object there is no group to make or dissolve.
    if (!liveIWO(selectedIWO)) return 1;
    const int g = IWO[selectedIWO].group;
    // One undo step; undo and redo bring back the group numbers as they were.
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    const long writes = historywritecount();
    if (g < 1) {
        groupnum += 1;
        for (int k = 1; k < IWONumber; k++)
            if (IWO[k].selected) IWO[k].group = groupnum;
    } else {
        // Dissolve g; the groups above close the gap. groupnum stays, so the
        // next group is numbered above every number handed out so far.
        for (int k = 1; k < IWONumber; k++) {
            if (IWO[k].group == g)
                IWO[k].group = TRANSPARENT;
            else if (IWO[k].group > g)
                IWO[k].group -= 1;
        }
    }
    savehistorytable(before.data(), (int)before.size(), selectedIWO);
    if (historywritecount() != writes) markIWOdiagrammodified();
    return 1;
}

int lockIWO() {
    if (!liveIWO(selectedIWO)) return 1;
    eraseIWO(selectedIWO, papercolour, 0);
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    IWORecord &f = IWO[selectedIWO];
    f.locked = f.locked == 0 ? 1 : 0;
    lockgroup(selectedIWO);
    savehistorytable(before.data(), (int)before.size(), selectedIWO);
    refreshIWOall();
    if (propwindowopen) updateIWOprop(selectedIWO);
    markIWOdiagrammodified();
    return 1;
}

int lockgroup(int index) {
    if (index < 0 || index >= IWONumber) return 1;
    const int16_t locked = IWO[index].locked;
    // Record 0 is included: it holds the properties window's copy of the focus.
    for (int k = 0; k < IWONumber; k++)
        if (IWO[k].selected) IWO[k].locked = locked;
    return 1;
}

int movegroup(int f) {
    if (!liveIWO(f)) return 1;
    const IWORecord &S = IWO[SHADOWIWO];
    const IWORecord &F = IWO[f];
    const int16_t dx = (int16_t)(S.x - F.x);
    const int16_t dy = (int16_t)(S.y - F.y);
    const int16_t dw = (int16_t)(S.width - F.width);
    const int16_t dh = (int16_t)(S.height - F.height);
    bool changed = false;

    savehistorypre(f);
    savehistorypost(f, 7);
    for (int k = 1; k < IWONumber; k++) {
        IWORecord &r = IWO[k];
        if (r.locked != 0 || r.selected == 0) continue;
        const Geometry before = geometryof(r);
        const bool connector = r.type == CONNECTORTYPE;
        if (!connector || k == f) {
            eraseIWO(k, papercolour, 0);
            savehistorypre(k);
            r.x = (int16_t)(r.x + dx);
            r.y = (int16_t)(r.y + dy);
            // Lines and connectors hold a signed vector to their end point, so
            // any width and height is theirs to have; shapes keep a minimum.
            const bool vector = r.type == LINETYPE || connector;
            r.width = (int16_t)(r.width + dw);
            if (!vector && r.width < MINSIZE) r.width = MINSIZE;
            r.height = (int16_t)(r.height + dh);
            if (!vector && r.height < MINSIZE) r.height = MINSIZE;
            checkonpage(k);
            // The focus connector's new attachment belongs to the recorded
            // change, so that redo brings it back as well.
            if (connector) resetconnectorpoints(k);
            savehistorypost(k, 2);
        } else if (connector) {
            resetconnectorpoints(k);
        }
        if (connections(r) > 0) calcconnectorpoints(k);
        if (!(geometryof(r) == before)) changed = true;
    }
    if (liveIWO(f)) {
        savehistorypre(f);
        savehistorypost(f, 8);
    }
    if (changed) markIWOdiagrammodified();
    return 1;
}
