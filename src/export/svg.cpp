// svg.cpp - the SVG writer.
//
// Coordinates are written as integers in diagram units, without scaling or
// offset, so the file shows the page as stored whatever the view. Each object
// becomes a group "iwo ID" holding one element per drawing part and its label.
#include "export/svg.h"

#include "export/convert.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/settings.h"
#include "platform/fonts.h"
#include "ui/ui.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>

std::string svgline;

namespace {

const char *SVGHEADER = "<?xml version=\"1.0\" standalone=\"no\"?><!DOCTYPE svg PUBLIC "
                        "\"-//W3C//DTD SVG 1.1//EN\" "
                        "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">";

// printf into a string of whatever length the text needs.
std::string format(const char *fmt, ...) {
    va_list ap, aq;
    va_start(ap, fmt);
    va_copy(aq, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string s(n > 0 ? (size_t)n : 0, '\0');
    if (n > 0) std::vsnprintf(s.data(), (size_t)n + 1, fmt, aq);
    va_end(aq);
    return s;
}

// "fill:rgb(R%, G%, B%)" or, for a pen outside the palette, "fill:none".
std::string paint(const char *what, int pen) {
    if (pennone(pen)) return std::string(what) + ":none";
    int c[3];
    penpercent(pen, c);
    return format("%s:rgb(%d%%, %d%%, %d%%)", what, c[0], c[1], c[2]);
}

// The rectangle template that also draws the page.
std::string rect(int x, int y, int w, int h, int fillpen, int strokepen, int weight) {
    return format(
        "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" style=\"%s;%s;stroke-width:%d;\"/>\n",
        x, y, w, h, paint("fill", fillpen).c_str(), paint("stroke", strokepen).c_str(), weight);
}

std::string ellipse(int cx, int cy, int rx, int ry, int fillpen, int strokepen, int weight) {
    return format(
        "<ellipse cx=\"%d\" cy=\"%d\" rx=\"%d\" ry=\"%d\" style=\"%s;%s;stroke-width:%d;\"/>\n", cx,
        cy, rx, ry, paint("fill", fillpen).c_str(), paint("stroke", strokepen).c_str(), weight);
}

// The four-point polygon of the diamond line ends.
std::string diamond(int a, int b, int s, int t, int fillpen, int strokepen, int weight) {
    return format(
        "<polygon points=\"%d, %d %d,%d %d,%d %d,%d\" style=\"%s; %s;stroke-width:%d\"/>\n", a, b,
        a + s, b - t, a + 2 * s, b, a + s, b + t, paint("fill", fillpen).c_str(),
        paint("stroke", strokepen).c_str(), weight);
}

// Point i of a part: a percentage of the object's box, the sum in 16 bits.
struct Mapper {
    const IWORecord &r;
    const DrawPart &d;
    int x(int i) const { return (int16_t)(r.x + r.width * d.px[i] / 100); }
    int y(int i) const { return (int16_t)(r.y + r.height * d.py[i] / 100); }
};

std::string arrowhead(const IWORecord &r, const DrawPart &d, int strokepen) {
    const Mapper P{r, d};
    const int a = P.x(0), b = P.y(0);
    const int s = d.px[1];
    float theta = std::atan2((float)-r.height, (float)r.width);
    if (theta > 3.13f || theta < -3.13f) theta = 0.0f;
    const double u = d.kind == PARTENDARROW ? -2.0 * s : 2.0 * s;
    const double c = std::cos((double)theta), sn = std::sin((double)theta);
    const int x1 = a + (int)(u * c - s * sn), y1 = b - (int)(u * sn + s * c);
    const int x2 = a + (int)(u * c + s * sn), y2 = b - (int)(u * sn - s * c);
    return format("<polygon points=\"%d,%d %d,%d %d,%d\" style=\"%s; %s;stroke-width:%d\"/>\n", a,
                  b, x1, y1, x2, y2, paint("fill", strokepen).c_str(),
                  paint("stroke", strokepen).c_str(), d.lineweight);
}

std::string curve(const IWORecord &r, const DrawPart &d, int fillpen, int strokepen) {
    const Mapper P{r, d};
    const float k = 1.3f, X = r.x, Y = r.y, W = r.width, H = r.height;
    const int c1x = (int)(X + W * ((float)d.px[2] - (float)(d.px[2] - d.px[1]) * k) / 100.0f);
    const int c1y = (int)(Y + H * ((float)d.py[2] - (float)(d.py[2] - d.py[1]) * k) / 100.0f);
    const int c2x = (int)(X + W * ((float)d.px[0] + (float)(d.px[1] - d.px[0]) * k) / 100.0f);
    const int c2y = (int)(Y + H * ((float)d.py[0] + (float)(d.py[1] - d.py[0]) * k) / 100.0f);
    return format(
        "<path d=\"M %d %d  C %d %d %d %d    %d %d   \" style=\"%s;%s;stroke-width:%d;\"/>\n",
        P.x(0), P.y(0), c1x, c1y, c2x, c2y, P.x(2), P.y(2), paint("fill", fillpen).c_str(),
        paint("stroke", strokepen).c_str(), d.lineweight);
}

// One drawing part as its element ("" for parts that draw nothing).
std::string svgpart(const IWORecord &r, const DrawPart &d) {
    const Mapper P{r, d};
    const int stroke = d.linecolour;
    // A part that never takes a fill pen shows the object's fill, fully transparent.
    const bool hard = d.fillcolour == HARDTRANSPARENT;
    const int fill = hard ? r.fillcolour : d.fillcolour;
    const int weight = d.lineweight, s = d.px[1], t = d.py[1];
    switch (d.kind) {
    case PARTOUTLINE: {
        const int w = r.width * (d.px[2] - d.px[0]) / 100;
        const int h = r.height * (d.py[2] - d.py[0]) / 100;
        return format("<rect x=\"%d\" y=\"%d\"  width=\"%d\"  height=\"%d\" rx=\"%d\" ry=\"%d\" \t "
                      "style=\"%s; %s;stroke-width:%d\"/>\n",
                      P.x(0), P.y(0), w, h, w * d.px[5] / 100, w * d.py[5] / 100,
                      paint("fill", fill).c_str(), paint("stroke", stroke).c_str(), weight);
    }
    case PARTBOX:
        return rect(P.x(0), P.y(0), P.x(1) - P.x(0), P.y(1) - P.y(0), fill, fill, 0);
    case PARTHBAR: {
        const int x = P.x(0), y = P.y(0) + r.lineweight;
        return rect(x, y, P.x(1) - x, (P.y(1) - r.lineweight) - y, fill, fill, 0);
    }
    case PARTVBAR: {
        const int x = P.x(0) + r.lineweight, y = P.y(0);
        return rect(x, y, (P.x(1) - r.lineweight) - x, P.y(1) - y, fill, fill, 0);
    }
    case PARTELLIPSE:
        return ellipse(P.x(0), P.y(0), r.width * d.px[1] / 100, r.height * d.py[1] / 100, fill,
                       stroke, weight);
    case PARTPOLYGON: {
        std::string pts;
        bool closed = false;
        for (int i = 0; i < 13; i++) {
            if (i > 0 && d.px[i] == d.px[0] && d.py[i] == d.py[0]) closed = true;
            const int k = closed ? 0 : i;
            pts += format(i ? " %d,%d" : "%d,%d", P.x(k), P.y(k));
        }
        return format(
            "<polygon points=\"%s\" style=\"%s; %s;stroke-width:%d; fill-opacity: %f    \"/>\n",
            pts.c_str(), paint("fill", fill).c_str(), paint("stroke", stroke).c_str(), weight,
            hard ? 0.0 : 1.0);
    }
    case PARTLINE:
    case PARTCONNECTOR: {
        const bool thin = r.type >= ACTORTYPE && r.type <= PROCESS2TYPE;
        return format(
            "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" style=\"%s;stroke-width:%d;\"/>\n",
            P.x(0), P.y(0), P.x(1), P.y(1), paint("stroke", stroke).c_str(),
            thin ? r.lineweight / 2 : weight * 2);
    }
    case PARTTRIANGLE:
    case PARTTRIANGLE2:
        return format("<polygon points=\" %d,%d %d,%d %d,%d\" style=\"%s; %s;stroke-width:%d\"/>\n",
                      P.x(0), P.y(0), P.x(1), P.y(1), P.x(2), P.y(2), paint("fill", fill).c_str(),
                      paint("stroke", stroke).c_str(), weight);
    case PARTENDSQUARE:
    case PARTENDSQUARE + 1:
    case PARTENDSQUARE + 2:
    case PARTENDSQUARE + 3:
        return rect(P.x(0) - s, P.y(0) - t, 2 * s, 2 * t, stroke, stroke, weight);
    case PARTENDDISC:
    case PARTENDDISC + 1:
    case PARTENDDISC + 2:
    case PARTENDDISC + 3:
        return ellipse(P.x(0), P.y(0), s, t, stroke, stroke, weight);
    case PARTENDDIAMOND:
    case PARTENDDIAMOND + 1:
    case PARTENDDIAMOND + 2:
    case PARTENDDIAMOND + 3:
        return diamond(P.x(0), P.y(0), s, t, stroke, stroke, weight);
    case PARTENDOPENDIAMOND:
    case PARTENDOPENDIAMOND + 1:
    case PARTENDOPENDIAMOND + 2:
    case PARTENDOPENDIAMOND + 3:
        return diamond(P.x(0), P.y(0), s, t, fill, stroke, weight);
    case PARTENDARROW:
    case PARTENDARROWBACK:
        return arrowhead(r, d, stroke);
    case PARTHALFELLIPSE:
        return curve(r, d, fill, stroke);
    default:
        return ""; // no line end (17) and unknown kinds draw nothing
    }
}

// The font family a viewer knows: the stored name without the ".font" suffix.
std::string fontfamily(const IWORecord &r) {
    std::string name(r.fontname, textlen(r.fontname, sizeof r.fontname));
    if (name.size() >= 5 && name.compare(name.size() - 5, 5, ".font") == 0)
        name.resize(name.size() - 5);
    return name;
}

// Width in pixels of a label in the drawing window's font (the interface font).
int labelpixels(const char *s, int n) {
    TextFont *font = OpenFont(IWeaveFontName, IWeaveFont.ta_YSize, IWeaveFont.ta_Style);
    int p = fonttextlength(font, s, n);
    CloseFont(font);
    return p;
}

std::string svglabel(const IWORecord &r) {
    const int n = (int)textlen(r.label, sizeof r.label);
    const int x = r.x + r.width * r.labelx / 100 - (7 * labelpixels(r.label, n)) / 4;
    const int y = r.y + r.height * r.labely / 100;
    std::string fill = "none";
    if (!pennone(r.fontcolour)) {
        int c[3];
        penpercent(r.fontcolour, c);
        fill = format("rgb(%d%%, %d%%, %d%%)", c[0], c[1], c[2]);
    }
    const std::string family = fontfamily(r);
    return format("<text x=\"%d\" y=\"%d\" font-family=\"", x, y) +
           xmltext(family.data(), family.size()) +
           format("\" font-size=\"%dpt\" fill=\"%s\">", r.font.ta_YSize * 3, fill.c_str()) +
           xmltext(r.label, (size_t)n) + "</text>";
}

} // namespace

int iwotosvg(int k) {
    svgline.clear();
    if (k < 0 || k >= IWOTABLESIZE) return 1;
    resolvefont(k);
    const IWORecord &r = IWO[k];
    if (r.visible == 0) return 1;
    if (k == 0) {
        // The properties buffer stands for the page.
        svgline = rect(0, 0, IWODiagram.paperwidth, IWODiagram.paperheight, IWODiagram.papercolour,
                       IWODiagram.papercolour, 0);
        return 1;
    }
    svgline = format("<g id=\"iwo %d\">\n", r.id);
    for (int d = 0; d < r.drawnum && d < MAXDRAWNUM; d++) svgline += svgpart(r, r.draw[d]);
    if (r.label[0]) svgline += svglabel(r);
    svgline += "</g>";
    return 1;
}

const char *svgheader() { return SVGHEADER; }

std::string svgdocument() {
    IWODiagram.objects = IWONumber;
    const int w = IWODiagram.paperwidth / 10, h = IWODiagram.paperheight / 10;
    std::string out = SVGHEADER;
    out += "\n";
    out += format("<svg width=\"%dmm\" height=\"%dmm\"  viewBox=\"0 0 %d %d\" version=\"1.1\" "
                  "xmlns=\"http://www.w3.org/2000/svg\">\n",
                  w, h, w * 10, h * 10);
    out += "\n";
    for (int i = 0; i < IWONumber && i < IWOTABLESIZE; i++) {
        iwotosvg(i);
        out += svgline;
        out += "\n";
    }
    out += "</svg>\n\n";
    return out;
}

std::string svgobjects(const std::vector<int> &indices) {
    // The box round the objects, their labels included; lines may run
    // backwards (a negative width or height).
    long minx = LONG_MAX, miny = LONG_MAX, maxx = LONG_MIN, maxy = LONG_MIN;
    int weight = 0;
    auto take = [&](long x0, long y0, long x1, long y1) {
        minx = std::min({minx, x0, x1});
        miny = std::min({miny, y0, y1});
        maxx = std::max({maxx, x0, x1});
        maxy = std::max({maxy, y0, y1});
    };
    for (int i : indices) {
        if (i < 1 || i >= IWOTABLESIZE || IWO[i].visible == 0) continue;
        const IWORecord &r = IWO[i];
        take(r.x, r.y, (long)r.x + r.width, (long)r.y + r.height);
        weight = std::max<int>(weight, r.lineweight);
        const int n = (int)textlen(r.label, sizeof r.label);
        if (n > 0) {
            // The label as svglabel places it, its height about the font size.
            const long p = labelpixels(r.label, n);
            const long lx = r.x + (long)r.width * r.labelx / 100 - (7 * p) / 4;
            const long ly = r.y + (long)r.height * r.labely / 100;
            take(lx, ly - 4L * r.font.ta_YSize, lx + (7 * p) / 2, ly + r.font.ta_YSize);
        }
    }
    if (minx > maxx) minx = miny = maxx = maxy = 0;
    const long margin = 2L * std::clamp(weight, 0, 100) + 10;
    minx -= margin;
    miny -= margin;
    const long w = maxx + margin - minx, h = maxy + margin - miny;
    std::string out = SVGHEADER;
    out += "\n";
    out += format("<svg width=\"%.1fmm\" height=\"%.1fmm\"  viewBox=\"%ld %ld %ld %ld\" "
                  "version=\"1.1\" xmlns=\"http://www.w3.org/2000/svg\">\n",
                  w / 10.0, h / 10.0, minx, miny, w, h);
    out += "\n";
    for (int i : indices) {
        if (i < 1 || i >= IWOTABLESIZE) continue;
        iwotosvg(i);
        out += svgline;
        out += "\n";
    }
    out += "</svg>\n\n";
    return out;
}

int exportgraphicfile(const std::string &path, ExportFormat format, std::string *message) {
    const std::string svg = svgdocument();
    if (format == EXPORT_SVG) return writeexportfile(path, svg, message);
    return convertSVG(svg, path, format, message);
}

int saveasSVG() {
    const std::string path = exportrequest("Export Graphic...", "#?(.svg|.png|.pdf)", true);
    if (path.empty()) return 0;
    std::string message;
    if (!exportgraphicfile(path, exportformat(path), &message)) {
        ErrorReq(message.c_str());
        return 0;
    }
    return 1;
}
