// Import of a 490-item Markdown outline (a root, 9 branches of 9 topics, and
// 399 points under those): ideaweave-cli import as a whole process (start-up,
// reading, building the mind map, arranging it, writing the diagram), and the
// reading and building in process.
#include "app/startup.h"
#include "import/import.h"
#include "platform/files.h"
#include "platform/headless/headlessui.h"
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char **environ;

namespace {

HeadlessUI ui(nullptr);

const std::string &outlinefile() {
    static std::string path;
    if (!path.empty()) return path;
    std::string md = "# Year plan\n\n- Year plan\n";
    int items = 1, points = 0;
    for (int b = 1; b <= 9; b++) {
        md += "    - Branch " + std::to_string(b) + "\n";
        items++;
        for (int t = 1; t <= 9; t++) {
            md += "        - Topic " + std::to_string(b) + "." + std::to_string(t) + "\n";
            items++;
            for (int p = 1; p <= 5 && points < 399; p++, points++, items++)
                md += "            - Point " + std::to_string(b) + "." + std::to_string(t) + "." +
                      std::to_string(p) + " *to do*\n";
        }
    }
    if (items != 490) std::fprintf(stderr, "the outline has %d items\n", items);
    path = tempdirectory() + "bench-import-490.md";
    if (!writefileatomic(path, std::vector<uint8_t>(md.begin(), md.end())))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return path;
}

int runimport(const std::string &out) {
    const std::string cli = IW_CLI_PATH, in = outlinefile();
    const char *argv[] = {cli.c_str(), "import", in.c_str(), out.c_str(), nullptr};
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

void BM_ImportOutlineProcess(benchmark::State &state) {
    const std::string out = tempdirectory() + "bench-import-490.iwo";
    for (auto _ : state)
        if (runimport(out) != 0) state.SkipWithError("ideaweave-cli import failed");
}
BENCHMARK(BM_ImportOutlineProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportOutlineInProcess(benchmark::State &state) {
    setplatformui(&ui);
    setupcore();
    const std::string in = outlinefile();
    for (auto _ : state) {
        std::string why, note;
        if (!loadoutlinefile(in, why, note)) state.SkipWithError(why.c_str());
    }
}
BENCHMARK(BM_ImportOutlineInProcess)->Unit(benchmark::kMillisecond);

} // namespace
