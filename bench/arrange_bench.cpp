// The arrangements in-process: a mind map of a 490-item outline (goal 2 ms)
// and a flowchart of 200 steps and 300 connectors (goal 300 ms). The same
// flowchart is written as dot text for a comparison with Graphviz's own
// program as a whole process (see tools/bench-arrange.sh).
#include "arrange/layout.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// A root, 7 chapters, 49 sections and 433 points, all at one place as a fresh
// import leaves them.
ArrangeGraph outline490() {
    ArrangeGraph g;
    g.nodes.push_back({1000, 1000, 300, 120});
    for (int v = 1; v < 490; v++) {
        g.nodes.push_back({1000, 1000, 150 + (v * 37) % 100, 70});
        g.edges.emplace_back(v <= 7 ? 0 : v <= 56 ? 1 + (v - 8) % 7 : 8 + (v - 57) % 49, v);
    }
    g.root = 0;
    return g;
}

// 200 steps: a chain with branches, 300 connectors, loops back among them.
ArrangeGraph flowchart200() {
    std::mt19937 rng(3);
    ArrangeGraph g;
    for (int v = 0; v < 200; v++) {
        g.nodes.push_back({(int)(rng() % 2000), (int)(rng() % 2800), 200 + (int)(rng() % 100), 80});
        if (v) g.edges.emplace_back((int)(rng() % v), v);
    }
    while (g.edges.size() < 300) g.edges.emplace_back((int)(rng() % 200), (int)(rng() % 200));
    g.maxpage = 32767; // the speed, not the page, is measured here
    return g;
}

void BM_ArrangeMindMap490(benchmark::State &state) {
    const ArrangeGraph g = outline490();
    for (auto _ : state) {
        ArrangeResult r = arrangelayout(ArrangeKind::MindMap, g);
        if (!r.ok) state.SkipWithError(r.why.c_str());
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ArrangeMindMap490)->Unit(benchmark::kMillisecond);

void BM_ArrangeFlowchart200(benchmark::State &state) {
    const ArrangeGraph g = flowchart200();
    // The same graph for `dot -Tsvg`, when asked for.
    if (const char *path = std::getenv("IW_BENCH_DOTFILE")) {
        if (FILE *f = std::fopen(path, "w")) {
            std::fprintf(f,
                         "digraph arrange {\n ordering=out;\n node [shape=box, fixedsize=true];\n");
            for (size_t v = 0; v < g.nodes.size(); v++)
                std::fprintf(f, " %zu [width=%.3f, height=%.3f];\n", v, g.nodes[v].w / 254.0,
                             g.nodes[v].h / 254.0);
            for (const auto &[a, b] : g.edges) std::fprintf(f, " %d -> %d;\n", a, b);
            std::fprintf(f, "}\n");
            std::fclose(f);
        }
    }
    for (auto _ : state) {
        ArrangeResult r = arrangelayout(ArrangeKind::Flowchart, g);
        if (!r.ok) state.SkipWithError(r.why.c_str());
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ArrangeFlowchart200)->Unit(benchmark::kMillisecond);

} // namespace
