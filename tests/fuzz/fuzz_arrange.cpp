// fuzz_arrange.cpp - arranges any graph of up to 500 nodes: sizes, places,
// locks, obstacles and edges (cycles, self-loops and repeats included) come
// from the bytes.
//
// Whatever the graph, an arrangement either says why it cannot be made and
// moves nothing, or keeps every size, leaves locked nodes where they were,
// puts every other node on the page, and lets no two boxes overlap.
#include "arrange/layout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Reader {
    const uint8_t *p;
    size_t n;
    int byte() {
        if (!n) return 0;
        n--;
        return *p++;
    }
    int word() { return byte() << 8 | byte(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Reader in{data, size};
    const int head = in.byte();
    const ArrangeKind kind = (ArrangeKind)(head & 3);
    ArrangeGraph g;
    const int nodes = 1 + in.word() % 500;
    const int edges = in.word() % 1000;
    g.spacing = 50 + in.byte() * 2;
    g.pagewidth = 1000 + in.word() % 5000;
    g.pageheight = 1000 + in.word() % 5000;
    g.root = (head & 4) ? in.word() % nodes : -1;
    for (int v = 0; v < nodes && in.n > 0; v++) {
        const int flags = in.byte();
        ArrangeBox b{in.word() % 6000 - 500, in.word() % 6000 - 500, 20 + in.byte() * 2,
                     20 + in.byte()};
        if (flags & 1)
            g.obstacles.push_back(b);
        else {
            g.nodes.push_back(b);
            g.locked.push_back((flags & 6) == 6);
        }
    }
    if (g.nodes.empty()) return 0;
    const int count = (int)g.nodes.size();
    if (g.root >= count) g.root = -1;
    for (int e = 0; e < edges && in.n > 0; e++)
        g.edges.emplace_back(in.word() % count, in.word() % count);

    const ArrangeResult r = arrangelayout(kind, g);
    if (r.nodes.size() != g.nodes.size()) std::abort();
    if (!r.ok) {
        if (r.why.empty()) std::abort();
        for (int v = 0; v < count; v++)
            if (r.nodes[v].x != g.nodes[v].x || r.nodes[v].y != g.nodes[v].y) std::abort();
        return 0;
    }
    if (r.pagewidth > g.maxpage || r.pageheight > g.maxpage) std::abort();
    for (int v = 0; v < count; v++) {
        const ArrangeBox &b = r.nodes[v];
        if (b.w != g.nodes[v].w || b.h != g.nodes[v].h) std::abort();
        if (g.locked[v]) {
            if (b.x != g.nodes[v].x || b.y != g.nodes[v].y) std::abort();
            continue;
        }
        if (b.x < g.margin || b.y < g.margin || b.x + b.w > r.pagewidth - g.margin ||
            b.y + b.h > r.pageheight - g.margin)
            std::abort();
        for (const ArrangeBox &o : g.obstacles)
            if (boxesoverlap(b, o)) std::abort();
        for (int u = 0; u < count; u++)
            if (u != v && boxesoverlap(b, r.nodes[u])) std::abort();
    }
    return 0;
}
