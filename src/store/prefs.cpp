// prefs.cpp - built-in settings, the settings list record and the settings file.
#include "store/prefs.h"

#include "ui/ui.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "render/view.h"
#include "store/userobjects.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"

#include <cmath>
#include <cstdio>
#include <cstring>

int16_t QuickDraw = 0;

namespace {

constexpr int SCREENPENS = 256; // pens a setting may name
constexpr int MINPAPER = 300;   // page sides the settings may give, 0.1 mm
constexpr int MAXPAPER = 6000;
constexpr int MAXLINEWEIGHT = 100; // heaviest default line the settings may give
constexpr int MAXFONTSIZE = 120;   // tallest font the program's choosers offer

void nofile() {
    std::printf("prefs file NOT found\n");
    std::fflush(stdout);
}

bool pen(int v) { return v >= 0 && v < SCREENPENS; }

// What is wrong with settings read from a file ("" when nothing is).
std::string fault(const DiagramRecord &d, const PrefListRecord &l) {
    if (!std::isfinite(l.zoom) || l.zoom < MINPREFZOOM || l.zoom > MAXPREFZOOM)
        return "the zoom is out of range";
    if (l.GridSize < 1) return "the grid size is below 1";
    if (l.scrollsizex < 1 || l.scrollsizey < 1) return "the scroll step is below 1";
    if (l.IconSet < 0 || l.IconSet > 2) return "the icon set is unknown";
    if (d.paperwidth < MINPAPER || d.paperwidth > MAXPAPER || d.paperheight < MINPAPER ||
        d.paperheight > MAXPAPER)
        return "the paper size is out of range";
    if (!pen(d.papercolour) || !pen(d.linecolour) || !pen(d.fontcolour) || !pen(d.labelcolour) ||
        !pen(l.highlightcolour) || !(pen(d.fillcolour) || d.fillcolour == TRANSPARENT))
        return "a pen is outside the palette";
    if (d.lineweight < 0 || d.lineweight > MAXLINEWEIGHT) return "the line weight is out of range";
    if (d.font.ta_YSize < 1 || d.font.ta_YSize > MAXFONTSIZE || l.font.ta_YSize < 1 ||
        l.font.ta_YSize > MAXFONTSIZE)
        return "a font size is out of range";
    return "";
}

// Text fields hold at most their size less one, so that they stay terminated.
void terminate(DiagramRecord &d, PrefListRecord &l) {
    d.filename[sizeof d.filename - 1] = 0;
    d.version[sizeof d.version - 1] = 0;
    d.title[sizeof d.title - 1] = 0;
    d.description[sizeof d.description - 1] = 0;
    d.author[sizeof d.author - 1] = 0;
    d.fontname[sizeof d.fontname - 1] = 0;
    l.fontname[sizeof l.fontname - 1] = 0;
}

// A path as the user knows it: the configuration directory by its real name.
std::string shown(const std::string &path) { return hostpath(path); }

} // namespace

int16_t IconSet = 2;

void writePrefList(const PrefListRecord &l, uint8_t *p) {
    put4byte(p + 0, l.font.ta_Name);
    put2byte(p + 4, l.font.ta_YSize);
    p[6] = l.font.ta_Style;
    p[7] = l.font.ta_Flags;
    put2byte(p + 8, l.highlightcolour);
    std::memcpy(p + 10, l.fontname, 256);
    put2byte(p + 266, l.scrollsizex);
    put2byte(p + 268, l.scrollsizey);
    put2byte(p + 270, l.ShowGrid);
    put2byte(p + 272, l.SnapToGrid);
    put2byte(p + 274, l.GridSize);
    uint32_t z;
    std::memcpy(&z, &l.zoom, 4);
    put4byte(p + 276, z);
    put2byte(p + 280, l.QuickDraw);
    put2byte(p + 282, l.IconSet);
    put2byte(p + 284, l.HighlightOn);
    std::memcpy(p + 286, l.reserved, 2);
}

void readPrefList(PrefListRecord &l, const uint8_t *p) {
    l.font.ta_Name = get4byte(p + 0);
    l.font.ta_YSize = getu2byte(p + 4);
    l.font.ta_Style = p[6];
    l.font.ta_Flags = p[7];
    l.highlightcolour = get2byte(p + 8);
    std::memcpy(l.fontname, p + 10, 256);
    l.scrollsizex = get2byte(p + 266);
    l.scrollsizey = get2byte(p + 268);
    l.ShowGrid = get2byte(p + 270);
    l.SnapToGrid = get2byte(p + 272);
    l.GridSize = get2byte(p + 274);
    uint32_t z = get4byte(p + 276);
    std::memcpy(&l.zoom, &z, 4);
    l.QuickDraw = get2byte(p + 280);
    l.IconSet = get2byte(p + 282);
    l.HighlightOn = get2byte(p + 284);
    std::memcpy(l.reserved, p + 286, 2);
}

// The built-in defaults, before any settings file is read.
int setdefaultpreferences() {
    DiagramRecord &d = defaultIWODiagram;
    d = DiagramRecord{};
    copytext(d.version, sizeof d.version, IWVersionString);
    d.release = IWRelease;
    d.saved = 1;
    copytext(d.title, sizeof d.title, NOTITLE);
    copytext(d.description, sizeof d.description, NODESCRIPTION);
    copytext(d.author, sizeof d.author, NOAUTHOR);
    d.font = IWeaveFont;
    copytext(d.fontname, sizeof d.fontname, IWeaveFontName);
    d.paperwidth = 2100; // A4 portrait
    d.paperheight = 2970;
    d.fontcolour = fontcolour;
    d.labelcolour = labelcolour;
    d.labelfilled = labelfilled;
    d.papercolour = papercolour;
    d.linecolour = linecolour;
    d.fillcolour = fillcolour;
    d.highlightcolour = highlightcolour;
    d.lineweight = lineweight;
    d.objects = 0;

    PrefListRecord &l = PrefList;
    l = PrefListRecord{};
    l.highlightcolour = highlightcolour;
    l.scrollsizex = scrollsizex;
    l.scrollsizey = scrollsizey;
    l.IconSet = IconSet;
    l.HighlightOn = HighlightOn;
    l.ShowGrid = ShowGrid;
    l.SnapToGrid = SnapToGrid;
    l.GridSize = GridSize;
    l.zoom = zoom;
    l.QuickDraw = QuickDraw;
    l.font = IWeaveFont;
    copytext(l.fontname, sizeof l.fontname, IWeaveFontName);
    return 1;
}

int initpreferences() {
    // The desktop's icon theme stands in for the system toolbar images: without
    // it the program's own large set is the default.
    if (IconSet == 2 && !platformui().themeicons()) IconSet = 0;
    setdefaultpreferences();
    resetUserIWOs();
    // Only a missing file is made from the defaults; one that exists but can't
    // be read is reported and left for the user to look at. When it could not
    // be made, that was said and there is nothing to read back.
    if (fileexists(PREFSFILE) || savepreferences(PREFSFILE)) loadpreferences(PREFSFILE);
    IWeaveFont = PrefList.font;
    copyfield(IWeaveFontName, sizeof IWeaveFontName, PrefList.fontname, sizeof PrefList.fontname);
    IconSet = PrefList.IconSet;
    return 1;
}

std::vector<uint8_t> writepreferencesbytes() {
    std::vector<uint8_t> data(PREFSFILESIZE);
    uint8_t *p = data.data();
    std::memcpy(p, defaultIWODiagram.version, 255);
    put2byte(p + 255, defaultIWODiagram.release);
    writeIWOdiagramrecord(defaultIWODiagram, p + 257);
    writePrefList(PrefList, p + 257 + DIAGRAMRECORDSIZE);
    return data;
}

int readpreferencesbytes(const uint8_t *data, size_t size, std::string *why) {
    if (size < (size_t)PREFSFILESIZE) {
        if (why) *why = "the file is too short";
        return 0;
    }
    // The header's version and release are those of the record that follows.
    DiagramRecord d;
    PrefListRecord l;
    readIWOdiagramrecord(d, data + 257);
    readPrefList(l, data + 257 + DIAGRAMRECORDSIZE);
    std::string wrong = fault(d, l);
    if (!wrong.empty()) {
        if (why) *why = wrong;
        return 0;
    }
    terminate(d, l);
    copytext(d.version, sizeof d.version, IWVersionString);
    d.release = IWRelease;
    defaultIWODiagram = d;
    PrefList = l;
    HighlightOn = PrefList.HighlightOn;
    return 1;
}

int loadpreferences(const std::string &path) {
    std::vector<uint8_t> data;
    // The layout's bytes are all there is to read; the rest of a longer file is not.
    if (!readwholefile(path, data, nullptr, PREFSFILESIZE)) {
        nofile();
        ErrorReq(("Sorry. Could not open file : " + shown(path)).c_str());
        return 0;
    }
    std::string why;
    if (!readpreferencesbytes(data.data(), data.size(), &why)) {
        ErrorReq(("Sorry. Not a valid Ideaweave settings file : " + shown(path) + "\n(" + why + ")")
                     .c_str());
        return 0;
    }
    return 1;
}

int savepreferences(const std::string &path) {
    // A file that could not be written was found all the same: only the
    // requester says so, not the line for a missing file.
    if (!writefileatomic(path, writepreferencesbytes())) {
        ErrorReq(("Sorry. Could not save file : " + shown(path)).c_str());
        return 0;
    }
    return 1;
}
