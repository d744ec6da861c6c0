// fuzz_paste.cpp - feeds arbitrary bytes to Paste as clipboard data.
//
// Whatever the bytes, a paste must not crash, must leave the objects already
// in the diagram as they were, must not reuse an id, and its undo must take
// away exactly what it added.
#include "app/clipboard.h"
#include "app/startup.h"
#include "edit/history.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/settings.h"
#include "platform/window.h"

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

std::string records(int from, int to) {
    std::string out;
    uint8_t rec[IWORECORDSIZE];
    for (int i = from; i < to; i++) {
        IWORecord r = IWO[i];
        r.selected = 0;
        writeIWOrecord(r, rec);
        out.append((const char *)rec, sizeof rec);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool ready = (setupcore(), opendrawspacewindow(320, 200), true);
    (void)ready;
    newIWOdiagram();
    resethistory();
    DiagramExists = 1;
    IWONumber = 1;
    IWOid = 0;
    for (int k = 0; k < 3; k++) {
        resetsingleIWO(IWONumber);
        createIWO(IWONumber, 101 + k, 100 + 300 * k, 100, linecolour, lineweight, fillcolour);
    }
    const int n = IWONumber;
    const std::string before = records(1, n);
    pastebytes(std::string((const char *)data, size));
    if (IWONumber < n || records(1, n) != before) std::abort();
    std::set<int> ids;
    for (int i = 1; i < IWONumber; i++)
        if (!ids.insert(IWO[i].id).second) std::abort();
    // (A paste bigger than the history ring cannot be undone; these are small.)
    if (IWONumber > n && IWONumber - n < MAXHISTORY - 2) {
        undohistory();
        if (IWONumber != n || records(1, n) != before) std::abort();
    }
    return 0;
}
