// commands.cpp - command bodies of the menu items that work on the selection.
#include "app/commands.h"

#include "app/properties.h"
#include "connect/connect.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "render/erase.h"

int nodecommand() {
    // Only a live connector as the focus object; anything else does nothing.
    if (!liveIWO(selectedIWO) || IWO[selectedIWO].type != 108) return 1;
    IWORecord &c = IWO[selectedIWO];
    eraseIWO(selectedIWO, papercolour, 0);
    c.fold = c.fold == 0 ? 1 : 0;
    c.nodefold = c.fold;
    foldnode(selectedIWO);
    refreshIWOall();
    if (propwindowopen) updateIWOprop(selectedIWO);
    markIWOdiagrammodified();
    return 1;
}
