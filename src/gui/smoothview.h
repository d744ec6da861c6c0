// smoothview.h - the drawing window's smooth picture: the diagram's scene
// drawn by the smooth renderer (render/smooth.h, the same calls the exports
// and `render --smooth` make) at the screen's device pixel ratio, with the
// editor's marks (handles, highlight, grid, fold markers, the pointer outline
// and the rubber band) laid over it, pixel for pixel as the pen raster holds
// them, so that they stay as crisp as in the classic picture.
//
// The picture is kept between events: the scene is kept too, and only the
// objects whose records changed (and the connectors attached to them) are
// made again; only the rectangles their old and new pictures cover are drawn
// again, and only the rectangles where the raster's marks changed are laid
// over again. A new zoom, scroll position, size, ratio or diagram record draws
// everything.
//
//   SmoothPicture::update(rp, table, count, diagram, exists, view)
//       brings the picture up to date; returns the window pixels that changed
//   SmoothPicture::image()   the picture, device pixels, with its pixel ratio set
//   SmoothPicture::clear()   forget everything (the next update draws it all)
//   SmoothPicture::scene()   the scene as last made
#pragma once
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/raster.h"
#include "render/smooth.h"
#include "scene/scene.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

class SmoothPicture {
  public:
    QRect update(const Raster *rp, const IWORecord *table, int count, const DiagramRecord &diagram,
                 bool exists, const SmoothView &view);
    const QImage &image() const { return shown_; }
    const Scene &scene() const { return scene_; }
    void clear();

  private:
    QRegion syncscene(const IWORecord *table, int count, const DiagramRecord &diagram, bool exists,
                      bool &all);
    QRect pixelbox(const SceneObject &o) const;
    QRect aligned(const QRect &r) const;
    QRect device(const QRect &r) const;
    void render(const QRect &r);
    void compose(const Raster *rp, const QRect &r);

    Scene scene_;
    bool havescene_ = false;
    bool exists_ = false;
    std::vector<IWORecord> records_; // the records the scene was made from
    DiagramRecord diagram_{};
    std::vector<uint8_t> pens_, marks_; // the raster as last laid over
    SmoothView view_;
    int width_ = 0, height_ = 0; // window pixels
    int align_ = 1;              // window pixels that make a whole number of device pixels
    QImage smooth_;              // the scene alone, device pixels
    QImage shown_;               // with the marks over it
};
