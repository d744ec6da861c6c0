// fuzz_diagramreader.cpp - feeds arbitrary bytes to the diagram reader.
//
// Whatever the bytes, loading must neither crash nor read or write outside a
// record or the table; a load that is refused must leave the table as it was;
// and a diagram that loads must save and load again to the same records.
#include "app/startup.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "store/diagramfile.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> tableimage() {
    std::vector<uint8_t> out((size_t)IWONumber * IWORECORDSIZE + 2);
    out[0] = (uint8_t)(IWONumber >> 8);
    out[1] = (uint8_t)IWONumber;
    for (int i = 0; i < IWONumber; i++) writeIWOrecord(IWO[i], out.data() + 2 + i * IWORECORDSIZE);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool ready = (setupcore(), true);
    (void)ready;
    newIWOdiagram();
    IWONumber = 1;
    std::vector<uint8_t> before = tableimage();
    if (!readIWOdiagrambytes(data, size)) {
        if (tableimage() != before) std::abort();
        return 0;
    }
    if (IWONumber < 1 || IWONumber > MAXIWO + 1) std::abort();
    // Saved and loaded again, the diagram is the same: the same records and
    // diagram record, and the same bytes when saved a second time.
    const std::vector<uint8_t> saved = writeIWOdiagrambytes();
    const std::vector<uint8_t> loaded = tableimage();
    const DiagramRecord diagram = IWODiagram;
    if (!readIWOdiagrambytes(saved.data(), saved.size())) std::abort();
    if (tableimage() != loaded) std::abort();
    uint8_t a[DIAGRAMRECORDSIZE], b[DIAGRAMRECORDSIZE];
    writeIWOdiagramrecord(diagram, a);
    writeIWOdiagramrecord(IWODiagram, b);
    if (std::memcmp(a, b, sizeof a) != 0) std::abort();
    if (writeIWOdiagrambytes() != saved) std::abort();
    return 0;
}
