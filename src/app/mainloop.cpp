// mainloop.cpp - setting up the interface tables, the state "no diagram",
// the dispatch of window events and shut-down.
#include "app/mainloop.h"

#include "app/clipboard.h"
#include "app/diagramprops.h"
#include "app/menus.h"
#include "app/menustate.h"
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
    platformui().sethelpline(" ");
    newIWOdiagram();
    if (diagrampropwindowopen) updateIWOdiagramprop();
    if (drawspacerp) SetRast(drawspacerp, 0);
    // With no diagram only New, Open and Quit stay on the toolbar, and the
    // menus offer what needs no diagram.
    showstates();
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
    // What the menus and buttons offer follows from what the event left.
    showstates();
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
