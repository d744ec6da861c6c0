// diagram.h - the diagram record: everything that belongs to the diagram as a
// whole (file name, title, page size, default pens and font, unsaved flag),
// the window title built from it and the global pens fed from it.
//
//   newIWOdiagram()            make the open diagram a new, empty one from the defaults
//   settempdiagram(keep)       keep!=0: copy IWODiagram to tempIWODiagram; 0: restore it
//   resolvediagramfont()       point the diagram font at the record's own fontname
//   updateIWOdiagram()         rebuild the window title and refresh the global pens
//   markIWOdiagrammodified()   clear `saved` (first change only refreshes the title)
//   writeIWOdiagramrecord(d,p) serialise to 2312 big-endian bytes
//   readIWOdiagramrecord(d,p)  deserialise 2312 bytes
//
// Record layout (big-endian):
//   OFFSET SIZE DESCRIPTION
//        0 1000 filename        full path of the diagram file
//     1000  256 version         version line of the program that wrote it
//     1256    2 saved           1 = no unsaved changes
//     1258    2 release         release number of the writing program
//     1260  255 title
//     1515  255 description
//     1770  256 author
//     2026    8 font            u32 name pointer (kept as read), u16 size, u8 style, u8 flags
//     2034  256 fontname        default label font
//     2290    2 fontcolour      default label text pen
//     2292    2 labelcolour     default label background pen
//     2294    2 labelfilled     default label-filled flag
//     2296    2 paperwidth      page width, 0.1 mm
//     2298    2 paperheight     page height
//     2300    2 papercolour     paper pen
//     2302    2 linecolour      default outline pen
//     2304    2 fillcolour      default fill pen
//     2306    2 highlightcolour selection highlight pen
//     2308    2 lineweight      default line weight
//     2310    2 objects         records that follow in a file
#pragma once
#include "model/iwo.h"

#include <cstdint>

constexpr int DIAGRAMRECORDSIZE = 2312; // bytes of the diagram record on disk
constexpr int MAXFILENAMESIZE = 1000;   // size of the filename field
constexpr int TITLEBUFFERSIZE = 100;    // the window title shows at most 99 characters,
constexpr int TITLEBUFFERBYTES = TITLEBUFFERSIZE * 4; // held as UTF-8 of up to 4 bytes each

struct DiagramRecord {
    char filename[MAXFILENAMESIZE] = {};
    char version[256] = {};
    int16_t saved = 0;
    int16_t release = 0;
    char title[255] = {};
    char description[255] = {};
    char author[256] = {};
    TextAttr font;
    char fontname[256] = {};
    int16_t fontcolour = 0, labelcolour = 0, labelfilled = 0;
    int16_t paperwidth = 0, paperheight = 0;
    int16_t papercolour = 0, linecolour = 0, fillcolour = 0, highlightcolour = 0;
    int16_t lineweight = 0;
    int16_t objects = 0;
};

void writeIWOdiagramrecord(const DiagramRecord &d, uint8_t *p); // p holds DIAGRAMRECORDSIZE bytes
void readIWOdiagramrecord(DiagramRecord &d, const uint8_t *p);

extern DiagramRecord IWODiagram;        // the open diagram
extern DiagramRecord tempIWODiagram;    // copy kept for Cancel in the properties windows
extern DiagramRecord defaultIWODiagram; // defaults for new diagrams (from the preferences)

extern char drawspacewindowtitle[TITLEBUFFERBYTES]; // the drawing window's title (UTF-8)
extern int16_t DiagramExists;                       // 1 while a diagram is open

// Global pens fed from the open diagram, each with the working copy that the
// property windows edit.
extern int16_t papercolour, temppapercolour;         // paper pen
extern int16_t linecolour, templinecolour;           // outline pen for new objects
extern int16_t fillcolour, tempfillcolour;           // fill pen for new objects
extern int16_t highlightcolour, temphighlightcolour; // selection highlight pen
extern int16_t lineweight, templineweight;           // line weight for new objects
extern int16_t fontcolour, tempfontcolour;           // label text pen
extern int16_t labelcolour, templabelcolour;         // label background pen
extern int16_t labelfilled;                          // label background filled

int newIWOdiagram();
int settempdiagram(int keep);
int resolvediagramfont();
int updateIWOdiagram();
int markIWOdiagrammodified();
