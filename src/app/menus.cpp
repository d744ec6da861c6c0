// menus.cpp - the menu strip: its table, the dispatch of a pick to its
// command, and the file commands with their questions.
#include "app/menus.h"

#include "app/clipboard.h"
#include "app/diagramprops.h"
#include "app/mainloop.h"
#include "app/prefwindow.h"
#include "app/properties.h"
#include "app/requesters.h"
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
#include "platform/platform.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/view.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "store/userobjects.h"
#include "platform/platform.h"

#include <cstring>
#include <vector>

namespace {
constexpr NewMenu title(const char *label) { return {NM_TITLE, label, nullptr, 0}; }
constexpr NewMenu item(const char *label, const char *key = nullptr, uint16_t flags = 0) {
    return {NM_ITEM, label, key, flags};
}
constexpr NewMenu bar() { return {NM_ITEM, nullptr, nullptr, 0}; }
} // namespace

NewMenu ideaweavemenu[MENUTABLESIZE] = {
    title("Project"),
    item("New", "N"),
    item("Open", "O"),
    item("Close"),
    bar(),
    item("Save", "S"),
    item("Save As"),
    bar(),
    item("Export Graphic"),
    item("Export Text"),
    bar(),
    item("About"),
    bar(),
    item("Quit", "Q"),

    title("Edit"),
    item("Cut", "X"),
    item("Copy", "C"),
    item("Paste", "V"),
    item("Select All", "A"),
    bar(),
    item("Delete"),
    bar(),
    item("Undo", "U"),
    item("Redo", "Z"),

    title("Object"),
    item("Properties", "I"),
    item("Duplicate", "W"),
    item("To Back", "B"),
    item("To Front", "F"),
    bar(),
    item("Lock", "L"),
    item("Node", ":"),
    item("Change Text", "T"),
    item("Half size", "H"),
    bar(),
    item("Group/Ungroup", "G"),
    bar(),
    item("Create User IWO", "1"),
    item("Clear User IWO", "2"),
    item("Clear All User IWOs", "0"),
    bar(),
    item("Save User IWO Bank", "5"),
    item("Load User IWO Bank", "6"),
    bar(),
    item("Delete"),

    title("Diagram"),
    item("Properties", "?"),
    bar(),
    item("Zoom In", "+"),
    item("Zoom Out", "-"),
    bar(),
    item("Show Grid", ".", CHECKIT | MENUTOGGLE),
    item("Snap To Grid", "D", CHECKIT | MENUTOGGLE),
    item("Increase Grid Size", ">"),
    item("Decrease Grid Size", "<"),
    bar(),
    item("Crop to fit", "K"),
    item("Redraw", "R"),

    title("Preferences"),
    item("Program Settings"),
    bar(),
    item("Save Settings"),
    item("Load Settings"),

    {NM_END, nullptr, nullptr, 0},
};

namespace {

NewMenu *menuentry(int num) {
    if (num == MENUNULL) return nullptr;
    int menu = -1, itemno = -1;
    for (NewMenu &e : ideaweavemenu) {
        if (e.nm_Type == NM_END) break;
        if (e.nm_Type == NM_TITLE) {
            menu++;
            itemno = -1;
        } else if (++itemno == ITEMNUM(num) && menu == MENUNUM(num)) {
            return &e;
        }
    }
    return nullptr;
}

// Every command that changes the tool begins with the select tool and no outline.
void selecttool() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
}

int16_t &saved() { return IWODiagram.saved; }

constexpr int MENU_SHOWGRID = FULLMENUNUM(3, 5);   // Diagram > Show Grid
constexpr int MENU_SNAPTOGRID = FULLMENUNUM(3, 6); // Diagram > Snap To Grid

// Asks before unsaved changes are thrown away; 1 = go on.
int mayforget(const char *question) { return saved() != 0 || ConfirmReq(question, true) == 1; }

} // namespace

const NewMenu *menuitem(int num) { return menuentry(num); }

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

int setcheckmenus() {
    NewMenu *grid = menuentry(MENU_SHOWGRID), *snap = menuentry(MENU_SNAPTOGRID);
    grid->nm_Flags = (uint16_t)(CHECKIT | MENUTOGGLE | (ShowGrid ? CHECKED : 0));
    snap->nm_Flags = (uint16_t)(CHECKIT | MENUTOGGLE | (SnapToGrid ? CHECKED : 0));
    platformui().setmenuchecked(MENU_SHOWGRID, ShowGrid != 0);
    platformui().setmenuchecked(MENU_SNAPTOGRID, SnapToGrid != 0);
    return 1;
}

int processMenus(int num) {
    if (num == MENUNULL) return 0;
    const int item = ITEMNUM(num);
    switch (MENUNUM(num)) {
    case 0: // Project
        switch (item) {
        case 0:
            newdiagram();
            break;
        case 1:
            opendiagram();
            break;
        case 2:
            closediagram();
            break;
        case 4:
            savediagram();
            break;
        case 5:
            saveasdiagram();
            break;
        case 7:
            saveasSVG();
            break;
        case 8:
            saveasTXT();
            break;
        case 10:
            aboutideaweave();
            break;
        case 12:
            return quitiw();
        default:
            break;
        }
        break;
    case 1: // Edit
        switch (item) {
        case 0:
            cutobjects();
            break;
        case 1:
            copyobjects();
            break;
        case 2:
            pasteobjects();
            break;
        case 3:
            selectall(1);
            // The object items follow the selection that Select All made.
            disableIWOtools(0);
            break;
        case 5:
            delete_();
            break;
        case 7:
            undohistory();
            break;
        case 8:
            redohistory();
            break;
        default:
            break;
        }
        break;
    case 2: // Object
        switch (item) {
        case 0:
            propmain();
            break;
        case 1:
            duplicate();
            break;
        case 2:
            sendtoback();
            break;
        case 3:
            sendtofront();
            break;
        case 5:
            lockIWO();
            break;
        case 6:
            nodecommand();
            break;
        case 7:
            changetext();
            break;
        case 8:
            resize(AltDown || ShiftDown ? 200 : 50);
            break;
        case 10:
            creategroup();
            break;
        case 12:
            createUserIWO();
            break;
        case 13:
            // Clearing acts only while a user-object tool is chosen.
            if (selectedtool >= 132 && selectedtool <= 147) clearUserIWOsingle(selectedtool);
            break;
        case 14:
            clearUserIWOs();
            break;
        case 16:
            saveUserIWOBank();
            break;
        case 17:
            loadUserIWOBank();
            break;
        case 19:
            delete_();
            break;
        default:
            break;
        }
        break;
    case 3: // Diagram
        switch (item) {
        case 0:
            diagramprop();
            break;
        case 2:
            zoomin();
            break;
        case 3:
            zoomout();
            break;
        case 5:
            togglegrid();
            setcheckmenus();
            break;
        case 6:
            snaptogrid();
            setcheckmenus();
            break;
        case 7:
            increasegrid(1);
            break;
        case 8:
            increasegrid(0);
            break;
        case 10:
            croptofit();
            break;
        case 11:
            update();
            break;
        default:
            break;
        }
        break;
    case 4: // Preferences
        switch (item) {
        case 0:
            preferences();
            break;
        case 2:
            saveaspreferences();
            break;
        case 3:
            // A file that was refused leaves the settings, and so the view, alone.
            if (loadaspreferences()) {
                applypreferencesnow();
                if (prefwindowopen) updatePreferences();
                if (DiagramExists) update();
            }
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return 0;
}
