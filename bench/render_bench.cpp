// Redraw speed of a full diagram: a generated 1000-object diagram of mixed
// types with labels on an A2 landscape page (5800 x 4200 units), drawn into a
// 1920 x 1080 window: one full redraw (page clear and every object) at zoom
// 1.0 and at zoom 0.3, and one erase with damage repair of a single object.
#include "app/startup.h"
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "model/settings.h"
#include "platform/headless/headlessui.h"
#include "platform/window.h"
#include "render/draw.h"
#include "render/erase.h"
#include "render/smooth.h"
#include "render/view.h"
#include "scene/scene.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

HeadlessUI benchui(nullptr);

// Places one object of a type with this box, unselected.
int place(int type, int x, int y, int w, int h) {
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, type, x, y, linecolour, lineweight, fillcolour);
    int n = IWONumber;
    resetsingleIWO(n);
    createIWO(n, type, x, y, linecolour, lineweight, fillcolour);
    IWORecord &r = IWO[n];
    r.x = (int16_t)x;
    r.y = (int16_t)y;
    r.width = (int16_t)w;
    r.height = (int16_t)h;
    r.selected = 0;
    return n;
}

// The diagram: shapes of every built-in type in a jittered lattice, about one
// in five a line or connector with end marks, labels on most objects.
void makediagram(float z) {
    setplatformui(&benchui);
    setupcore();
    DiagramExists = 1;
    IWODiagram.paperwidth = 5800;
    IWODiagram.paperheight = 4200;
    opendrawspacewindow(1920, 1080);
    zoom = z;
    setbitmapsize();
    setscrollertop(HSCROLLER, 0);
    setscrollertop(VSCROLLER, 0);
    static const int types[] = {101, 102, 104, 105, 106, 107, 110, 112, 114,
                                115, 117, 118, 108, 119, 120, 121, 122, 123,
                                124, 125, 126, 127, 128, 129, 130, 109, 107};
    const int ntypes = sizeof types / sizeof types[0];
    unsigned seed = 2024;
    auto rnd = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return (int)((seed >> 8) % (unsigned)n);
    };
    for (int k = 0; k < 1000; k++) {
        int type = types[k % ntypes];
        int col = k % 40, row = k / 40; // 40 x 25 cells of 140 x 160 units
        int x = 20 + col * 142 + rnd(40), y = 20 + row * 164 + rnd(40);
        int w = 150 + rnd(250), h = 100 + rnd(200);
        fillcolour = (int16_t)(16 + rnd(100));
        linecolour = (int16_t)(1 + rnd(3));
        lineweight = (int16_t)(5 + rnd(20));
        int n;
        if (type == 107 || type == 108) {
            n = place(107, x, y, rnd(2) ? w : -w, rnd(2) ? h : -h);
            IWO[n].type = (int16_t)type;
            IWO[n].draw[0].kind = (int8_t)(type == 107 ? 8 : 13);
            IWO[n].draw[1].kind = (int8_t)(17 + rnd(19));
            IWO[n].draw[2].kind = 34;
            for (int e = 1; e <= 2; e++) IWO[n].draw[e].px[1] = IWO[n].draw[e].py[1] = 30;
        } else {
            n = place(type, x, y, w, h);
        }
        IWORecord &r = IWO[n];
        if (type != 109 && rnd(5) == 0) continue;
        std::snprintf(r.label, sizeof r.label, "Node %d", k);
        r.labelfilled = (int16_t)rnd(2);
        r.labelcolour = 2;
    }
    selectedIWO = -99;
}

void redraw(benchmark::State &state, float z) {
    makediagram(z);
    cleardrawspace(papercolour);
    refreshIWOall(); // the first draw renders the glyphs
    for (auto _ : state) {
        cleardrawspace(papercolour);
        refreshIWOall();
    }
    benchmark::DoNotOptimize(drawspacerp->Pixels.data());
    state.counters["objects"] = IWONumber - 1;
}

void BM_FullRedrawZoom1(benchmark::State &state) { redraw(state, 1.0f); }
BENCHMARK(BM_FullRedrawZoom1)->Unit(benchmark::kMillisecond);

void BM_FullRedrawZoom03(benchmark::State &state) { redraw(state, 0.3f); }
BENCHMARK(BM_FullRedrawZoom03)->Unit(benchmark::kMillisecond);

// Erasing one object (a parallelogram in the window at either zoom) and
// repairing the damage, as the release of a drag does.
void BM_EraseAndFixDamage(benchmark::State &state) {
    makediagram((float)state.range(0) / 10.0f);
    cleardrawspace(papercolour);
    refreshIWOall();
    int i = 40 * 4 + 8 + 1; // row 4, column 8
    for (auto _ : state) {
        eraseIWO(i, papercolour, 0);
        CheckDamage(i);
        FixDamage();
    }
    benchmark::DoNotOptimize(drawspacerp->Pixels.data());
}
BENCHMARK(BM_EraseAndFixDamage)->Arg(10)->Arg(3)->Unit(benchmark::kMicrosecond);

} // namespace

// The smooth picture of the same diagram at zoom 0.3 drawn whole into the
// 1920 x 1080 window (3840 x 2160 device pixels at ratio 2): the renderer
// alone, without the window around it.
void BM_SmoothRegionZoom03(benchmark::State &state) {
    makediagram(0.3f);
    const double ratio = (double)state.range(0);
    const Scene scene = buildscene(IWO, IWONumber, IWODiagram);
    cairo_surface_t *img =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, (int)(1920 * ratio), (int)(1080 * ratio));
    SmoothView v = smoothview(zoom, ratio, getdrawx(0), getdrawy(0));
    for (auto _ : state) {
        cairo_t *cr = cairo_create(img);
        smoothregion(cr, scene, v, 0, 0, 1920, 1080);
        cairo_destroy(cr);
        cairo_surface_flush(img);
    }
    cairo_surface_destroy(img);
    state.counters["objects"] = (double)scene.objects.size();
}
BENCHMARK(BM_SmoothRegionZoom03)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Making the scene of the whole diagram anew.
void BM_BuildScene(benchmark::State &state) {
    makediagram(0.3f);
    for (auto _ : state) {
        Scene scene = buildscene(IWO, IWONumber, IWODiagram);
        benchmark::DoNotOptimize(scene.objects.data());
    }
}
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond);
