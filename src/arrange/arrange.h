// arrange.h - automatic arrangement of the connector graph: mind map, tree and
// flowchart layouts that move objects and let their connectors follow.
//
//   arrangeIWOs(kind, root, why, erase)
//                                  move the objects of the connected parts of
//                                  the selection (the whole diagram when nothing
//                                  is selected), growing from table index root
//                                  (-1: the selected object, else the central
//                                  node); records nothing in the history, so
//                                  callers snapshot the table first and write
//                                  one step. The connectors that follow are
//                                  erased from their old places unless erase
//                                  is false (the caller paints the page
//                                  afresh). Returns 1, or 0 with the reason in
//                                  why and the table as it was.
//   arrangediagram(kind)           the command (menu, script, command line):
//                                  arranges as above as one undo step; a
//                                  refusal is told in a requester. Returns 1
//                                  when the diagram was arranged.
//   arrangekindnamed(name, kind)   mindmap, tree, orgchart or flowchart
//
// What is arranged: with several objects selected, the parts they form with
// the connectors between them; with one, the whole part it belongs to; with
// none, every object joined to another by a connector. Lines and connectors
// are no nodes; objects left out are kept clear of, as are locked ones.
#pragma once
#include <string>

enum class ArrangeKind { MindMap, Tree, TreeDown, Flowchart };

int arrangeIWOs(ArrangeKind kind, int root, std::string &why, bool erase);
int arrangediagram(ArrangeKind kind);
bool arrangekindnamed(const std::string &name, ArrangeKind &kind);
