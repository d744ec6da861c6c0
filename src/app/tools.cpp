// tools.cpp - the tool buttons: choosing a tool, the palette's button table,
// and enabling what depends on the diagram's state.
#include "app/tools.h"

#include "app/menus.h"
#include "app/properties.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/buttons.h"
#include "model/select.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/erase.h"
#include "render/view.h"
#include "app/clipboard.h"
#include "app/menus.h"
#include "app/properties.h"
#include "edit/history.h"
#include "store/userobjects.h"

// Object > Clear User IWO, enabled when a user-object tool is chosen.
constexpr int MENU_CLEARUSERIWO = 0xF9A2;

int choosetool(int newtool, int oldtool) {
    // The outline on the page is the old tool's: it goes now, while it can
    // still be drawn away as it was drawn (callers then drop or remake it).
    removeshadowiwo();
    // A rubber band belongs to the select tool: another tool ends it unapplied
    // (before that tool's outline is made, which a band would leave empty).
    if (newtool != SELECTTOOL) DragSelect = 0;
    platformui().settoolselected(oldtool, false);
    platformui().settoolselected(newtool, true);
    if (newtool >= FIRSTUSERTYPE) OnMenu(MENU_CLEARUSERIWO);
    return newtool;
}

int setIWObuttons() {
    // The palette's own order, tab by tab, positions 1 to 12.
    static const int16_t tabs[3][12] = {
        {RECTANGLETYPE, SOFTRECTTYPE, DIAMONDTYPE, ELLIPSETYPE, LINETYPE, CONNECTORTYPE,
         TRAPEZIUMTYPE, PARATYPE, PENTAGONTYPE, HEXAGONTYPE, RIGHTTRIANGLETYPE, TRIANGLETYPE},
        {CLOUD1TYPE, CLOUD2TYPE, THOUGHTTYPE, LIGHTTYPE, EXCLAMTYPE, STARTYPE, ACTORTYPE, CLASSTYPE,
         PROCESS1TYPE, PROCESS2TYPE, STARTSTOPTYPE, CIRCLEORTYPE},
        {132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143}, // User 1 to 12
    };
    for (int t = 0; t < 3; t++) {
        IWObutton[t][0] = 0;
        for (int b = 0; b < 12; b++) IWObutton[t][b + 1] = tabs[t][b];
    }
    IWObuttonTab = 0;
    IWObuttonNo = 0;
    return 1;
}

int findIWObutton() {
    int tab = IWObuttonTab;
    if (tab < 0 || tab > 2) tab = 0;
    IWObuttonNo = 0;
    for (int b = 1; b <= 12; b++)
        if (IWObutton[tab][b] == selectedtool) IWObuttonNo = (int16_t)b;
    IWObuttonTab = (int16_t)tab;
    return 1;
}

int changeIWObutton() {
    selectedtool = (int16_t)choosetool(selectedgadget, selectedtool);
    // The pointer position as the drawing window's events see it (16 bits).
    int x = getrealx((int16_t)pointerx());
    int y = getrealy((int16_t)pointery());
    if (selectedtool == CONNECTORTYPE) {
        if (liveIWO(selectedIWO)) {
            IWO[selectedIWO].selected = 0;
            eraseIWO(selectedIWO, papercolour, 1);
        }
        updateIWOall(1, IWONumber);
        selectedIWO = 0;
        IWOselected = 0;
        if (propwindowopen) updateIWOprop(0);
    } else {
        resetsingleIWO(SHADOWIWO);
        createIWO(SHADOWIWO, selectedtool, x, y, linecolour, lineweight, fillcolour);
    }
    if (selectedtool == LINETYPE || selectedtool == CONNECTORTYPE) {
        IWO[SHADOWIWO].type = NOOUTLINETYPE;
        connectstartoffsetx = -99;
        connectstartoffsety = -99;
    }
    return 1;
}

namespace {

void setmenu(int num, int enabled) {
    if (enabled)
        OnMenu(num);
    else
        OffMenu(num);
}

void setgadgets(int from, int to, int enabled) {
    for (int id = from; id <= to; id++) setgadgetenabled(id, enabled);
}

// Object items that need a selected object (Node also needs a connector).
constexpr int SELECTIONITEMS[] = {
    FULLMENUNUM(1, 5),  // Edit > Delete
    FULLMENUNUM(1, 0),  // Edit > Cut
    FULLMENUNUM(1, 1),  // Edit > Copy
    FULLMENUNUM(2, 0),  // Object > Properties
    FULLMENUNUM(2, 1),  // Duplicate
    FULLMENUNUM(2, 19), // Delete
    FULLMENUNUM(2, 5),  // Lock
    FULLMENUNUM(2, 2),  // To Back
    FULLMENUNUM(2, 3),  // To Front
    FULLMENUNUM(2, 7),  // Change Text
    FULLMENUNUM(2, 8),  // Half size
    FULLMENUNUM(2, 12), // Create User IWO
    FULLMENUNUM(2, 10), // Group/Ungroup
};
constexpr int MENU_OBJECTNODE = FULLMENUNUM(2, 6);
// Toolbar buttons that need a selection: To Front/Back, Duplicate, Delete.
constexpr int SELECTIONGADGETS[] = {BUTTON_FRONTBACK, BUTTON_DUPLICATE, BUTTON_DELETE};

} // namespace

int disablefiletools(int off) {
    setgadgets(BUTTON_NEW, BUTTON_DUPLICATE, !off);
    if (off) return 1;
    static const int items[] = {
        FULLMENUNUM(0, 2),  // Project > Close
        FULLMENUNUM(0, 4),  // Save
        FULLMENUNUM(0, 5),  // Save As
        FULLMENUNUM(0, 8),  // Export Text
        FULLMENUNUM(0, 7),  // Export Graphic
        FULLMENUNUM(3, 0),  // Diagram > Properties
        FULLMENUNUM(3, 2),  // Zoom In
        FULLMENUNUM(3, 3),  // Zoom Out
        FULLMENUNUM(3, 11), // Redraw
        FULLMENUNUM(3, 5),  // Show Grid
    };
    for (int num : items) OnMenu(num);
    setcheckmenus();
    OnMenu(FULLMENUNUM(3, 6)); // Snap To Grid
    OnMenu(FULLMENUNUM(3, 7)); // Increase Grid Size
    OnMenu(FULLMENUNUM(3, 8)); // Decrease Grid Size
    setpastemenu();            // Edit > Paste, when the clipboard holds something
    return 1;
}

int disabledrawtools(int off) {
    setgadgets(100, 149, !off);
    disableUserIWOs();
    setgadgets(BUTTON_SELECT, BUTTON_DELETE, !off);
    const int objects = IWONumber >= 2;
    setmenu(FULLMENUNUM(1, 3), objects);  // Edit > Select All
    setmenu(FULLMENUNUM(3, 10), objects); // Diagram > Crop to fit
    disableIWOtools(off);
    // Undo and Redo follow the history ring itself: the entry before
    // historynum holds the step to undo, the entry at historynum the one to
    // redo (the ring's position alone says nothing once it has wrapped).
    int before = historynum <= 0 || historynum > MAXHISTORY ? MAXHISTORY : historynum - 1;
    int at = historynum < 0 || historynum > MAXHISTORY ? 0 : historynum;
    if (history[before].kind == HISTORY_EMPTY) {
        setgadgetenabled(BUTTON_UNDOREDO, 0);
        OffMenu(MENU_UNDO);
        if (history[at].kind == HISTORY_EMPTY) OffMenu(MENU_REDO);
    } else {
        OnMenu(MENU_UNDO);
    }
    return 1;
}

int disableIWOtools(int off) {
    const int enable = !off && numIWOselected > 0;
    for (int id : SELECTIONGADGETS) setgadgetenabled(id, enable);
    for (int num : SELECTIONITEMS) setmenu(num, enable);
    // Node is only ever enabled by a press on a connector.
    if (!enable) OffMenu(MENU_OBJECTNODE);
    return 1;
}

void OnMenu(int num) { platformui().setmenuenabled(num, true); }
void OffMenu(int num) { platformui().setmenuenabled(num, false); }
int setgadgetenabled(int id, int enabled) {
    platformui().setgadgetenabled(id, enabled != 0);
    return 1;
}
