// outline.h - the diagram's labels as an outline: plain text, HTML, Markdown
// and OPML.
//
// With a focus object the outline starts at it and follows its connectors
// depth first: each outgoing connector (in table order), its end node, and at
// once that node's branch; then every object not yet listed, in table order.
// A node reached by several connectors is listed at each, but its branch is
// expanded only the first time, so cycles end and the order holds at most one
// entry per connector plus one per object. Without a focus object the labels
// come in table order.
//
//   outlineorder            the order rearrangeclones built (entry 0 empty)
//   rearrangeclones(start)  build the order from the focus object selectedIWO
//                           (start is not used); returns 1
//   outlinetext(format)     the whole file text of EXPORT_TXT, EXPORT_HTML,
//                           EXPORT_MD or EXPORT_OPML for the current focus
//   exportoutlinefile(path, format, message)  write it; 0 and message on failure
//   saveasTXT()             the Export Text command: 1 when a file was written
#pragma once
#include "export/format.h"

#include <string>
#include <vector>

// One entry of the outline order.
struct OutlineEntry {
    int16_t index = -99; // table index of the object listed
    int16_t id = -99;    // its id
    int16_t depth = -99; // nodes of the focus branch: depth below the focus node;
                         // connectors and objects outside the branch: -99
};

extern std::vector<OutlineEntry> outlineorder;

int rearrangeclones(int start);
std::string outlinetext(ExportFormat format);
int exportoutlinefile(const std::string &path, ExportFormat format, std::string *message);
int saveasTXT();
