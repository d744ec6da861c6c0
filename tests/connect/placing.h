// placing.h - helpers of the connector and selection tests on top of
// testutil.h's place() and connect().
//
//   shape(type, x, y, w, h)            place() left unselected
//   line(x, y, w, h)                   a line from (x, y) by (w, h), unselected
//   outline(f, dx, dy, dw, dh)         the shadow as a drag of f would leave it
//   ids()                              the ids of the objects in table order
//   seg(k)                             start and end point of a line or connector
#pragma once
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "testutil.h"

#include <vector>

inline int shape(int type, int x, int y, int w, int h) {
    int n = place(type, x, y, w, h);
    IWO[n].selected = 0;
    return n;
}

inline int line(int x, int y, int w, int h) {
    connectstartoffsetx = (int16_t)x, connectstartoffsety = (int16_t)y;
    IWORecord &s = IWO[SHADOWIWO];
    s.x = (int16_t)x, s.y = (int16_t)y, s.width = (int16_t)w, s.height = (int16_t)h;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, 107, x + w, y + h, linecolour, lineweight, fillcolour);
    IWO[n].selected = 0;
    return n;
}

inline void outline(int f, int dx, int dy, int dw, int dh) {
    IWORecord &s = IWO[SHADOWIWO];
    s = IWO[f];
    s.x += (int16_t)dx, s.y += (int16_t)dy, s.width += (int16_t)dw, s.height += (int16_t)dh;
}

inline std::vector<int> ids() {
    std::vector<int> v;
    for (int k = 1; k < IWONumber; k++) v.push_back(IWO[k].id);
    return v;
}

inline std::vector<int> seg(int k) {
    const IWORecord &r = IWO[k];
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}
