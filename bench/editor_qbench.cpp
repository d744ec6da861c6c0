// The editor as a user feels it: the real editor widget on Qt's offscreen
// platform, 1920 x 1080, with a 1000-object diagram on an A2 landscape page.
// Each figure runs from the Qt event to the end of the repaint of the window
// (the handler, the raster repair and the paint of the widget), in the
// classic pen picture (/0) and in the smooth picture (/1):
//   BM_DragOneObject       one pointer move while an object is dragged
//   BM_DragFiftyObjects    one pointer move while a selection of 50 is dragged
//   BM_FullRedraw          a zoom step: the whole window drawn again
//   BM_ScrollStep          the page scrolled by a few pixels
//   BM_StartupToFirstPaint the windows built, the diagram file read and drawn,
//                          up to the first paint of the page
// The "ratio" counter is the device pixel ratio the window was drawn at: run
// with QT_SCALE_FACTOR=2 for the figures at ratio 2 (3840 x 2160 pixels).
// The making of the QApplication, once per process before all this, is the
// "qapplication_ms" counter. Qt's own pacing of repaints (a 5 ms timer on the offscreen platform,
// the display's frame clock elsewhere) is left out. The per-step median is the "median_ms" counter.
// Run by hand:
//   ./build/bench/iweditorbench
#include "app/session.h"
#include "edit/interact.h"
#include "model/create.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/select.h"
#include "gui/qtui.h"
#include "gui/desktopsettings.h"
#include "gui/qtwindows.h"
#include "gui/widgets.h"
#include "platform/window.h"
#include "render/view.h"
#include "store/diagramfile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QKeyEvent>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

double applicationms = 0; // making the QApplication, once per process

const int COLUMNS = 40; // 40 x 25 cells of 145 x 165 units, objects 100 x 110
const int CELLW = 145, CELLH = 165;

// Places one object of a type with this box, unselected.
int place(int type, int x, int y, int w, int h) {
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

// The diagram: shapes of many types in a lattice with gaps between them,
// labels on most.
void makediagram() {
    startnewdiagram();
    IWODiagram.paperwidth = 5940;
    IWODiagram.paperheight = 4200;
    static const int types[] = {101, 102, 104, 105, 106, 110, 112, 114, 115, 117, 118, 119,
                                120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130};
    const int ntypes = sizeof types / sizeof types[0];
    for (int k = 0; k < 1000; k++) {
        fillcolour = (int16_t)(16 + k % 100);
        int n = place(types[k % ntypes], 30 + (k % COLUMNS) * CELLW, 30 + (k / COLUMNS) * CELLH,
                      100, 110);
        if (k % 5 != 0) std::snprintf(IWO[n].label, sizeof IWO[n].label, "Node %d", k);
    }
    startloadeddiagram();
}

// The centre of object k of the lattice, in window pixels.
QPoint cell(int k, int dx = 50, int dy = 20) {
    return QPoint(getdrawx(30 + (k % COLUMNS) * CELLW + dx),
                  getdrawy(30 + (k / COLUMNS) * CELLH + dy));
}

// A point between the cells left and above of object k.
QPoint gap(int k) { return cell(k, -20, -25); }

struct Editor {
    std::unique_ptr<QtUI> ui;
    DrawSpaceWidget *drawspace = nullptr;

    explicit Editor(bool smooth, bool settle = true) {
        desktopsettings()->setValue(SMOOTHDRAWINGKEY, smooth);
        ui = std::make_unique<QtUI>();
        setplatformui(ui.get());
        ui->onquit = [] {};
        startideaweave();
        ui->mainwindow->resize(1920, 1080);
        drawspace = ui->drawspace;
        if (settle) QApplication::processEvents();
    }
    ~Editor() {
        if (!ui->quitrequested()) closedown();
        ui.reset();
    }
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(p), drawspace->mapToGlobal(QPointF(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(drawspace, &e);
    }
    void key(QEvent::Type type, Qt::Key k) {
        QKeyEvent e(type, k,
                    type == QEvent::KeyPress && k == Qt::Key_Shift ? Qt::ShiftModifier
                                                                   : Qt::NoModifier);
        QApplication::sendEvent(drawspace, &e);
    }
    void press(QPoint p) { mouse(QEvent::MouseButtonPress, p, Qt::LeftButton); }
    void release(QPoint p) { mouse(QEvent::MouseButtonRelease, p, Qt::NoButton); }
    void move(QPoint p, bool held) {
        mouse(QEvent::MouseMove, p, held ? Qt::LeftButton : Qt::NoButton);
    }
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + (long)v.size() / 2, v.end());
    return v[v.size() / 2];
}

// Paint events of the drawing widget, counted.
class PaintWatch : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint) paints++;
        return false;
    }
};

// Handles events until the drawing widget has painted once more.
void untilpainted(PaintWatch &watch, int before) {
    for (int k = 0; watch.paints == before && k < 1000; k++)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

int selectedcount() {
    int n = 0;
    for (int i = 1; i < IWONumber; i++) n += IWO[i].selected != 0;
    return n;
}

// Pointer moves during a drag that started at `from`, to the end of each
// repaint; the pointer goes back and forth so the objects stay in view.
void drag(benchmark::State &state, Editor &ed, QPoint from) {
    PaintWatch watch;
    ed.drawspace->installEventFilter(&watch);
    ed.move(from, false);
    ed.press(from);
    untilpainted(watch, 0);
    int selected = selectedcount();
    std::vector<double> steps;
    int i = 0;
    QElapsedTimer t;
    for (auto _ : state) {
        int d = (i++ % 16) * 3;
        int before = watch.paints;
        t.start();
        ed.move(from + QPoint(d, d / 2), true);
        untilpainted(watch, before); // the repaint the move asked for
        double s = (double)t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        steps.push_back(s * 1e3);
    }
    ed.release(from);
    ed.key(QEvent::KeyRelease, Qt::Key_Shift);
    QApplication::processEvents();
    ed.drawspace->removeEventFilter(&watch);
    state.counters["median_ms"] = median(steps);
    state.counters["dragged"] = selected;
    state.counters["ratio"] = ed.drawspace->devicePixelRatioF();
}

void BM_DragOneObject(benchmark::State &state) {
    Editor ed(state.range(0) != 0);
    makediagram();
    QApplication::processEvents();
    drag(state, ed, cell(10 * COLUMNS + 12));
}
BENCHMARK(BM_DragOneObject)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

void BM_DragFiftyObjects(benchmark::State &state) {
    Editor ed(state.range(0) != 0);
    makediagram();
    QApplication::processEvents();
    // A rubber band around 10 x 5 objects.
    int first = 8 * COLUMNS + 10;
    QPoint a = gap(first), b = gap(first + 5 * COLUMNS + 10);
    ed.move(a, false);
    ed.press(a);
    for (int s = 1; s <= 4; s++) ed.move(a + (b - a) * s / 4, true);
    ed.release(b);
    QApplication::processEvents();
    // Shift held at the press keeps the selection, which the drag then moves.
    ed.key(QEvent::KeyPress, Qt::Key_Shift);
    drag(state, ed, cell(first + 2 * COLUMNS + 4));
}
BENCHMARK(BM_DragFiftyObjects)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// Steps of the drawing window, each timed from the event to the end of the
// repaint it caused.
void steps(benchmark::State &state, Editor &ed, const std::function<void(int)> &step) {
    PaintWatch watch;
    ed.drawspace->installEventFilter(&watch);
    std::vector<double> times;
    int i = 0;
    QElapsedTimer t;
    for (auto _ : state) {
        int before = watch.paints;
        t.start();
        step(i++);
        untilpainted(watch, before);
        double s = (double)t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        times.push_back(s * 1e3);
    }
    ed.drawspace->removeEventFilter(&watch);
    state.counters["median_ms"] = median(times);
    state.counters["ratio"] = ed.drawspace->devicePixelRatioF();
}

void BM_FullRedraw(benchmark::State &state) {
    Editor ed(state.range(0) != 0);
    makediagram();
    QApplication::processEvents();
    // In and back out by a zoom step: every pixel of the window is drawn anew.
    steps(state, ed, [&ed](int i) {
        ed.ui->post(PendingEvent::command([i] {
            i % 2 ? zoomout() : zoomin();
            return 0; // not a quit
        }));
    });
}
BENCHMARK(BM_FullRedraw)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

void BM_ScrollStep(benchmark::State &state) {
    Editor ed(state.range(0) != 0);
    makediagram();
    QApplication::processEvents();
    // Down and back up by a few pixels.
    steps(state, ed, [&ed](int i) { ed.ui->post(PendingEvent::scroll(VSCROLLER, (i % 2) * 7)); });
}
BENCHMARK(BM_ScrollStep)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

void BM_StartupToFirstPaint(benchmark::State &state) {
    std::string path = (QDir::tempPath() + "/iweditorbench-" +
                        QString::number(QCoreApplication::applicationPid()) + ".iwo")
                           .toStdString();
    {
        Editor ed(false);
        makediagram();
        writeIWOdiagramfile(path);
    }
    std::vector<double> runs;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        auto ed = std::make_unique<Editor>(state.range(0) != 0, false);
        PaintWatch watch;
        ed->drawspace->installEventFilter(&watch);
        // As the program opens the file it was given: the first thing after
        // the windows are up.
        ed->ui->post(PendingEvent::command([&] {
            opendiagramfile(path);
            return 0;
        }));
        // The first paint after the diagram is drawn (the filter sees it
        // before it is handled; the loop returns once it is done).
        untilpainted(watch, 0);
        double s = (double)t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        runs.push_back(s * 1e3);
        ed->drawspace->removeEventFilter(&watch);
        ed.reset();
    }
    std::remove(path.c_str());
    state.counters["median_ms"] = median(runs);
    state.counters["objects"] = 1000;
    state.counters["qapplication_ms"] = applicationms;
}
BENCHMARK(BM_StartupToFirstPaint)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace

int main(int argc, char **argv) {
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt paces repaints without a display's frame clock by a 5 ms timer; the
    // figures are the editor's own work, so repaint as soon as asked.
    setenv("QT_QPA_UPDATE_IDLE_TIME", "0", 0);
    // The editor reads and may write its settings: a directory of the run's
    // own, never the user's configuration.
    char config[] = "/tmp/iweditorbench-XXXXXX";
    const bool ownconfig = mkdtemp(config) != nullptr;
    if (ownconfig) setenv("XDG_CONFIG_HOME", config, 1);
    QElapsedTimer t;
    t.start();
    QApplication app(argc, argv);
    applicationms = (double)t.nsecsElapsed() / 1e6;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (ownconfig) std::filesystem::remove_all(config);
    return 0;
}
