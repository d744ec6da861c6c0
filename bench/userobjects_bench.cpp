// User-object banks: reading (with its checks) and writing a bank of twelve
// templates of twenty parts each, and the SVG text of one template's picture.
#include "app/startup.h"
#include "export/usericon.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/headless/headlessui.h"
#include "platform/platform.h"
#include "store/userobjects.h"

#include <benchmark/benchmark.h>

namespace {

HeadlessUI ui(nullptr);

// Twelve used slots, each with twenty rectangle parts.
std::vector<uint8_t> fullbank() {
    setplatformui(&ui);
    setupcore();
    for (int k = 1; k <= MAXUSERIWO; k++) {
        IWORecord &t = userIWO[k];
        t.type = (int16_t)(131 + k);
        t.width = 400;
        t.height = 200;
        t.drawnum = MAXDRAWNUM;
        for (int d = 0; d < MAXDRAWNUM; d++) {
            t.draw[d].kind = 1;
            t.draw[d].px[1] = t.draw[d].px[2] = (int8_t)(5 * d);
            t.draw[d].py[2] = t.draw[d].py[3] = 100;
        }
    }
    return userIWObankbytes();
}

void BM_ReadFullBank(benchmark::State &state) {
    const std::vector<uint8_t> bank = fullbank();
    for (auto _ : state) benchmark::DoNotOptimize(readUserIWObankbytes(bank.data(), bank.size()));
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)bank.size());
}
BENCHMARK(BM_ReadFullBank);

void BM_WriteFullBank(benchmark::State &state) {
    fullbank();
    for (auto _ : state) benchmark::DoNotOptimize(userIWObankbytes());
}
BENCHMARK(BM_WriteFullBank);

void BM_IconSVGOfTwentyParts(benchmark::State &state) {
    fullbank();
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 132, 0, 0, linecolour, lineweight, fillcolour);
    for (auto _ : state) benchmark::DoNotOptimize(usericonsvg(1));
}
BENCHMARK(BM_IconSVGOfTwentyParts);

} // namespace
