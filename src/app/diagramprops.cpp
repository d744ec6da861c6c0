// diagramprops.cpp - the diagram properties window.
//
// The gadget table (diagrampropwin) is shared by the editor's dialog and the
// scripted sessions: the platform shows it and puts typed values into it, and
// every button, chooser or slider released reaches diagrampropertiesevents.
//
// Apply writes only the fields whose gadgets the user changed since the
// window was last filled from the record: a field changed elsewhere in the
// meantime (the page by crop to fit, say) is not put back by an unrelated
// Apply. It marks the diagram modified only when the record changed.
#include "app/diagramprops.h"

#include "app/mainloop.h"
#include "app/properties.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "platform/platform.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/view.h"

#include <algorithm>
#include <cstring>
#include <string>

GadgetWindow diagrampropwin;
int16_t diagrampropwindowopen = 0;
int16_t diagrampropwinx = 50, diagrampropwiny = 70;
int16_t diagrampropwinwidth = 200, diagrampropwinheight = 300;

namespace {

// Gadget ids of the window.
enum : int {
    G_TABS = 306,
    G_TITLE = 309,
    G_FILENAME = 310,
    G_AUTHOR = 311,
    G_DESCRIPTION = 312,
    G_WIDTH = 313,
    G_HEIGHT = 314,
    G_PAPERSIZE = 315,
    G_PAPERCOLOUR = 316,
    G_LINEWEIGHT = 317,
    G_LINECOLOUR = 318,
    G_FILLCOLOUR = 319,
    G_HIGHLIGHT = 320,
    G_FONT = 326,
    G_LABELCOLOURS = 327,
    G_RESTORE = 329,
    G_APPLY = 330,
};

// Title, author and description fields hold 255 bytes; the last stays the NUL.
constexpr int TEXTCHARS = 254;
constexpr int MINPAPER = 300, MAXPAPER = 6000; // page sides that can be typed
constexpr int MAXFONTHEIGHT = 72;              // tallest font the font button offers
const char *const FONTTITLE = "Select a font";

// The record's texts edited in the window: gadget id and field size.
struct TextField {
    int id;
    size_t size;
};
const TextField TEXTS[3] = {
    {G_TITLE, sizeof DiagramRecord::title},
    {G_AUTHOR, sizeof DiagramRecord::author},
    {G_DESCRIPTION, sizeof DiagramRecord::description},
};

char *fieldof(DiagramRecord &d, int i) {
    switch (TEXTS[i].id) {
    case G_TITLE:
        return d.title;
    case G_AUTHOR:
        return d.author;
    default:
        return d.description;
    }
}

// What the gadgets were last filled with: Apply compares against it.
DiagramRecord shown;
std::string showntext[3];

Gadget &gad(int id) { return gadgetref(diagrampropwin, id); }

// Shows a value as the record holds it: a file may hold what the gadget
// could not take by typing, and showing it clamped would let Apply "change" it.
void show(int id, long v) { gad(id).value = v; }
void disable(int id, bool flag) { setgadgetdisabled(diagrampropwin, id, flag ? 1 : 0); }
int16_t value16(int id) {
    return (int16_t)std::clamp(gadgetvalue(diagrampropwin, id), -32768L, 32767L);
}

void refresh() {
    if (diagrampropwin.open) platformui().refreshwindow(diagrampropwin);
}

std::string fieldtext(const char *s, size_t size) { return std::string(s, textlen(s, size)); }

// Whether two records differ in their stored bytes.
bool differ(const DiagramRecord &a, const DiagramRecord &b) {
    static uint8_t pa[DIAGRAMRECORDSIZE], pb[DIAGRAMRECORDSIZE];
    writeIWOdiagramrecord(a, pa);
    writeIWOdiagramrecord(b, pb);
    return std::memcmp(pa, pb, sizeof pa) != 0;
}

// A colour button: the palette starts at the record's pen, never at an
// earlier choice that was not applied.
void colourbutton(int id, int16_t &pen, int16_t recordpen) {
    palettewinx = (int16_t)diagrampropwin.x;
    palettewiny = (int16_t)diagrampropwin.y;
    pen = (int16_t)palettemain(recordpen);
    show(id, pen);
    refresh();
}

// The Label button: right of its middle the text pen, else the background pen.
void labelcolours() {
    palettewinx = (int16_t)diagrampropwin.x;
    palettewiny = (int16_t)diagrampropwin.y;
    Gadget &g = gad(G_LABELCOLOURS);
    if (g.left + g.width / 2 < diagrampropwin.pointerx) {
        tempfontcolour = (int16_t)palettemain(IWODiagram.fontcolour);
        g.pen2 = tempfontcolour;
    } else {
        templabelcolour = (int16_t)palettemain(IWODiagram.labelcolour);
        g.value = templabelcolour;
    }
    refresh();
}

void fontbutton() {
    std::string name = gadgettext(diagrampropwin, G_FONT);
    int size = (int)gadgetvalue(diagrampropwin, G_FONT);
    if (!platformui().fontrequest(FONTTITLE, name, size, MAXFONTHEIGHT)) return;
    // A name the record can't hold whole is refused rather than cut.
    if (name.empty() || name.size() >= sizeof IWODiagram.fontname) return;
    setgadgettext(diagrampropwin, G_FONT, name);
    show(G_FONT, std::clamp(size, 1, MAXFONTHEIGHT));
    refresh();
}

void papersize(int code) {
    setgadgetvalue(diagrampropwin, G_PAPERSIZE, code);
    const int index = (int)gadgetvalue(diagrampropwin, G_PAPERSIZE);
    if (index > 0) {
        show(G_WIDTH, setpaperwidth[index]);
        show(G_HEIGHT, setpaperheight[index]);
    }
    disable(G_WIDTH, index > 0);
    disable(G_HEIGHT, index > 0);
    refresh();
}

void restore() {
    if (!DiagramExists) return;
    // The kept copy brings back what the window edits; what the file
    // commands keep (the file name and saved state) and what the window
    // can't edit stay as they are now.
    const DiagramRecord now = IWODiagram;
    settempdiagram(0);
    std::memcpy(IWODiagram.filename, now.filename, sizeof now.filename);
    std::memcpy(IWODiagram.version, now.version, sizeof now.version);
    IWODiagram.saved = now.saved;
    IWODiagram.release = now.release;
    IWODiagram.objects = now.objects;
    const bool changed = differ(now, IWODiagram);
    updateIWOdiagramprop();
    if (changed) markIWOdiagrammodified();
    updateIWOdiagram();
    update();
}

void apply() {
    if (!DiagramExists) return;
    const DiagramRecord before = IWODiagram;
    applyIWOdiagramprop();
    // The copy for the next Restore is the record as applied.
    settempdiagram(1);
    if (differ(before, IWODiagram)) markIWOdiagrammodified();
    updateIWOdiagramprop();
    update();
}

} // namespace

int papersizeindex(int w, int h) {
    for (int i = PAPERSIZES - 1; i >= 1; i--)
        if (setpaperwidth[i] == w && setpaperheight[i] == h) return i;
    return 0;
}

int make_diagrampropwindow() {
    // A window object just built is not open yet.
    diagrampropwin = GadgetWindow();
    diagrampropwindowopen = 0;
    diagrampropwin.name = "diagram";
    diagrampropwin.title = "Diagram Properties";
    diagrampropwin.window = DIAGRAMPROPWINDOW;
    diagrampropwin.x = diagrampropwinx;
    diagrampropwin.y = diagrampropwiny;
    diagrampropwin.width = diagrampropwinwidth;
    diagrampropwin.height = diagrampropwinheight;
    auto &g = diagrampropwin.gadgets;
    g.push_back(makegadget(G_TABS, GADGET_TABS, "", 0));
    g.back().choices = {"Info", "Page", "Object"};
    // Info
    g.push_back(makegadget(G_TITLE, GADGET_STRING, "Diagram Title:", 1, 0, TEXTCHARS));
    g.push_back(makegadget(G_FILENAME, GADGET_STRING, "Filename:", 1));
    g.back().disabled = true;
    g.push_back(makegadget(G_AUTHOR, GADGET_STRING, "Author:", 1, 0, TEXTCHARS));
    g.push_back(makegadget(G_DESCRIPTION, GADGET_STRING, "Description:", 1, 0, TEXTCHARS));
    // Page
    g.push_back(makegadget(G_PAPERSIZE, GADGET_CHOOSER, "Paper Size:", 2));
    g.back().choices.assign(sizelist, sizelist + PAPERSIZES);
    g.back().value = 6; // "A4: portrait"
    g.push_back(makegadget(G_WIDTH, GADGET_INTEGER, "Width:", 2, MINPAPER, MAXPAPER));
    g.push_back(makegadget(G_HEIGHT, GADGET_INTEGER, "Height:", 2, MINPAPER, MAXPAPER));
    g.push_back(makegadget(G_PAPERCOLOUR, GADGET_COLOUR, "Paper Colour:", 2));
    g.push_back(makegadget(G_HIGHLIGHT, GADGET_COLOUR, "Highlight Colour:", 2));
    // Object
    g.push_back(makegadget(G_FILLCOLOUR, GADGET_COLOUR, "Fill Colour:", 3));
    g.push_back(makegadget(G_LINECOLOUR, GADGET_COLOUR, "Line Colour:", 3));
    g.push_back(makegadget(G_LINEWEIGHT, GADGET_SLIDER, "Line Weight:", 3, 0, 100));
    g.push_back(makegadget(G_FONT, GADGET_FONT, "Font:", 3, 1, MAXFONTHEIGHT));
    g.push_back(makegadget(G_LABELCOLOURS, GADGET_LABELCOLOURS, "Colours:", 3));
    g.back().text = "Label";
    // The bottom row
    g.push_back(makegadget(G_RESTORE, GADGET_BUTTON, "", -1));
    g.back().text = "Restore";
    g.push_back(makegadget(G_APPLY, GADGET_BUTTON, "", -1));
    g.back().text = "Apply";
    registergadgetwindow(&diagrampropwin);
    return 1;
}

int diagramprop() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
    if (!diagrampropwindowopen) {
        make_diagrampropwindow();
        // No window: only the title is refreshed.
        if (platformui().openwindow(diagrampropwin)) {
            diagrampropwin.open = true;
            diagrampropwindowopen = 1;
        }
    } else {
        platformui().raisewindow(diagrampropwin);
    }
    if (diagrampropwindowopen) {
        settempdiagram(1);
        updateIWOdiagramprop();
    }
    updateIWOdiagram();
    return 1;
}

int updateIWOdiagramprop() {
    if (diagrampropwin.gadgets.empty()) make_diagrampropwindow();
    const DiagramRecord &d = IWODiagram;
    for (int i = 0; i < 3; i++) {
        setgadgettext(diagrampropwin, TEXTS[i].id,
                      fieldtext(fieldof(IWODiagram, i), TEXTS[i].size));
        showntext[i] = gadgettext(diagrampropwin, TEXTS[i].id);
    }
    setgadgettext(diagrampropwin, G_FILENAME, fieldtext(d.filename, sizeof d.filename));
    setgadgettext(diagrampropwin, G_FONT, fieldtext(d.fontname, sizeof d.fontname));
    show(G_FONT, d.font.ta_YSize);
    show(G_WIDTH, d.paperwidth);
    show(G_HEIGHT, d.paperheight);
    show(G_PAPERCOLOUR, d.papercolour);
    gad(G_LABELCOLOURS).value = d.labelcolour;
    gad(G_LABELCOLOURS).pen2 = d.fontcolour;
    show(G_LINEWEIGHT, d.lineweight);
    show(G_LINECOLOUR, d.linecolour);
    show(G_FILLCOLOUR, d.fillcolour);
    show(G_HIGHLIGHT, d.highlightcolour);
    temppapercolour = d.papercolour;
    templinecolour = d.linecolour;
    tempfillcolour = d.fillcolour;
    temphighlightcolour = d.highlightcolour;
    tempfontcolour = d.fontcolour;
    templabelcolour = d.labelcolour;
    const int index = papersizeindex(d.paperwidth, d.paperheight);
    show(G_PAPERSIZE, index);
    disable(G_WIDTH, index > 0);
    disable(G_HEIGHT, index > 0);
    // With no diagram there is nothing to apply to.
    disable(G_APPLY, DiagramExists == 0);
    disable(G_RESTORE, DiagramExists == 0);
    shown = d;
    refresh();
    return 1;
}

int applyIWOdiagramprop() {
    // What the buttons show is what the user chose; the working pens follow it.
    temppapercolour = value16(G_PAPERCOLOUR);
    temphighlightcolour = value16(G_HIGHLIGHT);
    tempfillcolour = value16(G_FILLCOLOUR);
    templinecolour = value16(G_LINECOLOUR);
    tempfontcolour = (int16_t)gad(G_LABELCOLOURS).pen2;
    templabelcolour = value16(G_LABELCOLOURS);
    DiagramRecord &d = IWODiagram;
    auto put = [](int16_t &field, int16_t now, int16_t was) {
        if (now != was) field = now;
    };
    put(d.papercolour, temppapercolour, shown.papercolour);
    put(d.highlightcolour, temphighlightcolour, shown.highlightcolour);
    put(d.fillcolour, tempfillcolour, shown.fillcolour);
    put(d.linecolour, templinecolour, shown.linecolour);
    put(d.fontcolour, tempfontcolour, shown.fontcolour);
    put(d.labelcolour, templabelcolour, shown.labelcolour);
    const std::string font = gadgettext(diagrampropwin, G_FONT);
    const int16_t fontsize = value16(G_FONT);
    if (font != fieldtext(shown.fontname, sizeof shown.fontname) ||
        fontsize != (int16_t)shown.font.ta_YSize) {
        copytext(d.fontname, sizeof d.fontname, font.c_str());
        d.font.ta_YSize = (uint16_t)fontsize;
    }
    put(d.lineweight, value16(G_LINEWEIGHT), shown.lineweight);
    put(d.paperwidth, value16(G_WIDTH), shown.paperwidth);
    put(d.paperheight, value16(G_HEIGHT), shown.paperheight);
    // The file name is the file commands' to set: the box only shows it.
    for (int i = 0; i < 3; i++) {
        const std::string text = gadgettext(diagrampropwin, TEXTS[i].id);
        if (text != showntext[i]) copytext(fieldof(d, i), TEXTS[i].size, text.c_str());
    }
    return 1;
}

int diagrampropertiesevents(int32_t result, int code) {
    if (!diagrampropwindowopen) return 0;
    if (SHADOWIWODRAWN) removeshadowiwo();
    const int32_t cls = result & (int32_t)0xFFFF0000;
    const int id = result & 0xFFFF;

    if (cls == IW_CLOSEWINDOW) {
        platformui().closewindow(diagrampropwin);
        diagrampropwin.open = false;
        auto sat = [](int v) { return (int16_t)std::clamp(v, -32768, 32767); };
        diagrampropwinx = sat(diagrampropwin.x);
        diagrampropwiny = sat(diagrampropwin.y);
        diagrampropwinwidth = sat(diagrampropwin.width);
        diagrampropwinheight = sat(diagrampropwin.height);
        diagrampropwindowopen = 0;
        updateIWOdiagram();
        return 1;
    }
    if (cls != IW_GADGETUP) return 0;

    switch (id) {
    case G_PAPERSIZE:
        papersize(code);
        break;
    case G_PAPERCOLOUR:
        colourbutton(id, temppapercolour, IWODiagram.papercolour);
        break;
    case G_LINECOLOUR:
        colourbutton(id, templinecolour, IWODiagram.linecolour);
        break;
    case G_FILLCOLOUR:
        colourbutton(id, tempfillcolour, IWODiagram.fillcolour);
        break;
    case G_HIGHLIGHT:
        colourbutton(id, temphighlightcolour, IWODiagram.highlightcolour);
        break;
    case G_FONT:
        fontbutton();
        break;
    case G_LABELCOLOURS:
        labelcolours();
        break;
    case G_RESTORE:
        restore();
        break;
    case G_APPLY:
        apply();
        break;
    default:
        break;
    }
    return 0;
}
