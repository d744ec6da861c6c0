// userobjects.cpp - the user objects: templates, tool buttons and banks.
#include "store/userobjects.h"

#include "store/diagramfile.h"

#include "ui/ui.h"
#include "edit/interact.h"
#include "edit/selection.h"
#include "export/usericon.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "platform/files.h"
#include "model/settings.h"
#include "platform/platform.h"
#include "render/drawstate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

const char *NOSPACE = "Sorry. There are no User IWO spaces left.\nPlease create a space.";
const char *NOSELECTION = "No objects selected from which to create a UserIWO.";
const char *NOTHINGTOSAVE = "Sorry. There are no User IWOs to save!";
const char *NOTVALID = "Sorry. Not a valid Ideaweave UserIWOBank.";
const char *TOONEW = "Sorry. Can't open file. Upgrade to a newer version of Ideaweave now!";
constexpr int LASTPARTKIND = 42; // the highest kind of drawing part there is

void setmessage(std::string *m, const std::string &text) {
    if (m) *m = text;
}

// The selection box and the part points are worked out in 32 bits; what goes
// into a record is saturated to the field's range instead of wrapping.
int16_t to16(long v) { return (int16_t)std::clamp(v, -32768L, 32767L); }
int8_t to8(long v) { return (int8_t)std::clamp(v, -128L, 127L); }

// Where a point at p percent of an object's span [from, from + size) lies in
// percent of the box span [b, b + bsize); 0 for a box without extent.
int8_t percent(long from, long size, int p, long b, long bsize) {
    if (bsize == 0) return 0;
    return to8((from + size * p / 100 - b) * 100 / bsize);
}

// A tool button without picture (a free slot's tool is not offered).
void clearbutton(int tool) { platformui().setgadgetimage(tool, ""); }

void selecttool() {
    selectedtool = (int16_t)choosetool(SELECTTOOL, selectedtool);
    deleteIWO(SHADOWIWO);
}

// The bounding box of the selected objects: the first one starts it one
// unit larger on every side's start values; a Line's end may lie before its start.
struct Box {
    long x = 0, y = 0, w = 0, h = 0;
};

bool selectionbox(Box &b) {
    bool any = false;
    for (int i = 1; i < IWONumber; i++) {
        const IWORecord &o = IWO[i];
        if (o.selected == 0) continue;
        const long x = o.x, y = o.y, w = o.width, h = o.height;
        if (!any) b = {x + 1, y + 1, w + 1, h + 1};
        any = true;
        if (b.x > x) {
            b.w += b.x - x;
            b.x = x;
        }
        if (b.y > y) {
            b.h += b.y - y;
            b.y = y;
        }
        if (x + w > b.x + b.w) b.w = x + w - b.x;
        if (y + h > b.y + b.h) b.h = y + h - b.y;
        if (o.type == LINETYPE) {
            if (x + w < b.x) {
                b.w += b.x - x;
                b.x = x + w;
            }
            if (y + h < b.y) {
                b.h += b.y - y;
                b.y = y + h;
            }
            if (x > b.x + b.w) b.w = x - b.x;
            if (y > b.y + b.h) b.h = y - b.y;
        }
    }
    return any;
}

// Template part from part p of object o, its points moved into box b.
void gatherpart(DrawPart &d, const DrawPart &p, const IWORecord &o, const Box &b) {
    d = DrawPart{};
    d.kind = p.kind;
    d.linecolour = p.linecolour;
    d.fillcolour = p.fillcolour;
    d.lineweight = p.lineweight;
    auto point = [&](int i) {
        d.px[i] = percent(o.x, o.width, p.px[i], b.x, b.w);
        d.py[i] = percent(o.y, o.height, p.py[i], b.y, b.h);
    };
    point(0);
    // A line end's mark keeps its size: that is in diagram units, not a point
    // of the box, and the placed object's size doesn't change it.
    if (lineendmark(p.kind)) {
        d.px[1] = p.px[1];
        d.py[1] = p.py[1];
        return;
    }
    switch (p.kind) {
    case 1: // rectangle: its corners; the rounding stays
        for (int i = 1; i <= 4; i++) point(i);
        d.px[5] = p.px[5];
        d.py[5] = p.py[5];
        break;
    case 6: // ellipse: the radii scale with the box
        d.px[1] = b.w == 0 ? 0 : to8((long)o.width * p.px[1] / 100 * 100 / b.w);
        d.py[1] = b.h == 0 ? 0 : to8((long)o.height * p.py[1] / 100 * 100 / b.h);
        break;
    case 7: // polygon
        for (int i = 1; i < 13; i++) point(i);
        break;
    case 42: // half ellipse
        point(1);
        point(2);
        break;
    default:
        point(1);
        break;
    }
}

bool lineend(int kind) { return kind == 17 || kind == 34 || kind == 35; }

} // namespace

int createUserIWO() {
    int k = 1;
    while (k <= MAXUSERIWO && userIWO[k].type != DEADTYPE) k++;
    if (k > MAXUSERIWO) {
        ErrorReq(NOSPACE);
        return 0;
    }
    Box b;
    if (!selectionbox(b)) {
        ErrorReq(NOSELECTION);
        return 0;
    }
    int focus = selectedIWO;
    if (!liveIWO(focus) || IWO[focus].selected == 0)
        for (focus = 1; focus < IWONumber && IWO[focus].selected == 0; focus++) {}
    IWORecord &t = userIWO[k];
    const IWORecord &f = IWO[focus];
    t.type = (int16_t)(131 + k);
    t.x = to16(b.x);
    t.y = to16(b.y);
    t.width = to16(b.w);
    t.height = to16(b.h);
    t.linecolour = f.linecolour;
    t.fillcolour = f.fillcolour;
    t.lineweight = f.lineweight;
    t.labelcolour = f.labelcolour;
    t.labelfilled = f.labelfilled;
    int n = 0;
    for (int i = 1; i < IWONumber && n < MAXDRAWNUM; i++) {
        const IWORecord &o = IWO[i];
        if (o.selected == 0) continue;
        for (int d = 0; d < o.drawnum && d < MAXDRAWNUM && n < MAXDRAWNUM; d++) {
            if (lineend(o.draw[d].kind)) continue;
            gatherpart(t.draw[n], o.draw[d], o, b);
            n++;
        }
    }
    for (int d = n; d < MAXDRAWNUM; d++) t.draw[d] = DrawPart{};
    t.drawnum = (uint8_t)n;
    selectall(0);
    createUserIWOicon(k);
    return 1;
}

int clearUserIWOsingle(int tool) {
    // Only the tools with a slot of their own.
    if (tool < 132 || tool > 131 + MAXUSERIWO) return 0;
    selecttool();
    clearbutton(tool);
    userIWO[tool - 131].type = DEADTYPE;
    return 1;
}

int clearUserIWOs() { return resetUserIWOs(); }

int resetUserIWOs() {
    selecttool();
    for (int t = 132; t <= 131 + MAXUSERIWO; t++) clearbutton(t);
    for (int k = 0; k <= MAXUSERIWO + 1; k++) {
        IWORecord &r = userIWO[k];
        r.type = DEADTYPE;
        r.id = r.x = r.y = TRANSPARENT;
        r.labelx = r.labely = 50;
        r.labelposition = 0;
        r.linecolour = r.lineweight = r.fillcolour = 0;
        r.font = IWODiagram.font;
        r.fontcolour = fontcolour;
        char name[26];
        std::snprintf(name, sizeof name, "UserIWO%d", k);
        copytext(r.name, sizeof r.name, name);
        r.label[0] = 0;
        r.labelcolour = r.labelfilled = 0;
        r.drawnum = 0;
        r.visible = 1;
        r.nodefold = r.fold = r.locked = r.selected = 0;
        r.reserved1422 = r.group = TRANSPARENT;
        r.connectstart = r.connectend = TRANSPARENT;
        for (int i = 0; i < 10; i++) resetpart(r.draw[i]);
        for (DrawPart &h : r.highlight) resetpart(h);
        resetpart(r.erase);
        copytext(r.fontname, sizeof r.fontname, IWeaveFontName);
    }
    return 1;
}

// ---- banks ----

std::string userIWObankdirectory() {
    std::string dir = userdatadirectory() + "UserIWOBanks";
    ::mkdir(dir.c_str(), 0700);
    return dir + "/";
}

std::vector<uint8_t> userIWObankbytes() {
    std::vector<uint8_t> data(USERIWOBANKSIZE);
    std::memcpy(data.data(), IWODiagram.version, 255);
    put2byte(data.data() + 255, IWODiagram.release);
    for (int k = 0; k < USERIWOBANKSLOTS; k++)
        writeIWOrecord(userIWO[k], data.data() + 257 + (size_t)k * IWORECORDSIZE);
    return data;
}

int readUserIWObankbytes(const uint8_t *data, size_t size, std::string *message) {
    if (size < 257) {
        setmessage(message, NOTVALID);
        return 0;
    }
    const int release = get2byte(data + 255);
    if (release > IWRelease) {
        setmessage(message, TOONEW);
        return 0;
    }
    if (release <= 0 || size != USERIWOBANKSIZE) {
        setmessage(message, NOTVALID);
        return 0;
    }
    IWORecord slots[USERIWOBANKSLOTS];
    for (int k = 0; k < USERIWOBANKSLOTS; k++) {
        IWORecord &r = slots[k];
        readIWOrecord(r, data + 257 + (size_t)k * IWORECORDSIZE);
        bool ok = (r.type == DEADTYPE || r.type == 131 + k) && r.drawnum <= MAXDRAWNUM;
        for (int d = 0; ok && d < r.drawnum; d++)
            ok = r.draw[d].kind >= 0 && r.draw[d].kind <= LASTPARTKIND;
        if (!ok) {
            setmessage(message, NOTVALID);
            return 0;
        }
    }
    resetUserIWOs();
    for (int k = 0; k < USERIWOBANKSLOTS; k++) userIWO[k] = slots[k];
    return 1;
}

int saveUserIWOBank() {
    bool any = false;
    for (int k = 1; k <= MAXUSERIWO; k++) any = any || userIWO[k].type != DEADTYPE;
    if (!any) {
        ErrorReq(NOTHINGTOSAVE);
        return 0;
    }
    FileRequestSpec req;
    req.title = "Save User IWO Bank As...";
    req.drawer = userIWObankdirectory();
    const std::string diagram =
        FilePart(std::string(IWODiagram.filename, textlen(IWODiagram.filename, MAXFILENAMESIZE)));
    if (diagram.find(".iwo") != std::string::npos && diagram.size() >= 4)
        req.file = diagram.substr(0, diagram.size() - 4);
    req.pattern = "#?.uiwo";
    req.save = true;
    std::string drawer, file;
    if (!platformui().filerequest(req, drawer, file)) return 0;
    std::string path = AddPart(drawer, file);
    if (path.find(".uiwo") == std::string::npos) path += ".uiwo";
    if (path.size() >= (size_t)MAXFILENAMESIZE) {
        ErrorReq("Sorry. The file name is too long.");
        return 0;
    }
    if (fileexists(path)) {
        std::string q = "Are you sure you want to overwrite file : " + path;
        if (ConfirmReq(q.c_str()) != 1) return 0;
    }
    copytext(IWODiagram.version, sizeof IWODiagram.version, IWVersionString);
    IWODiagram.release = IWRelease;
    std::string error;
    if (!writefileatomic(path, userIWObankbytes(), &error)) {
        ErrorReq(("Sorry. Could not save file : " + path).c_str());
        return 0;
    }
    return 1;
}

int loadUserIWOBank() {
    FileRequestSpec req;
    req.title = "Load User IWO Bank";
    req.drawer = userIWObankdirectory();
    req.pattern = "#?.uiwo";
    std::string drawer, file;
    int ok = 0;
    if (platformui().filerequest(req, drawer, file)) {
        const std::string path = AddPart(drawer, file);
        std::vector<uint8_t> data;
        std::string message;
        // One byte more than a bank: a longer file is no bank either.
        if (!readwholefile(path, data, nullptr, USERIWOBANKSIZE + 1)) {
            ErrorReq(("Sorry. Could not open file : " + path).c_str());
        } else if (!readUserIWObankbytes(data.data(), data.size(), &message)) {
            ErrorReq(message.c_str());
        } else {
            ok = 1;
            for (int k = 1; k <= MAXUSERIWO; k++)
                if (userIWO[k].type != DEADTYPE) createUserIWOicon(k);
        }
    }
    selecttool();
    return ok;
}
