// qtui.h - the desktop platform on Qt 6 Widgets: requesters as message boxes
// and input dialogs, the file requester as a file dialog, and the program's
// windows (the drawing window with its menu bar and scroll bars, the "Tools"
// and "Shapes" docks), which turn Qt's input into the handlers' events.
//
// Every input event goes through QtUI::post(): events are handled one at a
// time, in the order they came, by iwevent() (app/mainloop.h). An event that
// arrives while one is being handled (a modal requester runs its own loop) waits
// until that one is done, as the program's handlers are not re-entrant. After
// each event the drawing widget is repainted from the pen raster. When iwevent
// answers quit, or Ctrl-C came, the program shuts down (closedown) and the
// application's event loop ends with status 0.
//
//   qtui()                     the QtUI that is installed (null when none)
//   QtUI::post(event)          handle (or queue) one input event
//   QtUI::breaksignal()        Ctrl-C: quit after the current event
//   QtUI::quitrequested()      whether the program has shut down
//   PendingEvent::input(w, result, code)   a handler event of window w
//   PendingEvent::pointer(result, code, x, y)  a drawing window event at pointer (x, y)
//   PendingEvent::wheel(dx, dy), resize(w, h), scroll(s, top), command(fn)
#pragma once
#include "app/mainloop.h"
#include "platform/platform.h"

#include <QPixmap>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QScrollBar;
class QTabWidget;
class DrawSpaceWidget;
class GadgetButton;

// One input event waiting to be handled.
struct PendingEvent {
    enum Kind { INPUT, POINTER, WHEEL, RESIZE, SCROLL, CALL };
    Kind kind = INPUT;
    IWWindow window = DRAWSPACEWINDOW;
    int32_t result = 0;        // event class | id, menu number or key code
    int code = 0;              // raw key, mouse button or menu code
    int a = 0, b = 0;          // pointer x, y / wheel steps / new size / scroller and top
    std::function<int()> call; // CALL: a command run in turn with the events; 1 = quit

    static PendingEvent input(IWWindow w, int32_t result, int code) {
        PendingEvent e;
        e.window = w;
        e.result = result;
        e.code = code;
        return e;
    }
    static PendingEvent pointer(int32_t result, int code, int x, int y) {
        PendingEvent e = input(DRAWSPACEWINDOW, result, code);
        e.kind = POINTER;
        e.a = x;
        e.b = y;
        return e;
    }
    static PendingEvent make(Kind k, int a, int b) {
        PendingEvent e;
        e.kind = k;
        e.a = a;
        e.b = b;
        return e;
    }
    static PendingEvent wheel(int dx, int dy) { return make(WHEEL, dx, dy); }
    static PendingEvent resize(int w, int h) { return make(RESIZE, w, h); }
    static PendingEvent scroll(int s, int top) { return make(SCROLL, s, top); }
    static PendingEvent command(std::function<int()> fn) {
        PendingEvent e = make(CALL, 0, 0);
        e.call = std::move(fn);
        return e;
    }
};

class QtUI : public PlatformUI {
  public:
    QtUI();
    ~QtUI() override;

    // ---- PlatformUI ----
    int request(RequestSpec &req) override;
    int editlabel(LabelEditField &field) override;
    bool filerequest(const FileRequestSpec &req, std::string &drawer, std::string &file) override;
    void setwindowtitle(const char *title) override;
    void setmenuenabled(int num, bool enabled) override;
    void setmenuchecked(int num, bool checked) override;
    bool gadgetupperhalf(int id) override;
    void setgadgetselectedimage(int id, const char *name) override;
    void setgadgetenabled(int id, bool enabled) override;
    void setgadgetimage(int id, const std::string &path) override;
    void sethelpline(const char *text) override;
    void setpalettetab(int tab) override;
    void settoolselected(int id, bool selected) override;
    void scrollerchanged(int s, int top, int visible, int total) override;
    bool openmessage(const char *title, const char *text) override; // message.cpp
    void closemessage() override;
    // Gadget windows and the modal palette, style and font windows (propwindows.cpp).
    bool openwindow(GadgetWindow &win) override;
    void refreshwindow(GadgetWindow &win) override;
    void raisewindow(GadgetWindow &win) override;
    void closewindow(GadgetWindow &win) override;
    int palettewindow(const char *title, int pen, int pens, int x, int y) override;
    int stylewindow(const StyleWindowLayout &layout) override;
    bool fontrequest(const char *title, std::string &name, int &size, int maxsize) override;
    // The drawer chooser and the icon theme check (prefwindow.cpp).
    bool drawerrequest(const char *title, std::string &path) override;
    bool themeicons() override;

    // ---- events ----
    void post(const PendingEvent &e);
    void breaksignal();
    bool quitrequested() const { return quit_; }
    // Called once the program has shut down (default: end the application's
    // event loop with status 0).
    std::function<void()> onquit;
    // Called after every event handled (the desktop's watchers: recent files)
    // and once as the program shuts down, before its windows go (window places).
    std::function<void()> afterevent;
    std::function<void()> beforeclose;

    // ---- the windows (built by openmainwindows, qtwindows.h) ----
    QMainWindow *mainwindow = nullptr; // the drawing window with the menu bar
    DrawSpaceWidget *drawspace = nullptr;
    QScrollBar *scrollers[2] = {nullptr, nullptr}; // HSCROLLER, VSCROLLER
    QDockWidget *toolswindow = nullptr;            // "Tools"
    QDockWidget *shapeswindow = nullptr;           // "Shapes"
    QTabWidget *palettetabs = nullptr;             // gadget 12
    QLabel *helpline = nullptr;                    // gadget 22
    std::map<int, GadgetButton *> buttons;         // toolbar and palette buttons by id
    std::map<int, QAction *> menuactions;          // menu items by full menu number
    int iconsize = 32;                             // pixels of the button pictures

    // Gives the widgets the states set before they existed.
    void applystates();
    // Shows every toggle button chosen exactly when the core chose it.
    void synctoggles();
    // Where the pointer was in button id (for its upper and lower halves).
    void setgadgetpointer(int id, int y, int height);
    // The pointer is in the upper half of button id.
    bool upperhalf(int id) const;
    // The time the program's windows shut down.
    bool closed() const { return closed_; }

  private:
    int run(const PendingEvent &e);
    void shutdown();

    std::deque<PendingEvent> queue_;
    int depth_ = 0;
    bool break_ = false;
    bool quit_ = false;
    bool closed_ = false;
    std::string title_;
    std::map<int, bool> menuenabled_, menuchecked_, gadgetenabled_, toolselected_;
    std::map<int, std::string> selectedimage_;
    std::map<int, std::string> gadgetimage_;           // picture files put on buttons
    std::map<int, std::pair<int, int>> gadgetpointer_; // id -> (y, height)
    std::string helptext_ = " ";
    int tab_ = 0;
    int scroll_[2][3] = {{0, 0, 0}, {0, 0, 0}};
    QWidget *message_ = nullptr; // the message window while open
};

QtUI *qtui();

// Text of the core (ISO-8859-1, or UTF-8 for paths) to a QString.
QString coretext(const char *s);
// A file requester pattern as a file dialog filter: "#?" matches anything, and
// "#?(.a|.b)" becomes "*.a *.b".
QString filterpattern(const char *pattern);
