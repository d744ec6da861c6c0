// prefs.cpp - built-in settings and the settings list record.
#include "store/prefs.h"

#include "model/bytes.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "render/view.h"
#include "store/diagramfile.h"

#include <cstring>

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
    copytext(d.title, sizeof d.title, "No Title Given");
    copytext(d.description, sizeof d.description, "No Description Given");
    copytext(d.author, sizeof d.author, "Author Not Specified");
    d.font = IWeaveFont;
    copytext(d.fontname, sizeof d.fontname, IWeaveFontName);
    d.paperwidth = 2100;
    d.paperheight = 2900;
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
    l.QuickDraw = 0;
    l.font = IWeaveFont;
    copytext(l.fontname, sizeof l.fontname, IWeaveFontName);
    return 1;
}
