// prefs.h - the settings: the program-wide settings list, the defaults for new
// diagrams, and the settings file that keeps both.
//
//   setdefaultpreferences()   fill defaultIWODiagram and PrefList with the built-in defaults
//   initpreferences()         start-up: built-in defaults, then the default settings file
//                             (created from the defaults only when there is none)
//   loadpreferences(path)     read a settings file; 1 when it was taken, 0 when it could
//                             not be read or was refused (the settings are then unchanged)
//   savepreferences(path)     write the settings to path (atomically); 1 when written
//   writepreferencesbytes(p)  the settings as the file's PREFSFILESIZE bytes
//   readpreferencesbytes(p, n, why)  check and take a file's bytes; on refusal
//                             nothing changes and why says what is wrong
//                             (the settings list itself is in model/settings.h)
//   writePrefList(l, p)       serialise the list to 288 big-endian bytes
//   readPrefList(l, p)        deserialise 288 bytes
//
// A failure is shown in a requester naming the file; besides, "prefs file NOT
// found" goes to standard output when a file can't be opened for reading.
//
// Settings file layout (big-endian):
//   OFFSET SIZE DESCRIPTION
//        0  255 version text of the writing program (not checked)
//      255    2 release of the writing program (not checked)
//      257 2312 defaultIWODiagram, the diagram record's layout (model/diagram.h)
//     2569  288 PrefList
// A file of another release is read all the same; the defaults then carry the
// running program's version and release. Longer files are read as far as the
// layout goes; shorter ones are refused.
//
// Settings list layout (big-endian):
//   OFFSET SIZE DESCRIPTION
//        0    8 font            interface font: u32 name pointer, u16 size, u8 style, u8 flags
//        8    2 highlightcolour selection highlight pen for new diagrams
//       10  256 fontname        interface font name
//      266    2 scrollsizex     wheel scroll step
//      268    2 scrollsizey
//      270    2 ShowGrid
//      272    2 SnapToGrid
//      274    2 GridSize
//      276    4 zoom            IEEE single precision
//      280    2 QuickDraw
//      282    2 IconSet
//      284    2 HighlightOn
//      286    2 reserved        kept as read
#pragma once
#include "model/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int PREFLISTSIZE = 288;
constexpr int PREFSFILESIZE = 2857;                        // header, diagram record and list
constexpr const char *PREFSFILE = "progdir:default.prefs"; // read at start-up
constexpr float MINPREFZOOM = 0.05f;                       // zoom range a settings file may hold
constexpr float MAXPREFZOOM = 5.0f;                        // (the largest page stays addressable)

// The built-in title, description and author of a new diagram: they stand
// for "none given", so the Markdown and OPML outlines leave them out.
constexpr const char *NOTITLE = "No Title Given";
constexpr const char *NODESCRIPTION = "No Description Given";
constexpr const char *NOAUTHOR = "Author Not Specified";

extern int16_t IconSet;   // toolbar icon set
extern int16_t QuickDraw; // copied from the settings when they are applied; unused

void writePrefList(const PrefListRecord &l, uint8_t *p);
void readPrefList(PrefListRecord &l, const uint8_t *p);
int setdefaultpreferences();
int initpreferences();
int loadpreferences(const std::string &path);
int savepreferences(const std::string &path);
std::vector<uint8_t> writepreferencesbytes();
int readpreferencesbytes(const uint8_t *data, size_t size, std::string *why = nullptr);
