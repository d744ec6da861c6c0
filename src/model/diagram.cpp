// diagram.cpp - the diagram record, its window title and the pens fed from it.
#include "model/diagram.h"

#include "edit/history.h"
#include "model/bytes.h"
#include "model/create.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/files.h"
#include "platform/platform.h"

#include <cstring>
#include <string>

DiagramRecord IWODiagram;
DiagramRecord tempIWODiagram;
DiagramRecord defaultIWODiagram;
char drawspacewindowtitle[TITLEBUFFERBYTES];
int16_t DiagramExists = 0;

int16_t papercolour = 2, temppapercolour = 2;
int16_t linecolour = 1, templinecolour = 1;
int16_t fillcolour = 2, tempfillcolour = 1;
int16_t highlightcolour = 3, temphighlightcolour = 1;
int16_t lineweight = 10, templineweight = 10;
int16_t fontcolour = 1, tempfontcolour = 1;
int16_t labelcolour = 2, templabelcolour = 2;
int16_t labelfilled = 1;

void writeIWOdiagramrecord(const DiagramRecord &d, uint8_t *p) {
    std::memcpy(p + 0, d.filename, 1000);
    std::memcpy(p + 1000, d.version, 256);
    put2byte(p + 1256, d.saved);
    put2byte(p + 1258, d.release);
    std::memcpy(p + 1260, d.title, 255);
    std::memcpy(p + 1515, d.description, 255);
    std::memcpy(p + 1770, d.author, 256);
    put4byte(p + 2026, d.font.ta_Name);
    put2byte(p + 2030, d.font.ta_YSize);
    p[2032] = d.font.ta_Style;
    p[2033] = d.font.ta_Flags;
    std::memcpy(p + 2034, d.fontname, 256);
    const int16_t w[] = {d.fontcolour,      d.labelcolour, d.labelfilled, d.paperwidth,
                         d.paperheight,     d.papercolour, d.linecolour,  d.fillcolour,
                         d.highlightcolour, d.lineweight,  d.objects};
    for (int i = 0; i < 11; i++) put2byte(p + 2290 + 2 * i, w[i]);
}

void readIWOdiagramrecord(DiagramRecord &d, const uint8_t *p) {
    std::memcpy(d.filename, p + 0, 1000);
    std::memcpy(d.version, p + 1000, 256);
    d.saved = get2byte(p + 1256);
    d.release = get2byte(p + 1258);
    std::memcpy(d.title, p + 1260, 255);
    std::memcpy(d.description, p + 1515, 255);
    std::memcpy(d.author, p + 1770, 256);
    d.font.ta_Name = get4byte(p + 2026);
    d.font.ta_YSize = getu2byte(p + 2030);
    d.font.ta_Style = p[2032];
    d.font.ta_Flags = p[2033];
    std::memcpy(d.fontname, p + 2034, 256);
    int16_t *w[] = {&d.fontcolour,      &d.labelcolour, &d.labelfilled, &d.paperwidth,
                    &d.paperheight,     &d.papercolour, &d.linecolour,  &d.fillcolour,
                    &d.highlightcolour, &d.lineweight,  &d.objects};
    for (int i = 0; i < 11; i++) *w[i] = get2byte(p + 2290 + 2 * i);
}

int newIWOdiagram() {
    IWODiagram = defaultIWODiagram;
    IWODiagram.font = defaultIWODiagram.font;
    copyfield(IWODiagram.fontname, sizeof IWODiagram.fontname, defaultIWODiagram.fontname,
              sizeof defaultIWODiagram.fontname);
    IWODiagram.objects = 0;

    papercolour = IWODiagram.papercolour;
    linecolour = IWODiagram.linecolour;
    fillcolour = IWODiagram.fillcolour;
    labelcolour = IWODiagram.labelcolour;
    labelfilled = IWODiagram.labelfilled;
    lineweight = IWODiagram.lineweight;

    IWODiagram.highlightcolour = PrefList.highlightcolour;
    highlightcolour = IWODiagram.highlightcolour;

    scrollsizex = PrefList.scrollsizex;
    scrollsizey = PrefList.scrollsizey;
    ShowGrid = PrefList.ShowGrid;
    SnapToGrid = PrefList.SnapToGrid;
    GridSize = PrefList.GridSize;
    zoom = PrefList.zoom;

    tempIWODiagram = IWODiagram;

    resetIWO(MAXIWO);
    deleteIWO(SHADOWIWO);
    resethistory();

    groupnum = 1;
    numIWOselected = -99;
    return 1;
}

int settempdiagram(int keep) {
    if (keep)
        tempIWODiagram = IWODiagram;
    else
        IWODiagram = tempIWODiagram;
    return 1;
}

// The stored pointer is never dereferenced: the font is always found through
// the record's own fontname. Nothing to re-point; the stored bytes stay as read.
int resolvediagramfont() { return 1; }

namespace {

// Appends ISO-8859-1 text as UTF-8.
void appendlatin1(std::string &t, const char *s, size_t n) {
    for (size_t i = 0; i < n; i++) {
        unsigned char c = (unsigned char)s[i];
        if (c < 0x80) {
            t += (char)c;
        } else {
            t += (char)(0xC0 | (c >> 6));
            t += (char)(0x80 | (c & 0x3F));
        }
    }
}

// Cuts UTF-8 text after its first n characters.
void cutcharacters(std::string &t, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < t.size(); i++) {
        if (((unsigned char)t[i] & 0xC0) == 0x80) continue;
        if (chars++ == n) {
            t.resize(i);
            return;
        }
    }
}

} // namespace

// The title is UTF-8 text: the diagram's title is converted from ISO-8859-1,
// the file name is the file system's, and the cut falls between characters.
int updateIWOdiagram() {
    drawspacewindowtitle[0] = 0;
    if (DiagramExists) {
        std::string t;
        if (IWODiagram.saved == 0) t += "*";
        appendlatin1(t, IWODiagram.title, textlen(IWODiagram.title, sizeof IWODiagram.title));
        t += " Saved as : ";
        t += filenametext(IWODiagram.filename,
                          textlen(IWODiagram.filename, sizeof IWODiagram.filename));
        cutcharacters(t, TITLEBUFFERSIZE - 1);
        copytext(drawspacewindowtitle, sizeof drawspacewindowtitle, t.c_str());
    } else {
        copytext(drawspacewindowtitle, sizeof drawspacewindowtitle,
                 "Create or Load diagram to continue...");
    }
    platformui().setwindowtitle(drawspacewindowtitle);

    papercolour = temppapercolour = IWODiagram.papercolour;
    linecolour = templinecolour = IWODiagram.linecolour;
    fillcolour = tempfillcolour = IWODiagram.fillcolour;
    highlightcolour = temphighlightcolour = IWODiagram.highlightcolour;
    lineweight = templineweight = IWODiagram.lineweight;
    fontcolour = tempfontcolour = IWODiagram.fontcolour;
    labelcolour = templabelcolour = IWODiagram.labelcolour;
    return 1;
}

int markIWOdiagrammodified() {
    if (IWODiagram.saved == 1) {
        IWODiagram.saved = 0;
        updateIWOdiagram();
    } else {
        IWODiagram.saved = 0;
    }
    return 1;
}
