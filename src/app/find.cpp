// find.cpp - the Find commands (see find.h).
#include "app/find.h"

#include "app/menus.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/selection.h"
#include "model/diagram.h"
#include "model/find.h"
#include "model/iwo.h"
#include "model/select.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/zoomfit.h"
#include "ui/ui.h"

#include <vector>

namespace {

// Whether object target lies in the branch that connector c folds: the node
// at c's end and everything reached from it through the connectors leaving
// each node, as folding walks it.
bool inbranch(int c, int target) {
    std::vector<char> seen((size_t)IWONumber, 0);
    std::vector<int16_t> ids = {IWO[c].connectend};
    while (!ids.empty()) {
        const int16_t id = ids.back();
        ids.pop_back();
        if (id == TRANSPARENT) continue;
        for (int n = 1; n < IWONumber; n++) {
            if (IWO[n].id != id || seen[(size_t)n]) continue;
            seen[(size_t)n] = 1;
            for (int j = 1; j < IWONumber; j++) {
                if (IWO[j].type != CONNECTORTYPE || IWO[j].connectstart != id || seen[(size_t)j])
                    continue;
                seen[(size_t)j] = 1;
                ids.push_back(IWO[j].connectend);
            }
        }
    }
    return seen[(size_t)target] != 0;
}

// Whether exactly the live objects among indices are selected, the first of
// them as the focus, with the select tool: then selecting them again changes
// nothing to be drawn.
bool selectedalready(const std::vector<int> &indices) {
    std::vector<char> wanted((size_t)IWONumber, 0);
    int focus = TRANSPARENT, count = 0;
    for (int i : indices) {
        if (!liveIWO(i) || wanted[(size_t)i]) continue;
        wanted[(size_t)i] = 1;
        if (focus == TRANSPARENT) focus = i;
        count++;
    }
    if (count == 0 || selectedtool != SELECTTOOL || selectedIWO != focus || numIWOselected != count)
        return false;
    for (int i = 1; i < IWONumber; i++)
        if ((IWO[i].selected != 0) != (wanted[(size_t)i] != 0)) return false;
    return true;
}

} // namespace

std::vector<int> findmatches(const std::string &text) {
    std::vector<int> found = findIWOs(IWO + 1, IWONumber - 1, text);
    for (int &i : found) i += 1;
    return found;
}

int foldingconnector(int index) {
    if (!liveIWO(index) || IWO[index].visible != 0) return TRANSPARENT;
    for (int c = 1; c < IWONumber; c++) {
        const IWORecord &r = IWO[c];
        if (r.type == CONNECTORTYPE && r.fold != 0 && r.visible != 0 && c != index &&
            inbranch(c, index))
            return c;
    }
    return TRANSPARENT;
}

int unfoldtoshow(int index) {
    if (!liveIWO(index)) return 0;
    if (foldingconnector(index) == TRANSPARENT) return IWO[index].visible != 0;
    // Every fold taken away on the way is part of the one step.
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    for (int guard = 0; guard < IWONumber; guard++) {
        const int c = foldingconnector(index);
        if (c == TRANSPARENT) break;
        eraseIWO(c, papercolour, 0);
        IWO[c].fold = 0;
        IWO[c].nodefold = 0;
        foldnode(c);
    }
    savehistorytable(before.data(), (int)before.size(), index);
    refreshIWOall();
    markIWOdiagrammodified();
    return IWO[index].visible != 0;
}

int selectmatches(const std::vector<int> &indices) {
    // Typing on while the same match is first leaves the picture as it is.
    if (selectedalready(indices)) return 1;
    // Deselecting first takes every other object's handles away.
    selectall(0);
    int focus = TRANSPARENT, count = 0;
    for (int i : indices) {
        if (!liveIWO(i) || IWO[i].selected) continue;
        IWO[i].selected = 1;
        if (focus == TRANSPARENT) focus = i;
        count++;
    }
    if (count == 0) return 1;
    selectedIWO = (int16_t)focus;
    numIWOselected = (int16_t)count;
    refreshIWOall();
    if (propwindowopen) {
        bufferIWO(selectedIWO, 0);
        updateIWOprop(selectedIWO);
    }
    return 1;
}

int gotomatch(int index, bool unfold) {
    if (!liveIWO(index)) return TRANSPARENT;
    int shown = index;
    if (foldingconnector(index) != TRANSPARENT) {
        if (unfold)
            unfoldtoshow(index);
        else
            shown = foldingconnector(index);
    }
    selectmatches({shown});
    scrolltoshow(shown);
    return shown;
}
