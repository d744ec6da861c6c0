// prefwindow.cpp - the preferences window.
//
// The gadget table (prefwin) is shared by the editor's dialog and scripted
// sessions: the platform shows it and puts typed values into it, and every
// button, check box, chooser or slider released reaches prefevents.
//
// Values are shown as the settings hold them, even where a slider could not
// be set there by hand (a zoom of 2 read from a file shows level 200), so that
// applying a window the user left alone changes nothing.
#include "app/prefwindow.h"

#include "app/diagramprops.h"

#include "app/mainloop.h"
#include "app/menus.h"
#include "app/properties.h"
#include "app/requesters.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/platform.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/prefs.h"

#include <algorithm>
#include <cstring>
#include <string>

GadgetWindow prefwin;
int16_t prefwindowopen = 0;
int16_t prefwinx = 50, prefwiny = 70;
int16_t prefwinwidth = 200, prefwinheight = 300;

int16_t tempdefaultpapercolour = 2, tempdefaultlinecolour = 1, tempdefaultfillcolour = 1;
int16_t tempdefaulthighlightcolour = 1, tempdefaultfontcolour = 1, tempdefaultlabelcolour = 2;

const char *const PREFIcons[3] = {"Ideaweave Large", "Ideaweave Small", "Desktop theme"};

namespace {

enum : int {
    G_TABS = 406,
    G_TITLE = 411,
    G_SAVEPATH = 412,
    G_AUTHOR = 413,
    G_DESCRIPTION = 414,
    G_WIDTH = 415,
    G_HEIGHT = 416,
    G_PAPERSIZE = 417,
    G_PAPERCOLOUR = 418,
    G_LINEWEIGHT = 419,
    G_LINECOLOUR = 420,
    G_FILLCOLOUR = 421,
    G_HIGHLIGHTCOLOUR = 422,
    G_HIGHLIGHTON = 423,
    G_LABELFONT = 429,
    G_LABELCOLOURS = 430,
    G_UNDOBUFFER = 432,
    G_SCROLLSPEED = 433,
    G_ICONSET = 434,
    G_SHOWGRID = 435,
    G_SNAPTOGRID = 436,
    G_GRIDSIZE = 437,
    G_ZOOM = 438,
    G_SCREENFONT = 439,
    G_APPLYNOW = 440,
    G_APPLYTONEW = 441,
};

constexpr int TEXTCHARS = 254;    // title, author, description: the field less its NUL
constexpr int MAXFONTHEIGHT = 72; // tallest font the font buttons offer
constexpr int MINPAPER = 300, MAXPAPER = 6000;
const char *const FONTTITLE = "Select a font";
const char *const DRAWERTITLE = "Choose a default drawer";
const char *const RESTART =
    "Please save your preferences as 'default.prefs'. \nScreen font and icon changes will then "
    "take effect the next time you run Ideaweave";

Gadget &gad(int id) { return gadgetref(prefwin, id); }

void show(int id, long v) { gad(id).value = v; }
void refresh() {
    if (prefwin.open) platformui().refreshwindow(prefwin);
}
std::string fieldtext(const char *s, size_t size) { return std::string(s, textlen(s, size)); }

// The paper choice whose sizes both match, 0 "Custom" if none.
int paperindex(int w, int h) {
    for (int i = PAPERSIZES - 1; i >= 1; i--)
        if (setpaperwidth[i] == w && setpaperheight[i] == h) return i;
    return 0;
}

void showpaper(int index) {
    const bool preset = index > 0;
    setgadgetdisabled(prefwin, G_WIDTH, preset);
    setgadgetdisabled(prefwin, G_HEIGHT, preset);
    if (preset) {
        show(G_WIDTH, setpaperwidth[index]);
        show(G_HEIGHT, setpaperheight[index]);
    }
}

void showlabelcolours() {
    gad(G_LABELCOLOURS).value = tempdefaultlabelcolour;
    gad(G_LABELCOLOURS).pen2 = tempdefaultfontcolour;
}

void colourbutton(int id, int16_t &pen) {
    palettewinx = (int16_t)prefwin.x;
    palettewiny = (int16_t)prefwin.y;
    // Closing the palette keeps the colour the button shows.
    pen = (int16_t)palettemain(pen);
    show(id, pen);
    refresh();
}

void labelcolours() {
    palettewinx = (int16_t)prefwin.x;
    palettewiny = (int16_t)prefwin.y;
    const Gadget &g = gad(G_LABELCOLOURS);
    // Right of the middle is the text, left of it the background.
    if (prefwin.pointerx - g.left > g.width / 2)
        tempdefaultfontcolour = (int16_t)palettemain(tempdefaultfontcolour);
    else
        tempdefaultlabelcolour = (int16_t)palettemain(tempdefaultlabelcolour);
    showlabelcolours();
    refresh();
}

void fontbutton(int id) {
    std::string name = gadgettext(prefwin, id);
    int size = (int)gadgetvalue(prefwin, id);
    if (!platformui().fontrequest(FONTTITLE, name, size, MAXFONTHEIGHT)) return;
    // A name the settings can't hold whole is refused rather than cut.
    if (name.empty() || name.size() >= sizeof PrefList.fontname) return;
    setgadgettext(prefwin, id, name);
    show(id, std::clamp(size, 1, MAXFONTHEIGHT));
    refresh();
}

void drawerbutton() {
    std::string path = gadgettext(prefwin, G_SAVEPATH);
    if (!platformui().drawerrequest(DRAWERTITLE, path)) return;
    // Room for the "/" that Apply may add and the terminating NUL.
    if (path.size() > (size_t)MAXFILENAMESIZE - 2) {
        ErrorReq("Sorry. The file name is too long.");
        return;
    }
    setgadgettext(prefwin, G_SAVEPATH, path);
    refresh();
}

void fontfrom(int id, TextAttr &font, char *name, size_t size) {
    copytext(name, size, gadgettext(prefwin, id).c_str());
    font.ta_YSize = (uint16_t)std::clamp<long>(gadgetvalue(prefwin, id), 1, MAXFONTHEIGHT);
}

int16_t level(int id) { return (int16_t)std::clamp<long>(gadgetvalue(prefwin, id), -32768, 32767); }

void redraw() {
    if (DiagramExists) update();
}

} // namespace

int make_prefwindow() {
    prefwin = GadgetWindow();
    prefwindowopen = 0;
    prefwin.name = "prefs";
    prefwin.title = "Ideaweave Preferences";
    prefwin.window = PREFWINDOW;
    prefwin.x = prefwinx;
    prefwin.y = prefwiny;
    prefwin.width = prefwinwidth;
    prefwin.height = prefwinheight;
    auto &g = prefwin.gadgets;
    g.push_back(makegadget(G_TABS, GADGET_TABS, "", 0));
    g.back().choices = {"Info", "Page", "Object", "Interface", "Misc"};
    // Info
    g.push_back(makegadget(G_TITLE, GADGET_STRING, "Default Title:", 1, 0, TEXTCHARS));
    g.push_back(makegadget(G_SAVEPATH, GADGET_BUTTON, "Save Path:", 1));
    g.push_back(makegadget(G_AUTHOR, GADGET_STRING, "Author:", 1, 0, TEXTCHARS));
    g.push_back(makegadget(G_DESCRIPTION, GADGET_STRING, "Description:", 1, 0, TEXTCHARS));
    // Page
    g.push_back(makegadget(G_PAPERSIZE, GADGET_CHOOSER, "Paper Size:", 2));
    g.back().choices.assign(sizelist, sizelist + PAPERSIZES);
    g.back().value = 6;
    g.push_back(makegadget(G_WIDTH, GADGET_INTEGER, "Width:", 2, MINPAPER, MAXPAPER));
    g.push_back(makegadget(G_HEIGHT, GADGET_INTEGER, "Height:", 2, MINPAPER, MAXPAPER));
    g.push_back(makegadget(G_PAPERCOLOUR, GADGET_COLOUR, "Paper Colour:", 2));
    // Object
    g.push_back(makegadget(G_FILLCOLOUR, GADGET_COLOUR, "Fill Colour:", 3));
    g.push_back(makegadget(G_LINECOLOUR, GADGET_COLOUR, "Line Colour:", 3));
    g.push_back(makegadget(G_LINEWEIGHT, GADGET_SLIDER, "Line Weight:", 3, 0, 100));
    g.push_back(makegadget(G_LABELFONT, GADGET_FONT, "Label Font:", 3, 1, MAXFONTHEIGHT));
    g.push_back(makegadget(G_LABELCOLOURS, GADGET_LABELCOLOURS, "Label Colours:", 3));
    g.back().text = "Label";
    // Interface
    g.push_back(makegadget(G_SCREENFONT, GADGET_FONT, "Screen Font:", 4, 1, MAXFONTHEIGHT));
    g.push_back(makegadget(G_HIGHLIGHTCOLOUR, GADGET_COLOUR, "Highlight Colour:", 4));
    g.push_back(makegadget(G_HIGHLIGHTON, GADGET_CHECKBOX, "On:", 4));
    g.push_back(makegadget(G_ZOOM, GADGET_SLIDER, "Default Zoom (%):", 4, 5, 100));
    g.push_back(makegadget(G_GRIDSIZE, GADGET_SLIDER, "Grid Size (mm):", 4, 1, 100));
    g.push_back(makegadget(G_SHOWGRID, GADGET_CHECKBOX, "Show Grid:", 4));
    g.push_back(makegadget(G_SNAPTOGRID, GADGET_CHECKBOX, "Snap To Grid:", 4));
    // Misc: the undo history is not kept in a buffer of a set size, so its
    // slider is shown only.
    g.push_back(makegadget(G_UNDOBUFFER, GADGET_SLIDER, "Undo Buffer (KB):", 5, 10, 200));
    g.back().value = 10;
    g.back().disabled = true;
    g.push_back(makegadget(G_SCROLLSPEED, GADGET_SLIDER, "Scroll Speed:", 5, 1, 20));
    g.push_back(makegadget(G_ICONSET, GADGET_CHOOSER, "Icon Set:", 5));
    g.back().choices.assign(PREFIcons, PREFIcons + 3);
    // The bottom row
    g.push_back(makegadget(G_APPLYNOW, GADGET_BUTTON, "", -1));
    g.back().text = "Apply Now";
    g.push_back(makegadget(G_APPLYTONEW, GADGET_BUTTON, "", -1));
    g.back().text = "Apply To New";
    registergadgetwindow(&prefwin);
    return 1;
}

int preferences() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    deleteIWO(SHADOWIWO);
    if (!prefwindowopen) {
        make_prefwindow();
        if (platformui().openwindow(prefwin)) {
            prefwin.open = true;
            prefwindowopen = 1;
        }
    }
    if (prefwindowopen) {
        settempdiagram(1);
        updatePreferences();
    }
    updateIWOdiagram();
    return 1;
}

int updatePreferences() {
    if (prefwin.gadgets.empty()) make_prefwindow();
    const DiagramRecord &d = defaultIWODiagram;
    setgadgettext(prefwin, G_TITLE, fieldtext(d.title, sizeof d.title));
    setgadgettext(prefwin, G_SAVEPATH, fieldtext(d.filename, sizeof d.filename));
    setgadgettext(prefwin, G_AUTHOR, fieldtext(d.author, sizeof d.author));
    setgadgettext(prefwin, G_DESCRIPTION, fieldtext(d.description, sizeof d.description));
    show(G_WIDTH, d.paperwidth);
    show(G_HEIGHT, d.paperheight);
    const int index = paperindex(d.paperwidth, d.paperheight);
    show(G_PAPERSIZE, index);
    showpaper(index);
    show(G_PAPERCOLOUR, d.papercolour);
    setgadgettext(prefwin, G_LABELFONT, fieldtext(d.fontname, sizeof d.fontname));
    show(G_LABELFONT, d.font.ta_YSize);
    show(G_LINEWEIGHT, d.lineweight);
    show(G_LINECOLOUR, d.linecolour);
    show(G_FILLCOLOUR, d.fillcolour);
    show(G_HIGHLIGHTCOLOUR, PrefList.highlightcolour);
    setgadgettext(prefwin, G_SCREENFONT, fieldtext(PrefList.fontname, sizeof PrefList.fontname));
    show(G_SCREENFONT, PrefList.font.ta_YSize);
    // Levels the sliders can take, so that applying the window as shown never
    // gives a grid, zoom or scroll step of 0; the scroll speed is the level
    // whose step (level x 25 / 2) is the one held.
    show(G_GRIDSIZE, std::max(1, PrefList.GridSize / 10));
    show(G_ZOOM, std::max(5L, (long)(PrefList.zoom * 100.0f)));
    show(G_SHOWGRID, PrefList.ShowGrid != 0);
    show(G_SNAPTOGRID, PrefList.SnapToGrid != 0);
    show(G_HIGHLIGHTON, PrefList.HighlightOn != 0);
    show(G_SCROLLSPEED, std::max(1, (PrefList.scrollsizex * 2 + 24) / 25));
    show(G_ICONSET, PrefList.IconSet);
    tempdefaultpapercolour = d.papercolour;
    tempdefaultlinecolour = d.linecolour;
    tempdefaultfillcolour = d.fillcolour;
    tempdefaulthighlightcolour = PrefList.highlightcolour;
    tempdefaultfontcolour = d.fontcolour;
    tempdefaultlabelcolour = d.labelcolour;
    showlabelcolours();
    refresh();
    return 1;
}

int applyPreferences() {
    DiagramRecord &d = defaultIWODiagram;
    fontfrom(G_LABELFONT, d.font, d.fontname, sizeof d.fontname);
    d.papercolour = tempdefaultpapercolour;
    d.fillcolour = tempdefaultfillcolour;
    d.linecolour = tempdefaultlinecolour;
    d.fontcolour = tempdefaultfontcolour;
    d.labelcolour = tempdefaultlabelcolour;
    d.lineweight = level(G_LINEWEIGHT);
    d.paperwidth = level(G_WIDTH);
    d.paperheight = level(G_HEIGHT);
    copytext(d.title, sizeof d.title, gadgettext(prefwin, G_TITLE).c_str());

    // The default drawer ends in "/" so that a file name can follow it; a
    // drawer name of one or two characters, or one ending in ":", is kept.
    std::string path = gadgettext(prefwin, G_SAVEPATH);
    if (path.size() > 2 && path.back() != ':' && path.back() != '/') {
        path += "/";
        setgadgettext(prefwin, G_SAVEPATH, path);
    }
    copytext(d.filename, sizeof d.filename, path.c_str());
    copytext(d.author, sizeof d.author, gadgettext(prefwin, G_AUTHOR).c_str());
    copytext(d.description, sizeof d.description, gadgettext(prefwin, G_DESCRIPTION).c_str());

    PrefListRecord &l = PrefList;
    l.IconSet = (int16_t)std::clamp<long>(gadgetvalue(prefwin, G_ICONSET), 0, 2);
    l.highlightcolour = tempdefaulthighlightcolour;
    l.HighlightOn = HighlightOn = gadgetvalue(prefwin, G_HIGHLIGHTON) != 0;
    l.scrollsizex = l.scrollsizey = (int16_t)(level(G_SCROLLSPEED) * 25 / 2);
    l.zoom = (float)level(G_ZOOM) / 100.0f;
    l.GridSize = (int16_t)(level(G_GRIDSIZE) * 10);
    l.ShowGrid = gadgetvalue(prefwin, G_SHOWGRID) != 0;
    l.SnapToGrid = gadgetvalue(prefwin, G_SNAPTOGRID) != 0;
    fontfrom(G_SCREENFONT, l.font, l.fontname, sizeof l.fontname);
    refresh();
    changescreenfont();
    return 1;
}

int changescreenfont() {
    // The screen and the icons are set up once, at start-up.
    if (PrefList.font.ta_YSize != IWeaveFont.ta_YSize ||
        std::strncmp(PrefList.fontname, IWeaveFontName, sizeof IWeaveFontName) != 0 ||
        PrefList.IconSet != IconSet)
        MessageReq(RESTART, "Ideaweave Message");
    return 1;
}

int applypreferencesnow() {
    ShowGrid = PrefList.ShowGrid;
    SnapToGrid = PrefList.SnapToGrid;
    GridSize = PrefList.GridSize;
    zoom = PrefList.zoom;
    scrollsizey = PrefList.scrollsizey;
    scrollsizex = PrefList.scrollsizex;
    QuickDraw = PrefList.QuickDraw;
    HighlightOn = PrefList.HighlightOn;

    const DiagramRecord before = IWODiagram;
    DiagramRecord &D = IWODiagram;
    const DiagramRecord &d = defaultIWODiagram;
    D.highlightcolour = highlightcolour = temphighlightcolour = PrefList.highlightcolour;
    D.papercolour = papercolour = d.papercolour;
    D.linecolour = linecolour = d.linecolour;
    D.fillcolour = fillcolour = d.fillcolour;
    D.labelcolour = labelcolour = d.labelcolour;
    D.fontcolour = fontcolour = d.fontcolour;
    D.labelfilled = labelfilled = d.labelfilled;
    D.lineweight = lineweight = d.lineweight;
    D.font = d.font;
    copyfield(D.fontname, sizeof D.fontname, d.fontname, sizeof d.fontname);

    uint8_t a[DIAGRAMRECORDSIZE], b[DIAGRAMRECORDSIZE];
    writeIWOdiagramrecord(before, a);
    writeIWOdiagramrecord(D, b);
    if (DiagramExists && std::memcmp(a, b, sizeof a) != 0) markIWOdiagrammodified();
    updateIWOdiagram();
    updateIWOdiagramprop(); // an open diagram window shows the new page and pens
    return 1;
}

int prefevents(int32_t result, int code) {
    if (!prefwindowopen) return 0;
    if (SHADOWIWODRAWN) removeshadowiwo();
    const int32_t cls = result & (int32_t)0xFFFF0000;
    const int id = result & 0xFFFF;

    if (cls == IW_CLOSEWINDOW) {
        platformui().closewindow(prefwin);
        prefwin.open = false;
        prefwinx = (int16_t)std::clamp(prefwin.x, -32768, 32767);
        prefwiny = (int16_t)std::clamp(prefwin.y, -32768, 32767);
        prefwinwidth = (int16_t)std::clamp(prefwin.width, 0, 32767);
        prefwinheight = (int16_t)std::clamp(prefwin.height, 0, 32767);
        prefwindowopen = 0;
        updateIWOdiagram();
        return 1;
    }
    if (cls != IW_GADGETUP) return 0;

    switch (id) {
    case G_SAVEPATH:
        drawerbutton();
        break;
    case G_PAPERSIZE:
        setgadgetvalue(prefwin, G_PAPERSIZE, code);
        showpaper((int)gadgetvalue(prefwin, G_PAPERSIZE));
        refresh();
        break;
    case G_PAPERCOLOUR:
        colourbutton(G_PAPERCOLOUR, tempdefaultpapercolour);
        break;
    case G_LINECOLOUR:
        colourbutton(G_LINECOLOUR, tempdefaultlinecolour);
        break;
    case G_FILLCOLOUR:
        colourbutton(G_FILLCOLOUR, tempdefaultfillcolour);
        break;
    case G_HIGHLIGHTCOLOUR:
        colourbutton(G_HIGHLIGHTCOLOUR, tempdefaulthighlightcolour);
        break;
    case G_LABELFONT:
    case G_SCREENFONT:
        fontbutton(id);
        break;
    case G_LABELCOLOURS:
        labelcolours();
        break;
    case G_APPLYNOW:
        applyPreferences();
        applypreferencesnow();
        redraw();
        break;
    case G_APPLYTONEW:
        applyPreferences();
        redraw();
        break;
    default:
        break;
    }
    return 0;
}
