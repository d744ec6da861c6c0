// mainloop.h - start-up, the dispatch of window events and shut-down.
//
// The desktop platform owns the event loop; it hands every input event to
// iwevent(), which calls the window's handler in the fixed order of the
// windows and says when the program is to end.
//
//   setupinterface()          settings, icon names, help texts, type catalogue, buttons
//   resetinterface()          the state "no diagram": a fresh record, its states shown
//   iwevent(window, result, code)  one input event of a window; 1 = quit after it
//   requestbreak()            Ctrl-C: quit after the current event (safe in a signal
//                             handler; when no event is pending, the platform may hand
//                             in a tick, iwevent(DRAWSPACEWINDOW, 0, 0), to end at once)
//   closedown()               shut-down
#pragma once
#include <cstdint>

enum IWWindow {
    DRAWSPACEWINDOW,
    SHAPEWINDOW,
    IDEAWEAVEWINDOW,
    PROPWINDOW,
    DIAGRAMPROPWINDOW,
    PREFWINDOW
};

int setupinterface();
int resetinterface();
int iwevent(IWWindow window, int32_t result, int code);
void requestbreak();
int closedown();
