// Fill speed of the pen raster at window size: large polygons and ellipses,
// the small discs that thick lines are stamped from, and labels.
#include "platform/fonts.h"
#include "platform/raster.h"

#include <benchmark/benchmark.h>

namespace {

struct Window {
    Raster *rp = newraster(1920, 1080);
    ~Window() { freeraster(rp); }
};

void BM_PolygonFillLarge(benchmark::State &state) {
    Window w;
    SetDrMd(w.rp, (int)state.range(0));
    for (auto _ : state) {
        AreaMove(w.rp, 100, 40);
        AreaDraw(w.rp, 1800, 200);
        AreaDraw(w.rp, 1500, 1050);
        AreaDraw(w.rp, 900, 700);
        AreaDraw(w.rp, 60, 1000);
        AreaEnd(w.rp);
    }
    benchmark::DoNotOptimize(w.rp->Pixels.data());
}
BENCHMARK(BM_PolygonFillLarge)->Arg(JAM1)->Arg(COMPLEMENT);

void BM_EllipseFillLarge(benchmark::State &state) {
    Window w;
    SetDrMd(w.rp, (int)state.range(0));
    int r = 500;
    for (auto _ : state) {
        AreaEllipse(w.rp, 960, 540, 900 + (r & 1), r); // radii change: no row cache reuse
        r ^= 1;
    }
    benchmark::DoNotOptimize(w.rp->Pixels.data());
}
BENCHMARK(BM_EllipseFillLarge)->Arg(JAM1)->Arg(COMPLEMENT);

void BM_EllipseOutlineLarge(benchmark::State &state) {
    Window w;
    for (auto _ : state) DrawEllipse(w.rp, 960, 540, 900, 500);
    benchmark::DoNotOptimize(w.rp->Pixels.data());
}
BENCHMARK(BM_EllipseOutlineLarge);

// A 1000-pixel thick line made of radius-3 discs, one per pixel step.
void BM_DiscStampedLine(benchmark::State &state) {
    Window w;
    for (auto _ : state)
        for (int t = 0; t < 1000; t++) AreaEllipse(w.rp, 400 + t, 300 + t / 3, 3, 3);
    benchmark::DoNotOptimize(w.rp->Pixels.data());
}
BENCHMARK(BM_DiscStampedLine);

// 1000 mixed fills of object size, as in a full redraw of a large diagram.
void BM_ThousandShapes(benchmark::State &state) {
    Window w;
    for (auto _ : state) {
        SetRast(w.rp, 2);
        for (int i = 0; i < 1000; i++) {
            int x = (i * 397) % 1900 - 40, y = (i * 211) % 1060 - 30, s = 40 + i % 90;
            SetAPen(w.rp, i);
            switch (i % 3) {
            case 0:
                RectFill(w.rp, x, y, x + 2 * s, y + s);
                break;
            case 1:
                AreaEllipse(w.rp, x, y, s, s / 2);
                break;
            default:
                AreaMove(w.rp, x, y);
                AreaDraw(w.rp, x + 2 * s, y + s / 3);
                AreaDraw(w.rp, x + s, y + s);
                AreaDraw(w.rp, x - s / 2, y + s / 2);
                AreaEnd(w.rp);
            }
        }
    }
    benchmark::DoNotOptimize(w.rp->Pixels.data());
}
BENCHMARK(BM_ThousandShapes)->Unit(benchmark::kMillisecond);

void BM_LabelText(benchmark::State &state) {
    Window w;
    SetFont(w.rp, OpenFont("Bitstream Vera Sans.font", 19, 0));
    for (auto _ : state) {
        Move(w.rp, 300, 400);
        Text(w.rp, "A label of 24 characters", 24);
    }
    benchmark::DoNotOptimize(w.rp->Pixels.data());
}
BENCHMARK(BM_LabelText);

} // namespace
