// mindmap.h - building a mind map from the keyboard: adding a child or a
// sibling to the selected node, moving the selection along the connectors,
// deleting a node with its branch and folding the branch behind it.
//
// A node is any object but a line, a connector or a deleted record; the map
// is read from the connectors between nodes, each running from a parent to a
// child. The central node is the one no connector ends at.
//
// The walk itself is a pure function of a small description of the map:
//   mapparent(links, v)          the node a connector to v starts at, or -1
//   mapchildren(links, v)        the shown nodes joined from v, in the order the
//                                user reads them: clockwise from the top around
//                                a central node, top to bottom elsewhere
//   mapstep(links, v, step)      the node a step leads to from v, or -1
//   maplinksoftable()            the description of the object table
//
// The commands read the object table and the selection:
//   addmapnode(sibling, why)     a new node under the selected one (sibling:
//                                beside it; on a central node it is a child),
//                                with its shape, pens, font and size, joined by
//                                a connector like the ones of that branch, the
//                                map arranged around its central node (which
//                                moves only when the page's edge makes it; the
//                                rest of the diagram stays and is kept clear
//                                of); the new node alone is selected. One
//                                undo step. Returns its index, or 0 with the
//                                reason in why and the table as it was.
//   selectmapnode(step)          move the selection one step; 1 when it moved
//   deletemapbranch()            delete the selected node with every node below
//                                it, one undo step; 1 when something went
//   joinnodes(a, b, like)        a connector from the middle of a's right side
//                                to the middle of b's left, as the connector tool
//                                makes it, in the pens and line ends of connector
//                                like (0: the current pens); its index, or 0
//   foldmapbranch()              fold the selected node's branches away, or
//                                unfold them when all are folded; one undo
//                                step; 1 when something changed
#pragma once
#include <string>
#include <vector>

struct MapNode {
    int x = 0, y = 0, w = 0, h = 0; // the box, in diagram units
    bool node = false;              // a node at all (not a line or connector)
    bool shown = true;              // not folded away
};

struct MapLinks {
    std::vector<MapNode> nodes;             // by table index
    std::vector<std::pair<int, int>> edges; // (parent, child)
};

enum class MapStep { Parent, FirstChild, Previous, Next };

int mapparent(const MapLinks &m, int v);
std::vector<int> mapchildren(const MapLinks &m, int v);
int mapstep(const MapLinks &m, int v, MapStep step);
MapLinks maplinksoftable();

int addmapnode(bool sibling, std::string &why);
int selectmapnode(MapStep step);
int deletemapbranch();
int foldmapbranch();
int joinnodes(int a, int b, int like);
