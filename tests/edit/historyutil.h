// historyutil.h - helpers for the history and transformation tests.
//
//   placeobject(type, x, y, w, h)  place an object as the pointer does and
//                                  record its creation; returns its index
//   connectobjects(a, ax, ay, b, bx, by)
//                                  a connector from offset (ax, ay) in object a
//                                  to offset (bx, by) in b, unselected
//   selectonly({i...})             make exactly these objects the selection
//   tableimage()                   the objects' byte images in table order
//                                  (selection left out), for exact comparison
//   difference(a, b)               "" when two table images are equal, else
//                                  where they first differ (record, offset)
//   canundo()                      whether anything is left to undo
//   undocount()                    undo until nothing is left; the steps taken
#pragma once
#include "edit/history.h"
#include "edit/interact.h"
#include "edit/select.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

inline int placeobject(int type, int x, int y, int w = -1, int h = -1) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    if (w >= 0) IWO[SHADOWIWO].width = (int16_t)w;
    if (h >= 0) IWO[SHADOWIWO].height = (int16_t)h;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, type, x, y, linecolour, lineweight, fillcolour);
    savehistorypre(n);
    savehistorypost(n, HISTORY_CREATE);
    return n;
}

inline int connectobjects(int a, int ax, int ay, int b, int bx, int by) {
    connectstartIWO = (int16_t)a, connectendIWO = (int16_t)b;
    connectstartoffsetx = (int16_t)ax, connectstartoffsety = (int16_t)ay;
    connectendoffsetx = (int16_t)bx, connectendoffsety = (int16_t)by;
    int x = IWO[a].x + ax, y = IWO[a].y + ay, ex = IWO[b].x + bx, ey = IWO[b].y + by;
    // The outline runs from the press to the release point, as the pointer left it.
    IWORecord &s = IWO[SHADOWIWO];
    s.x = (int16_t)x, s.y = (int16_t)y, s.width = (int16_t)(ex - x), s.height = (int16_t)(ey - y);
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, 108, ex, ey, linecolour, lineweight, fillcolour);
    IWO[n].selected = 0;
    connectstartIWO = connectendIWO = -5;
    savehistorypre(n);
    savehistorypost(n, HISTORY_CREATE);
    return n;
}

inline void selectonly(std::initializer_list<int> indices) {
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 0;
    int n = 0;
    for (int i : indices) {
        IWO[i].selected = 1;
        selectedIWO = (int16_t)i;
        n++;
    }
    numIWOselected = (int16_t)n;
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
