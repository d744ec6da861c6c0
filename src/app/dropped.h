// dropped.h - files handed to the editor from outside, as when they are
// dropped on its window.
//
//   droppedkind(path)        what a file is taken for, by its final extension
//                            (any case): a diagram (.iwo), an outline to import
//                            (.md, .markdown, .opml, .txt) or something else
//   importoutlinefile(path)  bring an outline in as a new diagram, as Project >
//                            Import Outline does; returns 1 when imported
//   opendroppedfiles(paths)  act on files dropped together: the first diagram
//                            or outline is opened (asking about unsaved changes
//                            as Open does) or imported; one message then names
//                            every other file and why it was not opened.
//                            Returns the number of files opened or imported
#pragma once
#include <string>
#include <vector>

enum DroppedKind { DROP_DIAGRAM, DROP_OUTLINE, DROP_OTHER };

DroppedKind droppedkind(const std::string &path);
int importoutlinefile(const std::string &path);
int opendroppedfiles(const std::vector<std::string> &paths);
