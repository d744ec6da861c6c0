// Find on a full table of 1000 labelled objects: what each keystroke in the
// find bar costs, the search alone and with going to the first match
// (selection, scrolling, redraw) as the bar does.
#include "app/find.h"
#include "app/startup.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/headless/headlessui.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/view.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

HeadlessUI ui(nullptr);

// Labels and names as a mind map has them, a few with accents.
void labelledtable() {
    setplatformui(&ui);
    setupcore();
    closedrawspacewindow();
    opendrawspacewindow(1280, 800);
    DiagramExists = 1;
    setbitmapsize();
    static const char *const words[] = {"Meeting",  "Caf\xE9",       "Budget",    "R\xE9sum\xE9",
                                        "Timeline", "Na\xEFve idea", "Follow-up", "Review"};
    IWONumber = 1;
    for (int i = 0; i < MAXIWO; i++) {
        int n = IWONumber;
        resetsingleIWO(SHADOWIWO);
        createIWO(SHADOWIWO, 101, 0, 0, linecolour, lineweight, fillcolour);
        resetsingleIWO(n);
        createIWO(n, 101, 100 + (i % 40) * 45, 100 + (i / 40) * 100, linecolour, lineweight,
                  fillcolour);
        IWO[n].width = 40;
        IWO[n].height = 40;
        IWO[n].selected = 0;
        std::snprintf(IWO[n].label, sizeof IWO[n].label, "%s %d: notes on the %s", words[i % 8], i,
                      words[(i / 8) % 8]);
    }
}

// Typing "resume" letter by letter: one search per keystroke.
void BM_FindPerKeystroke(benchmark::State &state) {
    labelledtable();
    const std::string typed = "resume";
    size_t found = 0;
    for (auto _ : state)
        for (size_t k = 1; k <= typed.size(); k++) found += findmatches(typed.substr(0, k)).size();
    benchmark::DoNotOptimize(found);
    state.counters["per_keystroke"] =
        benchmark::Counter((double)state.iterations() * (double)typed.size(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel("1000 objects");
}
BENCHMARK(BM_FindPerKeystroke)->Unit(benchmark::kMicrosecond);

// A keystroke as the find bar handles it: search, then select the first
// match and scroll it into view (with the redraw that takes; none while the
// first match stays the same as the typing goes on).
void BM_FindAndGoPerKeystroke(benchmark::State &state) {
    labelledtable();
    const std::string typed = "follow";
    for (auto _ : state)
        for (size_t k = 1; k <= typed.size(); k++) {
            const std::vector<int> found = findmatches(typed.substr(0, k));
            if (!found.empty()) gotomatch(found.front(), false);
        }
    state.counters["per_keystroke"] =
        benchmark::Counter((double)state.iterations() * (double)typed.size(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel("1000 objects, 1280x800 window");
}
BENCHMARK(BM_FindAndGoPerKeystroke)->Unit(benchmark::kMicrosecond);

// F3 through the matches: each step selects another object, which takes a
// redraw of the page (the cost of any change of selection on 1000 objects).
void BM_FindNextPerStep(benchmark::State &state) {
    labelledtable();
    const std::vector<int> found = findmatches("follow");
    size_t k = 0;
    for (auto _ : state) gotomatch(found[k++ % found.size()], false);
    state.SetLabel(std::to_string(found.size()) + " matches of 1000 objects");
}
BENCHMARK(BM_FindNextPerStep)->Unit(benchmark::kMicrosecond);

} // namespace
