// mainloop.cpp - setting up the interface tables, the state "no diagram",
// the dispatch of window events and shut-down.
#include "app/mainloop.h"

#include "app/clipboard.h"

#include "app/diagramprops.h"
#include "app/menus.h"
#include "app/prefwindow.h"
#include "app/properties.h"
#include "app/toolbar.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "platform/raster.h"
#include "platform/window.h"
#include "store/prefs.h"

#include <csignal>

namespace {

// Set from a signal handler: only an atomic flag may be touched there.
volatile std::sig_atomic_t breakrequested = 0;

// Items that need a diagram, disabled while there is none.
constexpr int NODIAGRAMITEMS[] = {
    FULLMENUNUM(0, 2),  // Project > Close
    FULLMENUNUM(0, 4),  // Save
    FULLMENUNUM(0, 5),  // Save As
    FULLMENUNUM(0, 7),  // Export Graphic
    FULLMENUNUM(0, 8),  // Export Text
    FULLMENUNUM(1, 0),  // Edit > Cut
    FULLMENUNUM(1, 1),  // Copy
    FULLMENUNUM(1, 2),  // Paste
    FULLMENUNUM(1, 3),  // Select All
    FULLMENUNUM(1, 5),  // Delete
    FULLMENUNUM(1, 7),  // Undo
    FULLMENUNUM(1, 8),  // Redo
    FULLMENUNUM(2, 0),  // Object > Properties
    FULLMENUNUM(2, 1),  // Duplicate
    FULLMENUNUM(2, 2),  // To Back
    FULLMENUNUM(2, 3),  // To Front
    FULLMENUNUM(2, 5),  // Lock
    FULLMENUNUM(2, 6),  // Node
    FULLMENUNUM(2, 7),  // Change Text
    FULLMENUNUM(2, 8),  // Half size
    FULLMENUNUM(2, 10), // Group/Ungroup
    FULLMENUNUM(2, 12), // Create User IWO
    FULLMENUNUM(2, 19), // Delete
    FULLMENUNUM(3, 0),  // Diagram > Properties
    FULLMENUNUM(3, 2),  // Zoom In
    FULLMENUNUM(3, 3),  // Zoom Out
    FULLMENUNUM(3, 10), // Crop to fit
    FULLMENUNUM(3, 11), // Redraw
    FULLMENUNUM(3, 5),  // Show Grid
    FULLMENUNUM(3, 6),  // Snap To Grid
    FULLMENUNUM(3, 7),  // Increase Grid Size
    FULLMENUNUM(3, 8),  // Decrease Grid Size
};

// With no diagram there is nothing to edit: the drawing window's buttons and
// keys would otherwise delete, flip, nudge or create objects, or choose
// (disabled) tools, in a table nobody sees. Only the Shift and Alt keys are
// still followed, so that their state is right when a diagram comes.
bool editinginput(int32_t result, int code) {
    int32_t cls = result & (int32_t)0xFFFF0000;
    if (cls == IW_MOUSEBUTTONS) return true;
    return cls == IW_RAWKEY && !modifierkey(code);
}

} // namespace

int setupinterface() {
    // The settings: the built-in defaults, then the default settings file;
    // and empty user-object slots.
    initpreferences();
    setupicons();
    sethelptext();
    setIWOtypenames();
    setIWOhelptext();
    setIWObuttons();
    make_propwindow();
    make_diagrampropwindow();
    make_prefwindow();
    // Paste follows what the clipboard holds, whoever put it there.
    watchclipboard();
    return 1;
}

int resetinterface() {
    // Of the toolbar only New, Open and Quit stay.
    for (int id = BUTTON_SAVEAS; id <= BUTTON_CLOSE; id++) setgadgetenabled(id, 0);
    for (int id = BUTTON_PROPERTIES; id <= BUTTON_UNDOREDO; id++) setgadgetenabled(id, 0);
    setgadgetenabled(BUTTON_DELETE, 0);
    platformui().sethelpline(" ");
    for (int id = 100; id <= 148; id++) setgadgetenabled(id, 0);
    for (int num : NODIAGRAMITEMS) OffMenu(num);
    newIWOdiagram();
    if (diagrampropwindowopen) updateIWOdiagramprop();
    if (drawspacerp) SetRast(drawspacerp, 0);
    return 1;
}

int iwevent(IWWindow window, int32_t result, int code) {
    int quit = 0;
    switch (window) {
    case DRAWSPACEWINDOW:
        if (DiagramExists || !editinginput(result, code))
            quit = drawspacewindowevents(result, code);
        break;
    case SHAPEWINDOW:
        quit = shapewindowevents(result, code);
        break;
    case IDEAWEAVEWINDOW:
        quit = ideaweavewindowevents(result, code);
        break;
    case PROPWINDOW:
        iwopropertiesevents(result, code);
        break; // closing it quits nothing
    case DIAGRAMPROPWINDOW:
        diagrampropertiesevents(result, code);
        break;
    case PREFWINDOW:
        prefevents(result, code);
        break;
    }
    if (breakrequested) {
        breakrequested = 0;
        quit = 1;
    }
    return quit != 0 ? 1 : 0;
}

void requestbreak() { breakrequested = 1; }

int closedown() {
    // The platform disposes its windows; the core holds nothing open between
    // events (files are closed within each operation). A break that came in
    // after the last event is spent.
    breakrequested = 0;
    return 1;
}
