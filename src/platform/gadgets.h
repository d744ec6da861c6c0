// gadgets.h - windows of gadgets addressed by id, as the handlers see them.
//
// A gadget window is a table of gadgets: each has an id, a kind, a label,
// the page it sits on, a value (and a text for string gadgets) and a disabled
// flag. The window's module owns it and its handler reads and writes the values;
// the platform shows the window (PlatformUI::openwindow, refreshwindow,
// closewindow), puts what the user types into the values and hands every
// gadget release to the window's handler as an input event. So the editor's
// dialogs and the command-line sessions go through the same handler, and a
// headless session can print the window as a table.
//
//   makegadget(id, kind, label, page, min, max)  a gadget for a window's table
//   findgadget(win, id)              the gadget with this id, or null
//   gadgetref(win, id)               the gadget with this id, or a blank scratch one
//                                    (so a handler's stray id changes nothing)
//   setgadgetvalue(win, id, v)       give an integer, check box, chooser, slider,
//                                    colour or tab gadget its value (clamped)
//   setgadgettext(win, id, s)        give a string or button gadget its text
//                                    (cut at the string gadget's limit)
//   setgadgetdisabled(win, id, f)    disable (1) or enable (0) a gadget
//   gadgetvalue(win, id), gadgettext(win, id)   read them back (0, "" when absent)
//   putgadgetvalue(win, id, text)    what typing does: string gadgets take the text,
//                                    number gadgets its number clamped to their range;
//                                    false when the text is no number or the id unknown
//   registergadgetwindow(win)        make the window reachable by name and by gadget id
//   gadgetwindownamed(name)          a registered window by its script name, or null
//   gadgetwindowof(id)               the registered window that owns gadget id, or null
//   gadgetwindowline(win, g)         one gadget as "ID VALUE[ disabled]" (texts in UTF-8)
#pragma once
#include "platform/raster.h"

#include <memory>
#include <string>
#include <vector>

enum GadgetKind {
    GADGET_INTEGER,      // a number typed in: value, min..max
    GADGET_STRING,       // a text typed in: text, at most max characters
    GADGET_CHECKBOX,     // value 0 or 1
    GADGET_CHOOSER,      // value = index into choices
    GADGET_SLIDER,       // value = level, min..max
    GADGET_TABS,         // value = current page, choices = page names
    GADGET_BUTTON,       // text = button text
    GADGET_COLOUR,       // a button showing its pen (value) as its background
    GADGET_LABELCOLOURS, // a button with text in pen2 on the background pen value
    GADGET_IMAGE,        // a button showing a picture (image; value = what it shows)
    GADGET_FONT,         // a font button: text = font name, value = size
};

struct Gadget {
    int id = 0;
    GadgetKind kind = GADGET_BUTTON;
    std::string label;                // label beside it ("" none)
    int page = 0;                     // 0 above the tabs, 1.. a tab's page, -1 the bottom row
    long min = 0, max = 0;            // range; string gadgets: max = characters
    long value = 0;                   // see GadgetKind
    std::string text;                 // string text, button text or font name
    int pen2 = 0;                     // label colours: the text pen
    bool disabled = false;            // greyed, takes no input
    std::vector<std::string> choices; // chooser entries or tab names
    std::shared_ptr<Raster> image;    // image button: its picture (null: none)
    int left = 0, width = 0;          // window-relative left edge and width (pointer halves)
};

struct GadgetWindow {
    std::string name;            // name in scripts ("props")
    std::string title;           // window title
    int window = 0;              // the input target its events go to (an IWWindow)
    bool modal = false;          // runs its own loop inside the handler that opened it
    bool open = false;           // shown on the screen
    int x = 0, y = 0;            // position on the screen
    int width = 0, height = 0;   // size (0: as the layout needs)
    int pointerx = 0;            // window-relative pointer x at the last button release
    std::vector<Gadget> gadgets; // in layout order
};

Gadget makegadget(int id, GadgetKind kind, const char *label, int page, long min = 0, long max = 0);
Gadget *findgadget(GadgetWindow &win, int id);
Gadget &gadgetref(GadgetWindow &win, int id);
void setgadgetvalue(GadgetWindow &win, int id, long v);
void setgadgettext(GadgetWindow &win, int id, const std::string &s);
void setgadgetdisabled(GadgetWindow &win, int id, int flag);
long gadgetvalue(GadgetWindow &win, int id);
std::string gadgettext(GadgetWindow &win, int id);
bool putgadgetvalue(GadgetWindow &win, int id, const std::string &text);
void registergadgetwindow(GadgetWindow *win);
GadgetWindow *gadgetwindownamed(const std::string &name);
GadgetWindow *gadgetwindowof(int id);
std::string gadgetwindowline(const Gadget &g);
