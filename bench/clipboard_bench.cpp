// Copy and Paste: the three clipboard forms of 500 selected objects, and a
// paste of 190 objects beside their originals (with the search for a free
// place) followed by its undo; 190 is about the largest paste the history
// ring can undo whole.
#include "app/clipboard.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "app/startup.h"
#include "edit/history.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/headless/headlessui.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "render/view.h"

#include <benchmark/benchmark.h>

namespace {

HeadlessUI ui(nullptr);
void table(int objects) {
    setplatformui(&ui);
    setupcore();
    closedrawspacewindow();
    opendrawspacewindow(1280, 800);
    setbitmapsize();
    DiagramExists = 1;
    IWONumber = 1;
    for (int i = 0; i < objects; i++) {
        int n = IWONumber;
        resetsingleIWO(n);
        createIWO(n, 101, 100 + (i % 40) * 45, 100 + (i / 40) * 100, linecolour, lineweight,
                  fillcolour);
        IWO[n].width = 40;
        IWO[n].height = 40;
        IWO[n].selected = 1;
    }
    resethistory();
}

void BM_CopyFormsOf500(benchmark::State &state) {
    table(500);
    const std::vector<int> set = clipboardset();
    for (auto _ : state) benchmark::DoNotOptimize(clipboardforms(set));
}
BENCHMARK(BM_CopyFormsOf500)->Unit(benchmark::kMillisecond);

void BM_PasteAndUndo190(benchmark::State &state) {
    constexpr int OBJECTS = 190;
    table(OBJECTS);
    const std::string bytes = clipboardforms(clipboardset()).at(OBJECTSMIME);
    for (auto _ : state) {
        pastebytes(bytes);
        undohistory();
        if (IWONumber != OBJECTS + 1) state.SkipWithError("the paste was not undone");
        IWOid = OBJECTS; // ids would run out over many iterations
    }
}
BENCHMARK(BM_PasteAndUndo190)->Unit(benchmark::kMillisecond);

} // namespace
