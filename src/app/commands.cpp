// commands.cpp - the command table and the dispatch of menu picks and toolbar
// buttons through it.
#include "app/commands.h"

#include "app/clipboard.h"
#include "app/diagramprops.h"
#include "app/filedialogs.h"
#include "app/menus.h"
#include "app/menustate.h"
#include "app/prefwindow.h"
#include "app/properties.h"
#include "app/requesters.h"
#include "arrange/arrange.h"
#include "arrange/mindmap.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "export/outline.h"
#include "export/svg.h"
#include "import/import.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/buttons.h"
#include "platform/window.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/view.h"
#include "render/zoomfit.h"
#include "store/userobjects.h"
#include "ui/ui.h"

#include <cstring>

namespace {

// ---- enabled tests ----

bool havediagram(const ProgramState &s) { return s.diagram; }
bool haveobjects(const ProgramState &s) { return s.diagram && s.objects > 0; }
bool haveselection(const ProgramState &s) { return s.diagram && s.selected > 0; }
bool haveconnector(const ProgramState &s) { return haveselection(s) && s.focusconnector; }
bool canpaste(const ProgramState &s) { return s.diagram && s.clipboard; }
bool canundo(const ProgramState &s) { return s.diagram && s.canundo; }
bool canredo(const ProgramState &s) { return s.diagram && s.canredo; }
bool gridshown(const ProgramState &s) { return s.showgrid; }
bool gridsnaps(const ProgramState &s) { return s.snaptogrid; }

// ---- handlers that are more than one call ----

int selectallcommand() { return selectall(1); }

// Object > Add Child and Add Sibling: the node, brought into the window
// when the page shown doesn't hold it, then its label edited at once (a
// step of its own, so that Escape or Cancel leaves the node unnamed).
int addnodecommand(bool sibling) {
    if (!DiagramExists) return 1;
    std::string why;
    if (addmapnode(sibling, why) == 0) {
        ErrorReq(why.c_str());
        return 1;
    }
    scrolltoshow(selectedIWO);
    if (propwindowopen) updateIWOprop(selectedIWO);
    return editlabel(nullptr);
}

int deletenodecommand() {
    deletemapbranch();
    return 1;
}

int foldbranchcommand() {
    foldmapbranch();
    return 1;
}

// The node a step leads to, brought into the window when it lies outside.
int gonode(MapStep step) {
    if (selectmapnode(step)) scrolltoshow(selectedIWO);
    if (propwindowopen) updateIWOprop(selectedIWO);
    return 1;
}

int halfsize() { return resize(AltDown || ShiftDown ? 200 : 50); }

int clearusercommand() {
    // Clearing acts only while a user-object tool is chosen.
    if (selectedtool >= FIRSTUSERTYPE && selectedtool <= LASTTYPE) clearUserIWOsingle(selectedtool);
    return 1;
}

int showgridcommand() {
    togglegrid();
    return 1;
}

int snapcommand() {
    snaptogrid();
    return 1;
}

int loadsettingscommand() {
    // A file that was refused leaves the settings, and so the view, alone.
    if (loadaspreferences()) {
        applypreferencesnow();
        if (prefwindowopen) updatePreferences();
        if (DiagramExists) update();
    }
    return 1;
}

// The toolbar's Properties: the selected object's, else the diagram's.
int inspect() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
    return selectedIWO > 0 ? propmain() : diagramprop();
}

int selecttoolcommand() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    deleteIWO(SHADOWIWO);
    return 1;
}

// The text tool: its outline is a Text object at the pointer.
int texttoolcommand() {
    selectedtool = (int16_t)choosetool(TEXTTOOL, selectedtool);
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, TEXTTYPE, getrealx((int16_t)pointerx()), getrealy((int16_t)pointery()),
              linecolour, lineweight, fillcolour);
    return 1;
}

// ---- the table ----

constexpr CommandRow title(const char *label) {
    return {ROW_TITLE, CMD_NONE, nullptr,    label,   nullptr, nullptr,
            0,         0,        HALF_WHOLE, nullptr, nullptr, nullptr};
}
constexpr CommandRow bar() {
    return {ROW_BAR, CMD_NONE, nullptr,    nullptr, nullptr, nullptr,
            0,       0,        HALF_WHOLE, nullptr, nullptr, nullptr};
}

struct Item {
    Cmd id;
    const char *name, *label, *key;
    int (*run)();
    bool (*enabled)(const ProgramState &) = nullptr;
    int16_t button = 0;
    ButtonHalf half = HALF_WHOLE;
    const char *morekeys = nullptr;
    uint16_t flags = 0;
    bool (*checked)(const ProgramState &) = nullptr;
};
constexpr CommandRow item(const Item &i) {
    return {ROW_ITEM, i.id,     i.name, i.label, i.key,     i.morekeys,
            i.flags,  i.button, i.half, i.run,   i.enabled, i.checked};
}
constexpr CommandRow nomenu(const Item &i) {
    CommandRow r = item(i);
    r.kind = ROW_NOMENU;
    return r;
}

constexpr uint16_t CHECKMARK = CHECKIT | MENUTOGGLE;

const CommandRow ideaweavemenu[] = {
    title("Project"),
    item({CMD_NEW, "new", "New", "N", newdiagram, nullptr, BUTTON_NEW}),
    item({CMD_OPEN, "open", "Open", "O", opendiagram, nullptr, BUTTON_OPEN}),
    item({CMD_CLOSE, "close", "Close", nullptr, closediagram, havediagram, BUTTON_CLOSE}),
    bar(),
    item({CMD_SAVE, "save", "Save", "S", savediagram, havediagram, BUTTON_SAVE}),
    item({CMD_SAVEAS, "saveas", "Save As", nullptr, saveasdiagram, havediagram, BUTTON_SAVEAS,
          HALF_WHOLE, "Ctrl+Shift+S"}),
    bar(),
    item({CMD_EXPORTGRAPHIC, "exportgraphic", "Export Graphic", nullptr, saveasSVG, havediagram,
          BUTTON_EXPORTGRAPHIC}),
    item({CMD_EXPORTTEXT, "exporttext", "Export Text", nullptr, saveasTXT, havediagram,
          BUTTON_EXPORTTEXT}),
    item({CMD_IMPORTOUTLINE, "importoutline", "Import Outline…", nullptr, importoutlinecommand}),
    bar(),
    item({CMD_ABOUT, "about", "About", nullptr, aboutideaweave}),
    bar(),
    item({CMD_QUIT, "quit", "Quit", "Q", quitiw, nullptr, BUTTON_QUIT}),

    title("Edit"),
    item({CMD_CUT, "cut", "Cut", "X", cutobjects, haveselection}),
    item({CMD_COPY, "copy", "Copy", "C", copyobjects, haveselection}),
    item({CMD_PASTE, "paste", "Paste", "V", pasteobjects, canpaste}),
    item({CMD_SELECTALL, "selectall", "Select All", "A", selectallcommand, haveobjects}),
    bar(),
    item({CMD_DELETE, "delete", "Delete", nullptr, delete_, haveselection, BUTTON_DELETE}),
    bar(),
    item({CMD_UNDO, "undo", "Undo", "U", undohistory, canundo, BUTTON_UNDOREDO, HALF_UPPER}),
    item({CMD_REDO, "redo", "Redo", "Z", redohistory, canredo, BUTTON_UNDOREDO, HALF_LOWER,
          "Ctrl+Y"}),

    title("Object"),
    item({CMD_PROPERTIES, "properties", "Properties", "I", propmain, haveselection}),
    item(
        {CMD_DUPLICATE, "duplicate", "Duplicate", "W", duplicate, haveselection, BUTTON_DUPLICATE}),
    item({CMD_TOBACK, "toback", "To Back", "B", sendtoback, haveselection, BUTTON_FRONTBACK,
          HALF_LOWER}),
    item({CMD_TOFRONT, "tofront", "To Front", "F", sendtofront, haveselection, BUTTON_FRONTBACK,
          HALF_UPPER}),
    bar(),
    item({CMD_LOCK, "lock", "Lock", "L", lockIWO, haveselection}),
    item({CMD_NODE, "node", "Node", ":", nodecommand, haveconnector}),
    item({CMD_CHANGETEXT, "changetext", "Change Text", "T", changetext, haveselection}),
    item({CMD_HALFSIZE, "halfsize", "Half size", "H", halfsize, haveselection}),
    bar(),
    item({CMD_GROUP, "group", "Group/Ungroup", "G", creategroup, haveselection}),
    bar(),
    item({CMD_CREATEUSER, "createuser", "Create User IWO", "1", createUserIWO, haveselection}),
    item({CMD_CLEARUSER, "clearuser", "Clear User IWO", "2", clearusercommand}),
    item({CMD_CLEARALLUSERS, "clearallusers", "Clear All User IWOs", "0", clearUserIWOs}),
    bar(),
    item({CMD_SAVEUSERBANK, "saveuserbank", "Save User IWO Bank", "5", saveUserIWOBank}),
    item({CMD_LOADUSERBANK, "loaduserbank", "Load User IWO Bank", "6", loadUserIWOBank}),
    bar(),
    item({CMD_DELETEOBJECTS, "deleteobjects", "Delete", nullptr, delete_, haveselection}),
    bar(),
    item({CMD_ADDCHILD, "addchild", "Add Child", nullptr, [] { return addnodecommand(false); },
          haveselection, 0, HALF_WHOLE, "Ctrl+Return"}),
    item({CMD_ADDSIBLING, "addsibling", "Add Sibling", nullptr, [] { return addnodecommand(true); },
          haveselection, 0, HALF_WHOLE, "Shift+Return"}),
    item({CMD_DELETENODE, "deletenode", "Delete Node", nullptr, deletenodecommand, haveselection, 0,
          HALF_WHOLE, "Ctrl+Delete"}),
    item({CMD_FOLDBRANCH, "foldbranch", "Fold/Unfold Branch", nullptr, foldbranchcommand,
          haveselection, 0, HALF_WHOLE, "Ctrl+Shift+Space"}),
    item({CMD_GOPARENT, "goparent", "Go to Parent", nullptr, [] { return gonode(MapStep::Parent); },
          haveselection, 0, HALF_WHOLE, "Ctrl+Left"}),
    item({CMD_GOCHILD, "gochild", "Go to First Child", nullptr,
          [] { return gonode(MapStep::FirstChild); }, haveselection, 0, HALF_WHOLE, "Ctrl+Right"}),
    item({CMD_GOPREVIOUS, "goprevious", "Go to Previous Sibling", nullptr,
          [] { return gonode(MapStep::Previous); }, haveselection, 0, HALF_WHOLE, "Ctrl+Up"}),
    item({CMD_GONEXT, "gonext", "Go to Next Sibling", nullptr, [] { return gonode(MapStep::Next); },
          haveselection, 0, HALF_WHOLE, "Ctrl+Down"}),
    item({CMD_EDITLABEL, "editlabel", "Edit Label", nullptr, [] { return editlabel(nullptr); },
          haveselection, 0, HALF_WHOLE, "F2"}),

    title("Diagram"),
    item({CMD_DIAGRAMPROPERTIES, "diagramproperties", "Properties", "?", diagramprop, havediagram}),
    bar(),
    item({CMD_ZOOMIN, "zoomin", "Zoom In", "+", zoomin, havediagram, BUTTON_ZOOM, HALF_UPPER,
          "Ctrl+="}),
    item({CMD_ZOOMOUT, "zoomout", "Zoom Out", "-", zoomout, havediagram, BUTTON_ZOOM, HALF_LOWER}),
    bar(),
    item({CMD_SHOWGRID, "showgrid", "Show Grid", ".", showgridcommand, havediagram, 0, HALF_WHOLE,
          nullptr, CHECKMARK, gridshown}),
    item({CMD_SNAPTOGRID, "snaptogrid", "Snap To Grid", "D", snapcommand, havediagram, 0,
          HALF_WHOLE, nullptr, CHECKMARK, gridsnaps}),
    item({CMD_GROWGRID, "growgrid", "Increase Grid Size", ">", [] { return increasegrid(1); },
          havediagram}),
    item({CMD_SHRINKGRID, "shrinkgrid", "Decrease Grid Size", "<", [] { return increasegrid(0); },
          havediagram}),
    bar(),
    item({CMD_CROP, "crop", "Crop to fit", "K", croptofit, haveobjects}),
    item({CMD_REDRAW, "redraw", "Redraw", "R", update, havediagram}),
    bar(),
    item({CMD_ARRANGEMINDMAP, "arrangemindmap", "Arrange as Mind Map", nullptr,
          [] { return arrangediagram(ArrangeKind::MindMap), 1; }, haveobjects}),
    item({CMD_ARRANGETREE, "arrangetree", "Arrange as Tree", nullptr,
          [] { return arrangediagram(ArrangeKind::Tree), 1; }, haveobjects}),
    item({CMD_ARRANGEFLOWCHART, "arrangeflowchart", "Arrange as Flowchart", nullptr,
          [] { return arrangediagram(ArrangeKind::Flowchart), 1; }, haveobjects}),

    title("Preferences"),
    item({CMD_SETTINGS, "settings", "Program Settings", nullptr, preferences}),
    bar(),
    item({CMD_SAVESETTINGS, "savesettings", "Save Settings", nullptr, saveaspreferences}),
    item({CMD_LOADSETTINGS, "loadsettings", "Load Settings", nullptr, loadsettingscommand}),

    // Commands of the toolbar that are no menu item.
    nomenu({CMD_INSPECT, "inspect", nullptr, nullptr, inspect, havediagram, BUTTON_PROPERTIES}),
    nomenu({CMD_SELECTTOOL, "selecttool", nullptr, nullptr, selecttoolcommand, havediagram,
            BUTTON_SELECT}),
    nomenu({CMD_TEXTTOOL, "texttool", nullptr, nullptr, texttoolcommand, havediagram, BUTTON_TEXT}),

    {ROW_END, CMD_NONE, nullptr, nullptr, nullptr, nullptr, 0, 0, HALF_WHOLE, nullptr, nullptr,
     nullptr},
};

// Where each command's row is and its menu number, found once.
struct Index {
    const CommandRow *row[CMDCOUNT] = {};
    int num[CMDCOUNT] = {};
    Index() {
        for (int &n : num) n = MENUNULL;
        int menu = -1, itemno = 0;
        for (const CommandRow *r = ideaweavemenu; r->kind != ROW_END; r++) {
            if (r->kind == ROW_TITLE) {
                menu++;
                itemno = 0;
                continue;
            }
            if (r->kind == ROW_NOMENU) {
                row[r->id] = r;
                continue;
            }
            const int n = itemno++;
            if (r->kind == ROW_ITEM) {
                row[r->id] = r;
                num[r->id] = FULLMENUNUM(menu, n);
            }
        }
    }
};

const Index &rows() {
    static const Index i;
    return i;
}

} // namespace

const CommandRow *commandtable() { return ideaweavemenu; }

const CommandRow &commandrow(Cmd id) { return *rows().row[id]; }

const CommandRow *commandnamed(const char *name) {
    for (const CommandRow *r = ideaweavemenu; r->kind != ROW_END; r++)
        if (r->name && std::strcmp(r->name, name) == 0) return r;
    return nullptr;
}

const CommandRow *menurow(int num) {
    if (num == MENUNULL || (num >> 11) != NOSUB) return nullptr;
    int menu = -1, itemno = 0;
    for (const CommandRow *r = ideaweavemenu; r->kind != ROW_END; r++) {
        if (r->kind == ROW_TITLE) {
            menu++;
            itemno = 0;
        } else if (r->kind != ROW_NOMENU) {
            if (menu == MENUNUM(num) && itemno == ITEMNUM(num)) return r;
            itemno++;
        }
    }
    return nullptr;
}

int menunumber(Cmd id) { return id >= 0 && id < CMDCOUNT ? rows().num[id] : MENUNULL; }

const CommandRow *buttonrow(int button, bool upper) {
    for (const CommandRow *r = ideaweavemenu; r->kind != ROW_END; r++) {
        if (r->button != button || button == 0) continue;
        if (r->half == HALF_WHOLE || (r->half == HALF_UPPER) == upper) return r;
    }
    return nullptr;
}

int runcommand(const CommandRow &row) {
    if (!row.run) return 0;
    const int result = row.run();
    // Only Quit ends the program; the other handlers return 1 for done.
    return row.id == CMD_QUIT ? result : 0;
}

int processMenus(int num) {
    const CommandRow *r = menurow(num);
    return r && r->kind == ROW_ITEM ? runcommand(*r) : 0;
}
