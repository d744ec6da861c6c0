// layout.cpp - the arrangements (see layout.h).
//
// Every connected part of the graph is laid out on its own, relative to its
// root, into a block; the blocks are then put on the page one after another,
// each as near as it can be to where its root is now, clear of the obstacles,
// of the locked nodes and of the blocks already placed.
//
// The trees (mind map and tree) are tidy trees: the children's subtrees are
// stacked across the direction of growth in the order the user sees them now,
// each moved only as far as the outline of its elder siblings' boxes demands
// (so a deep subtree reaches in beside a shallow one), and the parent is
// centred on its first and last child. A parent lies nearer the root than all
// its descendants and siblings' subtrees are kept apart by their outlines, so
// no two boxes of a tree can overlap.
//
// The flowchart is Graphviz's layered drawing (dot, in-process), read back.
#include "arrange/layout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <string>

namespace {

constexpr int MAXSIZE = 32767; // sizes are clamped to this before any sum

struct Part {
    std::vector<int> members; // node indices, ascending
    int root = -1;
};

// One part laid out: a box for every member, relative to the block's origin.
struct Block {
    std::vector<int> members;
    std::vector<ArrangeBox> rel; // parallel to members
    int root = -1;               // position in members of the root
};

int clampsize(int v) { return std::clamp(v, 0, MAXSIZE); }

// Centres doubled, so that halves stay whole numbers.
long centre2x(const ArrangeBox &b) { return 2L * b.x + b.w; }
long centre2y(const ArrangeBox &b) { return 2L * b.y + b.h; }

struct Adjacency {
    std::vector<std::vector<int>> out, all;
};

Adjacency adjacency(const ArrangeGraph &g) {
    const int n = (int)g.nodes.size();
    Adjacency a;
    a.out.resize(n);
    a.all.resize(n);
    for (const auto &[from, to] : g.edges) {
        if (from < 0 || to < 0 || from >= n || to >= n || from == to) continue;
        a.out[from].push_back(to);
        a.all[from].push_back(to);
        a.all[to].push_back(from);
    }
    return a;
}

// Number of nodes reached from s along edges in their direction, s included.
int reached(const Adjacency &a, int s, std::vector<int> &mark, int stamp, std::vector<int> &queue) {
    queue.clear();
    queue.push_back(s);
    mark[s] = stamp;
    for (size_t q = 0; q < queue.size(); q++)
        for (int t : a.out[queue[q]])
            if (mark[t] != stamp) {
                mark[t] = stamp;
                queue.push_back(t);
            }
    return (int)queue.size();
}

// The central node of a part: the one from which the most nodes are reached
// along the connectors; among equals the one with the most connectors, then
// the first.
int centralnode(const Adjacency &a, const std::vector<int> &members) {
    std::vector<int> mark(a.out.size(), -1), queue, indegree(a.out.size(), 0);
    for (int v : members)
        for (int t : a.out[v]) indegree[t]++;
    // Nodes nothing leads to first: in a tree the root reaches everything at once.
    std::vector<int> order(members);
    std::stable_sort(order.begin(), order.end(),
                     [&](int p, int q) { return (indegree[p] == 0) > (indegree[q] == 0); });
    int best = members.front(), bestcount = -1, bestdegree = -1, stamp = 0;
    for (int v : order) {
        const int count = reached(a, v, mark, stamp++, queue);
        const int degree = (int)a.all[v].size();
        if (count > bestcount || (count == bestcount && degree > bestdegree) ||
            (count == bestcount && degree == bestdegree && v < best)) {
            best = v;
            bestcount = count;
            bestdegree = degree;
        }
        if (count == (int)members.size() && indegree[v] == 0) break;
    }
    return best;
}

std::vector<Part> parts(const ArrangeGraph &g, const Adjacency &a) {
    const int n = (int)g.nodes.size();
    std::vector<int> part(n, -1);
    std::vector<Part> out;
    for (int s = 0; s < n; s++) {
        if (part[s] >= 0) continue;
        Part p;
        std::vector<int> queue{s};
        part[s] = (int)out.size();
        for (size_t q = 0; q < queue.size(); q++)
            for (int t : a.all[queue[q]])
                if (part[t] < 0) {
                    part[t] = (int)out.size();
                    queue.push_back(t);
                }
        std::sort(queue.begin(), queue.end());
        p.members = std::move(queue);
        out.push_back(std::move(p));
    }
    for (Part &p : out) {
        const bool given = g.root >= 0 && g.root < n && part[g.root] == part[p.members.front()];
        p.root = given ? g.root : centralnode(a, p.members);
    }
    // The root's part first, then the bigger parts, then the order they came in.
    const int first = g.root >= 0 && g.root < n ? part[g.root] : -1;
    std::vector<int> idx(out.size());
    std::iota(idx.begin(), idx.end(), 0);
    std::stable_sort(idx.begin(), idx.end(), [&](int p, int q) {
        if ((p == first) != (q == first)) return p == first;
        return out[p].members.size() > out[q].members.size();
    });
    std::vector<Part> sorted;
    for (int i : idx) sorted.push_back(std::move(out[i]));
    return sorted;
}

// ---- Trees ----

// A spanning tree of a part, grown breadth first from its root over the
// connectors in either direction; children in the order the user sees them
// along the cross axis (y), then x, then index.
struct Tree {
    std::vector<int> order;             // the part's nodes, root first, parents before children
    std::vector<std::vector<int>> kids; // indexed by node
};

Tree spanningtree(const std::vector<ArrangeBox> &boxes, const Adjacency &a, int root) {
    Tree t;
    t.kids.resize(boxes.size());
    std::vector<char> seen(boxes.size(), 0);
    seen[root] = 1;
    t.order.push_back(root);
    for (size_t q = 0; q < t.order.size(); q++) {
        const int v = t.order[q];
        for (int w : a.all[v])
            if (!seen[w]) {
                seen[w] = 1;
                t.kids[v].push_back(w);
            }
        std::sort(t.kids[v].begin(), t.kids[v].end(), [&](int p, int r) {
            const long py = centre2y(boxes[p]), ry = centre2y(boxes[r]);
            if (py != ry) return py < ry;
            const long px = centre2x(boxes[p]), rx = centre2x(boxes[r]);
            if (px != rx) return px < rx;
            return p < r;
        });
        for (int w : t.kids[v]) t.order.push_back(w);
    }
    return t;
}

// A subtree's outline across the growth direction: along stretches of the
// growth direction (x from the subtree root's near edge), the least and the
// greatest cross position a box of the subtree takes there. Sorted, disjoint.
struct Stretch {
    long x0, x1, lo, hi;
};
using Outline = std::vector<Stretch>;

// How far b (its stretches moved by bx along the growth direction) must lie
// below a so that, wherever they share a stretch, gap is left between them;
// LONG_MIN when they share none.
long clearance(const Outline &a, const Outline &b, long bx, int gap) {
    long need = LONG_MIN;
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const long b0 = b[j].x0 + bx, b1 = b[j].x1 + bx;
        if (a[i].x0 < b1 && b0 < a[i].x1) need = std::max(need, a[i].hi - b[j].lo + gap);
        if (a[i].x1 <= b1)
            i++;
        else
            j++;
    }
    return need;
}

// Appends a stretch, joined to the last one when they meet and agree.
void extend(Outline &o, long x0, long x1, long lo, long hi) {
    if (x0 >= x1) return;
    if (!o.empty() && o.back().x1 == x0 && o.back().lo == lo && o.back().hi == hi)
        o.back().x1 = x1;
    else
        o.push_back({x0, x1, lo, hi});
}

// The outline of a and b together, b moved by (bx, by): one sweep along both.
Outline merged(const Outline &a, const Outline &b, long bx, long by) {
    Outline out;
    out.reserve(a.size() + b.size());
    size_t i = 0, j = 0;
    long x = LONG_MIN;
    while (i < a.size() || j < b.size()) {
        const bool ha = i < a.size(), hb = j < b.size();
        const long a0 = ha ? std::max(a[i].x0, x) : LONG_MAX, a1 = ha ? a[i].x1 : LONG_MAX;
        const long b0 = hb ? std::max(b[j].x0 + bx, x) : LONG_MAX,
                   b1 = hb ? b[j].x1 + bx : LONG_MAX;
        const long start = std::min(a0, b0);
        const bool ina = ha && a0 <= start, inb = hb && b0 <= start;
        // The piece from start runs to the next place where a stretch ends or begins.
        const long end = std::min(ina ? a1 : a0, inb ? b1 : b0);
        long lo = LONG_MAX, hi = LONG_MIN;
        if (ina) {
            lo = a[i].lo;
            hi = a[i].hi;
        }
        if (inb) {
            lo = std::min(lo, b[j].lo + by);
            hi = std::max(hi, b[j].hi + by);
        }
        extend(out, start, end, lo, hi);
        x = end;
        if (ha && a1 <= x) i++;
        if (hb && b1 <= x) j++;
    }
    return out;
}

// The layout across the growth direction. For every node below the top:
// span (its subtree's extent across), the node's box top within that extent,
// its subtree's top within its parent's, and how much further than the
// nearest column it lies in the direction of growth; and the outline of every
// subtree, so that a subtree tucks in beside its elder siblings as far as
// their boxes allow.
struct Bands {
    std::vector<int> span, boxtop, kidtop, kidmain;
    std::vector<Outline> outline;
};

// Subtrees of the given tops stacked across, each in order below the one
// before and as close as their outlines allow, all starting at the same place
// along the growth direction: their tops relative to the stack's, and the
// stack's extent.
struct Stack {
    std::vector<long> at;
    long span = 0;
    Outline outline;
};

Stack stacked(const Bands &b, const std::vector<ArrangeBox> &boxes, const std::vector<int> &tops,
              long along, int gap) {
    Stack st;
    long prevbottom = LONG_MIN;
    for (size_t k = 0; k < tops.size(); k++) {
        const int c = tops[k];
        long y = 0;
        if (k > 0) {
            // Below the elder siblings' boxes, and the own box below theirs,
            // so that the order across is kept whatever the boxes' sizes.
            y = std::max(clearance(st.outline, b.outline[c], along, gap),
                         prevbottom + gap - b.boxtop[c]);
        }
        st.at.push_back(y);
        st.outline = merged(st.outline, b.outline[c], along, y);
        prevbottom = y + b.boxtop[c] + boxes[c].h;
    }
    long lo = LONG_MAX, hi = LONG_MIN;
    for (const Stretch &s : st.outline) {
        lo = std::min(lo, s.lo);
        hi = std::max(hi, s.hi);
    }
    if (lo > hi) lo = hi = 0;
    for (long &y : st.at) y -= lo;
    for (Stretch &s : st.outline) {
        s.lo -= lo;
        s.hi -= lo;
    }
    st.span = hi - lo;
    return st;
}

// With maxrows above 0, children that are all leaves and more than maxrows
// are laid out in rows of columns (read row by row), so that a big tree fits
// the page: the subtree gets shorter and the branch longer.
Bands bands(const Tree &t, const std::vector<ArrangeBox> &boxes, int gap, int maingap,
            int maxrows) {
    Bands b;
    const size_t n = boxes.size();
    b.span.assign(n, 0);
    b.boxtop.assign(n, 0);
    b.kidtop.assign(n, 0);
    b.kidmain.assign(n, 0);
    b.outline.assign(n, {});
    for (size_t q = t.order.size(); q-- > 0;) {
        const int v = t.order[q];
        const int h = boxes[v].h, w = boxes[v].w;
        const std::vector<int> &kids = t.kids[v];
        if (kids.empty()) {
            b.span[v] = h;
            b.outline[v] = {{0, w, 0, h}};
            continue;
        }
        const bool leaves =
            std::all_of(kids.begin(), kids.end(), [&](int c) { return t.kids[c].empty(); });
        const int count = (int)kids.size();
        const int columns =
            maxrows > 0 && leaves && count > maxrows ? (count + maxrows - 1) / maxrows : 1;
        const long along = (long)w + maingap; // where the children's column starts
        Outline kidsoutline;
        long firstcentre = 0, lastcentre = 0;
        if (columns > 1) {
            int cellw = 0, cellh = 0;
            for (int c : kids) {
                cellw = std::max(cellw, boxes[c].w);
                cellh = std::max(cellh, boxes[c].h);
            }
            std::vector<long> colw(columns, 0), colbottom(columns, 0);
            for (int k = 0; k < count; k++) {
                const int c = kids[k], row = k / columns, column = k % columns;
                b.kidtop[c] = row * (cellh + gap);
                b.kidmain[c] = column * (cellw + gap);
                colw[column] = std::max<long>(colw[column], boxes[c].w);
                colbottom[column] = std::max<long>(colbottom[column], b.kidtop[c] + boxes[c].h);
                const long centre = b.kidtop[c] + boxes[c].h / 2;
                if (k == 0) firstcentre = centre;
                lastcentre = centre;
            }
            for (int column = 0; column < columns; column++) {
                const long x0 = along + (long)column * (cellw + gap);
                extend(kidsoutline, x0, x0 + colw[column], 0, colbottom[column]);
            }
        } else {
            const Stack st = stacked(b, boxes, kids, along, gap);
            for (int k = 0; k < count; k++) {
                const int c = kids[k];
                b.kidtop[c] = (int)st.at[k];
                const long centre = st.at[k] + b.boxtop[c] + boxes[c].h / 2;
                if (k == 0) firstcentre = centre;
                lastcentre = centre;
            }
            kidsoutline = st.outline;
        }
        if (q > 0) // the root's children are stacked again in a mind map
            for (int c : kids) Outline().swap(b.outline[c]);
        const long top = (firstcentre + lastcentre) / 2 - h / 2;
        long lo = top, hi = top + h;
        for (const Stretch &s : kidsoutline) {
            lo = std::min(lo, s.lo);
            hi = std::max(hi, s.hi);
        }
        for (int c : kids) b.kidtop[c] = (int)(b.kidtop[c] - lo);
        b.boxtop[v] = (int)(top - lo);
        b.span[v] = (int)(hi - lo);
        b.outline[v] = merged({{0, w, top - lo, top - lo + h}}, kidsoutline, 0, -lo);
    }
    return b;
}

// Places the subtrees of the given top nodes, their tops at bandtop plus at,
// growing in direction dir (+1 right, -1 left) from the edge at mainfrom.
void placesubtrees(const Tree &t, const Bands &b, const std::vector<ArrangeBox> &boxes,
                   const std::vector<int> &tops, const std::vector<long> &at, int mainfrom, int dir,
                   int bandtop, int maingap, std::vector<ArrangeBox> &rel) {
    std::vector<int> band(boxes.size(), 0), stack;
    for (size_t k = 0; k < tops.size(); k++) {
        const int c = tops[k];
        band[c] = bandtop + (int)at[k];
        rel[c].x = dir > 0 ? mainfrom : mainfrom - boxes[c].w;
        stack.push_back(c);
    }
    while (!stack.empty()) {
        const int v = stack.back();
        stack.pop_back();
        rel[v].y = band[v] + b.boxtop[v];
        rel[v].w = boxes[v].w;
        rel[v].h = boxes[v].h;
        for (int c : t.kids[v]) {
            band[c] = band[v] + b.kidtop[c];
            rel[c].x = dir > 0 ? rel[v].x + boxes[v].w + maingap + b.kidmain[c]
                               : rel[v].x - maingap - b.kidmain[c] - boxes[c].w;
            stack.push_back(c);
        }
    }
}

// A tree growing right from its root; rel is indexed by node.
void treelayout(const Tree &t, const std::vector<ArrangeBox> &boxes, int root, int gap, int maingap,
                int maxrows, std::vector<ArrangeBox> &rel) {
    const Bands b = bands(t, boxes, gap, maingap, maxrows);
    placesubtrees(t, b, boxes, {root}, {0}, 0, 1, 0, maingap, rel);
}

// A mind map: the root in the middle, its branches on both sides.
void mindmaplayout(const Tree &t, const std::vector<ArrangeBox> &boxes, int root, int gap,
                   int maingap, int maxrows, bool rebalance, std::vector<ArrangeBox> &rel) {
    const Bands b = bands(t, boxes, gap, maingap, maxrows);
    const ArrangeBox &r = boxes[root];
    const std::vector<int> &kids = t.kids[root];

    // Branches already on both sides keep their side (unless that does not
    // fit); otherwise they are read clockwise from the top and split where the
    // two sides balance best.
    std::vector<int> right, left;
    for (int c : kids) (centre2x(boxes[c]) >= centre2x(r) ? right : left).push_back(c);
    if (right.empty() || left.empty() || rebalance) {
        std::vector<int> around(kids);
        auto angle = [&](int c) {
            const double dx = (double)(centre2x(boxes[c]) - centre2x(r));
            const double dy = (double)(centre2y(boxes[c]) - centre2y(r));
            double v = std::atan2(dx, -dy);
            return v < 0 ? v + 2 * M_PI : v;
        };
        std::stable_sort(around.begin(), around.end(),
                         [&](int p, int q) { return angle(p) < angle(q); });
        long total = 0;
        for (int c : around) total += b.span[c];
        long prefix = 0, bestdiff = LONG_MAX;
        size_t split = 0;
        for (size_t k = 0; k <= around.size(); k++) {
            const long diff = std::labs(total - 2 * prefix);
            if (diff < bestdiff) {
                bestdiff = diff;
                split = k;
            }
            if (k < around.size()) prefix += b.span[around[k]];
        }
        right.assign(around.begin(), around.begin() + (long)split);
        left.assign(around.rbegin(), around.rend() - (long)split);
    }
    rel[root] = {-(r.w / 2), -(r.h / 2), r.w, r.h};
    const Stack rs = stacked(b, boxes, right, 0, gap), ls = stacked(b, boxes, left, 0, gap);
    placesubtrees(t, b, boxes, right, rs.at, rel[root].x + r.w + maingap, 1, (int)(-rs.span / 2),
                  maingap, rel);
    placesubtrees(t, b, boxes, left, ls.at, rel[root].x - maingap, -1, (int)(-ls.span / 2), maingap,
                  rel);
}

// ---- Flowchart ----

// Graphviz's layered layout keeps some small blocks it never frees (the flat
// edges it makes while ordering a rank, some virtual edges). In a build with
// the leak checker, leaks inside Graphviz are overlooked; ours are not.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define IW_LEAKCHECK 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define IW_LEAKCHECK 1
#endif
#ifdef IW_LEAKCHECK
} // namespace
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libgvc.so\nleak:libgvplugin_dot_layout.so\n";
}
namespace {
#endif

void quieterrors() {
    static bool done = false;
    if (done) return;
    done = true;
    agseterr(AGMAX); // warnings and errors stay out of the user's terminal
    agseterrf([](char *) { return 0; });
}

GVC_t *graphviz() {
    static GVC_t *gvc = gvContext();
    return gvc;
}

std::string inches(int units) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", std::max(units, 1) / 254.0);
    return buf;
}

// A layered drawing of the part from top to bottom; false when Graphviz fails.
bool flowchartlayout(const std::vector<ArrangeBox> &boxes, const ArrangeGraph &g,
                     const std::vector<int> &members, int gap, int maingap,
                     std::vector<ArrangeBox> &rel) {
    quieterrors();
    GVC_t *gvc = graphviz();
    if (!gvc) return false;
    char name[] = "arrange";
    Agraph_t *graph = agopen(name, Agdirected, nullptr);
    if (!graph) return false;
    agattr(graph, AGRAPH, (char *)"ordering", (char *)"out");
    agattr(graph, AGRAPH, (char *)"splines", (char *)"none");
    agattr(graph, AGRAPH, (char *)"nodesep", (char *)inches(gap).c_str());
    agattr(graph, AGRAPH, (char *)"ranksep", (char *)inches(maingap).c_str());
    agattr(graph, AGNODE, (char *)"shape", (char *)"box");
    agattr(graph, AGNODE, (char *)"fixedsize", (char *)"true");
    agattr(graph, AGNODE, (char *)"label", (char *)"");
    agattr(graph, AGNODE, (char *)"width", (char *)"1");
    agattr(graph, AGNODE, (char *)"height", (char *)"1");

    // Nodes in reading order (top to bottom, left to right), each one's
    // outgoing connectors in the order of their ends from left to right: with
    // ordering=out dot keeps that order among a node's successors.
    constexpr int PAD = 2; // against rounding on the way back
    std::vector<int> order(members);
    std::stable_sort(order.begin(), order.end(), [&](int p, int q) {
        const long py = centre2y(boxes[p]), qy = centre2y(boxes[q]);
        return py != qy ? py < qy : centre2x(boxes[p]) < centre2x(boxes[q]);
    });
    std::vector<Agnode_t *> node(boxes.size(), nullptr);
    for (int v : order) {
        std::string id = std::to_string(v);
        node[v] = agnode(graph, id.data(), 1);
        agsafeset(node[v], (char *)"width", (char *)inches(boxes[v].w + 2 * PAD).c_str(),
                  (char *)"");
        agsafeset(node[v], (char *)"height", (char *)inches(boxes[v].h + 2 * PAD).c_str(),
                  (char *)"");
    }
    std::vector<std::vector<int>> succ(boxes.size());
    for (const auto &[from, to] : g.edges) {
        if (from < 0 || to < 0 || from >= (int)boxes.size() || to >= (int)boxes.size()) continue;
        if (from == to || !node[from] || !node[to]) continue;
        succ[from].push_back(to);
    }
    for (int v : order) {
        std::vector<int> &s = succ[v];
        std::stable_sort(s.begin(), s.end(),
                         [&](int p, int q) { return centre2x(boxes[p]) < centre2x(boxes[q]); });
        s.erase(std::unique(s.begin(), s.end()), s.end());
        for (int w : s) agedge(graph, node[v], node[w], nullptr, 1);
    }

    const bool laidout = gvLayout(gvc, graph, "dot") == 0;
    if (laidout) {
        for (int v : members) {
            const pointf c = ND_coord(node[v]);
            const long cx = std::lround(c.x * 254.0 / 72.0), cy = std::lround(-c.y * 254.0 / 72.0);
            rel[v] = {(int)(cx - boxes[v].w / 2), (int)(cy - boxes[v].h / 2), boxes[v].w,
                      boxes[v].h};
        }
        gvFreeLayout(gvc, graph);
    }
    agclose(graph);
    return laidout;
}

// ---- Placing the blocks ----

struct Placed {
    ArrangeBox bound;
    std::vector<ArrangeBox> boxes;
};

ArrangeBox boundof(const std::vector<ArrangeBox> &boxes) {
    if (boxes.empty()) return {};
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    for (const ArrangeBox &b : boxes) {
        x0 = std::min(x0, b.x);
        y0 = std::min(y0, b.y);
        x1 = std::max(x1, b.x + b.w);
        y1 = std::max(y1, b.y + b.h);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

ArrangeBox shifted(ArrangeBox b, int dx, int dy) {
    b.x += dx;
    b.y += dy;
    return b;
}

// Whether the block's boxes, moved by (dx, dy), are clear of everything placed.
bool clear(const std::vector<ArrangeBox> &boxes, const ArrangeBox &bound, int dx, int dy,
           const std::vector<Placed> &placed) {
    const ArrangeBox b = shifted(bound, dx, dy);
    for (const Placed &p : placed) {
        if (!boxesoverlap(b, p.bound)) continue;
        for (const ArrangeBox &mine : boxes) {
            const ArrangeBox m = shifted(mine, dx, dy);
            if (!boxesoverlap(m, p.bound)) continue;
            for (const ArrangeBox &other : p.boxes)
                if (boxesoverlap(m, other)) return false;
        }
    }
    return true;
}

struct Candidate {
    long cost1, cost2; // compared in turn: page growth, then distance
    int x, y;          // the bound's top-left corner
};

} // namespace

bool boxesoverlap(const ArrangeBox &a, const ArrangeBox &b) {
    return a.w > 0 && a.h > 0 && b.w > 0 && b.h > 0 && a.x < b.x + b.w && b.x < a.x + a.w &&
           a.y < b.y + b.h && b.y < a.y + a.h;
}

ArrangeResult arrangelayout(ArrangeKind kind, const ArrangeGraph &g) {
    ArrangeResult res;
    const int n = (int)g.nodes.size();
    res.nodes = g.nodes;
    res.pagewidth = g.pagewidth;
    res.pageheight = g.pageheight;
    std::vector<ArrangeBox> boxes(g.nodes);
    for (ArrangeBox &b : boxes) {
        b.w = clampsize(b.w);
        b.h = clampsize(b.h);
        b.x = std::clamp(b.x, -MAXSIZE, MAXSIZE);
        b.y = std::clamp(b.y, -MAXSIZE, MAXSIZE);
    }
    auto locked = [&](int v) { return v < (int)g.locked.size() && g.locked[v]; };
    const int spacing = std::clamp(g.spacing, 20, 1000);
    const int gap = std::max(10, spacing / 2), maingap = spacing;
    const int margin = std::max(0, g.margin);
    const int maxpage = std::clamp(g.maxpage, 1, MAXSIZE);

    // Transposed for a tree growing down: the layouts all grow right.
    const bool down = kind == ArrangeKind::TreeDown;
    std::vector<ArrangeBox> work(boxes);
    if (down)
        for (ArrangeBox &b : work) b = {b.y, b.x, b.h, b.w};

    const Adjacency a = adjacency(g);
    std::vector<Placed> placed;
    // Locked nodes and obstacles stay where they are; the blocks avoid them.
    for (const ArrangeBox &o : g.obstacles) placed.push_back({o, {o}});
    for (int v = 0; v < n; v++)
        if (locked(v)) placed.push_back({boxes[v], {boxes[v]}});

    int pagew = std::clamp(g.pagewidth, 1, maxpage), pageh = std::clamp(g.pageheight, 1, maxpage);
    std::vector<ArrangeBox> rel(n), fallback;
    for (const Part &p : parts(g, a)) {
        if (kind == ArrangeKind::Flowchart) {
            if (!flowchartlayout(boxes, g, p.members, gap, maingap, rel)) {
                res.why = "Sorry. The flowchart could not be laid out.";
                return res;
            }
        } else {
            // The plainest layout that fits the largest page: leaves in ever
            // fewer rows, then at half the spacing, until the part fits (or
            // none does, and the plain one is refused).
            const Tree t = spanningtree(work, a, p.root);
            bool fits = false;
            for (int tries = 0; tries < 4 && !fits; tries++) {
                const int half = tries % 2;
                const bool rebalance = tries >= 2;
                if (rebalance && kind != ArrangeKind::MindMap) break;
                const int g1 = half ? std::max(10, gap / 2) : gap;
                const int m1 = half ? std::max(20, maingap / 2) : maingap;
                for (int maxrows : {0, 16, 12, 8, 6, 4, 3, 2, 1}) {
                    if (kind == ArrangeKind::MindMap)
                        mindmaplayout(t, work, p.root, g1, m1, maxrows, rebalance, rel);
                    else
                        treelayout(t, work, p.root, g1, m1, maxrows, rel);
                    std::vector<ArrangeBox> all;
                    for (int v : p.members) all.push_back(rel[v]);
                    const ArrangeBox bd = boundof(all);
                    fits = bd.w + 2 * margin <= maxpage && bd.h + 2 * margin <= maxpage;
                    if (fits) break;
                    if (tries == 0 && maxrows == 0) fallback = rel;
                }
            }
            if (!fits) rel = fallback;
        }
        if (down)
            for (int v : p.members) rel[v] = {rel[v].y, rel[v].x, rel[v].h, rel[v].w};

        // The block's boxes (locked nodes keep their places outside it), and
        // where it would lie with its root where the root is now.
        std::vector<int> moving;
        std::vector<ArrangeBox> mine;
        for (int v : p.members)
            if (!locked(v)) {
                moving.push_back(v);
                mine.push_back(rel[v]);
            }
        if (mine.empty()) continue;
        const ArrangeBox bound = boundof(mine);
        const int needw = bound.w + 2 * margin, needh = bound.h + 2 * margin;
        if (needw > maxpage || needh > maxpage) {
            res.why = "Sorry. The arrangement needs a page of " + std::to_string(needw / 10) +
                      " x " + std::to_string(needh / 10) + " mm, more than the largest page (" +
                      std::to_string(maxpage / 10) + " x " + std::to_string(maxpage / 10) + " mm).";
            return res;
        }
        const int wantx = bound.x + boxes[p.root].x - rel[p.root].x;
        const int wanty = bound.y + boxes[p.root].y - rel[p.root].y;

        // The nearest clear place on the page as it is; else on a grown page,
        // growing it as little as can be.
        auto tryat = [&](int x, int y) {
            return clear(mine, bound, x - bound.x, y - bound.y, placed);
        };
        bool found = false;
        int bx = 0, by = 0;
        if (bound.w + 2 * margin <= pagew && bound.h + 2 * margin <= pageh) {
            bx = std::clamp(wantx, margin, pagew - margin - bound.w);
            by = std::clamp(wanty, margin, pageh - margin - bound.h);
            found = tryat(bx, by);
        }
        for (int phase = 0; phase < 2 && !found; phase++) {
            const int w = phase == 0 ? pagew : maxpage, h = phase == 0 ? pageh : maxpage;
            if (bound.w + 2 * margin > w || bound.h + 2 * margin > h) continue;
            // Places a grid step apart, at most some thousands of them.
            const int step = std::max({25, gap, (int)std::sqrt((double)w * h / 4000.0) + 1});
            std::vector<Candidate> cands;
            const int xmax = w - margin - bound.w, ymax = h - margin - bound.h;
            for (int y = margin;; y = std::min(y + step, ymax)) {
                for (int x = margin;; x = std::min(x + step, xmax)) {
                    const long grow = (long)std::max(pagew, x + bound.w + margin) *
                                          std::max(pageh, y + bound.h + margin) -
                                      (long)pagew * pageh;
                    const long dist = std::labs((long)x - wantx) + std::labs((long)y - wanty);
                    cands.push_back({phase ? grow : 0, dist, x, y});
                    if (x >= xmax) break;
                }
                if (y >= ymax) break;
            }
            std::sort(cands.begin(), cands.end(), [](const Candidate &p, const Candidate &q) {
                return p.cost1 != q.cost1 ? p.cost1 < q.cost1 : p.cost2 < q.cost2;
            });
            for (const Candidate &c : cands)
                if (tryat(c.x, c.y)) {
                    found = true;
                    bx = c.x;
                    by = c.y;
                    break;
                }
        }
        if (!found) {
            res.why = "Sorry. There is no room for the arrangement, even on the largest page (" +
                      std::to_string(maxpage / 10) + " x " + std::to_string(maxpage / 10) + " mm).";
            return res;
        }
        const int dx = bx - bound.x, dy = by - bound.y;
        Placed done{shifted(bound, dx, dy), {}};
        for (size_t k = 0; k < moving.size(); k++) {
            const ArrangeBox b = shifted(mine[k], dx, dy);
            res.nodes[moving[k]].x = b.x;
            res.nodes[moving[k]].y = b.y;
            done.boxes.push_back(b);
        }
        pagew = std::max(pagew, done.bound.x + done.bound.w + margin);
        pageh = std::max(pageh, done.bound.y + done.bound.h + margin);
        placed.push_back(std::move(done));
    }
    res.pagewidth = std::max(pagew, g.pagewidth);
    res.pageheight = std::max(pageh, g.pageheight);
    res.ok = true;
    return res;
}
