// create.cpp - slot resets and object creation with the per-type defaults.
#include "model/create.h"

#include "model/bytes.h"
#include "model/diagram.h"
#include "model/interaction.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/fonts.h"
#include "render/draw.h"
#include "ui/ui.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

int16_t DefaultIWOWidth = 310;
int16_t DefaultIWOHeight = 210;
IWORecord userIWO[MAXUSERIWO + 2];

namespace {

using Points = std::initializer_list<std::pair<int, int>>;

// Sets kind and points of a part; pens are left as they are.
void setpoints(DrawPart &d, int kind, Points pts) {
    d.kind = (int8_t)kind;
    int k = 0;
    for (auto [x, y] : pts) {
        if (k >= 13) break;
        d.px[k] = (int8_t)x;
        d.py[k] = (int8_t)y;
        k++;
    }
}

// A drawing part with the object's own pens.
void setpart(IWORecord &r, int i, int kind, Points pts) {
    DrawPart &d = r.draw[i];
    setpoints(d, kind, pts);
    d.linecolour = r.linecolour;
    d.fillcolour = r.fillcolour;
    d.lineweight = r.lineweight;
}

void sethandle(IWORecord &r, int h, int x, int y) {
    r.handlex[h] = (int16_t)x;
    r.handley[h] = (int16_t)y;
}

void standardhandles(IWORecord &r) {
    static const int hx[9] = {0, 0, 50, 100, 0, 100, 0, 50, 100};
    static const int hy[9] = {0, 0, 0, 0, 50, 50, 100, 100, 100};
    for (int h = 1; h <= 8; h++) sethandle(r, h, hx[h], hy[h]);
}

void nohandle(IWORecord &r, int h) { sethandle(r, h, -99, -99); }

const Points OUTERBOX = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
const Points CORNERS = {{0, 0}, {100, 100}};

// One highlight entry and an erase entry that are the same as a polygon.
void outlineall(IWORecord &r, int kind, Points pts) {
    r.highlightnum = 1;
    setpoints(r.highlight[0], kind, pts);
    setpoints(r.erase, kind, pts);
}

void boxhighlight(IWORecord &r) {
    r.highlightnum = 1;
    setpoints(r.highlight[0], 1, CORNERS);
}

struct HandleAt {
    int h, x, y; // handle number and its position in percent (-99: not offered)
};

void sized(IWORecord &r);

// A polygon of the default size whose highlight and erase outlines are the
// polygon itself, with the standard handles but for those listed.
void polygonshape(IWORecord &r, Points p, std::initializer_list<HandleAt> handles) {
    sized(r);
    r.drawnum = 1;
    setpart(r, 0, 7, p);
    outlineall(r, 7, p);
    standardhandles(r);
    for (const HandleAt &a : handles) sethandle(r, a.h, a.x, a.y);
}

// Sizes: D is the default object size; S is the shadow record's current size.
void sized(IWORecord &r) {
    r.width = DefaultIWOWidth;
    r.height = DefaultIWOHeight;
}
void sizes(int index, IWORecord &r) {
    if (index == SHADOWIWO) return; // the shadow's own size (set in step 1)
    r.width = IWO[SHADOWIWO].width;
    r.height = IWO[SHADOWIWO].height;
}

// Attachment percentage; an object without width or height gives 0.
int16_t percent(int offset, int size) { return size == 0 ? 0 : (int16_t)(offset * 100 / size); }

// Width in pixels of a text in the font of the program's screen, which the
// drawing window uses.
int textpixels(const char *text) {
    TextFont *f = OpenFont(IWeaveFontName, IWeaveFont.ta_YSize, IWeaveFont.ta_Style);
    return f ? fonttextlength(f, text, (int)std::strlen(text)) : 0;
}

void lineorconnector(IWORecord &r, int type, int x, int y) {
    r.fillcolour = r.linecolour;
    if (type == 107) {
        r.x = connectstartoffsetx;
        r.y = connectstartoffsety;
        r.width = (int16_t)(x - r.x);
        r.height = (int16_t)(y - r.y);
    } else {
        // Both end objects must be live for an attachment; otherwise the
        // connector keeps the geometry it was given and stays unattached.
        bool ok = liveIWO(connectstartIWO) && liveIWO(connectendIWO);
        if (ok) {
            IWORecord &a = IWO[connectstartIWO];
            IWORecord &b = IWO[connectendIWO];
            r.x = (int16_t)(a.x + connectstartoffsetx);
            r.y = (int16_t)(a.y + connectstartoffsety);
            r.width = (int16_t)(b.x + connectendoffsetx - r.x);
            r.height = (int16_t)(b.y + connectendoffsety - r.y);
            // Counts below zero (a record's unused handle slot) mean none.
            connections(a) = (int16_t)(std::max<int>(connections(a), 0) + 1);
            connections(b) = (int16_t)(std::max<int>(connections(b), 0) + 1);
            r.connectstart = a.id;
            r.connectstartx = percent(connectstartoffsetx, a.width);
            r.connectstarty = percent(connectstartoffsety, a.height);
            r.connectstartspare = 0;
            r.connectstartclamp = 1;
            r.connectend = b.id;
            r.connectendx = percent(connectendoffsetx, b.width);
            r.connectendy = percent(connectendoffsety, b.height);
            r.connectendspare = 0;
            r.connectendclamp = 1;
        }
    }
    connectstartoffsetx = -99;
    connectstartoffsety = -99;
    int kind = type == 107 ? 8 : 13;
    r.drawnum = 3;
    setpart(r, 0, kind, CORNERS);
    setpart(r, 1, 17, {{0, 0}, {10, 10}});
    setpart(r, 2, 17, {{100, 100}, {10, 10}});
    r.draw[1].fillcolour = r.draw[1].linecolour;
    r.draw[2].fillcolour = r.draw[2].linecolour;
    r.highlightnum = 1;
    setpoints(r.highlight[0], kind, CORNERS);
    setpoints(r.erase, kind, CORNERS);
    sethandle(r, 1, 0, 0);
    sethandle(r, 8, 100, 100);
}

// Puts a new connector's ends exactly where its attachment percentages put
// them (at most one percent of the object's size from the pointer), so that
// recomputing the ends later, when an object moves or an edit is undone,
// gives back the same points.
void placeattached(IWORecord &r) {
    if (!liveIWO(connectstartIWO) || !liveIWO(connectendIWO)) return;
    const IWORecord &a = IWO[connectstartIWO];
    const IWORecord &b = IWO[connectendIWO];
    r.x = (int16_t)(a.x + a.width * r.connectstartx / 100);
    r.y = (int16_t)(a.y + a.height * r.connectstarty / 100);
    r.width = (int16_t)(b.x + b.width * r.connectendx / 100 - r.x);
    r.height = (int16_t)(b.y + b.height * r.connectendy / 100 - r.y);
}

void usertemplate(IWORecord &r, int type) {
    const IWORecord &t = userIWO[type - 131];
    r.width = t.width;
    r.height = t.height;
    r.linecolour = t.linecolour;
    r.fillcolour = t.fillcolour;
    r.lineweight = t.lineweight;
    r.labelcolour = t.labelcolour;
    r.drawnum = t.drawnum;
    int n = t.drawnum < MAXDRAWNUM ? t.drawnum : MAXDRAWNUM;
    for (int i = 0; i < n; i++) {
        DrawPart &d = r.draw[i];
        d.kind = t.draw[i].kind;
        d.linecolour = t.draw[i].linecolour;
        d.fillcolour = t.draw[i].fillcolour;
        d.lineweight = t.draw[i].lineweight;
        std::memcpy(d.px, t.draw[i].px, 13);
        std::memcpy(d.py, t.draw[i].py, 13);
    }
    boxhighlight(r);
    setpoints(r.erase, 1, CORNERS);
    standardhandles(r);
}

// Per-type size, parts, highlight, erase and handles.
void typedefaults(int index, IWORecord &r, int type, int x, int y) {
    switch (type) {
    case 101:
    case 102:
        sizes(index, r);
        r.drawnum = 1;
        setpart(r, 0, 1, OUTERBOX);
        if (type == 102) r.draw[0].px[5] = r.draw[0].py[5] = 25;
        else r.draw[0].px[5] = r.draw[0].py[5] = 0;
        boxhighlight(r);
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        break;
    case 104: {
        sizes(index, r);
        Points p = {{0, 50}, {50, 0}, {100, 50}, {50, 100}, {0, 50}};
        r.drawnum = 1;
        setpart(r, 0, 7, p);
        outlineall(r, 7, p);
        standardhandles(r);
        break;
    }
    case 105:
    case 106:
        sizes(index, r);
        r.drawnum = 1;
        setpart(r, 0, 6, {{50, 50}, {50, 50}});
        r.highlightnum = 1;
        setpoints(r.highlight[0], 6, {{50, 50}, {50, 50}});
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        break;
    case 107:
    case 108:
        lineorconnector(r, type, x, y);
        break;
    case 109:
        copytext(r.label, sizeof r.label, "Text");
        r.width = (int16_t)(int)((float)textpixels(r.label) / zoom);
        r.height = (int16_t)(2 * r.font.ta_YSize);
        r.drawnum = 0;
        r.highlightnum = 1;
        setpoints(r.highlight[0], 12, {{10, 100}, {90, 100}});
        setpoints(r.erase, 1, CORNERS);
        break;
    case 110:
        polygonshape(r, {{0, 100}, {25, 0}, {100, 0}, {75, 100}, {0, 100}},
                     {{1, 25, 0}, {2, 63, 0}, {4, 13, 50}, {5, 87, 50}, {7, 38, 100}, {8, 75, 100}});
        break;
    case 112:
        polygonshape(r, {{0, 100}, {25, 0}, {75, 0}, {100, 100}, {0, 100}},
                     {{1, 25, 0}, {3, 75, 0}, {4, 13, 50}, {5, 87, 50}});
        break;
    case 114:
        polygonshape(r, {{0, 50}, {25, 0}, {75, 0}, {100, 50}, {75, 100}, {25, 100}, {0, 50}},
                     {{1, 25, 0}, {3, 75, 0}, {6, 25, 100}, {8, 75, 100}});
        break;
    case 115:
        polygonshape(r, {{0, 50}, {50, 0}, {100, 50}, {75, 100}, {25, 100}, {0, 50}},
                     {{1, 25, 25}, {3, 75, 25}, {6, 25, 100}, {8, 75, 100}});
        break;
    case 117: {
        sized(r);
        Points p = {{0, 0}, {100, 100}, {0, 100}, {0, 0}};
        r.drawnum = 1;
        setpart(r, 0, 7, p);
        r.highlightnum = 1;
        setpoints(r.highlight[0], 7, p);
        setpoints(r.erase, 7, OUTERBOX);
        standardhandles(r);
        nohandle(r, 2);
        nohandle(r, 3);
        sethandle(r, 5, 50, 50);
        sethandle(r, 9, 25, 50);
        break;
    }
    case 118:
        polygonshape(r, {{0, 100}, {50, 0}, {100, 100}, {0, 100}},
                     {{1, -99, -99}, {3, -99, -99}, {4, 25, 50}, {5, 75, 50}});
        break;
    case 119:
        sized(r);
        r.drawnum = 5;
        setpart(r, 0, 2, {{25, 25}, {75, 75}});
        r.draw[0].linecolour = r.fillcolour;
        setpart(r, 1, 42, {{25, 73}, {50, 100}, {75, 73}});
        setpart(r, 2, 42, {{73, 25}, {100, 50}, {73, 75}});
        setpart(r, 3, 42, {{25, 25}, {0, 50}, {25, 75}});
        setpart(r, 4, 42, {{25, 27}, {50, 0}, {75, 27}});
        r.highlightnum = 4;
        setpoints(r.highlight[0], 6, {{25, 50}, {25, 25}});
        setpoints(r.highlight[1], 6, {{75, 50}, {25, 25}});
        setpoints(r.highlight[2], 6, {{50, 25}, {25, 25}});
        setpoints(r.highlight[3], 6, {{50, 75}, {25, 25}});
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        break;
    case 120: {
        sized(r);
        static const int cx[4] = {25, 74, 25, 74}, cy[4] = {25, 25, 74, 74};
        r.drawnum = 5;
        r.highlightnum = 4;
        for (int k = 0; k < 4; k++) {
            setpart(r, k, 6, {{cx[k], cy[k]}, {25, 25}});
            setpoints(r.highlight[k], 6, {{cx[k], cy[k]}, {25, 25}});
        }
        setpart(r, 4, 2, {{25, 25}, {75, 74}});
        r.draw[4].linecolour = r.fillcolour;
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        break;
    }
    case 121: {
        sized(r);
        Points e[3] = {{{39, 30}, {39, 30}}, {{78, 65}, {12, 10}}, {{87, 90}, {12, 10}}};
        r.drawnum = 3;
        r.highlightnum = 3;
        for (int k = 0; k < 3; k++) {
            setpart(r, k, 6, e[k]);
            setpoints(r.highlight[k], 6, e[k]);
        }
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        r.labelx = 39;
        r.labely = 30;
        break;
    }
    case 122:
        sized(r);
        r.drawnum = 2;
        setpart(r, 0, 7,
                {{60, 0}, {75, 0}, {40, 40}, {100, 35}, {30, 95}, {15, 90}, {75, 45}, {15, 50},
                 {60, 0}});
        setpart(r, 1, 7, {{10, 70}, {50, 100}, {10, 100}, {10, 70}});
        boxhighlight(r);
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        sethandle(r, 1, 60, 0);
        sethandle(r, 3, 75, 0);
        sethandle(r, 4, 15, 50);
        sethandle(r, 5, 100, 35);
        sethandle(r, 6, 10, 100);
        sethandle(r, 8, 50, 100);
        nohandle(r, 2);
        nohandle(r, 7);
        r.labelx = 61;
        r.labely = 30;
        break;
    case 123: {
        r.width = (int16_t)(DefaultIWOWidth / 3);
        r.height = (int16_t)(2 * DefaultIWOHeight);
        Points bar = {{0, 0}, {100, 0}, {100, 70}, {0, 70}, {0, 0}};
        r.drawnum = 2;
        setpart(r, 0, 1, bar);
        r.draw[0].px[5] = r.draw[0].py[5] = 25;
        setpart(r, 1, 6, {{50, 87}, {50, 12}});
        // The first highlight entry is the bar's box (a kind-1 highlight is a
        // box from two corners), so that a selected Exclam never draws from
        // what the slot held before.
        r.highlightnum = 2;
        setpoints(r.highlight[0], 1, {{0, 0}, {100, 70}});
        setpoints(r.highlight[1], 6, {{50, 87}, {50, 12}});
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        sethandle(r, 4, 0, 35);
        sethandle(r, 5, 100, 35);
        sethandle(r, 6, 0, 87);
        sethandle(r, 8, 100, 87);
        break;
    }
    case 124: {
        sized(r);
        Points star = {{0, 33}, {100, 33}, {0, 100}, {50, 0}, {100, 100}, {0, 33}};
        r.drawnum = 2;
        setpart(r, 0, 7, star);
        setpart(r, 1, 7, {{33, 33}, {66, 33}, {75, 50}, {50, 66}, {25, 50}, {33, 33}});
        r.highlightnum = 1;
        setpoints(r.highlight[0], 7, star);
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        sethandle(r, 1, 0, 33);
        sethandle(r, 3, 100, 33);
        nohandle(r, 4);
        nohandle(r, 5);
        nohandle(r, 7);
        break;
    }
    case 125:
        r.width = (int16_t)(DefaultIWOWidth / 3);
        r.height = (int16_t)(3 * (DefaultIWOWidth / 3));
        r.drawnum = 5;
        setpart(r, 0, 6, {{50, 15}, {20, 15}});
        setpart(r, 1, 8, {{50, 30}, {50, 60}});
        setpart(r, 2, 8, {{0, 33}, {100, 33}});
        setpart(r, 3, 8, {{50, 60}, {10, 100}});
        setpart(r, 4, 8, {{50, 60}, {90, 100}});
        boxhighlight(r);
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        sethandle(r, 1, 0, 33);
        sethandle(r, 3, 100, 33);
        sethandle(r, 6, 10, 100);
        sethandle(r, 8, 90, 100);
        nohandle(r, 4);
        nohandle(r, 5);
        nohandle(r, 7);
        break;
    case 126:
    case 127:
    case 128:
        sized(r);
        setpart(r, 0, 7, OUTERBOX);
        if (type == 126) {
            r.drawnum = 2;
            setpart(r, 1, 7, {{0, 20}, {100, 20}, {100, 40}, {0, 40}, {0, 20}});
        } else if (type == 127) {
            r.drawnum = 2;
            setpart(r, 1, 7, {{15, 0}, {85, 0}, {85, 100}, {15, 100}, {15, 0}});
        } else {
            r.drawnum = 3;
            setpart(r, 1, 7, {{15, 0}, {100, 0}, {100, 100}, {15, 100}, {15, 0}});
            setpart(r, 2, 7, {{0, 0}, {100, 0}, {100, 15}, {0, 15}, {0, 0}});
            r.draw[1].fillcolour = HARDTRANSPARENT;
            r.draw[2].fillcolour = HARDTRANSPARENT;
        }
        outlineall(r, 7, OUTERBOX);
        standardhandles(r);
        break;
    case 129:
    case 130:
        r.width = (int16_t)(DefaultIWOWidth / 2);
        r.height = (int16_t)(DefaultIWOWidth / 2);
        setpart(r, 0, 6, {{50, 50}, {50, 50}});
        if (type == 129) {
            r.drawnum = 2;
            setpart(r, 1, 6, {{50, 50}, {10, 10}});
        } else {
            r.drawnum = 3;
            setpart(r, 1, 8, {{50, 2}, {50, 98}});
            setpart(r, 2, 8, {{2, 50}, {98, 50}});
        }
        r.highlightnum = 1;
        setpoints(r.highlight[0], 6, {{50, 50}, {50, 50}});
        setpoints(r.erase, 1, CORNERS);
        standardhandles(r);
        if (type == 129) {
            sethandle(r, 1, 15, 15);
            sethandle(r, 3, 85, 15);
            sethandle(r, 6, 15, 86);
            sethandle(r, 8, 86, 86);
        } else {
            sethandle(r, 1, 15, 15);
            sethandle(r, 3, 85, 15);
            sethandle(r, 6, 15, 85);
            sethandle(r, 8, 85, 85);
        }
        break;
    default:
        if (type >= 132 && type <= 144) usertemplate(r, type);
        break;
    }
}

} // namespace

void resetpart(DrawPart &d) {
    d.kind = 0;
    d.px[0] = 0;
    for (int k = 0; k < 5; k++) d.py[k] = 0;
    d.linecolour = 0;
}

int resetsingleIWO(int n) {
    IWORecord &r = IWO[n];
    r.type = DEADTYPE;
    r.x = r.y = 0;
    r.labelx = r.labely = 50;
    r.linecolour = r.lineweight = r.fillcolour = 0;
    r.reserved1434 = 0;
    r.reserved1436[0] = r.reserved1436[1] = r.reserved1436[2] = 0;
    r.font = IWODiagram.font;
    r.fontcolour = fontcolour;
    copytext(r.name, sizeof r.name, "Unnamed");
    r.label[0] = 0;
    r.labelcolour = r.labelfilled = 0;
    r.drawnum = 0;
    r.group = r.reserved1422 = TRANSPARENT;
    r.connectstart = r.connectend = TRANSPARENT;
    for (int i = 0; i < 10; i++) resetpart(r.draw[i]);
    for (auto &h : r.highlight) resetpart(h);
    resetpart(r.erase);
    copytext(r.fontname, sizeof r.fontname, IWeaveFontName);
    return 1;
}

int resetIWO(int n) {
    for (int i = 0; i <= n && i < IWOTABLESIZE; i++) {
        IWORecord &r = IWO[i];
        r.type = DEADTYPE;
        r.id = r.x = r.y = TRANSPARENT;
        r.labelx = r.labely = 50;
        r.labelposition = 0;
        r.reserved1436[0] = r.reserved1436[1] = r.reserved1436[2] = 0;
        r.linecolour = linecolour;
        r.lineweight = lineweight;
        r.fillcolour = papercolour;
        r.font = IWODiagram.font;
        r.fontcolour = fontcolour;
        copytext(r.name, sizeof r.name, "Unnamed");
        r.label[0] = 0;
        r.labelcolour = r.labelfilled = 0;
        r.drawnum = 0;
        r.visible = 1;
        r.nodefold = r.reserved1434 = r.fold = r.locked = r.selected = 0;
        r.group = r.reserved1422 = TRANSPARENT;
        r.connectstart = r.connectend = TRANSPARENT;
        for (auto &d : r.draw) resetpart(d);
        for (auto &h : r.highlight) resetpart(h);
        resetpart(r.erase);
        copytext(r.fontname, sizeof r.fontname, IWeaveFontName);
    }
    return 1;
}

int IWOidavailable() { return IWOid < 32767; }

int createIWO(int index, int type, int x, int y, int lc, int lw, int fc) {
    if (index < 0 || index >= IWOTABLESIZE) return 0;
    const bool shadow = index == SHADOWIWO;
    // Ids are 16-bit and must never wrap into the sentinels: once the counter
    // is exhausted no further object is made.
    if (!shadow && !IWOidavailable()) return 0;
    IWORecord &r = IWO[index];

    if (shadow) {
        r.id = SHADOWIWO;
        r.width = DefaultIWOWidth;
        r.height = DefaultIWOHeight;
        copytext(r.name, sizeof r.name, "Shadow");
        // The outline of a tool is no selected object: a `selected` left from an
        // earlier drag (which copies the pressed object here) would snap the
        // outline to the grid, and a click would then size the new object by
        // the snapped distance instead of giving it the tool's size.
        r.selected = 0;
    } else {
        if (type >= 0 && type < TYPETABLESIZE)
            copyfield(r.name, sizeof r.name, typename_[type], sizeof typename_[type]);
        IWOid += 1;
        r.id = IWOid;
    }

    r.type = (int16_t)type;
    r.locked = 0;
    r.visible = 1;
    r.x = (int16_t)x;
    r.y = (int16_t)y;
    r.labelx = r.labely = 50;
    r.reserved1436[0] = r.reserved1436[1] = r.reserved1436[2] = 0;
    r.linecolour = (int16_t)lc;
    r.lineweight = (int16_t)((type == 107 || type == 108) ? lw / 2 : lw);
    r.fillcolour = (int16_t)fc;
    r.labelcolour = labelcolour;
    r.labelfilled = labelfilled;
    r.font = IWODiagram.font;
    r.fontcolour = IWODiagram.fontcolour;
    for (int h = 0; h <= 9; h++) r.handlex[h] = r.handley[h] = -5;
    connections(r) = 0;
    r.group = 0;
    r.handlex[9] = r.handley[9] = 50;
    copyfield(r.fontname, sizeof r.fontname, IWODiagram.fontname, sizeof IWODiagram.fontname);

    for (auto &d : r.draw) {
        d.linecolour = r.linecolour;
        d.fillcolour = r.fillcolour;
        d.lineweight = r.lineweight;
    }

    typedefaults(index, r, type, x, y);

    if (DragSelect) {
        r.width = r.height = 0;
        for (int h = 0; h <= 9; h++) r.handlex[h] = r.handley[h] = -5;
        connections(r) = 0; // the count shares a slot with the handles
    }

    if (!shadow) {
        selectedIWO = (int16_t)index;
        r.selected = 1;
        numIWOselected = 1;
        r.x = IWO[SHADOWIWO].x;
        r.y = IWO[SHADOWIWO].y;
        r.width = IWO[SHADOWIWO].width;
        r.height = IWO[SHADOWIWO].height;
        JustCreated = 1;
        if (type == 108 && r.connectstart != TRANSPARENT) placeattached(r);
        if (type == 107 || type == 108) drawIWO(index);
        IWONumber += 1;
        if (IWONumber <= 3) disabledrawtools(0);
    }
    return 1;
}
