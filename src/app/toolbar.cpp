// toolbar.cpp - the toolbar window and the tool palette: icon names, help
// texts and the two window handlers.
#include "app/toolbar.h"

#include "app/diagramprops.h"
#include "app/menus.h"
#include "app/properties.h"
#include "app/tools.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "export/outline.h"
#include "export/svg.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/buttons.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/prefs.h"

#include <cstdio>
#include <cstring>
#include <string>

char Icon[ICONCOUNT][50];

namespace {

// Base names of the icon entries; entries not listed hold the directory alone.
struct IconName {
    int first, last;
    const char *name;
};
constexpr IconName ICONNAMES[] = {
    {0, 0, "new"},
    {1, 1, "open"},
    {2, 2, "saveas"},
    {3, 3, "save"},
    {4, 4, "exportpicture"},
    {5, 5, "exporttext"},
    {6, 6, "close"},
    {7, 7, "quit"},
    {8, 8, "info"},
    {9, 9, "select"},
    {10, 10, "bringtofront"},
    {11, 11, "clone"},
    {12, 12, "zoom"},
    {13, 13, "text"},
    {14, 14, "refresh"},
    {16, 16, "delete"},
    {18, 18, "quadratcolored"},
    {19, 19, "roundedcolored"},
    {20, 20, "poly"},
    {21, 21, "diamondcolored"},
    {22, 22, "elypsecolored"},
    {23, 23, "circlecolored"},
    {24, 24, "drawline"},
    {25, 25, "linetype"},
    {26, 26, "text"},
    {27, 27, "parrightcolored"},
    {28, 28, "parleftcolored"},
    {29, 29, "trapeziumcolored"},
    {31, 31, "hexagoncolored"},
    {32, 32, "pentagoncolored"},
    {33, 33, "start-stop"},
    // entry 34 depends on the icon set
    {35, 35, "trianglecolored"},
    {36, 36, "cloud"},
    {37, 37, "cloudalt"},
    {38, 38, "thinkalt"},
    {39, 39, "lightningcolored"},
    {40, 40, "exclamation"},
    {41, 41, "drawstar"},
    {42, 42, "actor"},
    {43, 43, "class"},
    {44, 44, "processbar"},
    {45, 45, "processstrip"},
    {46, 46, "start-stop"},
    {47, 47, "or"},
    {48, 48, "blank"},
    {50, 61, "blank"},
    {67, 67, "last"},
    {69, 69, "blank"},
    {70, 73, "quadratcolored"},
    {74, 77, "circlecolored"},
    {78, 85, "diamondcolored"},
    {86, 86, "tapeplay"},
    {87, 87, "tapeback"},
};

void appendname(int entry, const char *name) {
    char *e = Icon[entry];
    size_t n = std::strlen(e);
    std::snprintf(e + n, sizeof Icon[entry] - n, "%s", name);
}

const char *help(int id) { return id >= 0 && id < TYPETABLESIZE ? helptext[id] : ""; }

} // namespace

int setupicons() {
    const char *dir = IconSet == 1 ? "icons/small/" : "icons/large/";
    for (int k = 0; k < ICONCOUNT; k++) copytext(Icon[k], sizeof Icon[k], dir);
    for (const IconName &n : ICONNAMES)
        for (int k = n.first; k <= n.last; k++) appendname(k, n.name);
    appendname(34, IconSet == 2 ? "trianglecolored" : "ratriangle");
    return 1;
}

int iconindex(int id) {
    if (id >= FIRSTTOOLBARBUTTON && id <= LASTTOOLBARBUTTON && id != 38) return id - 23;
    if (id >= RECTANGLETYPE && id <= LASTSHAPETYPE) return id - 83;
    if (id >= FIRSTUSERTYPE && id <= LASTUSERTOOL) return id - 82;
    return -1;
}

int sethelptext() {
    static const struct {
        int id;
        const char *text;
    } texts[] = {
        {BUTTON_NEW, "New Drawing"},
        {BUTTON_OPEN, "Open Drawing"},
        {BUTTON_SAVEAS, "Save As..."},
        {BUTTON_SAVE, "Save Drawing"},
        {BUTTON_EXPORTGRAPHIC, "Export Graphic"},
        {BUTTON_EXPORTTEXT, "Export Text"},
        {BUTTON_CLOSE, "Close Drawing"},
        {BUTTON_QUIT, "Quit Ideaweave"},
        {BUTTON_PROPERTIES, "Properties"},
        {BUTTON_SELECT, "Select"},
        {BUTTON_FRONTBACK, "Move Up/Down"},
        {BUTTON_DUPLICATE, "Duplicate"},
        {BUTTON_ZOOM, "Zoom In/Out"},
        {BUTTON_TEXT, "Text"},
        {BUTTON_UNDOREDO, "Undo/Redo"},
        {BUTTON_DELETE, "Delete"},
    };
    for (const auto &t : texts) copytext(helptext[t.id], sizeof helptext[t.id], t.text);
    return 1;
}

int tophalfgadget(int id) { return platformui().gadgetupperhalf(id) ? 1 : 0; }

int ideaweavewindowevents(int32_t result, int) {
    const int id = result & 0xFFFF;
    switch (result & (int32_t)0xFFFF0000) {
    case IW_GADGETUP: {
        selectedgadget = (int16_t)id;
        // Each command takes the tool's outline away itself, as it must when
        // picked from the menu; doing it here as well keeps a button whose
        // command forgets it from leaving the outline behind as a ghost.
        removeshadowiwo();
        // The command of the button (of the half hit, on the two-way
        // buttons); a button with none chooses the select tool.
        const CommandRow *row = buttonrow(id, tophalfgadget(id) != 0);
        return runcommand(row ? *row : commandrow(CMD_SELECTTOOL));
    }
    case IW_GADGETHELP:
        selectedgadget = (int16_t)id;
        platformui().sethelpline(
            id >= FIRSTTOOLBARBUTTON && id <= LASTTOOLBARBUTTON ? help(id) : help(selectedtool));
        if (id == BUTTON_ZOOM) {
            // The pressed image shows which way a click will zoom.
            std::string name = Icon[iconindex(BUTTON_ZOOM)];
            name += tophalfgadget(id) ? "_in_s" : "_out_s";
            platformui().setgadgetselectedimage(id, name.c_str());
        }
        return 0;
    case IW_CLOSEWINDOW:
        return quitiw();
    default:
        return 0;
    }
}

int shapewindowevents(int32_t result, int) {
    const int id = result & 0xFFFF;
    switch (result & (int32_t)0xFFFF0000) {
    case IW_GADGETUP:
        // Only the tool buttons choose a tool; the tab strip and the help
        // line are no tools.
        if (id < FIRSTPALETTETOOL || id > LASTPALETTETOOL) return 0;
        selectall(0);
        selectedgadget = (int16_t)id;
        changeIWObutton();
        return 0;
    case IW_GADGETHELP:
        selectedgadget = (int16_t)id;
        platformui().sethelpline(id >= FIRSTPALETTETOOL ? help(id) : help(selectedtool));
        return 0;
    case IW_CLOSEWINDOW:
        return quitiw();
    default:
        return 0;
    }
}
