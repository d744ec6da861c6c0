// iwo.cpp - object record serialisation, the object table and its operations.
#include "model/iwo.h"

#include "edit/history.h"
#include "model/bytes.h"
#include "model/clones.h"
#include "model/create.h"

#include <cstdio>
#include <cstring>

IWORecord IWO[IWOTABLESIZE];
int16_t IWONumber = 1;
int16_t IWOid = 0;
int16_t selectedIWO = -1;

char typename_[TYPETABLESIZE][11];
char helptext[TYPETABLESIZE][20];

// ---- serialisation ----

void writedrawpart(const DrawPart &d, uint8_t *p) {
    p[0] = (uint8_t)d.kind;
    std::memcpy(p + 1, d.px, 13);
    std::memcpy(p + 14, d.py, 13);
    p[27] = d.pad;
    put2byte(p + 28, d.linecolour);
    put2byte(p + 30, d.fillcolour);
    put2byte(p + 32, d.lineweight);
}

void readdrawpart(DrawPart &d, const uint8_t *p) {
    d.kind = (int8_t)p[0];
    std::memcpy(d.px, p + 1, 13);
    std::memcpy(d.py, p + 14, 13);
    d.pad = p[27];
    d.linecolour = get2byte(p + 28);
    d.fillcolour = get2byte(p + 30);
    d.lineweight = get2byte(p + 32);
}

void writeIWOrecord(const IWORecord &r, uint8_t *p) {
    put2byte(p + 0, r.id);
    put2byte(p + 2, r.type);
    std::memcpy(p + 4, r.name, 26);
    put2byte(p + 30, r.x);
    put2byte(p + 32, r.y);
    put2byte(p + 34, r.width);
    put2byte(p + 36, r.height);
    put2byte(p + 38, r.linecolour);
    put2byte(p + 40, r.lineweight);
    put2byte(p + 42, r.fillcolour);
    put4byte(p + 44, r.font.ta_Name);
    put2byte(p + 48, r.font.ta_YSize);
    p[50] = r.font.ta_Style;
    p[51] = r.font.ta_Flags;
    std::memcpy(p + 52, r.fontname, 256);
    put2byte(p + 308, r.labelx);
    put2byte(p + 310, r.labely);
    put2byte(p + 312, r.labelposition);
    put2byte(p + 314, r.fontcolour);
    std::memcpy(p + 316, r.label, 50);
    put2byte(p + 366, r.labelcolour);
    put2byte(p + 368, r.labelfilled);
    p[370] = r.drawnum;
    p[371] = r.highlightnum;
    for (int i = 0; i < MAXDRAWNUM; i++) writedrawpart(r.draw[i], p + 372 + i * DRAWPARTSIZE);
    for (int i = 0; i < MAXHIGHLIGHTNUM; i++)
        writedrawpart(r.highlight[i], p + 1052 + i * DRAWPARTSIZE);
    writedrawpart(r.erase, p + 1222);
    std::memcpy(p + 1256, r.reserved1256, 96);
    const int16_t conn[10] = {
        r.connectstart, r.connectstartx, r.connectstarty, r.connectstartspare, r.connectstartclamp,
        r.connectend,   r.connectendx,   r.connectendy,   r.connectendspare,   r.connectendclamp};
    for (int i = 0; i < 10; i++) put2byte(p + 1352 + 2 * i, conn[i]);
    for (int i = 0; i < 12; i++) put2byte(p + 1372 + 2 * i, r.handlex[i]);
    for (int i = 0; i < 12; i++) put2byte(p + 1396 + 2 * i, r.handley[i]);
    put2byte(p + 1420, r.group);
    put2byte(p + 1422, r.reserved1422);
    put2byte(p + 1424, r.locked);
    put2byte(p + 1426, r.selected);
    put2byte(p + 1428, r.nodefold);
    put2byte(p + 1430, r.fold);
    put2byte(p + 1432, r.visible);
    put2byte(p + 1434, r.reserved1434);
    for (int i = 0; i < 3; i++) put2byte(p + 1436 + 2 * i, r.reserved1436[i]);
}

void readIWOrecord(IWORecord &r, const uint8_t *p) {
    r.id = get2byte(p + 0);
    r.type = get2byte(p + 2);
    std::memcpy(r.name, p + 4, 26);
    r.x = get2byte(p + 30);
    r.y = get2byte(p + 32);
    r.width = get2byte(p + 34);
    r.height = get2byte(p + 36);
    r.linecolour = get2byte(p + 38);
    r.lineweight = get2byte(p + 40);
    r.fillcolour = get2byte(p + 42);
    r.font.ta_Name = get4byte(p + 44);
    r.font.ta_YSize = getu2byte(p + 48);
    r.font.ta_Style = p[50];
    r.font.ta_Flags = p[51];
    std::memcpy(r.fontname, p + 52, 256);
    r.labelx = get2byte(p + 308);
    r.labely = get2byte(p + 310);
    r.labelposition = get2byte(p + 312);
    r.fontcolour = get2byte(p + 314);
    std::memcpy(r.label, p + 316, 50);
    r.labelcolour = get2byte(p + 366);
    r.labelfilled = get2byte(p + 368);
    r.drawnum = p[370];
    r.highlightnum = p[371];
    for (int i = 0; i < MAXDRAWNUM; i++) readdrawpart(r.draw[i], p + 372 + i * DRAWPARTSIZE);
    for (int i = 0; i < MAXHIGHLIGHTNUM; i++)
        readdrawpart(r.highlight[i], p + 1052 + i * DRAWPARTSIZE);
    readdrawpart(r.erase, p + 1222);
    std::memcpy(r.reserved1256, p + 1256, 96);
    int16_t *conn[10] = {&r.connectstart,      &r.connectstartx,     &r.connectstarty,
                         &r.connectstartspare, &r.connectstartclamp, &r.connectend,
                         &r.connectendx,       &r.connectendy,       &r.connectendspare,
                         &r.connectendclamp};
    for (int i = 0; i < 10; i++) *conn[i] = get2byte(p + 1352 + 2 * i);
    for (int i = 0; i < 12; i++) r.handlex[i] = get2byte(p + 1372 + 2 * i);
    for (int i = 0; i < 12; i++) r.handley[i] = get2byte(p + 1396 + 2 * i);
    r.group = get2byte(p + 1420);
    r.reserved1422 = get2byte(p + 1422);
    r.locked = get2byte(p + 1424);
    r.selected = get2byte(p + 1426);
    r.nodefold = get2byte(p + 1428);
    r.fold = get2byte(p + 1430);
    r.visible = get2byte(p + 1432);
    r.reserved1434 = get2byte(p + 1434);
    for (int i = 0; i < 3; i++) r.reserved1436[i] = get2byte(p + 1436 + 2 * i);
}

// ---- table operations ----

int deleteIWO(int n) {
    IWORecord &r = IWO[n];
    r.id = TRANSPARENT;
    r.type = DEADTYPE;
    r.x = r.y = TRANSPARENT;
    r.group = TRANSPARENT;
    r.reserved1422 = TRANSPARENT;
    r.label[0] = 0;
    return 1;
}

int swapIWO(int a, int b) {
    IWORecord t = IWO[a];
    IWO[a] = IWO[b];
    IWO[b] = t;
    return 1;
}

int bufferIWO(int from, int to) {
    IWO[to] = IWO[from];
    return 1;
}

int duplicateIWO(int n) {
    // Like creation, a copy needs room in the table and a free id.
    if (IWONumber <= MAXIWO && IWOidavailable()) {
        savehistorypre(n);
        IWO[IWONumber] = IWO[n];
        IWOid += 1;
        IWO[IWONumber].id = IWOid;
        IWO[IWONumber].x += 50;
        IWO[IWONumber].y += 50;
        savehistorypost(IWONumber, 1);
        if (clones >= 0 && clones < CLONETABLESIZE) {
            clone_[clones].sourceindex = (int16_t)n;
            clone_[clones].sourceid = IWO[n].id;
            clone_[clones].copyindex = IWONumber;
            clone_[clones].copyid = IWO[IWONumber].id;
        }
        IWONumber += 1;
    }
    selectedIWO = IWONumber - 1;
    return 1;
}

int downjigIWO(int n) {
    for (int i = n; i < IWONumber; i++) IWO[i] = IWO[i + 1];
    IWO[IWONumber].type = DEADTYPE;
    IWO[IWONumber].label[0] = 0;
    IWO[0].type = DEADTYPE;
    IWO[0].label[0] = 0;
    IWONumber -= 1;
    return 1;
}

int upjigIWO(int n) {
    for (int i = n; i > 0; i--) IWO[i] = IWO[i - 1];
    IWO[0].type = DEADTYPE;
    return 1;
}

int upjigIWO2(int from, int to) {
    for (int i = from; i > to; i--) IWO[i] = IWO[i - 1];
    IWO[0].type = DEADTYPE;
    return 1;
}

int downjigIWO2(int from, int to) {
    for (int i = from; i < to; i++) IWO[i] = IWO[i + 1];
    IWO[0].type = DEADTYPE;
    IWO[0].label[0] = 0;
    return 1;
}

// The stored pointer is meaningless here: fonts are always looked up through
// the record's own fontname, so there is nothing to re-point. The stored bytes
// are left alone so that records are written back exactly as they were read.
int resolvefont(int) { return 1; }

int findIWObyid(int id) {
    for (int i = 1; i < IWONumber && i < IWOTABLESIZE; i++)
        if (IWO[i].id == id) return i;
    return TRANSPARENT;
}

// ---- the type catalogue ----

namespace {
void settype(int t, const char *name) { copytext(typename_[t], sizeof typename_[t], name); }
void sethelp(int t, const char *text) { copytext(helptext[t], sizeof helptext[t], text); }
} // namespace

int setIWOtypenames() {
    static const struct {
        int type;
        const char *name;
    } names[] = {
        {DEADTYPE, "Dead"},           {RECTANGLETYPE, "Rectangle"}, {SOFTRECTTYPE, "SoftRect"},
        {SPOLYTYPE, "SPoly"},         {DIAMONDTYPE, "Diamond"},     {ELLIPSETYPE, "Ellipse"},
        {CIRCLETYPE, "Circle"},       {LINETYPE, "Line"},           {CONNECTORTYPE, "Connector"},
        {TEXTTYPE, "Text"},           {PARATYPE, "Para"},           {PARALEFTTYPE, "Para"},
        {TRAPEZIUMTYPE, "Trapezium"}, {SQUARETYPE, "Square"},       {HEXAGONTYPE, "Hexagon"},
        {PENTAGONTYPE, "Pentagon"},   {TARGETTYPE, "Target"},       {RIGHTTRIANGLETYPE, "Triangle"},
        {TRIANGLETYPE, "Triangle"},   {CLOUD1TYPE, "Cloud1"},       {CLOUD2TYPE, "Cloud2"},
        {THOUGHTTYPE, "Thought1"},    {LIGHTTYPE, "Light"},         {EXCLAMTYPE, "Exclam"},
        {STARTYPE, "Star"},           {ACTORTYPE, "Actor"},         {CLASSTYPE, "Class"},
        {PROCESS1TYPE, "Process 1"},  {PROCESS2TYPE, "Process 2"},  {STARTSTOPTYPE, "Start-Stop"},
        {CIRCLEORTYPE, "Circle Or"},
    };
    for (const auto &n : names) settype(n.type, n.name);
    char buf[16];
    for (int u = 1; u <= 16; u++) {
        std::snprintf(buf, sizeof buf, "User %d", u);
        settype(USERTYPEBASE + u, buf);
    }
    return 1;
}

int setIWOhelptext() {
    static const struct {
        int type;
        const char *text;
    } texts[] = {
        {RECTANGLETYPE, "Rectangle"}, {SOFTRECTTYPE, "SoftRectangle"},
        {SPOLYTYPE, "Poly"},          {DIAMONDTYPE, "Diamond"},
        {ELLIPSETYPE, "Ellipse"},     {CIRCLETYPE, "Circle"},
        {LINETYPE, "Line"},           {CONNECTORTYPE, "Connector"},
        {TEXTTYPE, "Text"},           {CLOUD1TYPE, "Cloud1"},
        {CLOUD2TYPE, "Cloud2"},       {THOUGHTTYPE, "Thought1"},
        {LIGHTTYPE, "Lightening"},    {EXCLAMTYPE, "Exclamation"},
        {STARTYPE, "Star"},           {ACTORTYPE, "Actor"},
        {CLASSTYPE, "Class"},         {PROCESS1TYPE, "Process 1"},
        {PROCESS2TYPE, "Process 2"},  {141, "User  0"},
    };
    for (const auto &t : texts) sethelp(t.type, t.text);
    char buf[16];
    for (int u = 1; u <= 9; u++) {
        std::snprintf(buf, sizeof buf, "User %d", u);
        sethelp(USERTYPEBASE + u, buf);
    }
    return 1;
}
