// menus.cpp - the file commands with their questions, and the Object menu's
// commands that are more than one call.
#include "app/menus.h"

#include "app/clipboard.h"
#include "app/diagramprops.h"
#include "app/mainloop.h"
#include "app/prefwindow.h"
#include "app/properties.h"
#include "app/requesters.h"
#include "app/filedialogs.h"
#include "app/session.h"
#include "app/tools.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "export/outline.h"
#include "export/svg.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "render/drawparts.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/view.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "store/userobjects.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Every command that changes the tool begins with the select tool and no outline.
void selecttool() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
}

int16_t &saved() { return IWODiagram.saved; }

// Asks before unsaved changes are thrown away; 1 = go on.
int mayforget(const char *question) { return saved() != 0 || ConfirmReq(question, true) == 1; }

} // namespace

int quitiw() {
    const char *q = saved() == 0 ? "You will lose any changes to this diagram.\n Do you still "
                                   "want to quit Ideaweave?"
                                 : "Do you really want to quit Ideaweave?";
    if (ConfirmReq(q, saved() == 0) != 1) return 0;
    // User objects live only as long as the program or in a bank.
    return mayloseUserIWOs("You will lose the User IWOs made since the last bank save.\n"
                           "Do you still want to quit Ideaweave?");
}

int newdiagram() {
    selecttool();
    if (mayforget("You will lose any changes to this diagram.\n Do you still want to create a "
                  "new diagram?"))
        startnewdiagram();
    if (propwindowopen) disableIWOprop(1);
    settempdiagram(1);
    if (diagrampropwindowopen) updateIWOdiagramprop();
    return 1;
}

int opendiagram() {
    selecttool();
    if (mayforget("You will lose any changes to this diagram.\n Do you still want to open a new "
                  "diagram?")) {
        selectedIWO = -99;
        // Loading starts the diagram from a clean table, history and selection;
        // a refused or cancelled file leaves everything as it was.
        std::string warning;
        if (loadIWOdiagram(&warning)) {
            startloadeddiagram();
            if (propwindowopen) disableIWOprop(1);
            warnincomplete(warning);
        }
    }
    updateIWOdiagram();
    return 1;
}

int opendiagramfrom(const std::string &path) {
    selecttool();
    int opened = 0;
    // The same question as Open; the file replaces the diagram only when read.
    if (mayforget("You will lose any changes to this diagram.\n Do you still want to open a new "
                  "diagram?")) {
        opened = opendiagramfile(path);
        if (opened && propwindowopen) disableIWOprop(1);
    }
    updateIWOdiagram();
    return opened;
}

int closediagram() {
    selecttool();
    if (mayforget("You will lose any changes to this diagram.\n Do you still want to close?")) {
        platformui().settoolselected(selectedtool, false);
        selectedtool = SELECTTOOL;
        resetinterface();
        // The records are gone: the table holds nothing until New or Open.
        IWONumber = 1;
        numIWOselected = 0;
        selectedIWO = -99;
        DiagramExists = 0;
        saved() = 1;
        if (diagrampropwindowopen) updateIWOdiagramprop();
    }
    if (propwindowopen) disableIWOprop(1);
    updateIWOdiagram();
    return 1;
}

int savediagram() {
    removeshadowiwo();
    if (saveIWOdiagram()) {
        saved() = 1;
        settempdiagram(1);
        if (diagrampropwindowopen) updateIWOdiagramprop();
    }
    updateIWOdiagram();
    return 1;
}

int saveasdiagram() {
    selecttool();
    if (saveasIWOdiagram()) {
        selectedIWO = -99;
        saved() = 1;
        selecttool();
        deleteIWO(SHADOWIWO);
        settempdiagram(1);
        if (diagrampropwindowopen) updateIWOdiagramprop();
    }
    updateIWOdiagram();
    return 1;
}

int nodecommand() {
    // Only a live connector as the focus object; anything else does nothing.
    if (!liveIWO(selectedIWO) || IWO[selectedIWO].type != CONNECTORTYPE) return 1;
    IWORecord &c = IWO[selectedIWO];
    eraseIWO(selectedIWO, papercolour, 0);
    // The fold marks and the hidden branch are one undo step.
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    c.fold = c.fold == 0 ? 1 : 0;
    c.nodefold = c.fold;
    foldnode(selectedIWO);
    savehistorytable(before.data(), (int)before.size(), selectedIWO);
    refreshIWOall();
    if (propwindowopen) updateIWOprop(selectedIWO);
    markIWOdiagrammodified();
    return 1;
}

int editlabel(const char *typed) {
    const int n = selectedIWO;
    if (!DiagramExists || !liveIWO(n) || !IWO[n].selected) return 1;
    // Typing edits one object's label; Edit Label with several asks for each.
    if (numIWOselected > 1) return typed ? 1 : changetext();
    IWORecord &r = IWO[n];
    char buffer[sizeof r.label];
    if (typed)
        copytext(buffer, sizeof buffer, typed);
    else
        copyfield(buffer, sizeof buffer, r.label, sizeof r.label);
    // Over the object's box in the window, at least as high as the label's text.
    LabelEditField field;
    const int x0 = getdrawx(std::min<int>(r.x, r.x + r.width));
    const int x1 = getdrawx(std::max<int>(r.x, r.x + r.width));
    const int y0 = getdrawy(std::min<int>(r.y, r.y + r.height));
    const int y1 = getdrawy(std::max<int>(r.y, r.y + r.height));
    field.fontsize = std::max(1, trunci((double)((float)r.font.ta_YSize * zoom) * 4.0));
    field.x = x0;
    field.w = x1 - x0;
    field.h = std::max(y1 - y0, field.fontsize + 8);
    field.y = (y0 + y1) / 2 - field.h / 2;
    field.buffer = buffer;
    field.buffersize = (int)sizeof buffer;
    field.maxchars = (int)sizeof buffer - 1; // the label keeps its terminating NUL
    field.typed = typed != nullptr;
    removeshadowiwo();
    const int answer = platformui().editlabel(field);
    if (answer < 0) return changetext();
    if (answer == 0 || !liveIWO(n) || std::strncmp(buffer, r.label, sizeof r.label) == 0) return 1;
    eraseIWO(n, papercolour, 0);
    savehistorypre(n);
    copytext(r.label, sizeof r.label, buffer);
    savehistorypost(n, HISTORY_MODIFY);
    if (propwindowopen) updateIWOprop(n);
    refreshIWOall();
    markIWOdiagrammodified();
    return 1;
}

int changetext() {
    // One undo step for all the labels; objects whose text stays the same
    // leave no entry, and a command that changed nothing leaves none at all.
    bool changed = false;
    savehistorypre(selectedIWO);
    savehistorypost(selectedIWO, HISTORY_GROUPBEGIN);
    for (int i = 1; i < IWONumber; i++) {
        if (IWO[i].selected == 0) continue;
        eraseIWO(i, papercolour, 0);
        char before[sizeof IWO[i].label];
        std::memcpy(before, IWO[i].label, sizeof before);
        savehistorypre(i);
        TextReq(i);
        if (IWO[i].type == TEXTTYPE) {
            // A Text object is as wide as its new label: sized now rather than
            // at the next drawing, so that the step records the size and the
            // connectors attached to it follow it.
            LabelGeometry g;
            if (labelgeometry(i, g)) CloseFont(g.font);
        }
        if (connections(IWO[i]) > 0) calcconnectorpoints(i);
        savehistorypost(i, HISTORY_MODIFY);
        if (std::memcmp(before, IWO[i].label, sizeof before) != 0) changed = true;
    }
    savehistorypre(selectedIWO);
    savehistorypost(selectedIWO, HISTORY_GROUPEND);
    if (propwindowopen) updateIWOprop(selectedIWO);
    refreshIWOall();
    if (changed) markIWOdiagrammodified();
    return 1;
}
