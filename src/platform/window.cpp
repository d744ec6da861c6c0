// window.cpp - the drawing window's raster and scrollers.
#include "platform/window.h"

#include "platform/platform.h"

Raster *drawspacerp = nullptr;

namespace {
Scroller scrollers[2];
int pointer[2];

void clamp(Scroller &s) {
    int limit = s.total - s.visible;
    if (s.top > limit) s.top = limit;
    if (s.top < 0) s.top = 0;
}

void changed(int s) {
    platformui().scrollerchanged(s, scrollers[s].top, scrollers[s].visible, scrollers[s].total);
}
} // namespace

int opendrawspacewindow(int w, int h) {
    if (!drawspacerp)
        drawspacerp = newraster(w, h);
    else
        sizeraster(drawspacerp, w, h);
    return drawspacerp ? 1 : 0;
}

int closedrawspacewindow() {
    freeraster(drawspacerp);
    drawspacerp = nullptr;
    scrollers[0] = scrollers[1] = Scroller{};
    return 1;
}

int resizedrawspacewindow(int w, int h) {
    if (!drawspacerp) return opendrawspacewindow(w, h);
    return sizeraster(drawspacerp, w, h);
}

int drawspacewindowwidth() { return drawspacerp ? drawspacerp->Width : 0; }
int drawspacewindowheight() { return drawspacerp ? drawspacerp->Height : 0; }

int getscrollertop(int s) { return scrollers[s & 1].top; }
Scroller getscroller(int s) { return scrollers[s & 1]; }

void setscrollertop(int s, int top) {
    scrollers[s & 1].top = top;
    clamp(scrollers[s & 1]);
    changed(s & 1);
}

void setscrollervisible(int s, int visible) {
    scrollers[s & 1].visible = visible;
    clamp(scrollers[s & 1]);
    changed(s & 1);
}

void setscrollertotal(int s, int total) {
    scrollers[s & 1].total = total;
    clamp(scrollers[s & 1]);
    changed(s & 1);
}

void setpointerposition(int x, int y) {
    pointer[0] = x;
    pointer[1] = y;
}
int pointerx() { return pointer[0]; }
int pointery() { return pointer[1]; }
