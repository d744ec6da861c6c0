// tools.cpp - the tool buttons: choosing a tool and the palette's button table.
#include "app/tools.h"

#include "app/properties.h"
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

int choosetool(int newtool, int oldtool) {
    // The outline on the page is the old tool's: it goes now, while it can
    // still be drawn away as it was drawn (callers then drop or remake it).
    removeshadowiwo();
    // A rubber band belongs to the select tool: another tool ends it unapplied
    // (before that tool's outline is made, which a band would leave empty).
    if (newtool != SELECTTOOL) DragSelect = 0;
    platformui().settoolselected(oldtool, false);
    platformui().settoolselected(newtool, true);
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
    if (tab < 0 || tab >= PALETTETABS) tab = 0;
    IWObuttonNo = (int16_t)paletteposition(IWObutton, tab, selectedtool);
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
