// arrange.h - automatic arrangement of the connector graph: mind map, tree and
// flowchart layouts that move objects and let their connectors follow.
//
//   arrangeIWOs(kind, root, why)   move the objects of the connected parts of
//                                  the selection (the whole diagram when nothing
//                                  is selected), growing from table index root
//                                  (-1: the selected object, else the central
//                                  node); records nothing in the history, so
//                                  callers snapshot the table first and write
//                                  one step. Returns 1, or 0 with the reason in
//                                  why and the table as it was.
#pragma once
#include <string>

enum class ArrangeKind { MindMap, Tree, TreeDown, Flowchart };

int arrangeIWOs(ArrangeKind kind, int root, std::string &why);
