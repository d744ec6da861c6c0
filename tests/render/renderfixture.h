// renderfixture.h - shared set-up of the renderer tests.
//
//   Window                Core with an open diagram and a drawing window, closed
//                         afterwards
//   Window::setview(pw, ph, z, hx, vy)  page size, zoom and scroller tops
//   View                  Window: an A4 portrait diagram in an 800 x 600 window at
//                         zoom 0.3, both scroller tops 0
#pragma once
#include "testutil.h"

#include "model/create.h"
#include "model/diagram.h"
#include "model/interaction.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/pngwrite.h"
#include "platform/window.h"
#include "render/drawstate.h"
#include "render/view.h"

class Window : public Core {
  protected:
    void open(int w, int h) {
        Core::SetUp();
        DiagramExists = 1;
        opendrawspacewindow(w, h);
    }
    void TearDown() override {
        closedrawspacewindow();
        Core::TearDown();
    }
    void setview(int pw, int ph, float z, int hx, int vy) {
        IWODiagram.paperwidth = (int16_t)pw;
        IWODiagram.paperheight = (int16_t)ph;
        zoom = z;
        setbitmapsize();
        setscrollertop(HSCROLLER, hx);
        setscrollertop(VSCROLLER, vy);
    }
};

class View : public Window {
  protected:
    void SetUp() override {
        open(800, 600);
        setview(2100, 2900, 0.3f, 0, 0);
    }
};
