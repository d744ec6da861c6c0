// renderfixture.h - shared set-up of the renderer tests.
//
//   View                  Core with an open A4 portrait diagram in an 800 x 600
//                         window at zoom 0.3, both scroller tops 0
//   addobject(type, x, y, w, h)   place an object of a type and give it this
//                         box (lines: start point and signed offsets); it is
//                         left unselected and nothing is the focus
//   goldenmatch(rp, name) compare rp with tests/render/golden/NAME (pens,
//                         tolerance 0); with IW_UPDATE_GOLDEN=1 write it instead
#pragma once
#include "testutil.h"

#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/pngwrite.h"
#include "platform/window.h"
#include "render/view.h"

#include <cstdlib>
#include <string>
#include <vector>

class View : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        DiagramExists = 1;
        IWODiagram.paperwidth = 2100;
        IWODiagram.paperheight = 2900;
        opendrawspacewindow(800, 600);
        zoom = 0.3f;
        setbitmapsize();
        setscrollertop(HSCROLLER, 0);
        setscrollertop(VSCROLLER, 0);
    }
    void TearDown() override {
        closedrawspacewindow();
        Core::TearDown();
    }
};

inline int addobject(int type, int x, int y, int w, int h) {
    int n = place(type, x, y);
    IWORecord &r = IWO[n];
    r.x = (int16_t)x, r.y = (int16_t)y, r.width = (int16_t)w, r.height = (int16_t)h;
    r.selected = 0;
    selectedIWO = -99;
    numIWOselected = 0;
    return n;
}

inline ::testing::AssertionResult goldenmatch(const Raster *rp, const std::string &name) {
    std::string path = fixture("render/golden/" + name);
    if (std::getenv("IW_UPDATE_GOLDEN") && !writepenpng(path.c_str(), rp))
        return ::testing::AssertionFailure() << "cannot write " << path;
    int w = 0, h = 0;
    std::vector<uint8_t> pens;
    if (!readpenpng(path.c_str(), &w, &h, &pens, nullptr))
        return ::testing::AssertionFailure() << "cannot read " << path;
    if (w != rp->Width || h != rp->Height)
        return ::testing::AssertionFailure() << name << " is " << w << "x" << h;
    for (size_t i = 0; i < pens.size(); i++)
        if (pens[i] != rp->Pixels[i])
            return ::testing::AssertionFailure()
                   << name << " differs first at (" << i % w << "," << i / w << "): "
                   << (int)rp->Pixels[i] << " instead of " << (int)pens[i];
    return ::testing::AssertionSuccess();
}
