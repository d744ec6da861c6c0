// scene.h - the picture of a diagram as vector shapes in diagram units.
//
// The scene is what every smooth picture draws: the editor's smooth view, the
// PNG and PDF exports, the SVG export and the user-object icons. It is computed
// from the records alone (the object table and the diagram record passed in,
// no global read) and draws nothing itself, so the pictures can't disagree.
//
// Each visible object becomes, in table order, its shapes (one or two per
// drawing part, in part order) and its label. Coordinates are diagram units
// (0.1 mm, y downwards) as doubles; pens are palette pens (low 8 bits), or
// SCENENOPAINT where a part paints nothing.
//
// What the scene does beyond the pen picture, so that pictures look right at
// any scale:
//   - a label is centred on its label point by its own font's measured ink
//     extent and capital height (bold and italic kept), and its background box
//     is a shape of its own when labelfilled is set;
//   - a line or connector attached to a closed shape starts (or ends) where it
//     leaves that shape's outline or its label's box, whichever is further out;
//     the record's attach points are not changed;
//   - line-end marks sit on the line's (possibly shortened) end point and an
//     arrow-head points along the line in every direction;
//   - the outline of a rectangle or ellipse lies inside the object's box, as in
//     the pen picture.
//
//   sceneobject(table, count, k, diagram)  the scene object of table[k]
//   buildscene(table, count, diagram)      the page and every object 1..count-1
//   scenelabelbox(label, ...)              the box a label covers
//   scenebounds(object)                    the box an object's picture covers
#pragma once
#include "model/diagram.h"
#include "model/iwo.h"

#include <string>
#include <vector>

constexpr int SCENENOPAINT = -1; // pen of a fill or stroke that paints nothing

enum SceneShapeKind {
    SCENERECT,    // x, y, w, h with corner radii rx, ry
    SCENEELLIPSE, // centre x, y and radii rx, ry
    SCENEPOLYGON, // closed polygon through points
    SCENELINE,    // straight line points[0] to points[1]
    SCENECURVE,   // points[0], then cubic segments of three points each; the fill
                  // closes it with a straight line, the stroke doesn't
};

struct ScenePoint {
    double x = 0, y = 0;
};

struct SceneShape {
    SceneShapeKind kind = SCENERECT;
    double x = 0, y = 0, w = 0, h = 0; // rectangle; ellipse centre in x, y
    double rx = 0, ry = 0;             // corner radii of a rectangle, radii of an ellipse
    std::vector<ScenePoint> points;    // polygon, line and curve
    int fill = SCENENOPAINT;           // fill pen
    int stroke = SCENENOPAINT;         // outline pen
    double weight = 0;                 // outline width, diagram units
    bool roundcap = false;             // lines: round caps and joins (else butt caps)
};

struct SceneLabel {
    std::string text;     // ISO-8859-1 bytes
    std::string family;   // the stored font name without ".font"
    std::string found;    // the family drawn (the stored one or a fallback)
    std::string fontfile; // its font file and face index
    int fontindex = 0;
    bool fallback = false;             // the stored family is not installed
    bool bold = false, italic = false; // the style asked for
    bool synthbold = false;            // bold asked for but the face isn't: embolden it
    bool synthitalic = false;          // italic asked for but the face isn't: slant it
    double size = 0;                   // em size, diagram units
    double x = 0;                      // left end of the baseline
    double baseline = 0;               // y of the baseline
    double width = 0;                  // advance width
    double ascent = 0, descent = 0;    // extent above and below the baseline
    double cx = 0, cy = 0;             // the label point the text is centred on
    int pen = 0;                       // text pen
};

struct SceneObject {
    int index = 0;                  // table index
    int id = 0;                     // object id
    int type = 0;                   // object type
    bool visible = true;            // false: hidden by folding, draws nothing
    std::vector<SceneShape> shapes; // in drawing order, the label's background last
    bool haslabel = false;          // a font was found and the label isn't empty
    SceneLabel label;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0; // the box the picture covers (scenebounds)
};

struct Scene {
    double width = 0, height = 0;     // the page, diagram units
    int paper = 0;                    // paper pen
    std::vector<SceneObject> objects; // objects 1..count-1 in table order
};

SceneObject sceneobject(const IWORecord *table, int count, int k, const DiagramRecord &diagram);
Scene buildscene(const IWORecord *table, int count, const DiagramRecord &diagram);
void scenebounds(SceneObject &o);
// The box of a label's text: its advance width and font extent, with a margin
// of a tenth of the size left and right.
void scenelabelbox(const SceneLabel &l, double &x0, double &y0, double &x1, double &y1);
