// outlineread.h - reading outlines (Markdown, OPML, indented plain text) into a
// tree of labels, before anything of the diagram is touched.
//
// The readers are functions of the file's bytes alone. Texts come out as
// UTF-8 (a file that isn't valid UTF-8 is read as ISO-8859-1); items are in
// document order, each naming its parent, so a parent always comes before its
// children.
//
//   readmarkdownoutline(text, o, why)  headings and list items: a heading holds
//                       the headings of deeper levels and the lists below it, a
//                       list item the lists inside it. A first level-1 heading
//                       that is the document's only one, or carries MDTITLEMARK,
//                       is the title; "*Author:* ..." and "*Description:* ..."
//                       paragraphs give the author and description; MDFOLDMARK or
//                       "<!-- markmap: fold -->" after an item's text folds it
//   readopmloutline(text, o, why)   nested outline elements of the body (their
//                       text attribute); head title, ownerName, the description
//                       in OPMLNAMESPACE, expansionState for the folds. External
//                       entities are never loaded and entity declarations refused
//   readtextoutline(text, o, why)   a line an item, nested by its indentation
//                       (tabs count as four columns); blank lines are skipped
//   readoutline(format, bytes, o, why)  checks common to every format (empty,
//                       binary, too large), then the reader of the format
//
// Each returns true with o filled, or false with why saying what is wrong.
#pragma once
#include "export/format.h"

#include <string>
#include <string_view>
#include <vector>

constexpr size_t MAXOUTLINEBYTES = 1u << 20; // larger files are refused

struct OutlineItem {
    std::string text;    // UTF-8
    int parent = -1;     // index of the parent item, -1 for a top-level item
    bool folded = false; // its children are folded away
};

struct OutlineDoc {
    std::string title, author, description; // UTF-8; empty when not given
    bool ourown = false; // written by this program: top-level items stay separate trees
    int leftout = 0;     // blocks outside the outline, not taken: Markdown paragraphs,
                         // code and headings inside list items, OPML outline
                         // elements outside the body
    std::vector<OutlineItem> items;
};

bool readmarkdownoutline(std::string_view text, OutlineDoc &o, std::string &why);
bool readopmloutline(std::string_view text, OutlineDoc &o, std::string &why);
bool readtextoutline(std::string_view text, OutlineDoc &o, std::string &why);
bool readoutline(ExportFormat format, std::string_view bytes, OutlineDoc &o, std::string &why);

// The text as UTF-8: itself when it is valid UTF-8 (a leading byte-order mark
// dropped), else read as ISO-8859-1.
std::string utf8orlatin1(std::string_view text);
