// outline.h - the diagram's labels as an outline: plain text, HTML, Markdown
// and OPML.
//
// The outline order starts at the focus object, when there is one, and
// follows its connectors depth first: each outgoing connector (in table
// order), its end node, and at once that node's branch. Then every other tree
// follows under its own root, the largest first (the root being the node that
// reaches the most objects along connectors, so without a focus object the
// central node comes first), and last every object not yet listed, in table
// order. A node reached by several connectors is listed at each, but its
// branch is expanded only the first time, so cycles end and the order holds
// at most one entry per connector plus one per object.
//
// Text and HTML list the labels of that order with a focus object, in table
// order without one. Markdown and OPML always nest the trees, and leave out
// the built-in "none given" title, author and description. Markdown marks
// its title line (or, untitled, the top of the document) with MDTITLEMARK, the
// author and description paragraphs with MDAUTHOR and MDDESCRIPTION, and a
// folded branch with MDFOLDMARK after its top item's text; OPML writes the
// author as ownerName, the description in the OPMLNAMESPACE namespace and the
// folds as expansionState. The import reads all of these back.
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
    int16_t depth = -99; // nodes of a tree: depth below its root;
                         // connectors and objects outside the trees: -99
    int16_t via = -99;   // nodes below a root: the connector they were reached by
};

constexpr const char *MDTITLEMARK = "<!-- title -->";
constexpr const char *MDAUTHOR = "*Author:*";
constexpr const char *MDDESCRIPTION = "*Description:*";
constexpr const char *MDFOLDMARK = "<!-- fold -->";
constexpr const char *OPMLNAMESPACE = "urn:x-ideaweave:outline";

extern std::vector<OutlineEntry> outlineorder;

int rearrangeclones(int start);
std::string outlinetext(ExportFormat format);
int exportoutlinefile(const std::string &path, ExportFormat format, std::string *message);
int saveasTXT();
