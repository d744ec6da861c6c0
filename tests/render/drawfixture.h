// drawfixture.h - a small drawing window for the drawing and erasing tests.
//
//   Small                 Window (renderfixture.h) of 160 x 120; the page is
//                         1200 x 900 units at zoom 0.125 (150 x 112 pixels),
//                         scrolled so that its top-left corner lies at window
//                         pixel (5, 2)
//   Small::clear()        cleardrawspace(papercolour)
//   Small::snapshot()     the window's pens
//   Small::shows(name)    clear, draw every object, compare with render/golden/NAME.png
//   drawpart(r, k, kind, xy, fill)    set part k of object r: kind, points (x, y, x, y ...), pens
//   samepens(a, b, w)                 two pictures w pixels wide are equal (else where not)
#pragma once
#include "renderfixture.h"

#include "render/draw.h"
#include "render/erase.h"
#include "store/prefs.h"

#include <initializer_list>

class Small : public Window {
  protected:
    void SetUp() override {
        open(160, 120);
        setview(1200, 900, 0.125f, 95, 98);
    }
    void clear() { cleardrawspace(papercolour); }
    std::vector<uint8_t> snapshot() const { return drawspacerp->Pixels; }
    ::testing::AssertionResult shows(const std::string &name) {
        clear();
        refreshIWOall();
        return goldenmatch(drawspacerp, "render/golden/" + name + ".png");
    }
};

inline void drawpart(IWORecord &r, int k, int kind, std::initializer_list<int> xy, int fill) {
    DrawPart &d = r.draw[k];
    d.kind = (int8_t)kind;
    const int *v = xy.begin();
    for (size_t j = 0; j < xy.size(); j++) (j % 2 ? d.py : d.px)[j / 2] = (int8_t)v[j];
    d.linecolour = r.linecolour;
    d.fillcolour = (int16_t)fill;
    d.lineweight = r.lineweight;
    if (r.drawnum < k + 1) r.drawnum = (uint8_t)(k + 1);
}

inline ::testing::AssertionResult samepens(const std::vector<uint8_t> &a,
                                           const std::vector<uint8_t> &b, int w) {
    if (a.size() != b.size()) return ::testing::AssertionFailure() << "sizes differ";
    int count = 0;
    size_t first = 0;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i] != b[i] && count++ == 0) first = i;
    if (count == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << count << " pixels differ, first at (" << first % w << "," << first / w
           << "): " << (int)a[first] << " vs " << (int)b[first];
}
