// fuzz_bankreader.cpp - feeds arbitrary bytes to the user-object bank reader.
//
// Whatever the bytes, reading must neither crash nor read outside the data; a
// bank that is refused must leave the templates as they were; a bank that is
// taken must give back the same bytes when written again.
#include "app/startup.h"
#include "store/userobjects.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool ready = (setupcore(), true);
    (void)ready;
    resetUserIWOs();
    const std::vector<uint8_t> before = userIWObankbytes();
    if (!readUserIWObankbytes(data, size)) {
        if (userIWObankbytes() != before) std::abort();
        return 0;
    }
    if (size != USERIWOBANKSIZE) std::abort();
    // The header is the open diagram's; the slots come back byte for byte.
    const std::vector<uint8_t> after = userIWObankbytes();
    if (std::memcmp(after.data() + 257, data + 257, size - 257) != 0) std::abort();
    return 0;
}
