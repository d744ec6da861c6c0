// scene.cpp - the vector picture of the records.
#include "scene/scene.h"

#include "model/bytes.h"
#include "platform/fonts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double KAPPA = 0.5522847498; // control distance of a quarter ellipse as a cubic

int pen(int p) { return p & 0xFF; }

// Point i of a part: a percentage of the object's box, the sum in 16 bits as
// the pen picture and the files have it.
struct Mapper {
    const IWORecord &r;
    const DrawPart &d;
    double x(int i) const { return (int16_t)(r.x + r.width * d.px[i] / 100); }
    double y(int i) const { return (int16_t)(r.y + r.height * d.py[i] / 100); }
    ScenePoint p(int i) const { return {x(i), y(i)}; }
};

// The edges of a closed point list: the first point k >= 1 equal to point 0
// closes it; a list that never closes uses all 13 points.
int closededges(const DrawPart &d) {
    for (int k = 1; k < 13; k++)
        if (d.px[k] == d.px[0] && d.py[k] == d.py[0]) return k;
    return 13;
}

bool islinetype(int type) { return type == LINETYPE || type == CONNECTORTYPE; }

SceneShape polygon(const Mapper &P, int n, int fill, int stroke, double weight) {
    SceneShape s;
    s.kind = SCENEPOLYGON;
    for (int k = 0; k < n; k++) s.points.push_back(P.p(k));
    s.fill = fill;
    s.stroke = stroke;
    s.weight = weight;
    return s;
}

SceneShape rectangle(double x0, double y0, double x1, double y1, int fill) {
    SceneShape s;
    s.kind = SCENERECT;
    s.x = std::min(x0, x1);
    s.y = std::min(y0, y1);
    s.w = std::fabs(x1 - x0);
    s.h = std::fabs(y1 - y0);
    s.fill = fill;
    return s;
}

// Kind 1: an axis-parallel box with rounded corners, else a polygon. The
// outline lies inside the box, as the pen picture's band does.
void outlinepart(const IWORecord &r, const DrawPart &d, std::vector<SceneShape> &out) {
    const Mapper P{r, d};
    const int n = closededges(d);
    const int fill = d.fillcolour > 0 ? pen(d.fillcolour) : SCENENOPAINT;
    const int stroke = d.lineweight > 0 ? pen(d.linecolour) : SCENENOPAINT;
    const double weight = d.lineweight > 0 ? d.lineweight : 0;
    const bool box = n == 4 && P.y(0) == P.y(1) && P.x(1) == P.x(2) && P.y(2) == P.y(3) &&
                     P.x(3) == P.x(0) && P.x(1) > P.x(0) && P.y(2) > P.y(0);
    if (!box) {
        out.push_back(polygon(P, n, fill, stroke, weight));
        return;
    }
    double rad = (P.x(1) - P.x(0)) * d.px[5] / 100.0;
    rad = std::clamp(rad, 0.0, (P.y(2) - P.y(1)) / 2.0);
    SceneShape s = rectangle(P.x(0), P.y(0), P.x(2), P.y(2), fill);
    const double h = std::min({weight / 2, s.w / 2, s.h / 2});
    s.x += h;
    s.y += h;
    s.w -= 2 * h;
    s.h -= 2 * h;
    s.rx = s.ry = std::max(0.0, rad - h);
    s.stroke = stroke;
    s.weight = weight;
    out.push_back(s);
}

// Kind 42: half an ellipse; P1 is the apex, a base through P0 that is
// horizontal when py[0] == py[2], else vertical.
SceneShape halfellipse(const IWORecord &r, const DrawPart &d) {
    const Mapper P{r, d};
    SceneShape s;
    s.kind = SCENECURVE;
    s.fill = d.fillcolour > 0 ? pen(d.fillcolour) : SCENENOPAINT;
    s.stroke = d.lineweight > 0 ? pen(d.linecolour) : SCENENOPAINT;
    s.weight = std::max<double>(d.lineweight, 0);
    double cx, cy, ax, ay; // centre and signed radii along x and y
    if (d.py[0] == d.py[2]) {
        cx = P.x(1);
        cy = P.y(0);
        ax = std::fabs(P.x(1) - P.x(0));
        ay = P.y(1) - P.y(0);
        s.points = {{cx - ax, cy}, {cx - ax, cy + KAPPA * ay}, {cx - KAPPA * ax, cy + ay},
                    {cx, cy + ay}, {cx + KAPPA * ax, cy + ay}, {cx + ax, cy + KAPPA * ay},
                    {cx + ax, cy}};
    } else {
        cx = P.x(0);
        cy = P.y(1);
        ax = P.x(1) - P.x(0);
        ay = std::fabs(P.y(1) - P.y(0));
        s.points = {{cx, cy - ay}, {cx + KAPPA * ax, cy - ay}, {cx + ax, cy - KAPPA * ay},
                    {cx + ax, cy}, {cx + ax, cy + KAPPA * ay}, {cx + KAPPA * ax, cy + ay},
                    {cx, cy + ay}};
    }
    return s;
}

// The unit direction of an object's line, from its start to its end; along x
// for a line of no length.
ScenePoint direction(const IWORecord &r) {
    const double L = std::hypot((double)r.width, (double)r.height);
    if (L <= 0) return {1, 0};
    return {r.width / L, r.height / L};
}

// A line-end mark (kinds 18 to 35) at point E.
void lineend(const IWORecord &r, const DrawPart &d, ScenePoint E, std::vector<SceneShape> &out) {
    const int kind = d.kind;
    const double s = d.px[1], t = d.py[1];
    const int fill = d.fillcolour >= 0 ? pen(d.fillcolour) : SCENENOPAINT;
    auto diamond = [&](double ds, double dt, int f) {
        SceneShape p;
        p.kind = SCENEPOLYGON;
        p.points = {{E.x - ds, E.y}, {E.x, E.y - dt}, {E.x + ds, E.y}, {E.x, E.y + dt}};
        p.fill = f;
        return p;
    };
    if (kind < PARTENDDISC) {
        if (fill != SCENENOPAINT)
            out.push_back(rectangle(E.x - s, E.y - t, E.x + s, E.y + t, fill));
    } else if (kind < PARTENDDIAMOND) {
        if (fill == SCENENOPAINT) return;
        SceneShape e;
        e.kind = SCENEELLIPSE;
        e.x = E.x;
        e.y = E.y;
        e.rx = std::fabs(s);
        e.ry = std::fabs(t);
        e.fill = fill;
        out.push_back(e);
    } else if (kind < PARTENDOPENDIAMOND) {
        if (fill != SCENENOPAINT) out.push_back(diamond(s, t, fill));
    } else if (kind < PARTENDARROW) {
        // The diamond in the line pen with the inner one, two line weights
        // smaller, in the fill pen.
        out.push_back(diamond(s, t, pen(d.linecolour)));
        const double in = 2.0 * r.lineweight;
        if (fill != SCENENOPAINT && s - in > 0 && t - in > 0)
            out.push_back(diamond(s - in, t - in, fill));
    } else {
        if (fill == SCENENOPAINT) return;
        // The tip at E, the base 2s wide and 2s behind it (kind 34) or ahead of
        // it (kind 35) along the line's direction.
        const ScenePoint u = direction(r);
        const double a = kind == PARTENDARROW ? -2.0 * s : 2.0 * s;
        SceneShape p;
        p.kind = SCENEPOLYGON;
        p.points = {E,
                    {E.x + a * u.x - s * u.y, E.y + a * u.y + s * u.x},
                    {E.x + a * u.x + s * u.y, E.y + a * u.y - s * u.x}};
        p.fill = fill;
        out.push_back(p);
    }
}

// A line's ends moved to where the line leaves the shapes it is attached to.
struct LineFit {
    ScenePoint a, b;   // the ends as stored
    ScenePoint na, nb; // where they are drawn
    ScenePoint moved(ScenePoint p) const {
        if (p.x == a.x && p.y == a.y) return na;
        if (p.x == b.x && p.y == b.y) return nb;
        return p;
    }
};

// An arrow-head lying on its line covers the line's end: the line stops inside
// it, so that the line's square end doesn't show beside the tip.
void tuckunder(const IWORecord &r, const DrawPart &d, ScenePoint at, SceneShape &line) {
    if (d.kind != PARTENDARROW && d.kind != PARTENDARROWBACK) return;
    ScenePoint &p0 = line.points[0], &p1 = line.points[1];
    const double s = std::fabs((double)d.px[1]);
    const ScenePoint u = direction(r);
    const double cut = std::min(1.5 * s, std::hypot(p1.x - p0.x, p1.y - p0.y) / 2);
    if (d.kind == PARTENDARROW && at.x == p1.x && at.y == p1.y) {
        p1.x -= u.x * cut;
        p1.y -= u.y * cut;
    } else if (d.kind == PARTENDARROWBACK && at.x == p0.x && at.y == p0.y) {
        p0.x += u.x * cut;
        p0.y += u.y * cut;
    }
}

// The shapes of the drawing parts of r; the ends of a line (and the marks on
// them) moved by fit when there is one.
void partshapes(const IWORecord &r, std::vector<SceneShape> &out, const LineFit *fit) {
    const int count = std::clamp<int>(r.drawnum, 0, MAXDRAWNUM);
    int line = -1; // the shape of a line or connector's body
    for (int k = 0; k < count; k++) {
        const DrawPart &d = r.draw[k];
        const Mapper P{r, d};
        switch (d.kind) {
        case PARTOUTLINE:
            outlinepart(r, d, out);
            break;
        case PARTBOX:
            if (d.fillcolour >= 0)
                out.push_back(rectangle(P.x(0), P.y(0), P.x(1), P.y(1), pen(d.fillcolour)));
            break;
        case PARTBAR:
        case PARTHBAR:
        case PARTVBAR: {
            if (d.fillcolour < 0) break;
            const double w = r.lineweight;
            const double ix = d.kind == PARTHBAR ? 0 : w, iy = d.kind == PARTVBAR ? 0 : w;
            out.push_back(rectangle(P.x(0) + ix, P.y(0) + iy, std::max(P.x(0) + ix, P.x(1) - ix),
                                    std::max(P.y(0) + iy, P.y(1) - iy), pen(d.fillcolour)));
            break;
        }
        case PARTELLIPSE: {
            SceneShape e;
            e.kind = SCENEELLIPSE;
            e.x = P.x(0);
            e.y = P.y(0);
            e.fill = d.fillcolour >= 0 ? pen(d.fillcolour) : SCENENOPAINT;
            const double rx = std::abs(r.width * d.px[1] / 100);
            const double ry = std::abs(r.height * d.py[1] / 100);
            const double h = d.lineweight > 0 ? std::min({d.lineweight / 2.0, rx, ry}) : 0.0;
            e.rx = rx - h;
            e.ry = ry - h;
            if (d.lineweight > 0) {
                e.stroke = pen(d.linecolour);
                e.weight = d.lineweight;
            }
            out.push_back(e);
            break;
        }
        case PARTPOLYGON:
            out.push_back(polygon(P, closededges(d),
                                  d.fillcolour > 0 ? pen(d.fillcolour) : SCENENOPAINT,
                                  d.lineweight > 0 ? pen(d.linecolour) : SCENENOPAINT,
                                  std::max<double>(d.lineweight, 0)));
            break;
        case PARTTRIANGLE:
        case PARTTRIANGLE2:
            out.push_back(polygon(P, 3, d.fillcolour >= 0 ? pen(d.fillcolour) : SCENENOPAINT,
                                  d.lineweight > 0 ? pen(d.linecolour) : SCENENOPAINT,
                                  std::max<double>(d.lineweight, 0)));
            break;
        case PARTLINE:
        case PARTCONNECTOR: {
            SceneShape l;
            l.kind = SCENELINE;
            l.points = {P.p(0), P.p(1)};
            if (fit) l.points = {fit->moved(P.p(0)), fit->moved(P.p(1))};
            l.stroke = pen(d.linecolour);
            // The pen picture's line is discs of the part's weight as radius.
            l.weight = std::max(2.0 * d.lineweight, 2.0);
            l.roundcap = !islinetype(r.type);
            if (line < 0 && islinetype(r.type)) line = (int)out.size();
            out.push_back(l);
            break;
        }
        case PARTHALFELLIPSE:
            out.push_back(halfellipse(r, d));
            break;
        default:
            if (lineendmark(d.kind)) lineend(r, d, fit ? fit->moved(P.p(0)) : P.p(0), out);
            break;
        }
    }
    if (line < 0) return;
    // Shorten the line under its arrow-heads once every mark is placed.
    for (int k = 0; k < count; k++) {
        const DrawPart &d = r.draw[k];
        if (!lineendmark(d.kind)) continue;
        const Mapper P{r, d};
        tuckunder(r, d, fit ? fit->moved(P.p(0)) : P.p(0), out[(size_t)line]);
    }
}

// The label of r, false when it has none (empty, or no font at all).
bool labelof(const IWORecord &r, const DiagramRecord &diagram, SceneLabel &l) {
    const size_t n = textlen(r.label, sizeof r.label);
    if (n == 0) return false;
    const std::string stored(r.fontname, textlen(r.fontname, sizeof r.fontname));
    const FaceMetrics *m = facemetrics(stored.c_str(), r.font.ta_Style);
    if (!m) return false;
    l.text.assign(r.label, n);
    l.family = stored;
    const size_t cut = l.family.find_last_of(":/");
    if (cut != std::string::npos) l.family = l.family.substr(cut + 1);
    if (l.family.size() >= 5 && l.family.compare(l.family.size() - 5, 5, ".font") == 0)
        l.family.resize(l.family.size() - 5);
    l.found = m->family;
    l.fontfile = m->path;
    l.fontindex = m->index;
    l.fallback = m->fallback;
    l.bold = (r.font.ta_Style & FSF_BOLD) != 0;
    l.italic = (r.font.ta_Style & FSF_ITALIC) != 0;
    l.synthbold = l.bold && !m->bold;
    l.synthitalic = l.italic && !m->italic;
    // Four units of em per unit of size, as the pen picture opens its fonts.
    l.size = std::max(4.0 * r.font.ta_YSize, 1.0);
    l.width = textwidth(m, r.label, (int)n) * l.size;
    l.ascent = m->ascent * l.size;
    l.descent = m->descent * l.size;
    l.pen = pen(r.fontcolour);
    if (r.type == TEXTTYPE) {
        // A text object is its label: centred in its box.
        l.cx = r.x + r.width / 2.0;
        l.cy = r.y + r.height / 2.0;
    } else {
        l.cx = r.x + r.width * r.labelx / 100.0;
        l.cy = r.y + r.height * r.labely / 100.0;
    }
    // Centred by the ink: the middle between where the letters' ink starts
    // and ends (an italic's lean and the side bearings included), else by
    // the advance width.
    double inkl = 0, inkr = 0;
    if (textink(m, r.label, (int)n, &inkl, &inkr))
        l.x = l.cx - (inkl + inkr) / 2 * l.size;
    else
        l.x = l.cx - l.width / 2;
    // A slant made by the renderer (cairo leans a fifth of the height) moves
    // the letters' middle right by half that at half the capital height.
    if (l.synthitalic) l.x -= 0.2 * m->capheight * l.size / 2;
    // Labels stay on the page horizontally; the right edge wins.
    if (l.x < 0) l.x = 0;
    if (l.x + l.width > diagram.paperwidth) l.x = diagram.paperwidth - l.width;
    l.baseline = l.cy + m->capheight * l.size / 2;
    return true;
}

// The shapes and label of r before its lines are fitted to the shapes they
// are attached to.
SceneObject plainobject(const IWORecord &r, int k, const DiagramRecord &diagram,
                        const LineFit *fit) {
    SceneObject o;
    o.index = k;
    o.id = r.id;
    o.type = r.type;
    o.visible = r.visible != 0 && r.type != DEADTYPE;
    if (!o.visible) return o;
    partshapes(r, o.shapes, fit);
    o.haslabel = labelof(r, diagram, o.label);
    if (o.haslabel && r.labelfilled == 1) {
        double x0, y0, x1, y1;
        scenelabelbox(o.label, x0, y0, x1, y1);
        o.shapes.push_back(rectangle(x0, y0, x1, y1, pen(r.labelcolour)));
    }
    return o;
}

// The closed outlines of an object (and its label's box) as polygons, for
// finding where a line leaves it.
void outlines(const SceneObject &o, std::vector<std::vector<ScenePoint>> &out) {
    for (const SceneShape &s : o.shapes) {
        const double h = s.stroke != SCENENOPAINT ? s.weight / 2 : 0.0;
        std::vector<ScenePoint> p;
        switch (s.kind) {
        case SCENERECT: {
            // The corners cut at 45 degrees: close enough to the arcs.
            const double x0 = s.x - h, y0 = s.y - h, x1 = s.x + s.w + h, y1 = s.y + s.h + h;
            const double c = std::min({s.rx + h, (x1 - x0) / 2, (y1 - y0) / 2}) * 0.29;
            p = {{x0 + c, y0}, {x1 - c, y0}, {x1, y0 + c}, {x1, y1 - c},
                 {x1 - c, y1}, {x0 + c, y1}, {x0, y1 - c}, {x0, y0 + c}};
            break;
        }
        case SCENEELLIPSE:
            for (int i = 0; i < 64; i++) {
                const double a = i * M_PI / 32;
                p.push_back({s.x + (s.rx + h) * std::cos(a), s.y + (s.ry + h) * std::sin(a)});
            }
            break;
        case SCENEPOLYGON:
            p = s.points;
            break;
        case SCENECURVE:
            p.push_back(s.points[0]);
            for (size_t i = 1; i + 2 < s.points.size(); i += 3)
                for (int k = 1; k <= 8; k++) {
                    const double t = k / 8.0, u = 1 - t;
                    const ScenePoint &a = s.points[i - 1], &b = s.points[i], &c = s.points[i + 1],
                                     &d = s.points[i + 2];
                    p.push_back({u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x +
                                     t * t * t * d.x,
                                 u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y +
                                     t * t * t * d.y});
                }
            break;
        case SCENELINE:
            break;
        }
        if (p.size() >= 2) out.push_back(p);
    }
    if (o.haslabel) {
        double x0, y0, x1, y1;
        scenelabelbox(o.label, x0, y0, x1, y1);
        out.push_back({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
    }
}

// The parameters t in [0, 1] where the segment a-b crosses the outlines.
void crossings(ScenePoint a, ScenePoint b, const std::vector<std::vector<ScenePoint>> &polys,
               std::vector<double> &ts) {
    const double rx = b.x - a.x, ry = b.y - a.y;
    for (const auto &p : polys)
        for (size_t i = 0; i < p.size(); i++) {
            const ScenePoint &c = p[i], &d = p[(i + 1) % p.size()];
            const double sx = d.x - c.x, sy = d.y - c.y;
            const double den = rx * sy - ry * sx;
            if (den == 0) continue;
            const double t = ((c.x - a.x) * sy - (c.y - a.y) * sx) / den;
            const double u = ((c.x - a.x) * ry - (c.y - a.y) * rx) / den;
            if (t >= 0 && t <= 1 && u >= 0 && u <= 1) ts.push_back(t);
        }
}

// The object an end of a line is attached to: the first visible closed shape
// with that id.
const IWORecord *attached(const IWORecord *table, int count, int id) {
    if (id == TRANSPARENT) return nullptr;
    for (int i = 1; i < count && i < IWOTABLESIZE; i++) {
        const IWORecord &t = table[i];
        if (t.id != id) continue;
        if (t.type == DEADTYPE || t.visible == 0 || islinetype(t.type)) return nullptr;
        return &t;
    }
    return nullptr;
}

// Where the ends of a line or connector are attached to shapes: the line runs
// from where it leaves the start's shape to where it meets the end's. Where
// the shapes overlap so that nothing is left between them, the line stays.
bool fitline(const IWORecord &r, const IWORecord *table, int count, const DiagramRecord &diagram,
             ScenePoint a, ScenePoint b, LineFit &fit) {
    double t0 = 0, t1 = 1;
    if (const IWORecord *s = attached(table, count, r.connectstart)) {
        std::vector<std::vector<ScenePoint>> polys;
        outlines(plainobject(*s, 0, diagram, nullptr), polys);
        std::vector<double> ts;
        crossings(a, b, polys, ts);
        if (!ts.empty()) t0 = *std::max_element(ts.begin(), ts.end());
    }
    if (const IWORecord *e = attached(table, count, r.connectend)) {
        std::vector<std::vector<ScenePoint>> polys;
        outlines(plainobject(*e, 0, diagram, nullptr), polys);
        std::vector<double> ts;
        crossings(a, b, polys, ts);
        bool after = false;
        for (double t : ts)
            if (t > t0 && t <= t1) t1 = t, after = true;
        if (!ts.empty() && !after) return false;
    }
    if (!(t1 > t0) || (t0 == 0 && t1 == 1)) return false;
    fit.a = a;
    fit.b = b;
    fit.na = {a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0};
    fit.nb = {a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1};
    return true;
}

} // namespace

void scenelabelbox(const SceneLabel &l, double &x0, double &y0, double &x1, double &y1) {
    const double margin = l.size / 10;
    x0 = l.x - margin;
    x1 = l.x + l.width + margin;
    y0 = l.baseline - l.ascent;
    y1 = l.baseline + l.descent;
}

void scenebounds(SceneObject &o) {
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    auto take = [&](double ax, double ay, double bx, double by) {
        x0 = std::min({x0, ax, bx});
        y0 = std::min({y0, ay, by});
        x1 = std::max({x1, ax, bx});
        y1 = std::max({y1, ay, by});
    };
    for (const SceneShape &s : o.shapes) {
        const double h = s.stroke != SCENENOPAINT ? s.weight / 2 + 1 : 1.0;
        switch (s.kind) {
        case SCENERECT:
            take(s.x - h, s.y - h, s.x + s.w + h, s.y + s.h + h);
            break;
        case SCENEELLIPSE:
            take(s.x - s.rx - h, s.y - s.ry - h, s.x + s.rx + h, s.y + s.ry + h);
            break;
        default:
            // Miter joins of a polygon reach further than half the weight.
            for (const ScenePoint &p : s.points)
                take(p.x - 2 * h, p.y - 2 * h, p.x + 2 * h, p.y + 2 * h);
            break;
        }
    }
    if (o.haslabel) {
        double a, b, c, d;
        scenelabelbox(o.label, a, b, c, d);
        // Glyphs may reach beyond the font's extent (accents, italics).
        const double m = o.label.size / 4;
        take(a - m, b - m, c + m, d + m);
    }
    if (x0 > x1) x0 = y0 = x1 = y1 = 0;
    o.x0 = x0;
    o.y0 = y0;
    o.x1 = x1;
    o.y1 = y1;
}

SceneObject sceneobject(const IWORecord *table, int count, int k, const DiagramRecord &diagram) {
    const IWORecord &r = table[k];
    SceneObject o = plainobject(r, k, diagram, nullptr);
    // The body of a line or connector: its first line part, as stored.
    const int parts = std::clamp<int>(r.drawnum, 0, MAXDRAWNUM);
    for (int j = 0; o.visible && islinetype(r.type) && j < parts; j++) {
        const DrawPart &d = r.draw[j];
        if (d.kind != PARTLINE && d.kind != PARTCONNECTOR) continue;
        const Mapper P{r, d};
        LineFit fit;
        if (fitline(r, table, count, diagram, P.p(0), P.p(1), fit))
            o = plainobject(r, k, diagram, &fit);
        break;
    }
    scenebounds(o);
    return o;
}

Scene buildscene(const IWORecord *table, int count, const DiagramRecord &diagram) {
    Scene s;
    s.width = diagram.paperwidth;
    s.height = diagram.paperheight;
    s.paper = pen(diagram.papercolour);
    count = std::clamp(count, 0, IWOTABLESIZE);
    for (int k = 1; k < count; k++) s.objects.push_back(sceneobject(table, count, k, diagram));
    return s;
}
