// exportfixture.h - what the export tests share.
//
//   have(program)  the program is on the PATH
//   quote(s)       s quoted for the shell
//   everykind()    a diagram of every kind of part: every palette type at a
//                  place of its own on an A4 page, line ends of every kind on
//                  free lines, a connector, a Text object, labels that need
//                  escaping, a hidden object and objects without fill
#pragma once
#include "render/renderfixture.h"

#include "connect/connect.h"

#include <cstdlib>
#include <cstring>
#include <string>

inline std::string quote(const std::string &s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline bool have(const char *program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

inline void everykind() {
    IWODiagram.paperwidth = 2100;
    IWODiagram.paperheight = 2970;
    const int types[] = {101, 102, 104, 105, 106, 109, 110, 112, 114, 115, 117, 118,
                         119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130};
    int k = 0;
    for (int type : types) {
        const int n = place(type, 100 + (k % 5) * 400, 100 + (k / 5) * 400, 300, 200, false);
        k++;
        if (type == 109) std::strcpy(IWO[n].label, "Text");
    }
    // Labels: markup characters, a byte above 127, the font's platform suffix.
    std::strcpy(IWO[1].label, "A & B <c> \"d\" \xe9");
    std::strcpy(IWO[2].label, "Soft");
    // No fill at all, and pens outside the palette.
    IWO[3].fillcolour = TRANSPARENT;
    for (DrawPart &d : IWO[3].draw) d.fillcolour = TRANSPARENT;
    IWO[4].draw[0].linecolour = 300;
    IWO[5].visible = 0;
    // Free lines ending in each line-end kind, s = t = 10.
    const int ends[][2] = {{18, 22}, {26, 30}, {34, 35}, {17, 19}};
    for (int e = 0; e < 4; e++) {
        const int n = place(107, 150 + e * 450, 2200, 300, 150 - e * 100, false);
        IWORecord &r = IWO[n];
        for (int p = 1; p <= 2; p++) {
            DrawPart &d = r.draw[p];
            d.kind = (int8_t)ends[e][p - 1];
            d.px[0] = d.py[0] = (int8_t)(p == 1 ? 0 : 100);
            d.px[1] = d.py[1] = 10;
            d.linecolour = 1;
            d.fillcolour = 2;
            d.lineweight = 5;
        }
        r.drawnum = 3;
    }
    const int a = place(101, 200, 2600, 300, 200, false),
              b = place(105, 1200, 2600, 300, 200, false);
    connect(a, 300, 100, b, 0, 100);
}
