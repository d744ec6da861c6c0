// Export of a large diagram: 500 labelled rectangles joined by 499 connectors
// on an A2 page. The SVG text, the PNG (96 dpi) and the PDF in process, and
// ideaweave-cli export as a whole process (start-up, reading the file, writing
// SVG, PNG or PDF).
#include "app/session.h"
#include "app/startup.h"
#include "edit/interact.h"
#include "export/picture.h"
#include "export/svg.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/files.h"
#include "platform/headless/headlessui.h"
#include "platform/platform.h"
#include "store/diagramfile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char **environ;

namespace {

HeadlessUI ui(nullptr);

int object(int type, int x, int y) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    const int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, type, x, y, linecolour, lineweight, fillcolour);
    IWO[n].selected = 0;
    return n;
}

// The diagram, built once and saved into the temporary directory.
const std::string &largediagram() {
    static std::string path;
    if (!path.empty()) return path;
    setplatformui(&ui);
    setupcore();
    startnewdiagram();
    IWODiagram.paperwidth = 5940;
    IWODiagram.paperheight = 4200;
    for (int i = 0; i < 500; i++) {
        const int n = object(101, 100 + (i % 25) * 230, 100 + (i / 25) * 200);
        IWO[n].width = 180;
        IWO[n].height = 120;
        std::snprintf(IWO[n].label, sizeof IWO[n].label, "Box %d", i + 1);
    }
    for (int i = 1; i < 500; i++) {
        const IWORecord &a = IWO[i], &b = IWO[i + 1];
        connectstartIWO = (int16_t)i, connectendIWO = (int16_t)(i + 1);
        connectstartoffsetx = 90, connectstartoffsety = 60, connectendoffsetx = 90,
        connectendoffsety = 60;
        IWORecord &s = IWO[SHADOWIWO];
        s.x = (int16_t)(a.x + 90), s.y = (int16_t)(a.y + 60);
        s.width = (int16_t)(b.x - a.x), s.height = (int16_t)(b.y - a.y);
        const int n = IWONumber;
        resetsingleIWO(n);
        createIWO(n, CONNECTORTYPE, b.x + 90, b.y + 60, linecolour, lineweight, fillcolour);
        IWO[n].selected = 0;
    }
    connectstartIWO = connectendIWO = -5;
    path = tempdirectory() + "bench-export-500.iwo";
    if (!writeIWOdiagramfile(path)) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return path;
}

int runcli(const std::string &out) {
    const std::string cli = IW_CLI_PATH, in = largediagram();
    const char *argv[] = {cli.c_str(), "export", in.c_str(), out.c_str(), nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", 1, 0);
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &fa, nullptr, const_cast<char **>(argv), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&fa);
    return status;
}

void BM_SVGDocumentLargeDiagram(benchmark::State &state) {
    std::string message;
    readIWOdiagramfile(largediagram(), &message);
    for (auto _ : state) benchmark::DoNotOptimize(svgdocument());
}
BENCHMARK(BM_SVGDocumentLargeDiagram)->Unit(benchmark::kMillisecond);

// The picture of the page drawn and encoded, without the file.
void BM_PNGLargeDiagram(benchmark::State &state) {
    std::string message;
    readIWOdiagramfile(largediagram(), &message);
    const Scene scene = buildscene(IWO, IWONumber, IWODiagram);
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        if (!scenepng(scene, PICTUREDPI, &bytes, &message)) state.SkipWithError(message.c_str());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_PNGLargeDiagram)->Unit(benchmark::kMillisecond);

void BM_PDFLargeDiagram(benchmark::State &state) {
    std::string message;
    readIWOdiagramfile(largediagram(), &message);
    const Scene scene = buildscene(IWO, IWONumber, IWODiagram);
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        if (!scenepdf(scene, &bytes, &message)) state.SkipWithError(message.c_str());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_PDFLargeDiagram)->Unit(benchmark::kMillisecond);

// The scene of the whole diagram, as every smooth picture starts.
void BM_SceneLargeDiagram(benchmark::State &state) {
    std::string message;
    readIWOdiagramfile(largediagram(), &message);
    for (auto _ : state) benchmark::DoNotOptimize(buildscene(IWO, IWONumber, IWODiagram));
}
BENCHMARK(BM_SceneLargeDiagram)->Unit(benchmark::kMillisecond);

// Arg 0 SVG, 1 PNG, 2 PDF.
void BM_ExportProcess(benchmark::State &state) {
    const char *names[] = {"bench-export.svg", "bench-export.png", "bench-export.pdf"};
    const std::string out = tempdirectory() + names[state.range(0)];
    for (auto _ : state)
        if (runcli(out) != 0) state.SkipWithError("ideaweave-cli export failed");
}
BENCHMARK(BM_ExportProcess)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
