// fuzz_prefsreader.cpp - feeds arbitrary bytes to the settings reader.
//
// Whatever the bytes, reading must neither crash nor read outside the input;
// settings that are refused must stay as they were; settings that are taken
// must hold their texts terminated and values the program can use, and must
// write and read back to the same bytes.
#include "app/startup.h"
#include "model/diagram.h"
#include "store/prefs.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool ready = (setupcore(), true);
    (void)ready;
    setdefaultpreferences();
    const std::vector<uint8_t> before = writepreferencesbytes();
    if (!readpreferencesbytes(data, size)) {
        if (writepreferencesbytes() != before) std::abort();
        return 0;
    }
    const DiagramRecord &d = defaultIWODiagram;
    if (!std::memchr(d.title, 0, sizeof d.title) ||
        !std::memchr(d.filename, 0, sizeof d.filename) ||
        !std::memchr(PrefList.fontname, 0, sizeof PrefList.fontname))
        std::abort();
    if (!std::isfinite(PrefList.zoom) || PrefList.zoom <= 0 || PrefList.GridSize < 1 ||
        PrefList.scrollsizex < 1 || d.paperwidth < 300 || d.paperheight > 6000)
        std::abort();
    const std::vector<uint8_t> taken = writepreferencesbytes();
    if (!readpreferencesbytes(taken.data(), taken.size())) std::abort();
    if (writepreferencesbytes() != taken) std::abort();
    return 0;
}
