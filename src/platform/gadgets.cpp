// gadgets.cpp - gadget tables of the windows: values, texts, disabled flags.
#include "platform/gadgets.h"

#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

std::vector<GadgetWindow *> &windows() {
    static std::vector<GadgetWindow *> list;
    return list;
}

bool numeric(GadgetKind k) {
    return k == GADGET_INTEGER || k == GADGET_SLIDER || k == GADGET_CHOOSER ||
           k == GADGET_CHECKBOX || k == GADGET_TABS;
}

// The range a gadget's value keeps to.
long clampvalue(const Gadget &g, long v) {
    switch (g.kind) {
    case GADGET_INTEGER:
    case GADGET_SLIDER:
        return std::clamp(v, g.min, std::max(g.min, g.max));
    case GADGET_CHECKBOX:
        return v != 0 ? 1 : 0;
    case GADGET_CHOOSER:
    case GADGET_TABS:
        return std::clamp(v, 0L, std::max(0L, (long)g.choices.size() - 1));
    default:
        return v;
    }
}

// Gadget texts are ISO-8859-1, as the records keep them; printed as UTF-8.
std::string printable(const std::string &s) {
    std::string t;
    for (unsigned char c : s) {
        if (c < 0x80) {
            t += (char)c;
        } else {
            t += (char)(0xC0 | (c >> 6));
            t += (char)(0x80 | (c & 0x3F));
        }
    }
    return t;
}

} // namespace

Gadget makegadget(int id, GadgetKind kind, const char *label, int page, long min, long max) {
    Gadget g;
    g.id = id;
    g.kind = kind;
    g.label = label;
    g.page = page;
    g.min = min;
    g.max = max;
    return g;
}

Gadget &gadgetref(GadgetWindow &win, int id) {
    static Gadget none;
    Gadget *g = findgadget(win, id);
    return g ? *g : (none = Gadget());
}

Gadget *findgadget(GadgetWindow &win, int id) {
    for (Gadget &g : win.gadgets)
        if (g.id == id) return &g;
    return nullptr;
}

void setgadgetvalue(GadgetWindow &win, int id, long v) {
    if (Gadget *g = findgadget(win, id)) g->value = clampvalue(*g, v);
}

void setgadgettext(GadgetWindow &win, int id, const std::string &s) {
    Gadget *g = findgadget(win, id);
    if (!g) return;
    g->text = s;
    if (g->kind == GADGET_STRING && g->max > 0 && (long)g->text.size() > g->max)
        g->text.resize((size_t)g->max);
}

void setgadgetdisabled(GadgetWindow &win, int id, int flag) {
    if (Gadget *g = findgadget(win, id)) g->disabled = flag != 0;
}

long gadgetvalue(GadgetWindow &win, int id) {
    Gadget *g = findgadget(win, id);
    return g ? g->value : 0;
}

std::string gadgettext(GadgetWindow &win, int id) {
    Gadget *g = findgadget(win, id);
    return g ? g->text : std::string();
}

bool putgadgetvalue(GadgetWindow &win, int id, const std::string &text) {
    Gadget *g = findgadget(win, id);
    if (!g) return false;
    if (g->kind == GADGET_STRING) {
        setgadgettext(win, id, text);
        return true;
    }
    if (!numeric(g->kind)) return false;
    // A number typed past the range stops at its end, as the gadget would.
    char *end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != 0) return false;
    g->value = clampvalue(*g, v);
    return true;
}

void registergadgetwindow(GadgetWindow *win) {
    auto &list = windows();
    if (std::find(list.begin(), list.end(), win) == list.end()) list.push_back(win);
}

GadgetWindow *gadgetwindownamed(const std::string &name) {
    for (GadgetWindow *w : windows())
        if (w->name == name) return w;
    return nullptr;
}

GadgetWindow *gadgetwindowof(int id) {
    for (GadgetWindow *w : windows())
        if (findgadget(*w, id)) return w;
    return nullptr;
}

std::string gadgetwindowline(const Gadget &g) {
    std::string line = std::to_string(g.id) + " ";
    switch (g.kind) {
    case GADGET_STRING:
        // A greyed field shows a text the program made, such as a file name,
        // which follows the rule for file names; typed texts are ISO-8859-1.
        line += "\"" + (g.disabled ? filenametext(g.text) : printable(g.text)) + "\"";
        break;
    case GADGET_BUTTON:
        line += "\"" + printable(g.text) + "\"";
        break;
    case GADGET_FONT:
        line += "\"" + printable(g.text) + "\" " + std::to_string(g.value);
        break;
    case GADGET_LABELCOLOURS:
        line += std::to_string(g.value) + " " + std::to_string(g.pen2);
        break;
    default:
        line += std::to_string(g.value);
        break;
    }
    if (g.disabled) line += " disabled";
    return line;
}
