// tools.cpp - the tool buttons: choosing a tool, the palette's button table,
// and enabling what depends on the diagram's state.
#include "app/tools.h"

#include "edit/interact.h"
#include "edit/select.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/erase.h"
#include "render/view.h"
#include "app/properties.h"

int16_t IWObutton[3][13];
int16_t IWObuttonTab = 0;
int16_t IWObuttonNo = 0;
int16_t selectedgadget = 0;

// Object > Clear User IWO, enabled when a user-object tool is chosen.
constexpr int MENU_CLEARUSERIWO = 0xF9A2;

int choosetool(int newtool, int oldtool) {
    platformui().settoolselected(oldtool, false);
    platformui().settoolselected(newtool, true);
    if (newtool > 131) OnMenu(MENU_CLEARUSERIWO);
    return newtool;
}

int setIWObuttons() {
    // The palette's own order, tab by tab, positions 1 to 12.
    static const int16_t tabs[3][12] = {
        {101, 102, 104, 105, 107, 108, 112, 110, 115, 114, 117, 118},
        {119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130},
        {132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143},
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
    int x = getrealx(pointerx());
    int y = getrealy(pointery());
    if (selectedtool == 108) {
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
    if (selectedtool == 107 || selectedtool == 108) {
        IWO[SHADOWIWO].type = 37;
        connectstartoffsetx = -99;
        connectstartoffsety = -99;
    }
    return 1;
}

// The palette and toolbar enabling rules arrive with the editor window; the
// calls are in place.
int disabledrawtools(int) { return 1; }
int disablefiletools(int) { return 1; }
int disableIWOtools(int) { return 1; }

void OnMenu(int num) { platformui().setmenuenabled(num, true); }
void OffMenu(int num) { platformui().setmenuenabled(num, false); }
int setgadgetenabled(int id, int enabled) {
    platformui().setgadgetenabled(id, enabled != 0);
    return 1;
}
