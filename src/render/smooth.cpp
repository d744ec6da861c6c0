// smooth.cpp - drawing a scene with cairo.
#include "render/smooth.h"

#include "platform/palette.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

// Width of the page's drop shadow, diagram units (as the pen picture's).
constexpr double SHADOW = 60.0;

void setpen(cairo_t *cr, int pen) {
    const uint32_t c = penrgb(pen);
    cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                         (c & 0xFF) / 255.0);
}

// The cairo faces of the label fonts, made once per file, face and synthesis.
struct FontFaces {
    FT_Library library = nullptr;
    std::map<std::string, cairo_font_face_t *> faces;
    ~FontFaces() {
        for (auto &f : faces) cairo_font_face_destroy(f.second);
        // The FreeType faces go with their cairo faces; the library may be
        // needed until the last of them is gone, so it is left to the exit.
    }
} fontfaces;

const cairo_user_data_key_t FACEKEY{};

void donefreetype(void *face) { FT_Done_Face((FT_Face)face); }

cairo_font_face_t *fontface(const SceneLabel &l) {
    const std::string key = l.fontfile + "|" + std::to_string(l.fontindex) + "|" +
                            (l.synthbold ? "b" : "") + (l.synthitalic ? "i" : "");
    auto it = fontfaces.faces.find(key);
    if (it != fontfaces.faces.end()) return it->second;
    cairo_font_face_t *cf = nullptr;
    if (!fontfaces.library) FT_Init_FreeType(&fontfaces.library);
    FT_Face face = nullptr;
    if (fontfaces.library &&
        FT_New_Face(fontfaces.library, l.fontfile.c_str(), l.fontindex, &face) == 0) {
        cf = cairo_ft_font_face_create_for_ft_face(face, 0);
        if (cairo_font_face_set_user_data(cf, &FACEKEY, face, donefreetype) !=
            CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(cf);
            FT_Done_Face(face);
            cf = nullptr;
        } else {
            unsigned synth = 0;
            if (l.synthbold) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
            if (l.synthitalic) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
            if (synth) cairo_ft_font_face_set_synthesize(cf, synth);
        }
    }
    fontfaces.faces[key] = cf;
    return cf;
}

// ISO-8859-1 bytes as UTF-8.
std::string utf8(const std::string &s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (unsigned char c : s) {
        if (c < 0x80) {
            out += (char)c;
        } else {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void roundedrect(cairo_t *cr, const SceneShape &s) {
    const double r = std::min({s.rx, s.w / 2, s.h / 2});
    if (r <= 0) {
        cairo_rectangle(cr, s.x, s.y, s.w, s.h);
        return;
    }
    const double x0 = s.x, y0 = s.y, x1 = s.x + s.w, y1 = s.y + s.h;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - r, y0 + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x1 - r, y1 - r, r, 0, M_PI / 2);
    cairo_arc(cr, x0 + r, y1 - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + r, y0 + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Fills and outlines the current path in the shape's pens.
void paint(cairo_t *cr, const SceneShape &s) {
    if (s.fill != SCENENOPAINT) {
        setpen(cr, s.fill);
        cairo_fill_preserve(cr);
    }
    if (s.stroke != SCENENOPAINT && s.weight > 0) {
        setpen(cr, s.stroke);
        cairo_set_line_width(cr, s.weight);
        cairo_set_line_cap(cr, s.roundcap ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(cr, s.roundcap ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
}

void shape(cairo_t *cr, const SceneShape &s) {
    switch (s.kind) {
    case SCENERECT:
        if (s.w <= 0 && s.h <= 0) return;
        roundedrect(cr, s);
        paint(cr, s);
        break;
    case SCENEELLIPSE:
        if (s.rx <= 0 || s.ry <= 0) return;
        cairo_save(cr);
        cairo_translate(cr, s.x, s.y);
        cairo_scale(cr, s.rx, s.ry);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_close_path(cr);
        cairo_restore(cr);
        paint(cr, s);
        break;
    case SCENEPOLYGON:
        if (s.points.empty()) return;
        cairo_move_to(cr, s.points[0].x, s.points[0].y);
        for (size_t i = 1; i < s.points.size(); i++)
            cairo_line_to(cr, s.points[i].x, s.points[i].y);
        cairo_close_path(cr);
        paint(cr, s);
        break;
    case SCENELINE: {
        if (s.points.size() < 2) return;
        const ScenePoint &a = s.points[0], &b = s.points[1];
        if (a.x == b.x && a.y == b.y) return; // no length: only its marks show
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        SceneShape l = s;
        l.fill = SCENENOPAINT;
        paint(cr, l);
        break;
    }
    case SCENECURVE:
        if (s.points.empty()) return;
        cairo_move_to(cr, s.points[0].x, s.points[0].y);
        for (size_t i = 1; i + 2 < s.points.size(); i += 3)
            cairo_curve_to(cr, s.points[i].x, s.points[i].y, s.points[i + 1].x, s.points[i + 1].y,
                           s.points[i + 2].x, s.points[i + 2].y);
        paint(cr, s);
        break;
    }
}

void label(cairo_t *cr, const SceneLabel &l) {
    cairo_font_face_t *face = fontface(l);
    if (!face) return;
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, l.size);
    smoothfontoptions(cr);
    setpen(cr, l.pen);
    cairo_move_to(cr, l.x, l.baseline);
    cairo_show_text(cr, utf8(l.text).c_str());
    cairo_new_path(cr);
}

} // namespace

void smoothfontoptions(cairo_t *cr) {
    cairo_font_options_t *o = cairo_font_options_create();
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

SmoothView smoothview(double zoom, double ratio, double originx, double originy) {
    SmoothView v;
    v.zoom = zoom;
    v.ratio = ratio;
    v.originx = originx;
    v.originy = originy;
    return v;
}

void smoothobject(cairo_t *cr, const SceneObject &o) {
    if (!o.visible) return;
    // SVG's default, so that every picture joins corners alike.
    cairo_set_miter_limit(cr, 4.0);
    for (const SceneShape &s : o.shapes) shape(cr, s);
    if (o.haslabel) label(cr, o.label);
}

void smoothpage(cairo_t *cr, const Scene &scene) {
    setpen(cr, scene.paper);
    cairo_rectangle(cr, 0, 0, scene.width, scene.height);
    cairo_fill(cr);
    for (const SceneObject &o : scene.objects) smoothobject(cr, o);
}

void smoothregion(cairo_t *cr, const Scene &scene, const SmoothView &v, int x, int y, int w,
                  int h) {
    if (w <= 0 || h <= 0 || !(v.zoom > 0) || !(v.ratio > 0)) return;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_scale(cr, v.ratio, v.ratio);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    setpen(cr, v.backboard);
    cairo_paint(cr);
    cairo_translate(cr, v.originx, v.originy);
    cairo_scale(cr, v.zoom, v.zoom);
    setpen(cr, v.shadow);
    cairo_rectangle(cr, SHADOW, SHADOW, scene.width, scene.height);
    cairo_fill(cr);
    setpen(cr, scene.paper);
    cairo_rectangle(cr, 0, 0, scene.width, scene.height);
    cairo_fill(cr);
    // The region in diagram units: objects wholly outside it are skipped.
    const double ux0 = (x - v.originx) / v.zoom, uy0 = (y - v.originy) / v.zoom;
    const double ux1 = (x + w - v.originx) / v.zoom, uy1 = (y + h - v.originy) / v.zoom;
    for (const SceneObject &o : scene.objects)
        if (o.visible && o.x1 >= ux0 && o.x0 <= ux1 && o.y1 >= uy0 && o.y0 <= uy1)
            smoothobject(cr, o);
    cairo_restore(cr);
}
