// historyutil.h - helpers for the history and transformation tests.
//
//   recorded(n)                    record the creation of object n (as made by
//                                  place() or connect()); returns n
//   tableimage()                   the objects' byte images in table order
//                                  (selection left out), for exact comparison
//   difference(a, b)               "" when two table images are equal, else
//                                  where they first differ (record, offset)
//   canundo()                      whether anything is left to undo
//   undocount()                    undo until nothing is left; the steps taken
#pragma once
#include "edit/history.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "testutil.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline int recorded(int n) {
    savehistorypre(n);
    savehistorypost(n, HISTORY_CREATE);
    return n;
}

// Every object record in table order, serialised, with `selected` cleared
// (undo leaves restored records unselected; the selection is not content).
inline std::vector<uint8_t> tableimage() {
    std::vector<uint8_t> out((size_t)(IWONumber - 1) * IWORECORDSIZE);
    for (int i = 1; i < IWONumber; i++) {
        IWORecord r = IWO[i];
        r.selected = 0;
        writeIWOrecord(r, out.data() + (size_t)(i - 1) * IWORECORDSIZE);
    }
    return out;
}

inline std::string difference(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
    if (a.size() != b.size())
        return "records " + std::to_string(a.size() / IWORECORDSIZE) + " and " +
               std::to_string(b.size() / IWORECORDSIZE);
    for (size_t i = 0; i < a.size(); i++)
        if (a[i] != b[i])
            return "object " + std::to_string(i / IWORECORDSIZE + 1) + " at offset " +
                   std::to_string(i % IWORECORDSIZE) + ": " + std::to_string(a[i]) + " and " +
                   std::to_string(b[i]);
    return "";
}

inline bool canundo() {
    return history[historynum == 0 ? MAXHISTORY : historynum - 1].kind != HISTORY_EMPTY;
}

// Undoes until the entry before historynum is empty; returns the steps.
inline int undocount() {
    int steps = 0;
    while (canundo() && steps < 1000) {
        undohistory();
        steps++;
    }
    return steps;
}
