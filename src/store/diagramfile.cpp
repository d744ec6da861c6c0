// diagramfile.cpp - saving and loading ".iwo" files, with the old-record migration.
#include "store/diagramfile.h"

#include "edit/history.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "render/drawstate.h"
#include "store/prefs.h"
#include "ui/ui.h"

#include <cstring>
#include <vector>

char IWVersionString[255] = "Ideaweave Version 0.9 Release 7a";
uint8_t pre96IWO[2][OLDIWORECORDSIZE];

namespace {

const char *NOTVALID = "Sorry. Not a valid Ideaweave file.";
const char *TOONEW = "Sorry. Can't open file. Upgrade to a newer version of Ideaweave now!";

void setmessage(std::string *m, const std::string &text) {
    if (m) *m = text;
}

// Part kinds of the old records that the conversion turns into polygons.
constexpr int OLDBOX = 1;       // a box given by two corners
constexpr int OLDDIAMOND = 7;   // the diamond
constexpr int OLDHEXAGON = 39;  // the hexagon
constexpr int OLDPENTAGON = 40; // the pentagon

// Refuses a path that does not fit the filename field: a shortened path
// would name a different file.
bool pathfits(const std::string &path) {
    if (path.size() < (size_t)MAXFILENAMESIZE) return true;
    ErrorReq("Sorry. The file name is too long.");
    return false;
}

} // namespace

// ---- writing ----

std::vector<uint8_t> writeIWOdiagrambytes() {
    IWODiagram.objects = IWONumber;
    copytext(IWODiagram.version, sizeof IWODiagram.version, IWVersionString);
    IWODiagram.release = IWRelease;

    int n = IWONumber < IWOTABLESIZE ? IWONumber : IWOTABLESIZE;
    std::vector<uint8_t> data((size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE +
                              (size_t)n * IWORECORDSIZE);
    uint8_t *p = data.data();
    std::memcpy(p, IWODiagram.version, 255);
    put2byte(p + 255, IWODiagram.release);
    writeIWOdiagramrecord(IWODiagram, p + FILEHEADERSIZE);
    p += FILEHEADERSIZE + DIAGRAMRECORDSIZE;
    for (int i = 0; i < n; i++, p += IWORECORDSIZE) writeIWOrecord(IWO[i], p);
    return data;
}

int writeIWOdiagramfile(const std::string &path, std::string *message) {
    std::string error;
    if (!writefileatomic(path, writeIWOdiagrambytes(), &error)) {
        setmessage(message, "Sorry. Could not save file : " + path);
        return 0;
    }
    return 1;
}

int saveIWOdiagramas(const std::string &path) {
    if (!pathfits(path)) return 0;
    // The record written holds the name it is saved under; a failed save
    // keeps the previous name.
    char previous[MAXFILENAMESIZE];
    std::memcpy(previous, IWODiagram.filename, sizeof previous);
    copytext(IWODiagram.filename, sizeof IWODiagram.filename, path.c_str());
    std::string message;
    if (!writeIWOdiagramfile(path, &message)) {
        std::memcpy(IWODiagram.filename, previous, sizeof previous);
        ErrorReq(message.c_str());
        return 0;
    }
    return 1;
}

// ---- the old-record conversions ----

int fixIWOr92(int) {
    uint8_t *o = pre96IWO[1];
    for (int k = 0; k < 5; k++) {
        uint8_t *part = o + 396 + k * 14;
        std::memcpy(part + 10, o + 62, 2);
        std::memcpy(part + 12, o + 66, 2);
    }
    if (get2byte(o + 2) == DIAMONDTYPE) {
        static const uint8_t dx[4] = {0, 50, 100, 50}, dy[4] = {50, 0, 50, 100};
        o[394] = 1;
        uint8_t *part = o + 396;
        part[0] = PARTPOLYGON;
        std::memcpy(part + 1, dx, 4);
        std::memcpy(part + 5, dy, 4);
        std::memcpy(part + 10, o + 62, 2);
        o[395] = 1;
        uint8_t *hl = o + 466;
        hl[0] = PARTPOLYGON;
        std::memcpy(hl + 1, dx, 4);
        std::memcpy(hl + 5, dy, 4);
        uint8_t *er = o + 536;
        er[0] = PARTOUTLINE;
        er[1] = 0;
        er[2] = 100;
        er[5] = 0;
        er[6] = 100;
        for (int h = 1; h <= 8; h++) {
            put2byte(o + 626 + 2 * h, STANDARDHANDLEX[h]);
            put2byte(o + 650 + 2 * h, STANDARDHANDLEY[h]);
        }
    }
    return 1;
}

int fixpre96IWO(int i) {
    const uint8_t *o = pre96IWO[1];
    IWORecord &r = IWO[i];
    r.id = get2byte(o + 0);
    r.type = get2byte(o + 2);
    copyfield(r.name, sizeof r.name, (const char *)o + 29, 25);
    r.x = get2byte(o + 54);
    r.y = get2byte(o + 56);
    r.width = get2byte(o + 58);
    r.height = get2byte(o + 60);
    r.linecolour = get2byte(o + 62);
    r.lineweight = get2byte(o + 64);
    r.fillcolour = get2byte(o + 66);
    r.font.ta_Name = get4byte(o + 68);
    r.font.ta_YSize = getu2byte(o + 72);
    r.font.ta_Style = o[74];
    r.font.ta_Flags = o[75];
    copyfield(r.fontname, sizeof r.fontname, (const char *)o + 76, 256);
    r.labelx = get2byte(o + 332);
    r.labely = get2byte(o + 334);
    r.labelposition = get2byte(o + 336);
    r.fontcolour = get2byte(o + 338);
    copyfield(r.label, sizeof r.label, (const char *)o + 340, 50);
    r.labelcolour = get2byte(o + 390);
    r.labelfilled = get2byte(o + 392);
    r.drawnum = o[394];
    r.connectstartx = (int8_t)o[612];
    r.connectstarty = (int8_t)o[613];
    r.connectstartspare = get2byte(o + 614);
    r.connectstartclamp = get2byte(o + 616);
    r.connectendx = (int8_t)o[620];
    r.connectendy = (int8_t)o[621];
    r.connectendspare = get2byte(o + 622);
    r.connectendclamp = get2byte(o + 624);
    for (int h = 0; h < 12; h++) {
        r.handlex[h] = get2byte(o + 626 + 2 * h);
        r.handley[h] = get2byte(o + 650 + 2 * h);
    }
    r.group = get2byte(o + 674);
    r.reserved1422 = get2byte(o + 676);
    r.locked = get2byte(o + 678);
    r.selected = get2byte(o + 680);
    r.nodefold = get2byte(o + 682);
    r.fold = get2byte(o + 684);
    r.visible = get2byte(o + 686);

    auto setxy = [](DrawPart &d, std::initializer_list<int> xs, std::initializer_list<int> ys) {
        int k = 0;
        for (int v : xs) d.px[k++] = (int8_t)v;
        k = 0;
        for (int v : ys) d.py[k++] = (int8_t)v;
    };
    for (int k = 0; k < 5; k++) {
        const uint8_t *part = o + 396 + k * 14;
        DrawPart &d = r.draw[k];
        d.kind = (int8_t)part[0];
        d.linecolour = get2byte(part + 10);
        d.fillcolour = get2byte(part + 12);
        d.lineweight = r.lineweight;
        switch (part[0]) {
        case OLDDIAMOND:
            d.kind = PARTPOLYGON;
            setxy(d, {0, 50, 100, 50, 0}, {50, 0, 50, 100, 50});
            break;
        case OLDHEXAGON:
            d.kind = PARTPOLYGON;
            setxy(d, {0, 25, 75, 100, 75, 25, 0}, {50, 0, 0, 50, 100, 100, 50});
            break;
        case OLDPENTAGON:
            d.kind = PARTPOLYGON;
            setxy(d, {0, 50, 100, 75, 25, 0}, {50, 0, 50, 100, 100, 50});
            break;
        case OLDBOX: {
            int a = part[1], b = part[2], c = part[5], dd = part[6];
            setxy(d, {a, b, b, a, a}, {c, c, dd, dd, c});
            break;
        }
        default:
            for (int j = 0; j < 5; j++) {
                d.px[j] = (int8_t)part[1 + j];
                d.py[j] = (int8_t)part[5 + j];
            }
            break;
        }
    }
    r.highlightnum = 1;
    DrawPart &h = r.highlight[0];
    h.kind = PARTPOLYGON;
    setxy(h, {0, 100, 100, 0, 0}, {0, 0, 100, 100, 0});
    r.erase.kind = PARTPOLYGON;
    setxy(r.erase, {0, 100, 100, 0, 0}, {0, 0, 100, 100, 0});
    r.erase.linecolour = get2byte(o + 546);
    r.erase.fillcolour = get2byte(o + 548);
    r.erase.lineweight = get2byte(o + 64);
    return 1;
}

// ---- reading ----

// Loads a whole file image. Everything that can make the load fail is checked
// before the open diagram is touched, so a refused file leaves it as it was.
int readIWOdiagrambytes(const uint8_t *data, size_t size, std::string *message) {
    if (size < (size_t)FILEHEADERSIZE) {
        setmessage(message, NOTVALID);
        return 0;
    }
    int release = get2byte(data + 255);
    if (release <= 0) {
        setmessage(message, NOTVALID);
        return 0;
    }
    if (release > IWRelease) {
        setmessage(message, TOONEW);
        return 0;
    }
    if (size < (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE) {
        setmessage(message, NOTVALID);
        return 0;
    }

    readIWOdiagramrecord(IWODiagram, data + FILEHEADERSIZE);
    // Every slot starts clean, so nothing of the previous diagram survives in
    // the slots above the loaded records or in fields the migration leaves alone.
    resetIWO(MAXIWO);
    deleteIWO(SHADOWIWO);
    resethistory();
    groupnum = 0;

    const size_t recsize = release > 95 ? IWORECORDSIZE : OLDIWORECORDSIZE;
    size_t pos = (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE;
    int count = 0;
    int16_t highestid = 0;
    // Records 0..MAXIWO fit the table with the end marker after them.
    while (pos < size && count <= MAXIWO) {
        size_t take = size - pos < recsize ? size - pos : recsize;
        IWORecord &r = IWO[count];
        if (recsize == IWORECORDSIZE) {
            // A short last record overlays only the bytes it has.
            uint8_t image[IWORECORDSIZE];
            writeIWOrecord(r, image);
            std::memcpy(image, data + pos, take);
            readIWOrecord(r, image);
        } else {
            // A short last record is padded with zeros, not with the bytes of
            // the record (or file) converted before it.
            std::memset(pre96IWO[1], 0, sizeof pre96IWO[1]);
            std::memcpy(pre96IWO[1], data + pos, take);
            if (release <= 92) fixIWOr92(count);
            fixpre96IWO(count);
        }
        if (r.group > groupnum) groupnum = r.group;
        r.selected = 0;
        if (count >= 1 && r.id > highestid) highestid = r.id;
        pos += take;
        count++;
    }
    IWONumber = (int16_t)(count < 1 ? 1 : count);
    IWO[IWONumber].type = DEADTYPE;
    // New objects never share an id with loaded ones.
    if (highestid > IWOid) IWOid = highestid;

    selectedIWO = -99;
    numIWOselected = 0;
    IWOselected = 0;
    resolvediagramfont();
    return 1;
}

int readIWOdiagramfile(const std::string &path, std::string *message) {
    if (path.size() >= (size_t)MAXFILENAMESIZE) {
        setmessage(message, "Sorry. The file name is too long.");
        return 0;
    }
    std::vector<uint8_t> data;
    if (!readwholefile(path, data, nullptr, MAXIWOFILESIZE)) {
        setmessage(message, "Sorry. Could not open file : " + path);
        return 0;
    }
    if (!readIWOdiagrambytes(data.data(), data.size(), message)) return 0;
    copytext(IWODiagram.filename, sizeof IWODiagram.filename, path.c_str());
    return 1;
}

// ---- objects on their own (the clipboard) ----

std::string writeIWOobjectbytes(const std::vector<int> &indices) {
    // A diagram file of the current release: the open diagram's record, an
    // empty scratch record and the objects in the order given.
    DiagramRecord d = IWODiagram;
    d.objects = (int16_t)(indices.size() + 1);
    copytext(d.version, sizeof d.version, IWVersionString);
    d.release = IWRelease;
    std::memset(d.filename, 0, sizeof d.filename); // where it was saved is nobody's business
    std::string out(
        (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE + (indices.size() + 1) * IWORECORDSIZE, '\0');
    uint8_t *p = (uint8_t *)out.data();
    std::memcpy(p, d.version, 255);
    put2byte(p + 255, d.release);
    writeIWOdiagramrecord(d, p + FILEHEADERSIZE);
    p += FILEHEADERSIZE + DIAGRAMRECORDSIZE;
    IWORecord scratch;
    scratch.id = TRANSPARENT;
    scratch.type = DEADTYPE;
    writeIWOrecord(scratch, p);
    p += IWORECORDSIZE;
    for (int i : indices) {
        IWORecord r = IWO[i];
        r.selected = 0;
        writeIWOrecord(r, p);
        p += IWORECORDSIZE;
    }
    return out;
}

int readIWOobjectbytes(const uint8_t *data, size_t size, std::vector<IWORecord> &records,
                       std::string *message) {
    records.clear();
    if (size < (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE) {
        setmessage(message, NOTVALID);
        return 0;
    }
    const int release = get2byte(data + 255);
    if (release <= 0 || release > IWRelease) {
        setmessage(message, release <= 0 ? NOTVALID : TOONEW);
        return 0;
    }
    const size_t recsize = release > 95 ? IWORECORDSIZE : OLDIWORECORDSIZE;
    // Old records are converted in the shadow slot, which is put back after.
    const IWORecord shadow = IWO[SHADOWIWO];
    size_t pos = (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE;
    // Record 0 is the scratch record; a record cut short is not an object.
    for (int count = 0; pos + recsize <= size && count <= MAXIWO; count++, pos += recsize) {
        if (count == 0) continue;
        IWORecord r;
        if (recsize == IWORECORDSIZE) {
            readIWOrecord(r, data + pos);
        } else {
            resetsingleIWO(SHADOWIWO);
            std::memcpy(pre96IWO[1], data + pos, recsize);
            if (release <= 92) fixIWOr92(SHADOWIWO);
            fixpre96IWO(SHADOWIWO);
            r = IWO[SHADOWIWO];
        }
        r.selected = 0;
        if (r.type != DEADTYPE) records.push_back(r);
    }
    IWO[SHADOWIWO] = shadow;
    return 1;
}
