// userobjects.cpp - the user-defined object templates.
#include "store/userobjects.h"

#include "edit/interact.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "platform/platform.h"
#include "render/drawstate.h"
#include "ui/ui.h"

#include <cstdio>

int resetUserIWOs() {
    selectedtool = (int16_t)choosetool(32, selectedtool);
    deleteIWO(SHADOWIWO);
    for (int t = 132; t <= 131 + MAXUSERIWO; t++) platformui().settoolselected(t, false);
    for (int k = 0; k <= MAXUSERIWO + 1; k++) {
        IWORecord &r = userIWO[k];
        r.type = DEADTYPE;
        r.id = r.x = r.y = TRANSPARENT;
        r.labelx = r.labely = 50;
        r.labelposition = 0;
        r.linecolour = r.lineweight = r.fillcolour = 0;
        r.font = IWODiagram.font;
        r.fontcolour = fontcolour;
        char name[26];
        std::snprintf(name, sizeof name, "UserIWO%d", k);
        copytext(r.name, sizeof r.name, name);
        r.label[0] = 0;
        r.labelcolour = r.labelfilled = 0;
        r.drawnum = 0;
        r.visible = 1;
        r.nodefold = r.fold = r.locked = r.selected = 0;
        r.reserved1422 = r.group = TRANSPARENT;
        r.connectstart = r.connectend = TRANSPARENT;
        for (int i = 0; i < 10; i++) resetpart(r.draw[i]);
        for (DrawPart &h : r.highlight) resetpart(h);
        resetpart(r.erase);
        copytext(r.fontname, sizeof r.fontname, IWeaveFontName);
    }
    return 1;
}

int disableUserIWOs() {
    // Tools 132..144 use slots 1..13; a slot without an object has no tool.
    for (int t = 132; t <= 132 + MAXUSERIWO; t++)
        if (userIWO[t - 131].type == DEADTYPE) setgadgetenabled(t, 0);
    return 1;
}
