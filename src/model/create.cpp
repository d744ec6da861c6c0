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

#include <algorithm>
#include <array>
#include <cstring>

int16_t DefaultIWOWidth = 310;
int16_t DefaultIWOHeight = 210;
IWORecord userIWO[MAXUSERIWO + 2];

namespace {

// A point list: unlisted entries end it, so a part writes only its own points.
constexpr int8_t NOPOINT = -128;
struct Pt {
    int8_t x = NOPOINT, y = NOPOINT;
};

// Pens of a part other than the object's own.
enum PartPen : int8_t {
    OWNPENS,     // the object's line and fill pen
    FILLASLINE,  // the fill pen as the line pen too (the clouds' inner boxes)
    NEVERFILLED, // fill HARDTRANSPARENT (the inner boxes of Process 2)
};

struct Part {
    int8_t kind = PARTNONE;
    Pt pts[10];
    PartPen pen = OWNPENS;
    int8_t rounding = -1; // px[5] and py[5] of an outline; -1 leaves them
};

// Sizes: the shadow's current size (S), the default size (D), and the few
// sizes derived from the default width and height.
enum SizeRule : int8_t { SIZESHADOW, SIZEDEFAULT, SIZETALL, SIZEACTOR, SIZEHALFSQUARE };

struct HandleAt {
    int8_t h = 0, x = 0, y = 0; // handle number (0 ends the list) and position; -99 not offered
};

// One shape type's defaults: size, drawing parts, highlight, erase area, the
// handles that differ from the standard set, and the label position.
struct ShapeDefaults {
    int type;
    SizeRule size;
    int8_t drawnum;
    Part draw[5];
    int8_t highlightnum;
    Part highlight[4];
    Part erase;
    HandleAt handles[8];
    int8_t labelx = 50, labely = 50;
};

constexpr int8_t NO = -99; // a handle the type does not offer

#define OUTERBOX                                                                                   \
    {0, 0}, {100, 0}, {100, 100}, {0, 100}, { 0, 0 }
#define CORNERS                                                                                    \
    {0, 0}, { 100, 100 }
#define DIAMOND                                                                                    \
    {0, 50}, {50, 0}, {100, 50}, {50, 100}, { 0, 50 }
#define PARA                                                                                       \
    {0, 100}, {25, 0}, {100, 0}, {75, 100}, { 0, 100 }
#define TRAPEZIUM                                                                                  \
    {0, 100}, {25, 0}, {75, 0}, {100, 100}, { 0, 100 }
#define HEXAGON                                                                                    \
    {0, 50}, {25, 0}, {75, 0}, {100, 50}, {75, 100}, {25, 100}, { 0, 50 }
#define PENTAGON                                                                                   \
    {0, 50}, {50, 0}, {100, 50}, {75, 100}, {25, 100}, { 0, 50 }
#define RIGHTTRIANGLE                                                                              \
    {0, 0}, {100, 100}, {0, 100}, { 0, 0 }
#define TRIANGLE                                                                                   \
    {0, 100}, {50, 0}, {100, 100}, { 0, 100 }
#define STAR                                                                                       \
    {0, 33}, {100, 33}, {0, 100}, {50, 0}, {100, 100}, { 0, 33 }
#define FULLELLIPSE                                                                                \
    {50, 50}, { 50, 50 }

const ShapeDefaults SHAPES[] = {
    {RECTANGLETYPE,
     SIZESHADOW,
     1,
     {{PARTOUTLINE, {OUTERBOX}, OWNPENS, 0}},
     1,
     {{PARTOUTLINE, {CORNERS}}},
     {PARTOUTLINE, {CORNERS}},
     {}},
    {SOFTRECTTYPE,
     SIZESHADOW,
     1,
     {{PARTOUTLINE, {OUTERBOX}, OWNPENS, 25}},
     1,
     {{PARTOUTLINE, {CORNERS}}},
     {PARTOUTLINE, {CORNERS}},
     {}},
    {DIAMONDTYPE,
     SIZESHADOW,
     1,
     {{PARTPOLYGON, {DIAMOND}}},
     1,
     {{PARTPOLYGON, {DIAMOND}}},
     {PARTPOLYGON, {DIAMOND}},
     {}},
    {ELLIPSETYPE,
     SIZESHADOW,
     1,
     {{PARTELLIPSE, {FULLELLIPSE}}},
     1,
     {{PARTELLIPSE, {FULLELLIPSE}}},
     {PARTOUTLINE, {CORNERS}},
     {}},
    {CIRCLETYPE,
     SIZESHADOW,
     1,
     {{PARTELLIPSE, {FULLELLIPSE}}},
     1,
     {{PARTELLIPSE, {FULLELLIPSE}}},
     {PARTOUTLINE, {CORNERS}},
     {}},
    {PARATYPE,
     SIZEDEFAULT,
     1,
     {{PARTPOLYGON, {PARA}}},
     1,
     {{PARTPOLYGON, {PARA}}},
     {PARTPOLYGON, {PARA}},
     {{1, 25, 0}, {2, 63, 0}, {4, 13, 50}, {5, 87, 50}, {7, 38, 100}, {8, 75, 100}}},
    {TRAPEZIUMTYPE,
     SIZEDEFAULT,
     1,
     {{PARTPOLYGON, {TRAPEZIUM}}},
     1,
     {{PARTPOLYGON, {TRAPEZIUM}}},
     {PARTPOLYGON, {TRAPEZIUM}},
     {{1, 25, 0}, {3, 75, 0}, {4, 13, 50}, {5, 87, 50}}},
    {HEXAGONTYPE,
     SIZEDEFAULT,
     1,
     {{PARTPOLYGON, {HEXAGON}}},
     1,
     {{PARTPOLYGON, {HEXAGON}}},
     {PARTPOLYGON, {HEXAGON}},
     {{1, 25, 0}, {3, 75, 0}, {6, 25, 100}, {8, 75, 100}}},
    {PENTAGONTYPE,
     SIZEDEFAULT,
     1,
     {{PARTPOLYGON, {PENTAGON}}},
     1,
     {{PARTPOLYGON, {PENTAGON}}},
     {PARTPOLYGON, {PENTAGON}},
     {{1, 25, 25}, {3, 75, 25}, {6, 25, 100}, {8, 75, 100}}},
    {RIGHTTRIANGLETYPE,
     SIZEDEFAULT,
     1,
     {{PARTPOLYGON, {RIGHTTRIANGLE}}},
     1,
     {{PARTPOLYGON, {RIGHTTRIANGLE}}},
     {PARTPOLYGON, {OUTERBOX}},
     {{2, NO, NO}, {3, NO, NO}, {5, 50, 50}, {9, 25, 50}}},
    {TRIANGLETYPE,
     SIZEDEFAULT,
     1,
     {{PARTPOLYGON, {TRIANGLE}}},
     1,
     {{PARTPOLYGON, {TRIANGLE}}},
     {PARTPOLYGON, {TRIANGLE}},
     {{1, NO, NO}, {3, NO, NO}, {4, 25, 50}, {5, 75, 50}}},
    {CLOUD1TYPE,
     SIZEDEFAULT,
     5,
     {{PARTBOX, {{25, 25}, {75, 75}}, FILLASLINE},
      {PARTHALFELLIPSE, {{25, 73}, {50, 100}, {75, 73}}},
      {PARTHALFELLIPSE, {{73, 25}, {100, 50}, {73, 75}}},
      {PARTHALFELLIPSE, {{25, 25}, {0, 50}, {25, 75}}},
      {PARTHALFELLIPSE, {{25, 27}, {50, 0}, {75, 27}}}},
     4,
     {{PARTELLIPSE, {{25, 50}, {25, 25}}},
      {PARTELLIPSE, {{75, 50}, {25, 25}}},
      {PARTELLIPSE, {{50, 25}, {25, 25}}},
      {PARTELLIPSE, {{50, 75}, {25, 25}}}},
     {PARTOUTLINE, {CORNERS}},
     {}},
    {CLOUD2TYPE,
     SIZEDEFAULT,
     5,
     {{PARTELLIPSE, {{25, 25}, {25, 25}}},
      {PARTELLIPSE, {{74, 25}, {25, 25}}},
      {PARTELLIPSE, {{25, 74}, {25, 25}}},
      {PARTELLIPSE, {{74, 74}, {25, 25}}},
      {PARTBOX, {{25, 25}, {75, 74}}, FILLASLINE}},
     4,
     {{PARTELLIPSE, {{25, 25}, {25, 25}}},
      {PARTELLIPSE, {{74, 25}, {25, 25}}},
      {PARTELLIPSE, {{25, 74}, {25, 25}}},
      {PARTELLIPSE, {{74, 74}, {25, 25}}}},
     {PARTOUTLINE, {CORNERS}},
     {}},
    {THOUGHTTYPE,
     SIZEDEFAULT,
     3,
     {{PARTELLIPSE, {{39, 30}, {39, 30}}},
      {PARTELLIPSE, {{78, 65}, {12, 10}}},
      {PARTELLIPSE, {{87, 90}, {12, 10}}}},
     3,
     {{PARTELLIPSE, {{39, 30}, {39, 30}}},
      {PARTELLIPSE, {{78, 65}, {12, 10}}},
      {PARTELLIPSE, {{87, 90}, {12, 10}}}},
     {PARTOUTLINE, {CORNERS}},
     {},
     39,
     30},
    {LIGHTTYPE,
     SIZEDEFAULT,
     2,
     {{PARTPOLYGON,
       {{60, 0}, {75, 0}, {40, 40}, {100, 35}, {30, 95}, {15, 90}, {75, 45}, {15, 50}, {60, 0}}},
      {PARTPOLYGON, {{10, 70}, {50, 100}, {10, 100}, {10, 70}}}},
     1,
     {{PARTOUTLINE, {CORNERS}}},
     {PARTOUTLINE, {CORNERS}},
     {{1, 60, 0},
      {3, 75, 0},
      {4, 15, 50},
      {5, 100, 35},
      {6, 10, 100},
      {8, 50, 100},
      {2, NO, NO},
      {7, NO, NO}},
     61,
     30},
    // The first highlight entry is the bar's box (a kind-1 highlight is a box
    // from two corners), so that a selected Exclam never draws from what the
    // slot held before.
    {EXCLAMTYPE,
     SIZETALL,
     2,
     {{PARTOUTLINE, {{0, 0}, {100, 0}, {100, 70}, {0, 70}, {0, 0}}, OWNPENS, 25},
      {PARTELLIPSE, {{50, 87}, {50, 12}}}},
     2,
     {{PARTOUTLINE, {{0, 0}, {100, 70}}}, {PARTELLIPSE, {{50, 87}, {50, 12}}}},
     {PARTOUTLINE, {CORNERS}},
     {{4, 0, 35}, {5, 100, 35}, {6, 0, 87}, {8, 100, 87}}},
    {STARTYPE,
     SIZEDEFAULT,
     2,
     {{PARTPOLYGON, {STAR}},
      {PARTPOLYGON, {{33, 33}, {66, 33}, {75, 50}, {50, 66}, {25, 50}, {33, 33}}}},
     1,
     {{PARTPOLYGON, {STAR}}},
     {PARTOUTLINE, {CORNERS}},
     {{1, 0, 33}, {3, 100, 33}, {4, NO, NO}, {5, NO, NO}, {7, NO, NO}}},
    {ACTORTYPE,
     SIZEACTOR,
     5,
     {{PARTELLIPSE, {{50, 15}, {20, 15}}},
      {PARTLINE, {{50, 30}, {50, 60}}},
      {PARTLINE, {{0, 33}, {100, 33}}},
      {PARTLINE, {{50, 60}, {10, 100}}},
      {PARTLINE, {{50, 60}, {90, 100}}}},
     1,
     {{PARTOUTLINE, {CORNERS}}},
     {PARTOUTLINE, {CORNERS}},
     {{1, 0, 33}, {3, 100, 33}, {6, 10, 100}, {8, 90, 100}, {4, NO, NO}, {5, NO, NO}, {7, NO, NO}}},
    {CLASSTYPE,
     SIZEDEFAULT,
     2,
     {{PARTPOLYGON, {OUTERBOX}}, {PARTPOLYGON, {{0, 20}, {100, 20}, {100, 40}, {0, 40}, {0, 20}}}},
     1,
     {{PARTPOLYGON, {OUTERBOX}}},
     {PARTPOLYGON, {OUTERBOX}},
     {}},
    {PROCESS1TYPE,
     SIZEDEFAULT,
     2,
     {{PARTPOLYGON, {OUTERBOX}}, {PARTPOLYGON, {{15, 0}, {85, 0}, {85, 100}, {15, 100}, {15, 0}}}},
     1,
     {{PARTPOLYGON, {OUTERBOX}}},
     {PARTPOLYGON, {OUTERBOX}},
     {}},
    {PROCESS2TYPE,
     SIZEDEFAULT,
     3,
     {{PARTPOLYGON, {OUTERBOX}},
      {PARTPOLYGON, {{15, 0}, {100, 0}, {100, 100}, {15, 100}, {15, 0}}, NEVERFILLED},
      {PARTPOLYGON, {{0, 0}, {100, 0}, {100, 15}, {0, 15}, {0, 0}}, NEVERFILLED}},
     1,
     {{PARTPOLYGON, {OUTERBOX}}},
     {PARTPOLYGON, {OUTERBOX}},
     {}},
    {STARTSTOPTYPE,
     SIZEHALFSQUARE,
     2,
     {{PARTELLIPSE, {FULLELLIPSE}}, {PARTELLIPSE, {{50, 50}, {10, 10}}}},
     1,
     {{PARTELLIPSE, {FULLELLIPSE}}},
     {PARTOUTLINE, {CORNERS}},
     {{1, 15, 15}, {3, 85, 15}, {6, 15, 86}, {8, 86, 86}}},
    {CIRCLEORTYPE,
     SIZEHALFSQUARE,
     3,
     {{PARTELLIPSE, {FULLELLIPSE}},
      {PARTLINE, {{50, 2}, {50, 98}}},
      {PARTLINE, {{2, 50}, {98, 50}}}},
     1,
     {{PARTELLIPSE, {FULLELLIPSE}}},
     {PARTOUTLINE, {CORNERS}},
     {{1, 15, 15}, {3, 85, 15}, {6, 15, 85}, {8, 85, 85}}},
};

#undef OUTERBOX
#undef CORNERS
#undef DIAMOND
#undef PARA
#undef TRAPEZIUM
#undef HEXAGON
#undef PENTAGON
#undef RIGHTTRIANGLE
#undef TRIANGLE
#undef STAR
#undef FULLELLIPSE

// The row of a built-in shape type, or nullptr.
const ShapeDefaults *shapedefaults(int type) {
    static const auto index = [] {
        std::array<const ShapeDefaults *, LASTSHAPETYPE + 1> t{};
        for (const ShapeDefaults &s : SHAPES) t[s.type] = &s;
        return t;
    }();
    return type >= 0 && type <= LASTSHAPETYPE ? index[type] : nullptr;
}

// Sets kind and points of a part; pens are left as they are.
void setpoints(DrawPart &d, const Part &p) {
    d.kind = p.kind;
    for (int k = 0; k < 10 && p.pts[k].x != NOPOINT; k++) {
        d.px[k] = p.pts[k].x;
        d.py[k] = p.pts[k].y;
    }
    if (p.rounding >= 0) d.px[5] = d.py[5] = p.rounding;
}

// A drawing part with the object's own pens, or the ones the part asks for.
void setpart(IWORecord &r, int i, const Part &p) {
    DrawPart &d = r.draw[i];
    setpoints(d, p);
    d.linecolour = p.pen == FILLASLINE ? r.fillcolour : r.linecolour;
    d.fillcolour = p.pen == NEVERFILLED ? (int16_t)HARDTRANSPARENT : r.fillcolour;
    d.lineweight = r.lineweight;
}

void sethandle(IWORecord &r, int h, int x, int y) {
    r.handlex[h] = (int16_t)x;
    r.handley[h] = (int16_t)y;
}

void standardhandles(IWORecord &r) {
    for (int h = 1; h <= 8; h++) sethandle(r, h, STANDARDHANDLEX[h], STANDARDHANDLEY[h]);
}

void shapesize(int index, IWORecord &r, SizeRule size) {
    switch (size) {
    case SIZESHADOW:
        if (index == SHADOWIWO) return; // the shadow's own size (set in step 1)
        r.width = IWO[SHADOWIWO].width;
        r.height = IWO[SHADOWIWO].height;
        return;
    case SIZEDEFAULT:
        r.width = DefaultIWOWidth;
        r.height = DefaultIWOHeight;
        return;
    case SIZETALL:
        r.width = (int16_t)(DefaultIWOWidth / 3);
        r.height = (int16_t)(2 * DefaultIWOHeight);
        return;
    case SIZEACTOR:
        r.width = (int16_t)(DefaultIWOWidth / 3);
        r.height = (int16_t)(3 * (DefaultIWOWidth / 3));
        return;
    case SIZEHALFSQUARE:
        r.width = r.height = (int16_t)(DefaultIWOWidth / 2);
        return;
    }
}

void applyshape(int index, IWORecord &r, const ShapeDefaults &s) {
    shapesize(index, r, s.size);
    r.drawnum = (uint8_t)s.drawnum;
    for (int i = 0; i < s.drawnum; i++) setpart(r, i, s.draw[i]);
    r.highlightnum = (uint8_t)s.highlightnum;
    for (int i = 0; i < s.highlightnum; i++) setpoints(r.highlight[i], s.highlight[i]);
    setpoints(r.erase, s.erase);
    standardhandles(r);
    for (const HandleAt &a : s.handles)
        if (a.h) sethandle(r, a.h, a.x, a.y);
    r.labelx = s.labelx;
    r.labely = s.labely;
}

const Part BOXOUTLINE = {PARTOUTLINE, {{0, 0}, {100, 100}}};

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
    if (type == LINETYPE) {
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
    const Part body = {(int8_t)(type == LINETYPE ? PARTLINE : PARTCONNECTOR), {{0, 0}, {100, 100}}};
    r.drawnum = 3;
    setpart(r, 0, body);
    setpart(r, 1, {PARTENDNONE, {{0, 0}, {10, 10}}});
    setpart(r, 2, {PARTENDNONE, {{100, 100}, {10, 10}}});
    r.draw[1].fillcolour = r.draw[1].linecolour;
    r.draw[2].fillcolour = r.draw[2].linecolour;
    r.highlightnum = 1;
    setpoints(r.highlight[0], body);
    setpoints(r.erase, body);
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
    const IWORecord &t = userIWO[type - USERTYPEBASE];
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
    r.highlightnum = 1;
    setpoints(r.highlight[0], BOXOUTLINE);
    setpoints(r.erase, BOXOUTLINE);
    standardhandles(r);
}

void textdefaults(IWORecord &r) {
    copytext(r.label, sizeof r.label, "Text");
    r.width = (int16_t)(int)((float)textpixels(r.label) / zoom);
    r.height = (int16_t)(2 * r.font.ta_YSize);
    r.drawnum = 0;
    r.highlightnum = 1;
    setpoints(r.highlight[0], {PARTTEXTHIGHLIGHT, {{10, 100}, {90, 100}}});
    setpoints(r.erase, BOXOUTLINE);
}

// Per-type size, parts, highlight, erase and handles. Types without defaults
// (103, 111, 113, 116, 131 and any other) get nothing more.
void typedefaults(int index, IWORecord &r, int type, int x, int y) {
    if (type == LINETYPE || type == CONNECTORTYPE)
        lineorconnector(r, type, x, y);
    else if (type == TEXTTYPE)
        textdefaults(r);
    else if (type >= FIRSTUSERTYPE && type <= LASTUSERTYPE)
        usertemplate(r, type);
    else if (const ShapeDefaults *s = shapedefaults(type))
        applyshape(index, r, *s);
}

} // namespace

void resetpart(DrawPart &d) {
    d.kind = PARTNONE;
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
        // Start from an all-zero record (empty texts and parts, no flags): a
        // record converted from an old release or cut short in the file must
        // not keep bytes of the diagram before (the tails of texts, the
        // reserved bytes), which a save would write.
        r = IWORecord{};
        r.type = DEADTYPE;
        r.id = r.x = r.y = TRANSPARENT;
        r.labelx = r.labely = 50;
        r.linecolour = linecolour;
        r.lineweight = lineweight;
        r.fillcolour = papercolour;
        r.font = IWODiagram.font;
        r.fontcolour = fontcolour;
        copytext(r.name, sizeof r.name, "Unnamed");
        r.visible = 1;
        r.group = r.reserved1422 = TRANSPARENT;
        r.connectstart = r.connectend = TRANSPARENT;
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
    r.lineweight = (int16_t)((type == LINETYPE || type == CONNECTORTYPE) ? lw / 2 : lw);
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
        if (type == CONNECTORTYPE && r.connectstart != TRANSPARENT) placeattached(r);
        if (type == LINETYPE || type == CONNECTORTYPE) drawIWO(index);
        IWONumber += 1;
    }
    return 1;
}
