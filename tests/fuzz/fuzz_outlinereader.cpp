// fuzz_outlinereader.cpp - feeds arbitrary bytes to one of the outline
// readers (IW_FUZZ_FORMAT: EXPORT_MD, EXPORT_OPML or EXPORT_TXT), and what it
// takes to the diagram builder.
//
// Whatever the bytes, reading must not crash;
// a refusal must say why; every item taken must name an earlier item (or
// none) as its parent; a refused build must leave the diagram as it was, and
// a diagram that is built must hold every item within the table.
#include "app/startup.h"
#include "import/import.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/headless/headlessui.h"
#include "platform/platform.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static HeadlessUI ui(nullptr);
    static bool ready = (setplatformui(&ui), setupcore(), true);
    (void)ready;
    const ExportFormat f = IW_FUZZ_FORMAT;
    const std::string_view text((const char *)data, size);
    OutlineDoc doc;
    std::string why;
    if (!readoutline(f, text, doc, why)) {
        if (why.empty()) std::abort();
        return 0;
    }
    for (size_t k = 0; k < doc.items.size(); k++)
        if (doc.items[k].parent < -1 || doc.items[k].parent >= (int)k) std::abort();
    // Building is the slow part: only for outlines small enough to be quick.
    if (doc.items.size() > 300) return 0;
    const int before = IWONumber;
    std::string note;
    if (!buildoutlinediagram(doc, "fuzz", why, note)) {
        if (why.empty() || IWONumber != before) std::abort();
        return 0;
    }
    if (IWONumber < 2 || IWONumber > MAXIWO + 1) std::abort();
    for (int i = 1; i < IWONumber; i++)
        if (!std::memchr(IWO[i].label, 0, sizeof IWO[i].label)) std::abort();
    return 0;
}
