// run.cpp - a headless editing session driven by a script.
//
// The session starts as the editor does (the interface set up with no diagram,
// then an empty new diagram or the diagram IN), with the drawing window in
// memory, and runs the script line by line. Every requester is printed on
// standard output and answered from the queue that `answer` lines fill.
//
// The commands are the rows of COMMANDS: a name, the handler that runs the
// line, and the forms the command takes (printed after a line it refuses).
// A new command is a handler and one row.
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
//   clipboard            the forms the clipboard holds and its object count
//   joins                every connector: its index and id, and the ids it joins
//   template K           user-object slot K: box, pens and parts
//   settings             the settings, the defaults for new diagrams and the live view
//   drawer PATH|cancel   the answer of the next drawer chooser
//   move NAME X Y        drags a gadget window; `where NAME` prints where it is
#include "app/clipboard.h"
#include "app/dropped.h"
#include "app/find.h"
#include "app/commands.h"
#include "app/mainloop.h"
#include "app/menus.h"
#include "app/menustate.h"
#include "app/requesters.h"
#include "app/session.h"
#include "app/toolbar.h"
#include "app/tools.h"
#include "arrange/arrange.h"
#include "cli/commands.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "import/import.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/buttons.h"
#include "model/settings.h"
#include "platform/gadgets.h"
#include "platform/headless/headlessui.h"
#include "platform/pngwrite.h"
#include "platform/window.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/grid.h"
#include "render/view.h"
#include "render/zoomfit.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "store/userobjects.h"

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
        {"createUserIWO", {0, [](const Args &) { return createUserIWO(); }}},
        {"clearUserIWOsingle", {1, [](const Args &a) { return clearUserIWOsingle((int)a[0]); }}},
        {"zoomtofit", {0, [](const Args &) { return zoomtofit(); }}},
        {"zoomtoselection", {0, [](const Args &) { return zoomtoselection(); }}},
        {"zoomabout",
         {3, [](const Args &a) { return zoomabout((int)a[0], (int)a[1], (int)a[2]); }}},
        {"scrolltoshow", {1, [](const Args &a) { return scrolltoshow((int)a[0]); }}},
        {"gotomatch", {2, [](const Args &a) { return gotomatch((int)a[0], a[1] != 0); }}},
        {"unfoldtoshow", {1, [](const Args &a) { return unfoldtoshow((int)a[0]); }}},
    };
    return table;
}

// Key names and their raw key codes.
const std::map<std::string, int> KEYS = {
    {"f", KEY_F},   {"del", KEY_DEL},   {"insert", KEY_INSERT}, {"tab", KEY_TAB},
    {"up", KEY_UP}, {"down", KEY_DOWN}, {"left", KEY_LEFT},     {"right", KEY_RIGHT},
};

// The clipboard's forms and how many objects its objects form holds (counted
// as a paste would take them).
void clipboardline() {
    std::printf("clipboard:");
    const std::vector<std::string> forms = platformclipboard().formats();
    if (forms.empty()) std::printf(" empty");
    for (const std::string &f : forms) std::printf(" %s", f.c_str());
    std::string bytes;
    std::vector<IWORecord> records;
    if (platformclipboard().data(OBJECTSMIME, bytes) &&
        readIWOobjectbytes((const uint8_t *)bytes.data(), bytes.size(), records))
        std::printf(" objects %zu", records.size());
    std::printf("\n");
    std::fflush(stdout);
}

// One script line split into words, with the numbers among its arguments.
struct Line {
    std::string text;
    std::vector<std::string> w; // w[0] is the command
    std::vector<long> n;        // the arguments that are numbers
    bool numeric = true;        // every argument is a number
    bool want(size_t count) const { return numeric && n.size() == count; }
};

class Session {
  public:
    explicit Session(HeadlessUI &ui) : ui_(ui) {}
    // Runs one script line; returns false when the line is not understood.
    // After a false the usage of the line's command, if it names one.
    bool line(const std::string &text);
    const char *usage() const { return usage_; }

    // The script commands (see COMMANDS); each returns false for a line it
    // does not understand.
    bool window(const Line &l);
    bool newdiagram(const Line &l);
    bool open(const Line &l);
    bool importline(const Line &l);
    bool save(const Line &l);
    bool tool(const Line &l);
    bool move(const Line &l);
    bool press(const Line &l);
    bool release(const Line &l);
    bool drag(const Line &l);
    bool key(const Line &l);
    bool modifier(const Line &l);
    bool wheel(const Line &l);
    bool call(const Line &l);
    bool answer(const Line &l);
    bool render(const Line &l);
    bool close(const Line &l);
    bool menu(const Line &l);
    bool gadget(const Line &l);
    bool help(const Line &l);
    bool set(const Line &l);
    bool palette(const Line &l);
    bool style(const Line &l);
    bool font(const Line &l);
    bool diagram(const Line &l);
    bool record(const Line &l);
    bool menus(const Line &l);
    bool commands(const Line &l);
    bool gadgets(const Line &l);
    bool title(const Line &l);
    bool view(const Line &l);
    bool scroll(const Line &l);
    bool print(const Line &l);
    bool settings(const Line &l);
    bool drawer(const Line &l);
    bool where(const Line &l);
    bool clipboard(const Line &l);
    bool joins(const Line &l);
    bool usertemplate(const Line &l);
    bool find(const Line &l);
    bool drop(const Line &l);
    bool arrange(const Line &l);

  private:
    void event(int32_t cls, int code) { iwevent(DRAWSPACEWINDOW, cls, code); }
    void pointer(long x, long y) { setpointerposition((int)x, (int)y); }
    bool windowgadget(const std::vector<std::string> &w);
    bool button(const Line &l);
    HeadlessUI &ui_;
    const char *usage_ = nullptr;
};

// The window that owns a toolbar or palette gadget id.
bool gadgetwindow(long id, IWWindow &window) {
    if (id >= FIRSTTOOLBARBUTTON && id <= LASTTOOLBARBUTTON)
        window = IDEAWEAVEWINDOW;
    else if (id == GADGET_PALETTETABS || id == GADGET_HELPLINE || (id >= 100 && id <= 149))
        window = SHAPEWINDOW;
    else
        return false;
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

// The toolbar's tools and the palette's tools are chosen through the handlers
// of their windows, as a click on the button does.
bool Session::tool(const Line &l) {
    if (!l.want(1)) return false;
    const int id = (int)l.n[0];
    if (id == SELECTTOOL || id == TEXTTOOL)
        iwevent(IDEAWEAVEWINDOW, IW_GADGETUP | id, 0);
    else if (id >= FIRSTPALETTETOOL && id <= LASTPALETTETOOL)
        iwevent(SHAPEWINDOW, IW_GADGETUP | id, 0);
    else
        return false;
    return true;
}

bool Session::print(const Line &l) {
    if (l.w.size() != 1) return false;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &r = IWO[i];
        std::string label(r.label, textlen(r.label, sizeof r.label));
        std::printf("%d %d %d %d %d %d %d %d %d %d %d \"%s\"\n", i, r.id, r.type, r.x, r.y, r.width,
                    r.height, r.selected, r.group, r.locked, r.visible, label.c_str());
    }
    std::fflush(stdout);
    return true;
}

// Every menu item (separators left out): "M I label enabled checked".
bool Session::menus(const Line &l) {
    if (l.w.size() != 1) return false;
    for (int m = 0; m < MENUCOUNT; m++) {
        for (int i = 0; i < 64; i++) {
            const int num = FULLMENUNUM(m, i);
            const CommandRow *e = menurow(num);
            if (!e) break;
            if (e->kind != ROW_ITEM) continue;
            std::printf("%d %d \"%s\" %d %d\n", m, i, e->label, ui_.menuenabled(num) != 0,
                        ui_.menuchecked(num) > 0);
        }
    }
    std::fflush(stdout);
    return true;
}

// The command table: "NAME M I BUTTON" for every command, M and I -1 for
// one with no menu item, BUTTON 0 for one with no toolbar button (a two-way
// button's halves: BUTTON upper or lower).
bool Session::commands(const Line &l) {
    if (l.w.size() != 1) return false;
    for (const CommandRow *r = commandtable(); r->kind != ROW_END; r++) {
        if (r->kind != ROW_ITEM && r->kind != ROW_NOMENU) continue;
        const int num = menunumber(r->id);
        std::printf("%s %d %d %d%s\n", r->name, num == MENUNULL ? -1 : MENUNUM(num),
                    num == MENUNULL ? -1 : ITEMNUM(num), r->button,
                    r->half == HALF_UPPER   ? " upper"
                    : r->half == HALF_LOWER ? " lower"
                                            : "");
    }
    std::fflush(stdout);
    return true;
}

// The enabled state of the toolbar buttons and the palette's tools, and the
// tool shown as chosen.
bool Session::gadgets(const Line &l) {
    if (l.w.size() != 1) return false;
    std::string line = "toolbar";
    for (int id = FIRSTTOOLBARBUTTON; id <= LASTTOOLBARBUTTON; id++)
        if (id != 38) line += " " + std::to_string(id) + "=" + (ui_.gadgetenabled(id) ? "1" : "0");
    std::printf("%s\npalette", line.c_str());
    for (int t = 0; t < 3; t++)
        for (int b = 1; b <= 12; b++) {
            int id = IWObutton[t][b];
            std::printf(" %d=%d", id, ui_.gadgetenabled(id) != 0);
        }
    // The user tools, once a slot is or was in use: free slot, used without
    // a picture, or used with one.
    static bool used = false;
    for (int k = 1; k <= MAXUSERIWO; k++) used = used || userIWO[k].type != DEADTYPE;
    if (used) {
        std::printf("\nuser");
        for (int id = FIRSTUSERTYPE; id < FIRSTUSERTYPE + MAXUSERIWO; id++)
            std::printf(" %d=%s", id,
                        userIWO[id - USERTYPEBASE].type == DEADTYPE ? "free"
                        : ui_.gadgetimage(id).empty()               ? "blank"
                                                                    : "icon");
    }
    std::printf("\nchosen %d\n", ui_.chosentool());
    std::fflush(stdout);
    return true;
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
        if (g->kind == GADGET_CHECKBOX || g->kind == GADGET_CHOOSER || g->kind == GADGET_SLIDER ||
            g->kind == GADGET_TABS) {
            setgadgetvalue(*win, (int)id, code);
            code = g->value;
        }
        iwevent((IWWindow)win->window, IW_GADGETUP | (int32_t)id, (int)code);
    }
    std::fflush(stdout);
    return true;
}

// One record's fields that the properties window edits.
bool Session::record(const Line &l) {
    if (!l.want(1) || l.n[0] < 0 || l.n[0] >= IWONumber) return false;
    const int n = (int)l.n[0];
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
    if (r.type == LINETYPE || r.type == CONNECTORTYPE)
        for (int e = 1; e <= 2; e++) {
            const DrawPart &d = r.draw[e];
            std::printf(" end%d %d", e, d.kind);
            for (int i = 0; i < 7; i++) std::printf(" %d,%d", d.px[i], d.py[i]);
            std::printf(" pens %d %d %d", d.linecolour, d.fillcolour, d.lineweight);
        }
    std::printf("\n");
    std::fflush(stdout);
    return true;
}

// The open diagram's record, but for its file name and version.
bool Session::diagram(const Line &l) {
    if (l.w.size() != 1) return false;
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
    return true;
}

bool Session::window(const Line &l) {
    if (l.want(2)) {
        // The drawing window's new size.
        if (l.n[0] < 1 || l.n[1] < 1 || l.n[0] > 8192 || l.n[1] > 8192) return false;
        resizedrawspacewindow((int)l.n[0], (int)l.n[1]);
        event(IW_NEWSIZE, 0);
        return true;
    }
    // A gadget window's gadgets.
    GadgetWindow *win = l.w.size() == 2 ? gadgetwindownamed(l.w[1]) : nullptr;
    if (!win) return false;
    if (!win->open) {
        std::printf("window %s: closed\n", l.w[1].c_str());
    } else {
        std::printf("window %s: %s\n", l.w[1].c_str(), win->title.c_str());
        for (const Gadget &g : win->gadgets) std::printf("%s\n", gadgetwindowline(g).c_str());
    }
    std::fflush(stdout);
    return true;
}

bool Session::newdiagram(const Line &l) {
    if (l.w.size() != 1) return false;
    startnewdiagram();
    return true;
}

bool Session::open(const Line &l) {
    if (l.w.size() < 2) return false;
    opendiagramfile(rest(l.text, 1));
    return true;
}

// Project > Import Outline once the file is chosen: the question about
// unsaved changes, the import, and its messages, as requesters.
bool Session::importline(const Line &l) {
    if (l.w.size() < 2) return false;
    importoutline(rest(l.text, 1));
    return true;
}

// Saves under the name given, as Save As does once it has a name.
bool Session::save(const Line &l) {
    if (l.w.size() < 2) return false;
    if (saveIWOdiagramas(rest(l.text, 1))) {
        IWODiagram.saved = 1;
        updateIWOdiagram();
    }
    return true;
}

bool Session::move(const Line &l) {
    long x = 0, y = 0;
    if (l.w.size() == 4 && gadgetwindownamed(l.w[1]) && number(l.w[2], x) && number(l.w[3], y)) {
        // The user drags an open gadget window to (X, Y) on the screen.
        GadgetWindow *win = gadgetwindownamed(l.w[1]);
        if (x < -32768 || x > 32767 || y < -32768 || y > 32767) return false;
        if (win->open) {
            win->x = (int)x;
            win->y = (int)y;
        } else {
            std::printf("move %s: window closed\n", l.w[1].c_str());
        }
        std::fflush(stdout);
        return true;
    }
    if (!l.want(2)) return false;
    pointer(l.n[0], l.n[1]);
    event(IW_MOUSEMOVE, 0);
    return true;
}

bool Session::press(const Line &l) {
    if (!l.want(2)) return false;
    pointer(l.n[0], l.n[1]);
    event(IW_MOUSEBUTTONS, IW_SELECTDOWN);
    return true;
}

bool Session::release(const Line &l) {
    if (!l.want(2)) return false;
    pointer(l.n[0], l.n[1]);
    event(IW_MOUSEBUTTONS, IW_SELECTUP);
    return true;
}

bool Session::drag(const Line &l) {
    const std::vector<long> &n = l.n;
    if (!l.numeric || (n.size() != 4 && n.size() != 5)) return false;
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
    return true;
}

bool Session::key(const Line &l) {
    if (l.w.size() != 2 || !KEYS.count(l.w[1])) return false;
    int code = KEYS.at(l.w[1]);
    event(IW_RAWKEY, code);
    event(IW_RAWKEY, code | KEY_UPFLAG);
    return true;
}

// shift down|up, alt down|up.
bool Session::modifier(const Line &l) {
    if (l.w.size() != 2 || (l.w[1] != "down" && l.w[1] != "up")) return false;
    int code = l.w[0] == "shift" ? KEY_LSHIFT : KEY_LALT;
    event(IW_RAWKEY, l.w[1] == "down" ? code : code | KEY_UPFLAG);
    return true;
}

bool Session::wheel(const Line &l) {
    if (!l.want(2)) return false;
    scrolldiagram((int)l.n[0], (int)l.n[1]);
    return true;
}

// A function called as it is (call FUNCTION ARGS), or a command of the
// table by its name (call NAME): no event, so no check that it is available.
bool Session::call(const Line &l) {
    if (l.w.size() < 2) return false;
    auto it = callables().find(l.w[1]);
    if (it == callables().end()) {
        const CommandRow *r = commandnamed(l.w[1].c_str());
        if (!r || l.w.size() != 2) return false;
        if (runcommand(*r)) std::printf("call: quit\n");
        std::fflush(stdout);
        return true;
    }
    std::vector<long> args;
    for (size_t i = 2; i < l.w.size(); i++) {
        long v;
        if (!number(l.w[i], v)) return false;
        args.push_back(v);
    }
    if ((int)args.size() != it->second.nargs) return false;
    it->second.fn(args);
    return true;
}

bool Session::answer(const Line &l) {
    long b;
    if (l.w.size() == 2 && l.w[1] == "enter") {
        ui_.queueanswer(HeadlessUI::ENTERANSWER);
        return true;
    }
    if (l.w.size() < 2 || !number(l.w[1], b)) return false;
    if (l.w.size() > 2)
        ui_.queueanswer((int)b, rest(l.text, 2));
    else
        ui_.queueanswer((int)b);
    return true;
}

bool Session::render(const Line &l) {
    if (l.w.size() < 2) return false;
    std::string error;
    if (!drawspacerp || !writepenpng(rest(l.text, 1).c_str(), drawspacerp, &error))
        ErrorReq(filefailure("Sorry. Could not save file : ", rest(l.text, 1), error).c_str());
    return true;
}

bool Session::close(const Line &l) {
    const std::vector<std::string> &w = l.w;
    if (w.size() == 1 || (w.size() == 2 && (w[1] == "tools" || w[1] == "shapes"))) {
        // A window's close gadget: says whether the program would quit.
        IWWindow window = w.size() == 1     ? DRAWSPACEWINDOW
                          : w[1] == "tools" ? IDEAWEAVEWINDOW
                                            : SHAPEWINDOW;
        std::printf("close: %s\n", iwevent(window, IW_CLOSEWINDOW, 0) ? "quit" : "stay");
        std::fflush(stdout);
        return true;
    }
    GadgetWindow *win = w.size() == 2 ? gadgetwindownamed(w[1]) : nullptr;
    if (!win) return false;
    if (win->open)
        iwevent((IWWindow)win->window, IW_CLOSEWINDOW, 0);
    else
        std::printf("close %s: window closed\n", w[1].c_str());
    std::fflush(stdout);
    return true;
}

// A menu item picked, by its number (menu M I) or its command's table name.
bool Session::menu(const Line &l) {
    int num = MENUNULL;
    if (l.w.size() == 2) {
        const CommandRow *r = commandnamed(l.w[1].c_str());
        if (r) num = menunumber(r->id);
    } else if (l.want(2) && l.n[0] >= 0 && l.n[0] < MENUCOUNT && l.n[1] >= 0 && l.n[1] <= 63) {
        num = FULLMENUNUM((int)l.n[0], (int)l.n[1]);
    }
    const CommandRow *e = num == MENUNULL ? nullptr : menurow(num);
    if (!e || e->kind != ROW_ITEM) return false;
    if (ui_.menuenabled(num) == 0) {
        std::printf("menu %d %d: disabled\n", MENUNUM(num), ITEMNUM(num));
    } else if (iwevent(DRAWSPACEWINDOW, IW_MENUPICK | num, num)) {
        std::printf("menu: quit\n");
    }
    std::fflush(stdout);
    return true;
}

// A gadget of a gadget window, or else a toolbar or palette button.
bool Session::gadget(const Line &l) {
    long id = 0;
    IWWindow window;
    if ((l.w.size() == 2 || l.w.size() == 3) && number(l.w[1], id) && !gadgetwindow(id, window) &&
        gadgetwindowof((int)id))
        return windowgadget(l.w);
    return button(l);
}

bool Session::help(const Line &l) { return button(l); }

// A toolbar or palette button released, or the pointer resting over a
// gadget; the optional half says where on the button the pointer is.
bool Session::button(const Line &l) {
    const std::vector<std::string> &w = l.w;
    long id;
    IWWindow window;
    if (w.size() != 2 && w.size() != 3) return false;
    if (!number(w[1], id) || !gadgetwindow(id, window)) return false;
    if (w.size() == 3) {
        if (w[2] != "upper" && w[2] != "lower") return false;
        ui_.setupperhalf(w[2] == "upper");
    } else {
        ui_.setupperhalf(true);
    }
    if (w[0] == "help") {
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
    return true;
}

// Typing into a gadget: its value changes, no event comes.
bool Session::set(const Line &l) {
    long id = 0;
    if (l.w.size() < 2 || !number(l.w[1], id) || !gadgetwindowof((int)id)) return false;
    const std::string value = rest(l.text, 2);
    GadgetWindow *win = gadgetwindowof((int)id);
    GadgetWindow trial = *win; // a value the gadget can't take is a bad line anyway
    if (!putgadgetvalue(trial, (int)id, value)) return false;
    if (!win->open) {
        std::printf("set %ld: window closed\n", id);
    } else if (findgadget(*win, (int)id)->disabled) {
        std::printf("set %ld: disabled\n", id);
    } else if (findgadget(*win, (int)id)->kind == GADGET_STRING) {
        // Typed text is what the screen can type: ISO-8859-1 only.
        std::string latin, refused;
        if (!latin1answer(value, latin, refused))
            std::printf("set %ld: refused %s: cannot be stored (ISO-8859-1 only)\n", id,
                        refused.c_str());
        else
            putgadgetvalue(*win, (int)id, latin);
    } else if (!putgadgetvalue(*win, (int)id, value)) {
        return false;
    }
    std::fflush(stdout);
    return true;
}

bool Session::palette(const Line &l) {
    long pen;
    if (l.w.size() != 2) return false;
    if (l.w[1] == "close")
        ui_.queuepalette(-1);
    else if (number(l.w[1], pen) && pen >= 0 && pen <= 255)
        ui_.queuepalette((int)pen);
    else
        return false;
    return true;
}

bool Session::style(const Line &l) {
    long style;
    if (l.w.size() != 2) return false;
    if (l.w[1] == "close")
        ui_.queuestyle(0);
    else if (number(l.w[1], style) && style >= 0 && style < 100)
        ui_.queuestyle((int)style);
    else
        return false;
    return true;
}

bool Session::font(const Line &l) {
    const std::vector<std::string> &w = l.w;
    if (w.size() == 2 && w[1] == "cancel") {
        ui_.queuefontcancel();
        return true;
    }
    if (w.size() < 3) return false;
    // The name may hold spaces; the size is the last word.
    long size;
    if (!number(w.back(), size) || size < 1 || size > 120) return false;
    std::string name = rest(l.text, 1);
    name = name.substr(0, name.find_last_not_of(" \t", name.rfind(w.back()) - 1) + 1);
    ui_.queuefont(name, (int)size);
    return true;
}

bool Session::title(const Line &l) {
    if (l.w.size() != 1) return false;
    std::printf("title: %s\n", ui_.title().c_str());
    std::fflush(stdout);
    return true;
}

bool Session::view(const Line &l) {
    if (l.w.size() != 1) return false;
    std::printf("view: zoom %.1f grid %d snap %d size %d\n", (double)zoom, ShowGrid, SnapToGrid,
                GridSize);
    std::fflush(stdout);
    return true;
}

// Where the view is scrolled to and where the focus lies in the window, in
// window pixels: left, top, right and bottom of its box.
bool Session::scroll(const Line &l) {
    if (l.w.size() != 1) return false;
    std::printf("scroll: %d %d window %d %d", getscrollertop(HSCROLLER), getscrollertop(VSCROLLER),
                drawspacewindowwidth(), drawspacewindowheight());
    if (liveIWO(selectedIWO)) {
        const IWORecord &r = IWO[selectedIWO];
        std::printf(" focus %d at %d %d %d %d", selectedIWO, getdrawx(r.x), getdrawy(r.y),
                    getdrawx((int16_t)(r.x + r.width)), getdrawy((int16_t)(r.y + r.height)));
    }
    std::printf("\n");
    std::fflush(stdout);
    return true;
}

// The script commands: one row each, with the handler that runs the line and
// the forms the command takes.
struct Command {
    const char *name;
    bool (Session::*run)(const Line &);
    const char *usage;
};

// The settings, the defaults for new diagrams and the live view settings.
bool Session::settings(const Line &l) {
    if (l.w.size() != 1) return false;
    auto text = [](const char *s, size_t size) { return std::string(s, textlen(s, size)); };
    const PrefListRecord &p = PrefList;
    std::printf("settings: zoom %.2f grid %d show %d snap %d scroll %d %d highlight %d on %d "
                "iconset %d screenfont \"%s\" %d\n",
                (double)p.zoom, p.GridSize, p.ShowGrid, p.SnapToGrid, p.scrollsizex, p.scrollsizey,
                p.highlightcolour, p.HighlightOn, p.IconSet,
                text(p.fontname, sizeof p.fontname).c_str(), p.font.ta_YSize);
    const DiagramRecord &d = defaultIWODiagram;
    std::printf("defaults: drawer \"%s\" title \"%s\" author \"%s\" description \"%s\" "
                "paper %d %d pens %d %d %d %d %d weight %d font \"%s\" %d\n",
                text(d.filename, sizeof d.filename).c_str(), text(d.title, sizeof d.title).c_str(),
                text(d.author, sizeof d.author).c_str(),
                text(d.description, sizeof d.description).c_str(), d.paperwidth, d.paperheight,
                d.papercolour, d.linecolour, d.fillcolour, d.fontcolour, d.labelcolour,
                d.lineweight, text(d.fontname, sizeof d.fontname).c_str(), d.font.ta_YSize);
    const DiagramRecord &o = IWODiagram;
    std::printf("live: zoom %.2f grid %d snap %d size %d scroll %d %d highlight %d on %d "
                "diagram paper %d %d pens %d %d %d %d %d %d weight %d font \"%s\" %d\n",
                (double)zoom, ShowGrid, SnapToGrid, GridSize, scrollsizex, scrollsizey,
                highlightcolour, HighlightOn, o.paperwidth, o.paperheight, o.papercolour,
                o.linecolour, o.fillcolour, o.fontcolour, o.labelcolour, o.highlightcolour,
                o.lineweight, text(o.fontname, sizeof o.fontname).c_str(), o.font.ta_YSize);
    std::fflush(stdout);
    return true;
}

// The answer of the next drawer chooser; the path may hold spaces.
bool Session::drawer(const Line &l) {
    if (l.w.size() < 2) return false;
    if (l.w.size() == 2 && l.w[1] == "cancel")
        ui_.queuedrawer(std::nullopt);
    else
        ui_.queuedrawer(rest(l.text, 1));
    return true;
}

// Where an open gadget window is.
bool Session::where(const Line &l) {
    GadgetWindow *win = l.w.size() == 2 ? gadgetwindownamed(l.w[1]) : nullptr;
    if (!win) return false;
    if (win->open)
        std::printf("where %s: %d %d\n", l.w[1].c_str(), win->x, win->y);
    else
        std::printf("where %s: closed\n", l.w[1].c_str());
    std::fflush(stdout);
    return true;
}

bool Session::clipboard(const Line &l) {
    if (l.w.size() != 1) return false;
    clipboardline();
    return true;
}

// A user-object template: its box, pens and parts (first five points).
bool Session::usertemplate(const Line &l) {
    if (!l.want(1) || l.n[0] < 1 || l.n[0] > MAXUSERIWO) return false;
    const IWORecord &t = userIWO[l.n[0]];
    std::printf("template %ld: type %d at %d %d size %d %d line %d weight %d fill %d parts %d\n",
                l.n[0], t.type, t.x, t.y, t.width, t.height, t.linecolour, t.lineweight,
                t.fillcolour, t.drawnum);
    for (int d = 0; d < t.drawnum && d < MAXDRAWNUM; d++) {
        std::printf("  part %d kind %d", d, t.draw[d].kind);
        for (int i = 0; i < 5; i++) std::printf(" %d,%d", t.draw[d].px[i], t.draw[d].py[i]);
        std::printf("\n");
    }
    std::fflush(stdout);
    return true;
}

// Every connector: its index and id, and the ids of the objects it joins.
bool Session::joins(const Line &l) {
    if (l.w.size() != 1) return false;
    for (int i = 1; i < IWONumber; i++)
        if (IWO[i].type == CONNECTORTYPE)
            std::printf("joins: %d id %d from %d to %d\n", i, IWO[i].id, IWO[i].connectstart,
                        IWO[i].connectend);
    std::fflush(stdout);
    return true;
}

// The objects whose label or name contains the rest of the line, as the
// editor's find bar finds them, by id in reading order; `findselect` selects
// them as its Select All Matches does.
bool Session::find(const Line &l) {
    if (l.w.size() < 2) return false;
    const std::string typed = rest(l.text, 1);
    std::string text, refused;
    // Characters a label cannot hold match nothing.
    std::vector<int> found;
    if (latin1answer(typed, text, refused)) found = findmatches(text);
    if (l.w[0] == "findselect") selectmatches(found);
    std::printf("%s:", l.w[0].c_str());
    if (found.empty()) std::printf(" none");
    for (int i : found) std::printf(" %d", IWO[i].id);
    std::printf("\n");
    std::fflush(stdout);
    return true;
}

// Files dropped on the window together, one path a word.
bool Session::drop(const Line &l) {
    if (l.w.size() < 2) return false;
    opendroppedfiles(std::vector<std::string>(l.w.begin() + 1, l.w.end()));
    return true;
}

// Diagram > Arrange as ...: the same command as the menu items.
bool Session::arrange(const Line &l) {
    ArrangeKind kind;
    if (l.w.size() != 2 || !arrangekindnamed(l.w[1], kind)) return false;
    arrangediagram(kind);
    return true;
}

const Command COMMANDS[] = {
    {"window", &Session::window, "window W H | window NAME"},
    {"new", &Session::newdiagram, "new"},
    {"open", &Session::open, "open PATH"},
    {"save", &Session::save, "save PATH"},
    {"import", &Session::importline, "import PATH"},
    {"tool", &Session::tool, "tool ID"},
    {"move", &Session::move, "move X Y | move NAME X Y"},
    {"press", &Session::press, "press X Y"},
    {"release", &Session::release, "release X Y"},
    {"drag", &Session::drag, "drag X1 Y1 X2 Y2 [STEPS]"},
    {"key", &Session::key, "key f|del|insert|tab|up|down|left|right"},
    {"shift", &Session::modifier, "shift down|up"},
    {"alt", &Session::modifier, "alt down|up"},
    {"wheel", &Session::wheel, "wheel DX DY"},
    {"call", &Session::call, "call FUNCTION [ARGS] | call COMMAND"},
    {"answer", &Session::answer, "answer BUTTON [TEXT] | answer enter"},
    {"render", &Session::render, "render PATH"},
    {"close", &Session::close, "close [tools|shapes|NAME]"},
    {"menu", &Session::menu, "menu M I | menu COMMAND"},
    {"gadget", &Session::gadget, "gadget ID [CODE|left|right|upper|lower]"},
    {"help", &Session::help, "help ID [upper|lower]"},
    {"set", &Session::set, "set ID VALUE"},
    {"palette", &Session::palette, "palette PEN|close"},
    {"style", &Session::style, "style ID|close"},
    {"font", &Session::font, "font NAME SIZE | font cancel"},
    {"diagram", &Session::diagram, "diagram"},
    {"record", &Session::record, "record N"},
    {"menus", &Session::menus, "menus"},
    {"commands", &Session::commands, "commands"},
    {"gadgets", &Session::gadgets, "gadgets"},
    {"title", &Session::title, "title"},
    {"view", &Session::view, "view"},
    {"scroll", &Session::scroll, "scroll"},
    {"print", &Session::print, "print"},
    {"settings", &Session::settings, "settings"},
    {"drawer", &Session::drawer, "drawer PATH|cancel"},
    {"where", &Session::where, "where NAME"},
    {"clipboard", &Session::clipboard, "clipboard"},
    {"joins", &Session::joins, "joins"},
    {"template", &Session::usertemplate, "template K"},
    {"find", &Session::find, "find TEXT"},
    {"findselect", &Session::find, "findselect TEXT"},
    {"drop", &Session::drop, "drop FILE..."},
    {"arrange", &Session::arrange, "arrange mindmap|tree|orgchart|flowchart"},
};

bool Session::line(const std::string &text) {
    usage_ = nullptr;
    Line l;
    l.text = text;
    std::istringstream in(text);
    for (std::string s; in >> s;) l.w.push_back(s);
    if (l.w.empty() || l.w[0][0] == '#') return true;
    for (size_t i = 1; i < l.w.size(); i++) {
        long v;
        if (number(l.w[i], v))
            l.n.push_back(v);
        else
            l.numeric = false;
    }
    for (const Command &c : COMMANDS) {
        if (l.w[0] != c.name) continue;
        const bool done = (this->*c.run)(l);
        // Every line is an event of its own: what the menus and buttons offer
        // follows from what it left.
        showstates();
        if (done) return true;
        usage_ = c.usage;
        return false;
    }
    return false;
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
            if (session.usage())
                std::fprintf(stderr, "ideaweave-cli: usage: %s\n", session.usage());
            return 1;
        }
    }
    std::fflush(stdout);
    return 0;
}
