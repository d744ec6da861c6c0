// smooth.h - the smooth picture: a scene (scene/scene.h) drawn with cairo,
// anti-aliased, at any scale, the same for the screen, PNG, PDF and icons.
//
// Drawing a region of the page for the editor, at zoom Z (window pixels per
// diagram unit, the view's `zoom`) and device pixel ratio R (1, 1.25, 1.5, 2):
//
//   Scene scene = buildscene(IWO, IWONumber, IWODiagram);
//   // keep it, and after an edit replace the changed objects:
//   //   scene.objects[k - 1] = sceneobject(IWO, IWONumber, k, IWODiagram);
//   cairo_surface_t *img = cairo_image_surface_create(CAIRO_FORMAT_RGB24,
//                                                     ceil(W * R), ceil(H * R));
//   cairo_t *cr = cairo_create(img);              // W x H: the window in pixels
//   SmoothView v;
//   v.zoom = Z;
//   v.ratio = R;
//   v.originx = getdrawx(0);                      // window pixel of the page's
//   v.originy = getdrawy(0);                      // top-left corner
//   v.backboard = backboardcolour;
//   v.shadow = shadowcolour;
//   smoothregion(cr, scene, v, x, y, w, h);       // the damaged rectangle, window pixels
//   cairo_destroy(cr);
//   // then show the device pixels (x*R, y*R) to ((x+w)*R, (y+h)*R) of img, e.g. as
//   // a QImage of Format_RGB32 over cairo_image_surface_get_data (rows of
//   // cairo_image_surface_get_stride bytes), with setDevicePixelRatio(R).
//
// smoothregion clips to the rectangle, paints the backboard, the page's drop
// shadow and the page, and draws every object whose bounds meet the
// rectangle, in table order; the other objects cost nothing. Handles, the
// grid, the rubber band and the pointer outline are the editor's to draw over
// it. Nothing here reads a global: the scene and the view say everything.
//
//   smoothview(zoom, ratio, originx, originy)  a view with the default pens
//   smoothregion(cr, scene, view, x, y, w, h)  as above
//   smoothpage(cr, scene)         the page and every object, in the context's
//                                 current user space taken as diagram units
//   smoothobject(cr, object)      one object's shapes and label, likewise
//   smoothfontoptions(cr)         the text settings every smooth picture uses
//                                 (unhinted, so text is as wide at every scale)
#pragma once
#include "scene/scene.h"

#include <cairo.h>

struct SmoothView {
    double zoom = 0.3;  // window pixels per diagram unit
    double ratio = 1.0; // device pixels per window pixel
    double originx = 0; // window pixel of the page's left edge
    double originy = 0; // window pixel of the page's top edge
    int backboard = 0;  // pen round the page
    int shadow = 1;     // pen of the page's drop shadow
};

SmoothView smoothview(double zoom, double ratio, double originx, double originy);
void smoothregion(cairo_t *cr, const Scene &scene, const SmoothView &view, int x, int y, int w,
                  int h);
void smoothpage(cairo_t *cr, const Scene &scene);
void smoothobject(cairo_t *cr, const SceneObject &object);
void smoothfontoptions(cairo_t *cr);
