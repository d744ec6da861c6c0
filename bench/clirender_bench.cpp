// The in-process part of `ideaweave-cli render`: the sample diagram (seven
// objects with labels) read, drawn into a 1920 x 1080 window at zoom 0.3 and
// written as a palette PNG, with the fonts set up afresh each time as in a new
// process; and its two costly steps alone: setting up the label font, and
// writing the rendered window.
#include "app/startup.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "platform/fonts.h"
#include "platform/headless/headlessui.h"
#include "platform/pngwrite.h"
#include "platform/window.h"
#include "render/erase.h"
#include "render/view.h"
#include "store/diagramfile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

HeadlessUI renderui(nullptr);

const std::string OUT = "/tmp/ideaweave-clirender-bench.png";

// Everything the render command does after parsing its arguments.
bool renderonce() {
    setplatformui(&renderui);
    setupcore();
    if (!readIWOdiagramfile(IW_SOURCE_DATADIR "/samples/sample.iwo")) return false;
    DiagramExists = 1;
    updateIWOdiagram();
    opendrawspacewindow(1920, 1080);
    zoom = 0.3f;
    setbitmapsize();
    setscrollertop(HSCROLLER, 0);
    setscrollertop(VSCROLLER, 0);
    cleardrawspace(papercolour);
    refreshIWOall();
    bool ok = writepenpng(OUT.c_str(), drawspacerp);
    closedrawspacewindow();
    return ok;
}

void BM_CliRenderSample1920x1080(benchmark::State &state) {
    for (auto _ : state) {
        closefonts(); // a new process sets the fonts up again
        if (!renderonce()) state.SkipWithError("cannot render the sample");
    }
    std::remove(OUT.c_str());
}
BENCHMARK(BM_CliRenderSample1920x1080)->Unit(benchmark::kMillisecond);

void BM_LabelFontSetup(benchmark::State &state) {
    for (auto _ : state) {
        closefonts();
        benchmark::DoNotOptimize(OpenFont("Bitstream Vera Sans.font", 19, 0));
    }
}
BENCHMARK(BM_LabelFontSetup)->Unit(benchmark::kMillisecond);

void BM_WriteWindowPng1920x1080(benchmark::State &state) {
    if (!renderonce()) state.SkipWithError("cannot render the sample");
    setplatformui(&renderui);
    opendrawspacewindow(1920, 1080);
    zoom = 0.3f;
    setbitmapsize();
    cleardrawspace(papercolour);
    refreshIWOall();
    for (auto _ : state)
        if (!writepenpng(OUT.c_str(), drawspacerp)) state.SkipWithError("cannot write");
    closedrawspacewindow();
    std::remove(OUT.c_str());
}
BENCHMARK(BM_WriteWindowPng1920x1080)->Unit(benchmark::kMillisecond);

} // namespace
