// svg.cpp - the SVG writer.
//
// The document is written from the scene, the picture every smooth view and
// export draws: coordinates in diagram units, without scaling or offset, so
// the file shows the page as stored whatever the view. The page is a
// rectangle, each object a group "iwoID" holding one element per shape and its
// label. Numbers are written with a decimal point in every locale.
#include "export/svg.h"

#include "export/convert.h"
#include "export/picture.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/palette.h"
#include "scene/scene.h"
#include "ui/ui.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

std::string svgline;

namespace {

const char *SVGHEADER = "<?xml version=\"1.0\" standalone=\"no\"?><!DOCTYPE svg PUBLIC "
                        "\"-//W3C//DTD SVG 1.1//EN\" "
                        "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">";

// A number as SVG wants it whatever the locale: at most two decimals, a point
// for the decimal separator, no trailing zeros, no "-0".
std::string num(double v) {
    if (!std::isfinite(v)) v = 0;
    v = std::round(v * 100.0) / 100.0;
    if (v == 0) v = 0;
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    std::string s(buf, r.ptr);
    while (s.size() > 1 && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

// A pen as "#RRGGBB"; "none" for paint that paints nothing.
std::string colour(int pen) {
    if (pen == SCENENOPAINT) return "none";
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06X", (unsigned)(penrgb(pen) & 0xFFFFFF));
    return buf;
}

std::string style(const SceneShape &s) {
    const bool stroked = s.stroke != SCENENOPAINT && s.weight > 0;
    std::string st = "fill:" + colour(s.fill) + ";stroke:" + colour(stroked ? s.stroke : -1);
    if (stroked) {
        st += ";stroke-width:" + num(s.weight);
        if (s.roundcap) st += ";stroke-linecap:round;stroke-linejoin:round";
    }
    return st + ";";
}

std::string points(const std::vector<ScenePoint> &p) {
    std::string out;
    for (size_t i = 0; i < p.size(); i++) out += (i ? " " : "") + num(p[i].x) + "," + num(p[i].y);
    return out;
}

std::string svgshape(const SceneShape &s) {
    switch (s.kind) {
    case SCENERECT: {
        std::string e = "<rect x=\"" + num(s.x) + "\" y=\"" + num(s.y) + "\" width=\"" + num(s.w) +
                        "\" height=\"" + num(s.h) + "\"";
        if (s.rx > 0 || s.ry > 0) e += " rx=\"" + num(s.rx) + "\" ry=\"" + num(s.ry) + "\"";
        return e + " style=\"" + style(s) + "\"/>\n";
    }
    case SCENEELLIPSE:
        if (s.rx <= 0 || s.ry <= 0) return "";
        return "<ellipse cx=\"" + num(s.x) + "\" cy=\"" + num(s.y) + "\" rx=\"" + num(s.rx) +
               "\" ry=\"" + num(s.ry) + "\" style=\"" + style(s) + "\"/>\n";
    case SCENEPOLYGON:
        return "<polygon points=\"" + points(s.points) + "\" style=\"" + style(s) + "\"/>\n";
    case SCENELINE: {
        if (s.points.size() < 2) return "";
        const ScenePoint &a = s.points[0], &b = s.points[1];
        if (a.x == b.x && a.y == b.y) return "";
        SceneShape l = s;
        l.fill = SCENENOPAINT;
        return "<line x1=\"" + num(a.x) + "\" y1=\"" + num(a.y) + "\" x2=\"" + num(b.x) +
               "\" y2=\"" + num(b.y) + "\" style=\"" + style(l) + "\"/>\n";
    }
    case SCENECURVE: {
        if (s.points.empty()) return "";
        std::string d = "M " + num(s.points[0].x) + " " + num(s.points[0].y);
        for (size_t i = 1; i + 2 < s.points.size(); i += 3)
            d += " C " + points({s.points[i], s.points[i + 1], s.points[i + 2]});
        return "<path d=\"" + d + "\" style=\"" + style(s) + "\"/>\n";
    }
    }
    return "";
}

// A family name as a CSS string: quotes and backslashes dropped.
std::string cssname(const std::string &name) {
    std::string out;
    for (char c : name)
        if (c != '\'' && c != '"' && c != '\\') out += c;
    return "'" + out + "'";
}

std::string svglabel(const SceneLabel &l) {
    // The stored family, the one drawn in its place when it isn't installed,
    // and a generic family for a viewer that has neither.
    std::string families = cssname(l.family);
    if (l.found != l.family) families += ", " + cssname(l.found);
    families += ", sans-serif";
    std::string e = "<text x=\"" + num(l.x + l.width / 2) + "\" y=\"" + num(l.baseline) +
                    "\" text-anchor=\"middle\" xml:space=\"preserve\" font-family=\"" +
                    xmltext(families.data(), families.size()) + "\" font-size=\"" + num(l.size) +
                    "\"";
    if (l.bold) e += " font-weight=\"bold\"";
    if (l.italic) e += " font-style=\"italic\"";
    return e + " fill=\"" + colour(l.pen) + "\">" + xmltext(l.text.data(), l.text.size()) +
           "</text>";
}

// The group of one scene object.
std::string svggroup(const SceneObject &o) {
    if (!o.visible) return "";
    std::string g = "<g id=\"iwo" + std::to_string(o.id) + "\">\n";
    for (const SceneShape &s : o.shapes) g += svgshape(s);
    if (o.haslabel) g += svglabel(o.label);
    return g + "</g>";
}

std::string pagerect(const DiagramRecord &d) {
    const std::string c = colour(d.papercolour & 0xFF);
    return "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(d.paperwidth) + "\" height=\"" +
           std::to_string(d.paperheight) + "\" style=\"fill:" + c + ";stroke:" + c +
           ";stroke-width:0;\"/>\n";
}

} // namespace

int iwotosvg(int k) {
    svgline.clear();
    if (k < 0 || k >= IWOTABLESIZE) return 1;
    if (k == 0) {
        // The properties buffer stands for the page.
        svgline = pagerect(IWODiagram);
        return 1;
    }
    svgline = svggroup(sceneobject(IWO, IWONumber, k, IWODiagram));
    return 1;
}

const char *svgheader() { return SVGHEADER; }

std::string svgscene(const Scene &scene, const DiagramRecord &d) {
    std::string out = SVGHEADER;
    out += "\n";
    out += "<svg width=\"" + num(d.paperwidth / 10.0) + "mm\" height=\"" +
           num(d.paperheight / 10.0) + "mm\"  viewBox=\"0 0 " + std::to_string(d.paperwidth) + " " +
           std::to_string(d.paperheight) +
           "\" version=\"1.1\" xmlns=\"http://www.w3.org/2000/svg\">\n";
    out += "\n";
    out += pagerect(d);
    out += "\n";
    for (const SceneObject &o : scene.objects) {
        out += svggroup(o);
        out += "\n";
    }
    out += "</svg>\n\n";
    return out;
}

std::string svgdocument() {
    IWODiagram.objects = IWONumber;
    return svgscene(buildscene(IWO, IWONumber, IWODiagram), IWODiagram);
}

std::string svgobjects(const std::vector<int> &indices) {
    // The box round the objects' pictures, labels included.
    double minx = 1e300, miny = 1e300, maxx = -1e300, maxy = -1e300;
    std::vector<SceneObject> objects;
    for (int i : indices) {
        if (i < 1 || i >= IWOTABLESIZE) continue;
        objects.push_back(sceneobject(IWO, IWONumber, i, IWODiagram));
        const SceneObject &o = objects.back();
        if (!o.visible) continue;
        minx = std::min(minx, o.x0);
        miny = std::min(miny, o.y0);
        maxx = std::max(maxx, o.x1);
        maxy = std::max(maxy, o.y1);
    }
    if (minx > maxx) minx = miny = maxx = maxy = 0;
    const double margin = 10;
    minx = std::floor(minx - margin);
    miny = std::floor(miny - margin);
    const double w = std::ceil(maxx + margin) - minx, h = std::ceil(maxy + margin) - miny;
    std::string out = SVGHEADER;
    out += "\n";
    out += "<svg width=\"" + num(w / 10.0) + "mm\" height=\"" + num(h / 10.0) + "mm\"  viewBox=\"" +
           num(minx) + " " + num(miny) + " " + num(w) + " " + num(h) +
           "\" version=\"1.1\" xmlns=\"http://www.w3.org/2000/svg\">\n";
    out += "\n";
    for (const SceneObject &o : objects) {
        out += svggroup(o);
        out += "\n";
    }
    out += "</svg>\n\n";
    return out;
}

int exportgraphicfile(const std::string &path, ExportFormat format, std::string *message, int dpi) {
    if (format == EXPORT_SVG) return writeexportfile(path, svgdocument(), message);
    // The user's own converters when IDEAWEAVE_CONVERTERS names their directory.
    if (!converterdirectory().empty()) return convertSVG(svgdocument(), path, format, message);
    IWODiagram.objects = IWONumber;
    return writepicture(path, format, buildscene(IWO, IWONumber, IWODiagram), dpi, message);
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
