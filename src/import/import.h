// import.h - an outline file (Markdown, OPML, indented text) as a new mind map.
//
// Every item of the outline becomes a shape sized to its label (the root an
// ellipse, the others soft rectangles) with a connector from its parent; the
// root is the central node: the outline's only top-level item, or, when there
// are several, a node of the title (of the file's name when untitled) above
// them. An outline this program wrote keeps its several trees as they were.
// The diagram is then arranged as a mind map from the root and the folds are
// applied. It starts with an empty undo history, without a file name, and
// modified: Save asks for a name, and New, Open or Quit ask before throwing
// it away.
//
//   isoutlinefile(path)        ".md", ".markdown", ".opml" or ".txt" (any case)
//   readoutlinefile(path, doc, stem, why)
//                              read and check the file by its extension; stem
//                              is its name without the extension. 0 with why
//                              (naming the file) when it can't be read
//   outlinefits(doc, stem, why)  whether the outline's diagram fits the table;
//                              0 with why naming the items and the room there is
//   buildoutlinediagram(doc, stem, why, note)
//                              replace the open diagram with the outline's;
//                              stem names the root of an untitled outline of
//                              several trees. Returns 1 with note saying what
//                              was changed or left out ("" when nothing was),
//                              or 0 with why and the diagram as it was
//   loadoutlinefile(path, why, note)
//                              read the file and build its diagram, as above
//   importoutline(path)        the Import Outline command for a chosen file
//                              (the menu, a script line, a file dropped on the
//                              window): reads and checks the file, asks about
//                              unsaved changes as New does, builds and shows
//                              the new diagram and says what was changed; a
//                              refusal is shown in a requester and changes
//                              nothing. 1 when a diagram was made
//   importoutlinecommand()     Project > Import Outline: the file requester,
//                              then importoutline
#pragma once
#include "import/outlineread.h"

#include <string>

bool isoutlinefile(const std::string &path);
int readoutlinefile(const std::string &path, OutlineDoc &doc, std::string &stem, std::string &why);
int outlinefits(const OutlineDoc &doc, const std::string &stem, std::string &why);
int buildoutlinediagram(const OutlineDoc &doc, const std::string &stem, std::string &why,
                        std::string &note);
int loadoutlinefile(const std::string &path, std::string &why, std::string &note);
int importoutline(const std::string &path);
int importoutlinecommand();
