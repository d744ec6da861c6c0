// menustate.cpp - the menu items' and buttons' states from the program's state.
#include "app/menustate.h"

#include "app/clipboard.h"
#include "app/commands.h"
#include "edit/history.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "model/settings.h"

namespace {

// The ids the palette's tool buttons may have.
constexpr int FIRSTPALETTEID = 100, LASTPALETTEID = 149;

} // namespace

ProgramState currentstate() {
    ProgramState s;
    s.diagram = DiagramExists != 0;
    s.objects = IWONumber > 1 ? IWONumber - 1 : 0;
    s.selected = numIWOselected;
    s.focusconnector =
        liveIWO(selectedIWO) && IWO[selectedIWO].type == CONNECTORTYPE && IWO[selectedIWO].selected;
    s.canundo = historycanundo();
    s.canredo = historycanredo();
    s.clipboard = clipboardpastable();
    s.showgrid = ShowGrid != 0;
    s.snaptogrid = SnapToGrid != 0;
    for (int k = 1; k <= MAXUSERIWO; k++)
        if (userIWO[k].type != DEADTYPE) s.usedslots |= (uint16_t)(1u << k);
    return s;
}

UiStates computestates(const ProgramState &s) {
    UiStates u;
    for (const CommandRow *r = commandtable(); r->kind != ROW_END; r++) {
        if (r->kind != ROW_ITEM && r->kind != ROW_NOMENU) continue;
        const bool on = !r->enabled || r->enabled(s);
        if (r->kind == ROW_ITEM) {
            const int num = menunumber(r->id);
            u.menus[num] = on;
            if (r->checked) u.checks[num] = r->checked(s);
        }
        if (r->button != 0 && r->half != HALF_LOWER) u.buttons[r->button] = on;
    }
    // The palette's tools draw on a diagram; a user-object tool also needs
    // its object.
    for (int id = FIRSTPALETTEID; id <= LASTPALETTEID; id++) {
        bool on = s.diagram;
        if (id >= FIRSTUSERTYPE && id < FIRSTUSERTYPE + MAXUSERIWO)
            on = on && (s.usedslots & (1u << (id - USERTYPEBASE))) != 0;
        u.buttons[id] = on;
    }
    return u;
}

void showstates() {
    // Every state is handed over each time: the platform keeps only what
    // changes, and one that was replaced (a new window, a test's) gets them all.
    const UiStates u = computestates(currentstate());
    PlatformUI &ui = platformui();
    for (auto [num, on] : u.menus) ui.setmenuenabled(num, on);
    for (auto [num, on] : u.checks) ui.setmenuchecked(num, on);
    for (auto [id, on] : u.buttons) ui.setgadgetenabled(id, on);
}
