// placing.h - helpers of the connector and selection tests on top of
// testutil.h's place() and connect().
//
//   outline(f, dx, dy, dw, dh)         the shadow as a drag of f would leave it
//   ids()                              the ids of the objects in table order
//   seg(k)                             start and end point of a line or connector
//   field({i...}, &IWORecord::f)       one field of the given objects
#pragma once
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "testutil.h"

#include <vector>

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

inline std::vector<int> field(std::vector<int> objs, int16_t IWORecord::*f) {
    std::vector<int> v;
    for (int k : objs) v.push_back(IWO[k].*f);
    return v;
}
