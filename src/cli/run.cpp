// run.cpp - a headless editing session driven by a script.
//
// The session starts as the editor does (the interface set up with no diagram,
// then an empty new diagram or the diagram IN), with the drawing window in
// memory, and runs the script line by line. Every requester is printed on
// standard output and answered from the queue that `answer` lines fill.
//
// Menu picks (`menu M I`) and button releases (`gadget ID`) go through the
// window handlers as the editor's events do; an item or button that is
// disabled can't be picked there, so the session prints that and skips it.
//
// The other windows are driven the way a user drives them, through their
// handlers:
//   gadget ID [CODE|left|right]  a gadget of a window (201-237 the object
//                        properties) released; CODE sets a check box, chooser
//                        or slider first (a check box without one toggles);
//                        left and right say which half of the button was hit
//   set ID VALUE         typing into a gadget, no event: string gadgets take
//                        the rest of the line, number gadgets are clamped
//   palette PEN|close, style ID|close, font NAME SIZE|cancel
//                        the answer of the next palette window, style window or
//                        font chooser (each prints a line when it is shown)
//   close NAME           the close gadget of a window ("props")
//   window NAME          the window's gadgets, one line each: ID VALUE [disabled]
//   record N             the fields of record N that the properties window edits
#include "app/mainloop.h"
#include "app/menus.h"
#include "app/requesters.h"
#include "app/session.h"
#include "app/toolbar.h"
#include "app/tools.h"
#include "cli/commands.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/settings.h"
#include "platform/gadgets.h"
#include "platform/headless/headlessui.h"
#include "platform/pngwrite.h"
#include "platform/window.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/view.h"
#include "store/diagramfile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Args = std::vector<long>;

// Command functions a script can call by name, with their argument counts.
struct Callable {
    int nargs;
    std::function<int(const Args &)> fn;
};

const std::map<std::string, Callable> &callables() {
    static const std::map<std::string, Callable> table = {
        {"selectall", {1, [](const Args &a) { return selectall((int)a[0]); }}},
        {"CheckDragSelect", {0, [](const Args &) { return CheckDragSelect(); }}},
        {"groupselect", {1, [](const Args &a) { return groupselect((int)a[0]); }}},
        {"creategroup", {0, [](const Args &) { return creategroup(); }}},
        {"lockIWO", {0, [](const Args &) { return lockIWO(); }}},
        {"movegroup", {1, [](const Args &a) { return movegroup((int)a[0]); }}},
        {"duplicate", {0, [](const Args &) { return duplicate(); }}},
        {"delete", {0, [](const Args &) { return delete_(); }}},
        {"sendtofront", {0, [](const Args &) { return sendtofront(); }}},
        {"sendtoback", {0, [](const Args &) { return sendtoback(); }}},
        {"resize", {1, [](const Args &a) { return resize((int)a[0]); }}},
        {"flip", {1, [](const Args &a) { return flip((int)a[0]); }}},
        {"croptofit", {0, [](const Args &) { return croptofit(); }}},
        {"undohistory", {0, [](const Args &) { return undohistory(); }}},
        {"redohistory", {0, [](const Args &) { return redohistory(); }}},
        {"foldnode", {1, [](const Args &a) { return foldnode((int)a[0]); }}},
        {"calcconnectorpoints", {1, [](const Args &a) { return calcconnectorpoints((int)a[0]); }}},
        {"remakeconnectors", {0, [](const Args &) { return remakeconnectors(); }}},
        {"zoomin", {0, [](const Args &) { return zoomin(); }}},
        {"zoomout", {0, [](const Args &) { return zoomout(); }}},
        {"update", {0, [](const Args &) { return update(); }}},
        {"togglegrid", {0, [](const Args &) { return togglegrid(); }}},
        {"snaptogrid", {0, [](const Args &) { return snaptogrid(); }}},
        {"increasegrid", {1, [](const Args &a) { return increasegrid((int)a[0]); }}},
        {"scrolldiagram", {2, [](const Args &a) { return scrolldiagram((int)a[0], (int)a[1]); }}},
        {"refreshIWOall", {0, [](const Args &) { return refreshIWOall(); }}},
        {"TextReq", {1, [](const Args &a) { return TextReq((int)a[0]); }}},
        {"node", {0, [](const Args &) { return nodecommand(); }}},
    };
    return table;
}

// Key names and their raw key codes.
const std::map<std::string, int> KEYS = {
    {"f", KEY_F},     {"del", KEY_DEL},   {"insert", KEY_INSERT}, {"tab", KEY_TAB},
    {"up", KEY_UP},   {"down", KEY_DOWN}, {"left", KEY_LEFT},     {"right", KEY_RIGHT},
};

class Session {
  public:
    explicit Session(HeadlessUI &ui) : ui_(ui) {}
    // Runs one script line; returns false when the line is not understood.
    bool line(const std::string &text);

  private:
    void event(int32_t cls, int code) { iwevent(DRAWSPACEWINDOW, cls, code); }
    void pointer(long x, long y) { setpointerposition((int)x, (int)y); }
    void tool(int id);
    void print();
    void menus();
    void gadgets();
    bool windowgadget(const std::vector<std::string> &w);
    void record(int n);
    void diagram();
    HeadlessUI &ui_;
};

// The window that owns a toolbar or palette gadget id.
bool gadgetwindow(long id, IWWindow &window) {
    if (id >= 23 && id <= 39) window = IDEAWEAVEWINDOW;
    else if (id == 12 || id == 22 || (id >= 100 && id <= 149)) window = SHAPEWINDOW;
    else return false;
    return true;
}

bool number(const std::string &s, long &v) {
    if (s.empty()) return false;
    char *end = nullptr;
    v = std::strtol(s.c_str(), &end, 10);
    return *end == 0;
}

// The rest of a line after its first n words (for texts and paths).
std::string rest(const std::string &text, int n) {
    size_t p = 0;
    for (int i = 0; i < n; i++) {
        p = text.find_first_not_of(" \t", p);
        if (p == std::string::npos) return "";
        p = text.find_first_of(" \t", p);
        if (p == std::string::npos) return "";
    }
    p = text.find_first_not_of(" \t", p);
    return p == std::string::npos ? "" : text.substr(p);
}

void Session::tool(int id) {
    if (id == 32) {
        // The toolbar's select tool: choose it and stop the outline.
        selectedtool = (int16_t)choosetool(32, selectedtool);
        deleteIWO(SHADOWIWO);
    } else if (id == 36) {
        selectedtool = (int16_t)choosetool(36, selectedtool);
        resetsingleIWO(SHADOWIWO);
        createIWO(SHADOWIWO, 109, getrealx((int16_t)pointerx()),
                  getrealy((int16_t)pointery()), linecolour,
                  lineweight, fillcolour);
    } else {
        // A palette button: deselect everything, then arm the tool.
        selectall(0);
        selectedgadget = (int16_t)id;
        changeIWObutton();
    }
}

void Session::print() {
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        std::string label(r.label, textlen(r.label, sizeof r.label));
        std::printf("%d %d %d %d %d %d %d %d %d %d %d \"%s\"\n", i, r.id, r.type, r.x, r.y,
                    r.width, r.height, r.selected, r.group, r.locked, r.visible, label.c_str());
    }
    std::fflush(stdout);
}

// Every menu item (separators left out): "M I label enabled checked".
void Session::menus() {
    for (int m = 0; m <= 4; m++) {
        for (int i = 0; i < 64; i++) {
            const NewMenu *e = menuitem(FULLMENUNUM(m, i));
            if (!e) break;
            if (!e->nm_Label) continue;
            int num = FULLMENUNUM(m, i);
            int checked = ui_.menuchecked(num);
            if (checked < 0) checked = (e->nm_Flags & CHECKED) != 0;
            std::printf("%d %d \"%s\" %d %d\n", m, i, e->nm_Label, ui_.menuenabled(num) != 0,
                        checked);
        }
    }
    std::fflush(stdout);
}

// The enabled state of the toolbar buttons and the palette's tools, and the
// tool shown as chosen.
void Session::gadgets() {
    std::string line = "toolbar";
    for (int id = 23; id <= 39; id++)
        if (id != 38) line += " " + std::to_string(id) + "=" + (ui_.gadgetenabled(id) ? "1" : "0");
    std::printf("%s\npalette", line.c_str());
    for (int t = 0; t < 3; t++)
        for (int b = 1; b <= 12; b++) {
            int id = IWObutton[t][b];
            std::printf(" %d=%d", id, ui_.gadgetenabled(id) != 0);
        }
    std::printf("\nchosen %d\n", ui_.chosentool());
    std::fflush(stdout);
}

// A gadget of a gadget window released (gadget ID [CODE|left|right]): a
// check box clicked without a code toggles, a code sets the check box, chooser
// or slider first; left and right say where on the button the pointer is.
bool Session::windowgadget(const std::vector<std::string> &w) {
    long id;
    if (!number(w[1], id)) return false;
    GadgetWindow *win = gadgetwindowof((int)id);
    if (!win) return false;
    Gadget *g = findgadget(*win, (int)id);
    long code = g->value;
    if (w.size() == 3) {
        if (w[2] == "left" || w[2] == "right") {
            win->pointerx = w[2] == "left" ? g->left : g->left + std::max(g->width - 1, 1);
        } else if (!number(w[2], code)) {
            return false;
        }
    }
    if (!win->open) {
        std::printf("gadget %ld: window closed\n", id);
    } else if (g->disabled) {
        std::printf("gadget %ld: disabled\n", id);
    } else {
        if (g->kind == GADGET_CHECKBOX && w.size() == 2) code = g->value ? 0 : 1;
        if (g->kind == GADGET_CHECKBOX || g->kind == GADGET_CHOOSER ||
            g->kind == GADGET_SLIDER || g->kind == GADGET_TABS) {
            setgadgetvalue(*win, (int)id, code);
            code = g->value;
        }
        iwevent((IWWindow)win->window, IW_GADGETUP | (int32_t)id, (int)code);
    }
    std::fflush(stdout);
    return true;
}

// One record's fields that the properties window edits.
void Session::record(int n) {
    const IWORecord &r = IWO[n];
    auto text = [](const char *s, size_t size) { return std::string(s, textlen(s, size)); };
    std::printf("record %d: id %d type %d at %d %d size %d %d line %d weight %d fill %d "
                "font \"%s\" %d text %d back %d filled %d locked %d fold %d label %d %d "
                "position %d handle9 %d %d name \"%s\" label \"%s\"",
                n, r.id, r.type, r.x, r.y, r.width, r.height, r.linecolour, r.lineweight,
                r.fillcolour, text(r.fontname, sizeof r.fontname).c_str(), r.font.ta_YSize,
                r.fontcolour, r.labelcolour, r.labelfilled, r.locked, r.fold, r.labelx, r.labely,
                r.labelposition, r.handlex[9], r.handley[9], text(r.name, sizeof r.name).c_str(),
                text(r.label, sizeof r.label).c_str());
    if (r.type == 107 || r.type == 108)
        for (int e = 1; e <= 2; e++) {
            const DrawPart &d = r.draw[e];
            std::printf(" end%d %d", e, d.kind);
            for (int i = 0; i < 7; i++) std::printf(" %d,%d", d.px[i], d.py[i]);
            std::printf(" pens %d %d %d", d.linecolour, d.fillcolour, d.lineweight);
        }
    std::printf("\n");
    std::fflush(stdout);
}

// The open diagram's record, but for its file name and version.
void Session::diagram() {
    const DiagramRecord &d = IWODiagram;
    // The record's ISO-8859-1 texts, printed as UTF-8.
    auto text = [](const char *s, size_t size) {
        std::string t;
        for (size_t i = 0; i < textlen(s, size); i++) {
            unsigned char c = (unsigned char)s[i];
            if (c < 0x80) {
                t += (char)c;
            } else {
                t += (char)(0xC0 | (c >> 6));
                t += (char)(0x80 | (c & 0x3F));
            }
        }
        return t;
    };
    std::printf("diagram: title \"%s\" author \"%s\" description \"%s\" saved %d "
                "paper %d %d colour %d highlight %d line %d fill %d weight %d "
                "font \"%s\" %d text %d back %d\n",
                text(d.title, sizeof d.title).c_str(), text(d.author, sizeof d.author).c_str(),
                text(d.description, sizeof d.description).c_str(), d.saved, d.paperwidth,
                d.paperheight, d.papercolour, d.highlightcolour, d.linecolour, d.fillcolour,
                d.lineweight, text(d.fontname, sizeof d.fontname).c_str(), d.font.ta_YSize,
                d.fontcolour, d.labelcolour);
    std::fflush(stdout);
}

bool Session::line(const std::string &text) {
    std::istringstream in(text);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    if (w.empty() || w[0][0] == '#') return true;
    const std::string &cmd = w[0];
    std::vector<long> n;
    bool numeric = true;
    for (size_t i = 1; i < w.size(); i++) {
        long v;
        if (number(w[i], v)) n.push_back(v);
        else numeric = false;
    }
    auto want = [&](size_t count) { return numeric && n.size() == count; };
    long id = 0;
    IWWindow dummy;

    if (cmd == "window" && want(2)) {
        if (n[0] < 1 || n[1] < 1 || n[0] > 8192 || n[1] > 8192) return false;
        resizedrawspacewindow((int)n[0], (int)n[1]);
        event(IW_NEWSIZE, 0);
    } else if (cmd == "new" && w.size() == 1) {
        startnewdiagram();
    } else if (cmd == "open" && w.size() >= 2) {
        opendiagramfile(rest(text, 1));
    } else if (cmd == "save" && w.size() >= 2) {
        std::string path = rest(text, 1);
        std::string message;
        if (path.size() >= (size_t)MAXFILENAMESIZE) {
            ErrorReq("Sorry. The file name is too long.");
        } else {
            char old[MAXFILENAMESIZE];
            std::memcpy(old, IWODiagram.filename, sizeof old);
            copytext(IWODiagram.filename, sizeof IWODiagram.filename, path.c_str());
            if (writeIWOdiagramfile(path, &message)) {
                IWODiagram.saved = 1;
                updateIWOdiagram();
            } else {
                std::memcpy(IWODiagram.filename, old, sizeof old);
                ErrorReq(message.c_str());
            }
        }
    } else if (cmd == "tool" && want(1)) {
        int id = (int)n[0];
        if (!(id == 32 || id == 36 || (id >= 101 && id <= 143))) return false;
        tool(id);
    } else if (cmd == "move" && want(2)) {
        pointer(n[0], n[1]);
        event(IW_MOUSEMOVE, 0);
    } else if (cmd == "press" && want(2)) {
        pointer(n[0], n[1]);
        event(IW_MOUSEBUTTONS, IW_SELECTDOWN);
    } else if (cmd == "release" && want(2)) {
        pointer(n[0], n[1]);
        event(IW_MOUSEBUTTONS, IW_SELECTUP);
    } else if (cmd == "drag" && numeric && (n.size() == 4 || n.size() == 5)) {
        long steps = n.size() == 5 ? n[4] : 4;
        if (steps < 0 || steps > 10000) return false;
        pointer(n[0], n[1]);
        event(IW_MOUSEBUTTONS, IW_SELECTDOWN);
        for (long i = 1; i <= steps; i++) {
            pointer(n[0] + (n[2] - n[0]) * i / steps, n[1] + (n[3] - n[1]) * i / steps);
            event(IW_MOUSEMOVE, 0);
        }
        pointer(n[2], n[3]);
        event(IW_MOUSEBUTTONS, IW_SELECTUP);
    } else if (cmd == "key" && w.size() == 2 && KEYS.count(w[1])) {
        int code = KEYS.at(w[1]);
        event(IW_RAWKEY, code);
        event(IW_RAWKEY, code | KEY_UPFLAG);
    } else if ((cmd == "shift" || cmd == "alt") && w.size() == 2 &&
               (w[1] == "down" || w[1] == "up")) {
        int code = cmd == "shift" ? KEY_LSHIFT : KEY_LALT;
        event(IW_RAWKEY, w[1] == "down" ? code : code | KEY_UPFLAG);
    } else if (cmd == "wheel" && want(2)) {
        scrolldiagram((int)n[0], (int)n[1]);
    } else if (cmd == "call" && w.size() >= 2) {
        auto it = callables().find(w[1]);
        if (it == callables().end()) return false;
        std::vector<long> args;
        for (size_t i = 2; i < w.size(); i++) {
            long v;
            if (!number(w[i], v)) return false;
            args.push_back(v);
        }
        if ((int)args.size() != it->second.nargs) return false;
        it->second.fn(args);
    } else if (cmd == "answer" && w.size() >= 2) {
        long b;
        if (!number(w[1], b)) return false;
        if (w.size() > 2) ui_.queueanswer((int)b, rest(text, 2));
        else ui_.queueanswer((int)b);
    } else if (cmd == "render" && w.size() >= 2) {
        if (!drawspacerp || !writepenpng(rest(text, 1).c_str(), drawspacerp))
            ErrorReq(("Sorry. Could not save file : " + rest(text, 1)).c_str());
    } else if (cmd == "close" && (w.size() == 1 || (w.size() == 2 && (w[1] == "tools" ||
                                                                       w[1] == "shapes")))) {
        // A window's close gadget: says whether the program would quit.
        IWWindow window = w.size() == 1    ? DRAWSPACEWINDOW
                          : w[1] == "tools" ? IDEAWEAVEWINDOW
                                            : SHAPEWINDOW;
        std::printf("close: %s\n", iwevent(window, IW_CLOSEWINDOW, 0) ? "quit" : "stay");
        std::fflush(stdout);
    } else if (cmd == "menu" && want(2)) {
        if (n[0] < 0 || n[0] > 4 || n[1] < 0 || n[1] > 63) return false;
        int num = FULLMENUNUM((int)n[0], (int)n[1]);
        const NewMenu *e = menuitem(num);
        if (!e || !e->nm_Label) return false;
        if (ui_.menuenabled(num) == 0) {
            std::printf("menu %ld %ld: disabled\n", n[0], n[1]);
        } else if (iwevent(DRAWSPACEWINDOW, IW_MENUPICK | num, num)) {
            std::printf("menu: quit\n");
        }
        std::fflush(stdout);
    } else if (cmd == "gadget" && (w.size() == 2 || w.size() == 3) && number(w[1], id) &&
               !gadgetwindow(id, dummy) && gadgetwindowof((int)id)) {
        return windowgadget(w);
    } else if (cmd == "set" && w.size() >= 2 && number(w[1], id) && gadgetwindowof((int)id)) {
        // Typing into a gadget: its value changes, no event comes.
        GadgetWindow *win = gadgetwindowof((int)id);
        GadgetWindow trial = *win; // a value the gadget can't take is a bad line anyway
        if (!putgadgetvalue(trial, (int)id, rest(text, 2))) return false;
        if (!win->open) {
            std::printf("set %ld: window closed\n", id);
        } else if (findgadget(*win, (int)id)->disabled) {
            std::printf("set %ld: disabled\n", id);
        } else if (findgadget(*win, (int)id)->kind == GADGET_STRING) {
            // Typed text is what the screen can type: ISO-8859-1 only.
            std::string latin, refused;
            if (!latin1answer(rest(text, 2), latin, refused))
                std::printf("set %ld: refused %s: cannot be stored (ISO-8859-1 only)\n", id,
                            refused.c_str());
            else putgadgetvalue(*win, (int)id, latin);
        } else if (!putgadgetvalue(*win, (int)id, rest(text, 2))) {
            return false;
        }
        std::fflush(stdout);
    } else if (cmd == "palette" && w.size() == 2) {
        long pen;
        if (w[1] == "close") ui_.queuepalette(-1);
        else if (number(w[1], pen) && pen >= 0 && pen <= 255) ui_.queuepalette((int)pen);
        else return false;
    } else if (cmd == "style" && w.size() == 2) {
        long style;
        if (w[1] == "close") ui_.queuestyle(0);
        else if (number(w[1], style) && style >= 0 && style < 100) ui_.queuestyle((int)style);
        else return false;
    } else if (cmd == "font" && w.size() == 2 && w[1] == "cancel") {
        ui_.queuefontcancel();
    } else if (cmd == "font" && w.size() >= 3) {
        // The name may hold spaces; the size is the last word.
        long size;
        if (!number(w.back(), size) || size < 1 || size > 120) return false;
        std::string name = rest(text, 1);
        name = name.substr(0, name.find_last_not_of(" \t", name.rfind(w.back()) - 1) + 1);
        ui_.queuefont(name, (int)size);
    } else if (cmd == "close" && w.size() == 2 && gadgetwindownamed(w[1])) {
        GadgetWindow *win = gadgetwindownamed(w[1]);
        if (win->open) iwevent((IWWindow)win->window, IW_CLOSEWINDOW, 0);
        else std::printf("close %s: window closed\n", w[1].c_str());
        std::fflush(stdout);
    } else if (cmd == "window" && w.size() == 2 && gadgetwindownamed(w[1])) {
        GadgetWindow *win = gadgetwindownamed(w[1]);
        if (!win->open) {
            std::printf("window %s: closed\n", w[1].c_str());
        } else {
            std::printf("window %s: %s\n", w[1].c_str(), win->title.c_str());
            for (const Gadget &g : win->gadgets) std::printf("%s\n", gadgetwindowline(g).c_str());
        }
        std::fflush(stdout);
    } else if (cmd == "diagram" && w.size() == 1) {
        diagram();
    } else if (cmd == "record" && want(1)) {
        if (n[0] < 0 || n[0] >= IWONumber) return false;
        record((int)n[0]);
    } else if ((cmd == "gadget" || cmd == "help") && (w.size() == 2 || w.size() == 3)) {
        // A button released, or the pointer resting over a gadget; the
        // optional half says where on the button the pointer is.
        long id;
        IWWindow window;
        if (!number(w[1], id) || !gadgetwindow(id, window)) return false;
        if (w.size() == 3) {
            if (w[2] != "upper" && w[2] != "lower") return false;
            ui_.setupperhalf(w[2] == "upper");
        } else {
            ui_.setupperhalf(true);
        }
        if (cmd == "help") {
            iwevent(window, IW_GADGETHELP | (int32_t)id, 0);
            std::printf("help: \"%s\"", ui_.helpline().c_str());
            std::string image = ui_.selectedimage((int)id);
            if (!image.empty()) std::printf(" image %s", image.c_str());
            std::printf("\n");
        } else if (ui_.gadgetenabled((int)id) == 0) {
            std::printf("gadget %ld: disabled\n", id);
        } else if (iwevent(window, IW_GADGETUP | (int32_t)id, 0)) {
            std::printf("gadget: quit\n");
        }
        std::fflush(stdout);
    } else if (cmd == "menus" && w.size() == 1) {
        menus();
    } else if (cmd == "gadgets" && w.size() == 1) {
        gadgets();
    } else if (cmd == "title" && w.size() == 1) {
        std::printf("title: %s\n", ui_.title().c_str());
        std::fflush(stdout);
    } else if (cmd == "view" && w.size() == 1) {
        std::printf("view: zoom %.1f grid %d snap %d size %d\n", (double)zoom, ShowGrid,
                    SnapToGrid, GridSize);
        std::fflush(stdout);
    } else if (cmd == "print" && w.size() == 1) {
        print();
    } else {
        return false;
    }
    return true;
}

} // namespace

int clirun(const char *script, const char *in) {
    HeadlessUI &ui = clistart(stdout);
    std::ifstream file(script);
    if (!file) {
        std::fprintf(stderr, "ideaweave-cli: cannot read script %s\n", script);
        return 2;
    }
    opendrawspacewindow(800, 600);
    setupinterface();
    resetinterface();
    if (in) {
        if (!opendiagramfile(in)) return 2;
    } else {
        startnewdiagram();
    }
    Session session(ui);
    std::string text;
    for (int lineno = 1; std::getline(file, text); lineno++) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (!session.line(text)) {
            std::fflush(stdout);
            std::fprintf(stderr, "ideaweave-cli: %s:%d: bad line: %s\n", script, lineno,
                         text.c_str());
            return 1;
        }
    }
    std::fflush(stdout);
    return 0;
}
