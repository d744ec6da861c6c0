// renderfixture.h - shared set-up of the renderer tests.
//
//   View                  Core with an open A4 portrait diagram in an 800 x 600
//                         window at zoom 0.3, both scroller tops 0
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
