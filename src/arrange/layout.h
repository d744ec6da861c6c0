// layout.h - the arrangements as pure functions of a small graph description:
// boxes, which of them are locked, the edges between them, the boxes that
// must be kept clear, the spacing and the page. No object table is read, so
// the layouts are tested and fuzzed on their own.
//
//   arrangelayout(kind, graph)   new top-left corners for every box of graph,
//                                and the page size they need; ok false with
//                                the reason when they cannot be placed
//   boxesoverlap(a, b)           whether two boxes share any area
#pragma once
#include "arrange/arrange.h"

#include <string>
#include <utility>
#include <vector>

struct ArrangeBox {
    int x = 0, y = 0, w = 0, h = 0; // top-left corner and size, in diagram units
};

struct ArrangeGraph {
    std::vector<ArrangeBox> nodes;          // every node at its present place
    std::vector<char> locked;               // 1: the node stays where it is
    std::vector<std::pair<int, int>> edges; // (from, to) node indices, connector direction
    std::vector<ArrangeBox> obstacles;      // boxes nothing may overlap (objects left out)
    int root = -1;                          // node to grow from; -1: the central node of each part
    int spacing = 100;    // the grid size: gap between levels (half of it between siblings)
    int pagewidth = 2100; // the page now
    int pageheight = 2900;
    int maxpage = 6000; // the page may grow up to this in either direction
    int margin = 10;    // kept clear at the page's edges
};

struct ArrangeResult {
    bool ok = false;
    std::string why;               // the reason when not ok
    std::vector<ArrangeBox> nodes; // the boxes at their new places (sizes unchanged)
    int pagewidth = 0, pageheight = 0;
};

ArrangeResult arrangelayout(ArrangeKind kind, const ArrangeGraph &graph);
bool boxesoverlap(const ArrangeBox &a, const ArrangeBox &b);
