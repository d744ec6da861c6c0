// scene_test.cpp - the vector picture of the records: pure, labels centred by
// their own font, connectors fitted to the shapes they join, line ends on
// their lines.
#include "render/renderfixture.h"

#include "model/diagram.h"
#include "platform/fonts.h"
#include "render/view.h"
#include "scene/scene.h"

#include <cmath>
#include <cstring>

namespace {

class Scenes : public View {};

// The box a shape covers, its outline left out.
void extent(const SceneShape &s, double &x0, double &y0, double &x1, double &y1) {
    x0 = y0 = 1e300, x1 = y1 = -1e300;
    auto take = [&](double x, double y) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    };
    if (s.kind == SCENERECT) take(s.x, s.y), take(s.x + s.w, s.y + s.h);
    if (s.kind == SCENEELLIPSE) take(s.x - s.rx, s.y - s.ry), take(s.x + s.rx, s.y + s.ry);
    for (const ScenePoint &p : s.points) take(p.x, p.y);
}

std::vector<uint8_t> tablebytes() {
    std::vector<uint8_t> b((size_t)IWOTABLESIZE * IWORECORDSIZE);
    for (int i = 0; i < IWOTABLESIZE; i++) writeIWOrecord(IWO[i], &b[(size_t)i * IWORECORDSIZE]);
    return b;
}

} // namespace

// The scene is a function of the records and the diagram alone: building it
// changes no record (a Text object keeps its size, attach points stay), and
// the view's zoom and scroll don't enter it.
TEST_F(Scenes, PureFunctionOfTheRecords) {
    const int a = place(101, 200, 200, 300, 200, false);
    const int t = place(109, 900, 200, 0, 0, false);
    std::strcpy(IWO[a].label, "Box");
    std::strcpy(IWO[t].label, "Some text");
    const int b = place(105, 1200, 900, 300, 200, false);
    connect(a, 150, 100, b, 150, 100);
    const std::vector<uint8_t> before = tablebytes();
    const Scene s1 = buildscene(IWO, IWONumber, IWODiagram);
    EXPECT_EQ(before, tablebytes());
    zoom = 1.7f;
    setscrollertop(HSCROLLER, 40);
    const Scene s2 = buildscene(IWO, IWONumber, IWODiagram);
    ASSERT_EQ(s1.objects.size(), s2.objects.size());
    for (size_t k = 0; k < s1.objects.size(); k++) {
        const SceneObject &o1 = s1.objects[k], &o2 = s2.objects[k];
        ASSERT_EQ(o1.shapes.size(), o2.shapes.size());
        for (size_t j = 0; j < o1.shapes.size(); j++) {
            double a0, b0, c0, d0, a1, b1, c1, d1;
            extent(o1.shapes[j], a0, b0, c0, d0);
            extent(o2.shapes[j], a1, b1, c1, d1);
            EXPECT_EQ(std::make_tuple(a0, b0, c0, d0), std::make_tuple(a1, b1, c1, d1));
        }
        EXPECT_EQ(o1.label.x, o2.label.x);
        EXPECT_EQ(o1.label.baseline, o2.label.baseline);
    }
    // A hidden object is in the scene, drawing nothing.
    IWO[b].visible = 0;
    const SceneObject h = sceneobject(IWO, IWONumber, b, IWODiagram);
    EXPECT_FALSE(h.visible);
    EXPECT_TRUE(h.shapes.empty());
}

// A label is centred on its label point by its own font's ink extent and
// capital height, at every size, bold and italic (measured in the same face
// the renderers draw); one that would leave the page is pushed back, the right
// edge winning; a filled label's background is a shape of its own.
TEST_F(Scenes, LabelsCentredByTheirOwnFont) {
    const int sizes[] = {8, 12, 16, 24, 32, 48, 72};
    const int styles[] = {0, FSF_BOLD, FSF_ITALIC, FSF_BOLD | FSF_ITALIC};
    const int n = place(101, 1000, 600, 400, 300, false);
    std::strcpy(IWO[n].label, "Label Wg");
    IWO[n].labelx = 25;
    IWO[n].labely = 75;
    IWO[n].labelfilled = 0;
    for (int size : sizes)
        for (int style : styles) {
            IWO[n].font.ta_YSize = (uint16_t)size;
            IWO[n].font.ta_Style = (uint8_t)style;
            const SceneObject o = sceneobject(IWO, IWONumber, n, IWODiagram);
            ASSERT_TRUE(o.haslabel);
            const SceneLabel &l = o.label;
            const FaceMetrics *m = facemetrics(IWO[n].fontname, style);
            ASSERT_NE(m, nullptr);
            EXPECT_DOUBLE_EQ(l.size, 4.0 * size);
            EXPECT_NEAR(l.width, textwidth(m, "Label Wg", 8) * l.size, 1e-9);
            double inkl, inkr;
            ASSERT_TRUE(textink(m, "Label Wg", 8, &inkl, &inkr));
            EXPECT_NEAR(l.x + (inkl + inkr) / 2 * l.size, 1000 + 100, 1e-9) << size << style;
            EXPECT_NEAR(l.baseline - m->capheight * l.size / 2, 600 + 225, 1e-9);
            EXPECT_EQ(l.bold, (style & FSF_BOLD) != 0);
            EXPECT_EQ(l.italic, (style & FSF_ITALIC) != 0);
            EXPECT_EQ(o.shapes.size(), 1u); // not filled: no background
        }
    // Bold is really a bold face (or made bold), and wider than the plain one.
    IWO[n].font.ta_YSize = 16;
    IWO[n].font.ta_Style = FSF_BOLD;
    const SceneObject bold = sceneobject(IWO, IWONumber, n, IWODiagram);
    IWO[n].font.ta_Style = 0;
    const SceneObject plain = sceneobject(IWO, IWONumber, n, IWODiagram);
    EXPECT_GT(bold.label.width, plain.label.width);
    EXPECT_TRUE(bold.label.synthbold || bold.label.fontfile != plain.label.fontfile);

    // The background box round the text, the last shape, in the label pen.
    IWO[n].labelfilled = 1;
    IWO[n].labelcolour = 44;
    const SceneObject f = sceneobject(IWO, IWONumber, n, IWODiagram);
    ASSERT_EQ(f.shapes.size(), 2u);
    const SceneShape &bg = f.shapes.back();
    EXPECT_EQ(bg.fill, 44);
    EXPECT_LT(bg.x, f.label.x);
    EXPECT_GT(bg.x + bg.w, f.label.x + f.label.width);
    EXPECT_LT(bg.y, f.label.baseline - f.label.size * 0.7);
    EXPECT_GT(bg.y + bg.h, f.label.baseline);

    // Page edges: a label hanging over the left edge starts at it, one over
    // the right edge ends at it.
    IWO[n].labelx = 0;
    IWO[n].x = 10;
    EXPECT_DOUBLE_EQ(sceneobject(IWO, IWONumber, n, IWODiagram).label.x, 0);
    IWO[n].x = (int16_t)(IWODiagram.paperwidth - 20);
    IWO[n].labelx = 100;
    const SceneLabel r = sceneobject(IWO, IWONumber, n, IWODiagram).label;
    EXPECT_NEAR(r.x + r.width, IWODiagram.paperwidth, 1e-9);

    // A font that isn't installed: the fallback is named and drawn.
    std::strcpy(IWO[n].fontname, "No Such Family.font");
    const SceneLabel u = sceneobject(IWO, IWONumber, n, IWODiagram).label;
    EXPECT_TRUE(u.fallback);
    EXPECT_EQ(u.family, "No Such Family");
    EXPECT_EQ(u.found, "Bitstream Vera Sans");
}

// A connector attached to closed shapes runs from where it leaves the first
// shape (or its label, here wider than the shape) to where it meets the
// second's outline; its marks move with its ends; the records keep their
// attach points. Overlapping shapes leave the line as stored.
TEST_F(Scenes, ConnectorsLeaveTheOutlinesAndLabels) {
    const int a = place(101, 200, 1000, 200, 200, false);
    std::strcpy(IWO[a].label, "A label far wider than its box");
    const int b = place(105, 1400, 950, 400, 300, false);
    const int c = connect(a, 100, 100, b, 200, 150);
    IWORecord &r = IWO[c];
    r.draw[2].kind = PARTENDARROW;
    r.draw[2].px[1] = r.draw[2].py[1] = 10;
    r.draw[2].fillcolour = 1;
    const IWORecord kept = r;
    const SceneObject o = sceneobject(IWO, IWONumber, c, IWODiagram);
    const SceneObject la = sceneobject(IWO, IWONumber, a, IWODiagram);
    EXPECT_EQ(0, std::memcmp(&kept, &IWO[c], sizeof kept));
    ASSERT_GE(o.shapes.size(), 2u);
    const SceneShape &line = o.shapes[0];
    ASSERT_EQ(line.kind, SCENELINE);
    double x0, y0, x1, y1;
    scenelabelbox(la.label, x0, y0, x1, y1);
    ASSERT_GT(x1, 400); // the label sticks out of the box
    // The start on the label box's right edge, the line horizontal.
    EXPECT_NEAR(line.points[0].x, x1, 0.01);
    EXPECT_NEAR(line.points[0].y, 1100, 0.01);
    // The arrow's tip on the ellipse's outline (its stroke's outer edge), the
    // line stopping inside the head.
    const SceneShape &tip = o.shapes[1];
    ASSERT_EQ(tip.kind, SCENEPOLYGON);
    EXPECT_NEAR(tip.points[0].x, 1400, 0.5);
    EXPECT_NEAR(tip.points[0].y, 1100, 0.01);
    EXPECT_LT(line.points[1].x, tip.points[0].x);
    EXPECT_GT(line.points[1].x, tip.points[0].x - 2 * 10);
    // Shapes that overlap so that nothing is left between them: the line
    // stays as stored (here the label reaches into the ellipse).
    std::strcpy(IWO[a].label, "A label so very wide that it reaches B");
    IWO[a].font.ta_YSize = 20;
    const SceneObject s = sceneobject(IWO, IWONumber, c, IWODiagram);
    EXPECT_DOUBLE_EQ(s.shapes[0].points[0].x, IWO[c].x);
}

// Every mark sits on its line's end whatever the line's direction: squares,
// discs and diamonds centred on it, an arrow-head's tip on it with its axis
// along the line (the leftward line included).
TEST_F(Scenes, LineEndsSitOnTheirLineEnds) {
    const int kinds[] = {PARTENDSQUARE,      PARTENDDISC,  PARTENDDIAMOND,
                         PARTENDOPENDIAMOND, PARTENDARROW, PARTENDARROWBACK};
    for (int dir = 0; dir < 8; dir++) {
        const double a = dir * M_PI / 4;
        const int w = (int)std::lround(300 * std::cos(a)), h = (int)std::lround(300 * std::sin(a));
        for (int kind : kinds) {
            const int n = place(107, 1000, 1000, w, h, false);
            IWORecord &r = IWO[n];
            DrawPart &d = r.draw[2];
            d.kind = (int8_t)kind;
            d.px[1] = d.py[1] = 12;
            d.fillcolour = 1;
            const SceneObject o = sceneobject(IWO, IWONumber, n, IWODiagram);
            const double ex = 1000 + w, ey = 1000 + h;
            ASSERT_GE(o.shapes.size(), 2u);
            const SceneShape &m = o.shapes[1];
            if (kind == PARTENDARROW || kind == PARTENDARROWBACK) {
                ASSERT_EQ(m.points.size(), 3u);
                EXPECT_NEAR(m.points[0].x, ex, 1e-9) << dir << " " << kind;
                EXPECT_NEAR(m.points[0].y, ey, 1e-9);
                const double bx = (m.points[1].x + m.points[2].x) / 2 - ex;
                const double by = (m.points[1].y + m.points[2].y) / 2 - ey;
                EXPECT_NEAR(bx * h - by * w, 0, 1e-6) << dir; // on the line's axis
                const double along = bx * w + by * h;         // behind or ahead of the tip
                EXPECT_EQ(along < 0, kind == PARTENDARROW) << dir;
            } else {
                double x0, y0, x1, y1;
                extent(m, x0, y0, x1, y1);
                EXPECT_NEAR((x0 + x1) / 2, ex, 1e-9) << dir << " " << kind;
                EXPECT_NEAR((y0 + y1) / 2, ey, 1e-9);
            }
            downjigIWO(n);
        }
    }
}
