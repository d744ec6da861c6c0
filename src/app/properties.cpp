// properties.cpp - the object properties window, the palette window and the
// style window.
//
// The window's gadget table (propwin) is the one state the editor's dialog and
// a scripted session share: the platform shows it and puts typed values into
// it, and every button, check box, chooser or slider released reaches
// iwopropertiesevents as an input event of the window.
//
// Changes made at once (Locked, Hide Node, Fill, Position, line ends and their
// sizes) and Apply mark the diagram modified only when they changed a record;
// each of them, Apply and Apply To ALL is one undo step and writes nothing
// when nothing changed.
#include "app/properties.h"

#include "app/mainloop.h"
#include "app/tools.h"
#include "connect/connect.h"
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/select.h"
#include "platform/platform.h"
#include "platform/raster.h"
#include "render/drawparts.h"
#include "render/drawstate.h"
#include "render/erase.h"
#include "render/toolicon.h"
#include "render/view.h"

#include <algorithm>
#include <cstring>
#include <vector>

GadgetWindow propwin;
int16_t propwinx = 50, propwiny = 70;
int16_t propwinwidth = 200, propwinheight = 200;

int16_t tempIWOlinecolour = 0;
int16_t tempIWOfillcolour = 0;
int16_t tempIWOfontcolour = 0;
int16_t tempIWOlabelcolour = 0;
TextAttr tempIWOfont;
char tempIWOfontname[256] = {};

int16_t palettewinx = 50, palettewiny = 70;
int16_t stylewindowopen = 0;
int16_t stylewinx = 50, stylewiny = 70;

const char *const textposition[TEXTPOSITIONS] = {
    "Centred",      "Top Left",    "Top Middle",    "Top Right",    "Middle Left",
    "Middle Right", "Bottom Left", "Bottom Middle", "Bottom Right", "Custom"};
const int16_t textx[TEXTPOSITIONS] = {50, 0, 50, 100, 0, 100, 0, 50, 100, 50};
const int16_t texty[TEXTPOSITIONS] = {50, 0, 0, 0, 50, 50, 100, 100, 100, 50};

namespace {

// Gadget ids of the window.
enum : int {
    G_TABS = 201,
    G_ID = 209,
    G_NAME = 210,
    G_X = 212,
    G_Y = 213,
    G_WIDTH = 214,
    G_HEIGHT = 215,
    G_LOCKED = 216,
    G_HIDENODE = 217,
    G_LABEL = 218,
    G_FONT = 219,
    G_LABELCOLOURS = 220,
    G_POSITION = 223,
    G_LABELX = 224,
    G_LABELY = 225,
    G_FILL = 226,
    G_LINEWEIGHT = 227,
    G_LINECOLOUR = 228,
    G_FILLCOLOUR = 229,
    G_STARTSTYLE = 231,
    G_ENDSTYLE = 232,
    G_STARTSIZE = 233,
    G_ENDSIZE = 234,
    G_UNDO = 235,
    G_APPLY = 236,
    G_APPLYALL = 237,
};

// The gadgets disableIWOprop switches.
constexpr int SWITCHED[] = {G_ID,           G_NAME,       G_X,          G_Y,          G_WIDTH,
                            G_HEIGHT,       G_LOCKED,     G_HIDENODE,   G_LABEL,      G_FONT,
                            G_LABELCOLOURS, G_POSITION,   G_LABELX,     G_LABELY,     G_FILL,
                            G_LINEWEIGHT,   G_LINECOLOUR, G_FILLCOLOUR, G_STARTSTYLE, G_ENDSTYLE,
                            G_UNDO,         G_APPLY};

constexpr int NAMECHARS = 20;                // characters the Name gadget takes
constexpr int LABELCHARS = 45;               // characters the Label gadget takes
constexpr int MAXFONTHEIGHT = 120;           // tallest font the font button offers
constexpr int SCREENPENS = 256;              // pens of the screen, all offered by the palette
constexpr int MINENDSIZE = 5;                // smallest line-end mark a style choice gives
constexpr int MINTEXTWIDTH = 5;              // narrowest Text object, when no font can measure it
constexpr int SQUAREEND = PARTENDSQUARE + 2; // the square end the style window sets
constexpr int ICONPIXELS = 32;               // size of the line-end pictures

const char *const FONTTITLE = "Select a font";
const char *const PALETTETITLE = "Select a colour";

// The style buttons of the style window, in their two rows.
const int STYLEROWS[2][4] = {{4, 8, 12, 17}, {18, 19, 1, 0}};

StyleWindowLayout stylelayout; // the style window, built by make_stylewindow

Gadget &gad(int id) { return gadgetref(propwin, id); }

// Shows a value as it is stored: a record may hold what the gadget could not
// take by typing, and showing it clamped would let Apply "change" it.
void show(int id, long v) { gad(id).value = v; }
void disable(int id, bool flag) { setgadgetdisabled(propwin, id, flag ? 1 : 0); }

void refresh() {
    if (propwin.open) platformui().refreshwindow(propwin);
}

bool hasfocus() { return liveIWO(selectedIWO); }
bool islinetype(int type) { return type == LINETYPE || type == CONNECTORTYPE; }

std::string fieldtext(const char *s, size_t size) { return std::string(s, strnlen(s, size)); }

int16_t sat16(long v) { return (int16_t)std::clamp(v, -32768L, 32767L); }
int8_t sat8(long v) { return (int8_t)std::clamp(v, -128L, 127L); }

// Whether a record's stored bytes differ (the selection flag aside).
bool changed(const IWORecord &a, const IWORecord &b) {
    IWORecord ca = a, cb = b;
    ca.selected = cb.selected = 0;
    uint8_t pa[IWORECORDSIZE], pb[IWORECORDSIZE];
    writeIWOrecord(ca, pa);
    writeIWOrecord(cb, pb);
    return std::memcmp(pa, pb, sizeof pa) != 0;
}

// The picture of a line end of draw-part kind `kind` (none for 0).
std::shared_ptr<Raster> endpicture(int kind, int end) {
    if (kind < PARTENDNONE || kind > PARTENDARROWBACK) return nullptr;
    std::shared_ptr<Raster> rp(newraster(ICONPIXELS, ICONPIXELS), freeraster);
    if (!rp || !drawlineendicon(rp.get(), kind, end, ICONPIXELS)) return nullptr;
    return rp;
}

void showstyle(int id, int kind, int end) {
    Gadget &g = gad(id);
    if (g.value == kind && (g.image || kind == 0)) return;
    g.value = kind;
    g.image = endpicture(kind, end);
}

// Does a change of the focus object made at once: erase it, change it,
// redraw, and mark the diagram modified when the record changed. The change
// is one undo step, with whatever it did to other objects (Hide Node folds
// a branch); a change that changed nothing writes no step.
template <class F> void atonce(F change) {
    if (!hasfocus()) return;
    const std::vector<IWORecord> before(IWO + 1, IWO + IWONumber);
    eraseIWO(selectedIWO, papercolour, 0);
    change(IWO[selectedIWO]);
    bool differs = changed(before[selectedIWO - 1], IWO[selectedIWO]);
    if (differs) savehistorytable(before.data(), (int)before.size(), selectedIWO);
    refreshIWOall();
    if (differs) markIWOdiagrammodified();
}

// The typed ID No: another object becomes the focus, wrapping round the table.
void followidgadget() {
    if (!hasfocus() || IWONumber < 2) return;
    long n = gadgetvalue(propwin, G_ID);
    if (n == selectedIWO) return;
    selectall(0);
    if (n > IWONumber - 1) n = 1;
    if (n < 1) n = IWONumber - 1;
    selectedIWO = (int16_t)n;
    IWO[n].selected = 1;
    numIWOselected = 1;
    updateIWOprop((int)n);
    bufferIWO((int)n, 0);
    refreshIWOall();
}

// Apply (all = false) and Apply To ALL (true).
void apply(bool all) {
    if (!hasfocus()) return;
    const int focus = selectedIWO;
    const IWORecord B = IWO[focus];
    const std::string font = gadgettext(propwin, G_FONT);
    const long fontsize = gadgetvalue(propwin, G_FONT);
    const long w = gadgetvalue(propwin, G_LINEWEIGHT);
    const std::string name = gadgettext(propwin, G_NAME);
    const std::string label = gadgettext(propwin, G_LABEL);
    const bool fill = gadgetvalue(propwin, G_FILL) != 0;
    const bool locked = gadgetvalue(propwin, G_LOCKED) != 0;
    const long dx = gadgetvalue(propwin, G_X) - B.x, dy = gadgetvalue(propwin, G_Y) - B.y;
    const long dw = gadgetvalue(propwin, G_WIDTH) - B.width;
    const long dh = gadgetvalue(propwin, G_HEIGHT) - B.height;
    const long lx = gadgetvalue(propwin, G_LABELX), ly = gadgetvalue(propwin, G_LABELY);
    const bool fontdiffers =
        font != fieldtext(B.fontname, sizeof B.fontname) || fontsize != B.font.ta_YSize;

    const long writes = historywritecount();
    savehistorypre(focus);
    savehistorypost(focus, HISTORY_GROUPBEGIN);
    const int from = all ? 1 : focus, to = all ? IWONumber - 1 : focus;
    for (int i = from; i <= to; i++) {
        IWORecord &O = IWO[i];
        // Apply edits the object the window shows; Apply To ALL every selected one.
        if (all && O.selected == 0) continue;
        savehistorypre(i);
        eraseIWO(i, papercolour, 0);
        if (w != B.lineweight) {
            O.lineweight = sat16(w);
            for (DrawPart &d : O.draw) d.lineweight = sat16(w);
        }
        if (fontdiffers) {
            copytext(O.fontname, sizeof O.fontname, font.c_str());
            O.font.ta_YSize = (uint16_t)fontsize;
            resolvefont(i);
        }
        if (tempIWOfontcolour != B.fontcolour) O.fontcolour = tempIWOfontcolour;
        if (tempIWOlabelcolour != B.labelcolour) O.labelcolour = tempIWOlabelcolour;
        if (tempIWOfillcolour != B.fillcolour) {
            O.fillcolour = tempIWOfillcolour;
            for (DrawPart &d : O.draw)
                if (d.fillcolour != HARDTRANSPARENT) d.fillcolour = tempIWOfillcolour;
        }
        if (tempIWOlinecolour != B.linecolour) {
            O.linecolour = tempIWOlinecolour;
            for (DrawPart &d : O.draw) d.linecolour = tempIWOlinecolour;
        }
        if (fill != (B.labelfilled != 0)) O.labelfilled = fill;
        if (locked != (B.locked != 0)) O.locked = locked;
        if (name != fieldtext(B.name, sizeof B.name))
            copytext(O.name, (size_t)NAMECHARS + 1, name.c_str());
        if (label != fieldtext(B.label, sizeof B.label))
            copytext(O.label, (size_t)LABELCHARS + 1, label.c_str());
        O.x = sat16(O.x + dx);
        O.y = sat16(O.y + dy);
        O.width = sat16(O.width + dw);
        O.height = sat16(O.height + dh);
        // A shape made smaller by the focus object's change stays a shape.
        if (!islinetype(O.type)) {
            if (dw != 0 && O.width < MINSIZE) O.width = MINSIZE;
            if (dh != 0 && O.height < MINSIZE) O.height = MINSIZE;
        }
        if (O.type == TEXTTYPE) {
            // As wide as its label is drawn (drawing keeps it so), never below 5.
            LabelGeometry g;
            if (!labelgeometry(i, g)) O.width = sat16(std::max<long>(O.width, MINTEXTWIDTH));
        }
        // Compared with what the fields showed: some shapes keep their label
        // off the label handle, which is no change of the user's.
        if (lx != B.labelx) O.handlex[9] = O.labelx = sat16(lx);
        if (ly != B.labely) O.handley[9] = O.labely = sat16(ly);
        checkonpage(i, false);
        // An attached connector's place is its objects': typed coordinates
        // don't detach it (a later move would put it back unrecorded).
        placeconnector(i);
        if (connections(O) > 0) calcconnectorpoints(i);
        savehistorypost(i, HISTORY_MODIFY);
    }
    savehistorypre(focus);
    savehistorypost(focus, HISTORY_GROUPEND);
    refreshIWOall();
    updateIWOprop(focus);
    if (historywritecount() != writes) markIWOdiagrammodified();
}

// A style button (231 start, 232 end): the style window's choice.
void choosestyle(int end) {
    if (!hasfocus() || !islinetype(IWO[selectedIWO].type)) return;
    int style = openstylewindow();
    const long writes = historywritecount();
    savehistorypre(selectedIWO);
    setstyle(selectedIWO, style, end);
    savehistorypost(selectedIWO, HISTORY_MODIFY);
    updateIWOprop(selectedIWO);
    refreshIWOall();
    if (historywritecount() != writes) markIWOdiagrammodified();
}

// A size slider (233 start, 234 end).
void endsize(int end, int id) {
    if (!hasfocus() || !islinetype(IWO[selectedIWO].type)) return;
    const long writes = historywritecount();
    savehistorypre(selectedIWO);
    eraseIWO(selectedIWO, papercolour, 0);
    DrawPart &p = IWO[selectedIWO].draw[end];
    p.px[1] = p.py[1] = sat8(gadgetvalue(propwin, id));
    // A square end keeps its corner points in step with its size.
    if (p.kind == SQUAREEND) setstyle(selectedIWO, SQUAREEND, end);
    savehistorypost(selectedIWO, HISTORY_MODIFY);
    updateIWOprop(selectedIWO);
    refreshIWOall();
    if (historywritecount() != writes) markIWOdiagrammodified();
}

void undobutton() {
    if (hasfocus()) eraseIWO(selectedIWO, papercolour, 0);
    undohistory();
    // The scratch record goes back only over the object it was taken from;
    // after an undo that removed it, or moved the focus, there is nothing to
    // put back.
    if (hasfocus() && IWO[0].type != DEADTYPE && IWO[0].id == IWO[selectedIWO].id) {
        IWORecord before = IWO[selectedIWO];
        IWO[0].type = before.type;
        bufferIWO(0, selectedIWO);
        IWO[selectedIWO].selected = before.selected;
        if (connections(IWO[selectedIWO]) > 0) calcconnectorpoints(selectedIWO);
        if (changed(before, IWO[selectedIWO])) markIWOdiagrammodified();
    }
    updateIWOprop(selectedIWO);
    refreshIWOall();
}

void fontbutton() {
    std::string name = gadgettext(propwin, G_FONT);
    int size = (int)gadgetvalue(propwin, G_FONT);
    if (!platformui().fontrequest(FONTTITLE, name, size, MAXFONTHEIGHT)) return;
    // A name the record can't hold whole is refused rather than cut.
    if (name.empty() || name.size() >= sizeof tempIWOfontname) return;
    size = std::clamp(size, 1, MAXFONTHEIGHT);
    setgadgettext(propwin, G_FONT, name);
    show(G_FONT, size);
    copytext(tempIWOfontname, sizeof tempIWOfontname, name.c_str());
    tempIWOfont.ta_YSize = (uint16_t)size;
    refresh();
}

void labelcolours() {
    palettewinx = (int16_t)propwin.x;
    palettewiny = (int16_t)propwin.y;
    if (righthalfgadget(propwin.pointerx, G_LABELCOLOURS))
        tempIWOlabelcolour = (int16_t)palettemain(tempIWOlabelcolour);
    else
        tempIWOfontcolour = (int16_t)palettemain(tempIWOfontcolour);
    Gadget &g = gad(G_LABELCOLOURS);
    g.value = tempIWOlabelcolour;
    g.pen2 = tempIWOfontcolour;
    refresh();
}

void colourbutton(int id, int16_t &pen) {
    palettewinx = (int16_t)propwin.x;
    palettewiny = (int16_t)propwin.y;
    pen = (int16_t)palettemain(pen);
    show(id, pen);
    refresh();
}

} // namespace

int make_propwindow() {
    // A window object just built is not open yet.
    propwin = GadgetWindow();
    propwindowopen = 0;
    propwin.name = "props";
    propwin.title = "Object Properties";
    propwin.window = PROPWINDOW;
    propwin.x = propwinx;
    propwin.y = propwiny;
    propwin.width = propwinwidth;
    propwin.height = propwinheight;
    auto &g = propwin.gadgets;
    g.push_back(makegadget(G_ID, GADGET_INTEGER, "ID No:", 0, 0, MAXIWO));
    g.push_back(makegadget(G_NAME, GADGET_STRING, "Name:", 0, 0, NAMECHARS));
    g.back().text = "Name it";
    g.push_back(makegadget(G_TABS, GADGET_TABS, "", 0));
    g.back().choices = {"Layout", "Drawing", "Text"};
    // Layout
    g.push_back(makegadget(G_X, GADGET_INTEGER, "X:", 1, 0, 32767));
    g.push_back(makegadget(G_Y, GADGET_INTEGER, "Y:", 1, 0, 32767));
    g.push_back(makegadget(G_WIDTH, GADGET_INTEGER, "Width:", 1, MINSIZE, 32767));
    g.push_back(makegadget(G_HEIGHT, GADGET_INTEGER, "Height:", 1, MINSIZE, 32767));
    g.push_back(makegadget(G_LOCKED, GADGET_CHECKBOX, "Locked:", 1));
    g.push_back(makegadget(G_HIDENODE, GADGET_CHECKBOX, "Hide Node:", 1));
    // Drawing
    g.push_back(makegadget(G_FILLCOLOUR, GADGET_COLOUR, "Fill Colour:", 2));
    g.push_back(makegadget(G_LINECOLOUR, GADGET_COLOUR, "Line Colour:", 2));
    g.push_back(makegadget(G_LINEWEIGHT, GADGET_SLIDER, "Line Weight:", 2, 0, 100));
    g.push_back(makegadget(G_STARTSTYLE, GADGET_IMAGE, "Start Style:", 2));
    g.push_back(makegadget(G_STARTSIZE, GADGET_SLIDER, "", 2, 0, 100));
    g.push_back(makegadget(G_ENDSTYLE, GADGET_IMAGE, "End Style:", 2));
    g.push_back(makegadget(G_ENDSIZE, GADGET_SLIDER, "", 2, 0, 100));
    // Text
    g.push_back(makegadget(G_LABEL, GADGET_STRING, "Label:", 3, 0, LABELCHARS));
    g.back().text = "Not Implemented";
    g.push_back(makegadget(G_FONT, GADGET_FONT, "Font:", 3, 1, MAXFONTHEIGHT));
    g.push_back(makegadget(G_LABELCOLOURS, GADGET_LABELCOLOURS, "Colours:", 3));
    g.back().text = "Label";
    g.push_back(makegadget(G_FILL, GADGET_CHECKBOX, "", 3));
    g.back().text = "Fill";
    g.push_back(makegadget(G_POSITION, GADGET_CHOOSER, "Position:", 3));
    g.back().choices.assign(textposition, textposition + TEXTPOSITIONS);
    g.push_back(makegadget(G_LABELX, GADGET_INTEGER, "X:", 3, -100, 200));
    g.push_back(makegadget(G_LABELY, GADGET_INTEGER, "Y:", 3, -100, 200));
    // The bottom row
    g.push_back(makegadget(G_UNDO, GADGET_BUTTON, "", -1));
    g.back().text = "Undo";
    g.push_back(makegadget(G_APPLYALL, GADGET_BUTTON, "", -1));
    g.back().text = "Apply To ALL";
    g.push_back(makegadget(G_APPLY, GADGET_BUTTON, "", -1));
    g.back().text = "Apply";
    registergadgetwindow(&propwin);
    return 1;
}

int propmain() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    deleteIWO(SHADOWIWO);
    if (!propwindowopen) {
        make_propwindow();
        if (!platformui().openwindow(propwin)) return 1; // no window: nothing happens
        propwin.open = true;
    } else {
        platformui().raisewindow(propwin);
    }
    propwindowopen = 1;
    updateIWOprop(selectedIWO);
    if (hasfocus()) bufferIWO(selectedIWO, 0);
    return 1;
}

int disableIWOprop(int flag) {
    for (int id : SWITCHED) disable(id, flag != 0);
    // With no object there is nothing for the size sliders and Apply To ALL
    // to act on either; showing an object enables them as it needs.
    if (flag) {
        disable(G_STARTSIZE, true);
        disable(G_ENDSIZE, true);
        disable(G_APPLYALL, true);
    }
    refresh();
    return 1;
}

int updateIWOprop(int n) {
    if (propwin.gadgets.empty()) make_propwindow();
    if (!liveIWO(n)) return disableIWOprop(1);
    IWORecord &r = IWO[n];
    resolvefont(n);
    disableIWOprop(0);
    show(G_ID, n);
    setgadgettext(propwin, G_FONT, fieldtext(r.fontname, sizeof r.fontname));
    show(G_FONT, r.font.ta_YSize);
    gad(G_LABELCOLOURS).value = r.labelcolour;
    gad(G_LABELCOLOURS).pen2 = r.fontcolour;
    show(G_FILL, r.labelfilled != 0);
    show(G_LOCKED, r.locked != 0);
    show(G_HIDENODE, r.fold != 0);
    disable(G_HIDENODE, true);

    // A Text object is as wide as its label and has no outline or fill. Its
    // label fields are shown all the same, as Apply compares them.
    const bool text = r.type == TEXTTYPE;
    for (int id : {G_WIDTH, G_HEIGHT, G_LINEWEIGHT, G_POSITION, G_LABELX, G_LABELY, G_LINECOLOUR,
                   G_FILLCOLOUR})
        disable(id, text);
    show(G_POSITION, std::clamp<int>(r.labelposition, 0, TEXTPOSITIONS - 1));
    show(G_LABELX, r.labelx);
    show(G_LABELY, r.labely);
    if (!text && r.labelposition != CUSTOMPOSITION) {
        disable(G_LABELX, true);
        disable(G_LABELY, true);
    }

    const bool line = islinetype(r.type);
    gad(G_WIDTH).min = gad(G_HEIGHT).min = line ? -4000 : MINSIZE;
    if (line) {
        int k1 = r.draw[1].kind, k2 = r.draw[2].kind;
        showstyle(G_STARTSTYLE, k1 >= PARTENDNONE && k1 <= PARTENDARROWBACK ? k1 : 0, 1);
        showstyle(G_ENDSTYLE, k2 >= PARTENDNONE && k2 <= PARTENDARROWBACK ? k2 : 0, 2);
        show(G_STARTSIZE, r.draw[1].px[1]);
        show(G_ENDSIZE, r.draw[2].px[1]);
        disable(G_STARTSIZE, k1 == PARTENDNONE);
        disable(G_ENDSIZE, k2 == PARTENDNONE);
        if (r.type == CONNECTORTYPE) disable(G_HIDENODE, false);
    } else {
        showstyle(G_STARTSTYLE, 0, 1);
        showstyle(G_ENDSTYLE, 0, 2);
        for (int id : {G_STARTSTYLE, G_ENDSTYLE, G_STARTSIZE, G_ENDSIZE}) disable(id, true);
    }
    disable(G_APPLYALL, numIWOselected < 2);

    // Shown whole: the gadgets' limits hold for typing, and a longer name or
    // label made elsewhere must not be cut by an Apply that never touched it.
    gad(G_NAME).text = fieldtext(r.name, sizeof r.name);
    gad(G_LABEL).text = fieldtext(r.label, sizeof r.label);
    show(G_X, r.x);
    show(G_Y, r.y);
    show(G_WIDTH, r.width);
    show(G_HEIGHT, r.height);
    show(G_LINEWEIGHT, r.lineweight);
    show(G_LINECOLOUR, r.linecolour);
    show(G_FILLCOLOUR, r.fillcolour);
    tempIWOlinecolour = r.linecolour;
    tempIWOfillcolour = r.fillcolour;
    tempIWOfontcolour = r.fontcolour;
    tempIWOlabelcolour = r.labelcolour;
    tempIWOfont = r.font;
    copyfield(tempIWOfontname, sizeof tempIWOfontname, r.fontname, sizeof r.fontname);
    refresh();
    return 1;
}

int iwopropertiesevents(int32_t result, int code) {
    if (!propwindowopen) return 0;
    if (SHADOWIWODRAWN) removeshadowiwo();
    const int32_t cls = result & (int32_t)0xFFFF0000;
    const int id = result & 0xFFFF;
    followidgadget();

    if (cls == IW_CLOSEWINDOW) {
        IWO[0].type = DEADTYPE;
        platformui().closewindow(propwin);
        propwin.open = false;
        propwinx = sat16(propwin.x);
        propwiny = sat16(propwin.y);
        propwinwidth = sat16(propwin.width);
        propwinheight = sat16(propwin.height);
        propwindowopen = 0;
        return 1;
    }
    if (cls != IW_GADGETUP) return 0;

    switch (id) {
    case G_LOCKED:
        atonce([](IWORecord &r) { r.locked = gadgetvalue(propwin, G_LOCKED) != 0; });
        break;
    case G_HIDENODE:
        if (hasfocus() && IWO[selectedIWO].type == CONNECTORTYPE)
            atonce([](IWORecord &r) {
                r.fold = gadgetvalue(propwin, G_HIDENODE) != 0;
                r.nodefold = r.fold;
                foldnode(selectedIWO);
            });
        break;
    case G_FONT:
        fontbutton();
        break;
    case G_LABELCOLOURS:
        labelcolours();
        break;
    case G_POSITION:
        if (hasfocus()) {
            setgadgetvalue(propwin, G_POSITION, code);
            const int index = (int)gadgetvalue(propwin, G_POSITION);
            atonce([index](IWORecord &r) {
                if (index < CUSTOMPOSITION) {
                    r.labelx = r.handlex[9] = textx[index];
                    r.labely = r.handley[9] = texty[index];
                }
                r.labelposition = (int16_t)index;
            });
            updateIWOprop(selectedIWO);
        }
        break;
    case G_FILL:
        atonce([](IWORecord &r) { r.labelfilled = gadgetvalue(propwin, G_FILL) != 0; });
        break;
    case G_LINECOLOUR:
        colourbutton(G_LINECOLOUR, tempIWOlinecolour);
        break;
    case G_FILLCOLOUR:
        colourbutton(G_FILLCOLOUR, tempIWOfillcolour);
        break;
    case G_STARTSTYLE:
        choosestyle(1);
        break;
    case G_ENDSTYLE:
        choosestyle(2);
        break;
    case G_STARTSIZE:
        endsize(1, G_STARTSIZE);
        break;
    case G_ENDSIZE:
        endsize(2, G_ENDSIZE);
        break;
    case G_UNDO:
        undobutton();
        break;
    case G_APPLY:
        apply(false);
        break;
    case G_APPLYALL:
        apply(true);
        break;
    default:
        break;
    }
    return 0;
}

int righthalfgadget(int x, int id) {
    Gadget *g = findgadget(propwin, id);
    if (!g) return 0;
    return x - g->left <= g->width / 2 ? 1 : 0;
}

int make_palettewindow() {
    // The palette window is built by the platform each time it is shown, at
    // the position kept here.
    return 1;
}

int palettemain(int pen) {
    make_palettewindow();
    int chosen =
        platformui().palettewindow(PALETTETITLE, pen, SCREENPENS, palettewinx, palettewiny);
    if (chosen < 0 || chosen >= SCREENPENS) return pen;
    return chosen;
}

int make_stylewindow() {
    stylelayout = StyleWindowLayout();
    stylelayout.title = "Styles";
    stylelayout.tabs = {"Ends", "Patterns"};
    stylelayout.x = stylewinx;
    stylelayout.y = stylewiny;
    for (const auto &row : STYLEROWS) {
        std::vector<StyleButton> buttons;
        for (int style : row) {
            if (style == 0) continue;
            StyleButton b;
            b.id = style;
            b.image = endpicture(style + PARTLINEEND, 2);
            buttons.push_back(b);
        }
        stylelayout.rows.push_back(buttons);
    }
    return 1;
}

int openstylewindow() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    removeshadowiwo();
    if (stylewindowopen) return 0;
    stylewinx = (int16_t)propwin.x;
    stylewiny = (int16_t)propwin.y;
    make_stylewindow();
    stylewindowopen = 1;
    int style = platformui().stylewindow(stylelayout);
    stylewindowopen = 0;
    // Only a style the window offers is an answer.
    for (const auto &row : STYLEROWS)
        for (int s : row)
            if (s != 0 && s == style) return style;
    return 0;
}

int setstyle(int n, int style, int end) {
    if (!liveIWO(n) || (end != 1 && end != 2)) return 1;
    IWORecord &r = IWO[n];
    DrawPart &p = r.draw[end];
    const int slider = end == 1 ? G_STARTSIZE : G_ENDSIZE;
    long size = gadgetvalue(propwin, slider);
    if (size < MINENDSIZE) {
        size = MINENDSIZE;
        show(slider, size);
        refresh();
    }
    // A smaller mark leaves nothing behind of the bigger one.
    eraseIWO(n, papercolour, 0);
    p.px[1] = p.py[1] = sat8(size);
    const long k = end == 1 ? 0 : 100;
    if (style > 0 && style < 20) {
        p.kind = (int8_t)(style + PARTLINEEND);
        p.px[0] = p.py[0] = (int8_t)k;
        p.linecolour = r.linecolour;
        p.fillcolour = r.fillcolour;
    }
    // Positions are worked out in 32 bits and kept to the byte a point holds.
    if (p.kind == PARTENDARROWBACK)
        p.px[0] = p.py[0] = sat8(end == 1 ? -(long)r.lineweight : 100 - r.lineweight);
    if (p.kind == PARTENDARROW)
        p.px[0] = p.py[0] = sat8(end == 1 ? (long)r.lineweight : 100 + r.lineweight);
    if (p.kind == SQUAREEND) {
        // The size stays in point 1, which drawing reads; the square's
        // corners follow it.
        const long cx[5] = {k, k + size, k + size, k, k}, cy[5] = {k, k, k + size, k + size, k};
        for (int i = 0; i < 5; i++) {
            p.px[2 + i] = sat8(cx[i]);
            p.py[2 + i] = sat8(cy[i]);
        }
        p.linecolour = r.linecolour;
        p.fillcolour = r.fillcolour;
        p.lineweight = r.lineweight;
    }
    return 1;
}
