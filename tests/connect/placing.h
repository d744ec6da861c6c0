// placing.h - test helpers that put objects into the table as the drawing
// window does (shadow record first, then the object), and read them back.
//
//   place(type, x, y, w, h)            a shape of that box, left unselected
//   line(x, y, w, h)                   a line from (x, y) by (w, h)
//   connect(a, ax, ay, b, bx, by)      a connector from offset (ax, ay) in a
//                                      to offset (bx, by) in b
//   select({...})                      select these; the last is the focus
//   outline(f, dx, dy, dw, dh)         the shadow as a drag of f would leave it
//   ids()                              the ids of the objects in table order
#pragma once
#include "edit/interact.h"
#include "edit/select.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"

#include <initializer_list>
#include <vector>

namespace placing {

inline int make(int type, int x, int y, int w, int h, int ex, int ey) {
    IWORecord &s = IWO[SHADOWIWO];
    s.x = (int16_t)x, s.y = (int16_t)y, s.width = (int16_t)w, s.height = (int16_t)h;
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, type, ex, ey, linecolour, lineweight, fillcolour);
    IWO[n].selected = 0;
    return n;
}

inline int place(int type, int x, int y, int w, int h) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    return make(type, x, y, w, h, x, y);
}

inline int line(int x, int y, int w, int h) {
    connectstartoffsetx = (int16_t)x, connectstartoffsety = (int16_t)y;
    return make(107, x, y, w, h, x + w, y + h);
}

inline int connect(int a, int ax, int ay, int b, int bx, int by) {
    connectstartIWO = (int16_t)a, connectendIWO = (int16_t)b;
    connectstartoffsetx = (int16_t)ax, connectstartoffsety = (int16_t)ay;
    connectendoffsetx = (int16_t)bx, connectendoffsety = (int16_t)by;
    int x = IWO[a].x + ax, y = IWO[a].y + ay, ex = IWO[b].x + bx, ey = IWO[b].y + by;
    int n = make(108, x, y, ex - x, ey - y, ex, ey);
    connectstartIWO = connectendIWO = -5;
    return n;
}

inline void select(std::initializer_list<int> objs) {
    numIWOselected = 0;
    for (int k : objs) {
        IWO[k].selected = 1;
        numIWOselected += 1;
        selectedIWO = (int16_t)k;
    }
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

// Start and end point of a line or connector.
inline std::vector<int> seg(int k) {
    const IWORecord &r = IWO[k];
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

} // namespace placing
