// Undo and redo on a full table of 1000 objects.
//
// The ring holds 195 entries, so the largest group that can be undone whole
// touches 193 objects (group begin and end take two entries); a group over
// all 1000 objects is more than the ring holds and empties the history. The
// benchmarks measure the largest undoable group spread over the full table,
// and the recording of a command over all 1000 objects (with its emptying).
#include "app/startup.h"
#include "edit/history.h"
#include "edit/transform.h"
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

// A fresh core with a full table of rectangles spread over the page.
void fulltable(bool window = false) {
    setplatformui(&ui);
    setupcore();
    closedrawspacewindow();
    if (window) {
        opendrawspacewindow(1920, 1080);
        setbitmapsize();
    }
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
    }
    resethistory();
}

// One group moving every fifth object, 193 in all: the largest undoable group.
void BM_UndoRedoLargestGroupOnFullTable(benchmark::State &state) {
    fulltable(state.range(0) != 0);
    const int members = MAXHISTORY - 2;
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPBEGIN);
    for (int m = 0; m < members; m++) {
        int i = 1 + m * 5;
        savehistorypre(i);
        IWO[i].x += 10;
        savehistorypost(i, HISTORY_MODIFY);
    }
    savehistorypre(1);
    savehistorypost(1, HISTORY_GROUPEND);
    for (auto _ : state) {
        undohistory();
        redohistory();
    }
    state.counters["members"] = members;
}
// Argument 1: with a 1920 x 1080 drawing window, so that the redraws count.
BENCHMARK(BM_UndoRedoLargestGroupOnFullTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Resize of all 1000 objects: 1000 modify entries recorded, more than the ring
// holds, so the history ends empty.
void BM_ResizeAllOnFullTable(benchmark::State &state) {
    fulltable();
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 1;
    selectedIWO = (int16_t)(IWONumber - 1);
    int percent = 200;
    for (auto _ : state) {
        resize(percent);
        percent = percent == 200 ? 50 : 200;
    }
}
BENCHMARK(BM_ResizeAllOnFullTable)->Unit(benchmark::kMillisecond);

// Undo and redo of one creation at the bottom of the full table: every record
// above it is shifted.
void BM_UndoRedoCreationAtBottom(benchmark::State &state) {
    fulltable();
    savehistorypre(1);
    savehistorypost(1, HISTORY_CREATE);
    // The entry says record 1 was created; undo removes it, redo puts it back.
    for (auto _ : state) {
        undohistory();
        redohistory();
    }
}
BENCHMARK(BM_UndoRedoCreationAtBottom)->Unit(benchmark::kMillisecond);

} // namespace
