// guifixture.cpp - the editor in the test process.
#include "guifixture.h"

#include "app/mainloop.h"
#include "app/menus.h"
#include "gui/desktop.h"
#include "gui/desktopsettings.h"
#include "gui/qtwindows.h"
#include "platform/palette.h"
#include "platform/raster.h"

#include <QAbstractButton>
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>

void Editor::SetUp() {
    setenv("TMPDIR", QFile::encodeName(home.path()).constData(), 1);
    setenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()).constData(), 1);
    setenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")).constData(), 1);
    desktopfont = QApplication::font();
    // The tests compare the window with the pen raster: the classic picture,
    // unless a fixture chooses the smooth one.
    desktopsettings()->setValue(SMOOTHDRAWINGKEY, false);
    // The pointer starts away from every window: one left over a button by an
    // earlier test would enter and leave the new window's buttons.
    QCursor::setPos(-1000, -1000);
    QApplication::processEvents();
    beforestart();
    ui = std::make_unique<QtUI>();
    setplatformui(ui.get());
    ui->onquit = [this] { quits++; };
    startideaweave();
    ui->mainwindow->resize(1000, 720);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui->mainwindow));
    ui->mainwindow->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(ui->mainwindow));
    drawspace = ui->drawspace;
    drawspace->setFocus();
    QApplication::processEvents();
    // Requesters are modal: a timer answers them from inside their loops.
    poller_ = new QTimer(ui->mainwindow);
    QObject::connect(poller_, &QTimer::timeout, poller_, [this] { answerdialogs(); });
    poller_->start(5);
}

void Editor::restart() {
    // A quit through the program, which keeps the settings and window places.
    ui->post(PendingEvent::command([] { return 1; }));
    ASSERT_TRUE(ui->quitrequested());
    ui = std::make_unique<QtUI>();
    setplatformui(ui.get());
    ui->onquit = [this] { quits++; };
    startideaweave();
    showmainwindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui->mainwindow));
    drawspace = ui->drawspace;
    QApplication::processEvents();
}

void Editor::TearDown() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " answers were never asked for";
    if (!ui->quitrequested()) closedown();
    ui.reset();
    QApplication::setFont(desktopfont);
    setenv("XDG_CONFIG_HOME", IW_TEST_CONFIGDIR, 1);
    unsetenv("TMPDIR");
    unsetenv("XDG_DATA_HOME");
}

void typetext(QWidget *w, const QString &text) {
    // Each character as a keyboard layout sends it, whether it has a key of
    // its own or not.
    for (QChar c : text)
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(t, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &e);
        }
}

void Editor::answerdialogs() {
    // A label edited in place takes a text answer too: typed into the field,
    // then Return for Okay, Escape for Cancel.
    LabelEditor *field = ui->drawspace ? ui->drawspace->findChild<LabelEditor *>() : nullptr;
    if (field && field->isVisible() && !QApplication::activeModalWidget()) {
        asked.push_back(("Edit Label | " + field->text()).toStdString());
        if (answers_.empty()) ADD_FAILURE() << "unexpected label field: " << asked.back();
        const Answer a = answers_.empty() ? Answer{"Cancel", {}} : answers_.front();
        if (!answers_.empty()) answers_.pop_front();
        if (a.text) {
            field->clear();
            typetext(field, *a.text);
            hint = field->hint()->isVisible() ? field->hint()->text() : QString();
        }
        QTest::keyClick(field, a.button == "Cancel" ? Qt::Key_Escape : Qt::Key_Return);
        return;
    }
    QWidget *w = QApplication::activeModalWidget();
    if (!w || !w->isVisible()) return;
    if (auto *box = qobject_cast<QMessageBox *>(w)) {
        asked.push_back((box->windowTitle() + " | " + box->text()).toStdString());
        icons.push_back(box->icon());
    } else if (auto *input = dynamic_cast<TextRequester *>(w)) {
        asked.push_back((input->windowTitle() + " | " + input->text()).toStdString());
    } else {
        return; // a file dialog: the test drives it itself
    }
    if (answers_.empty()) ADD_FAILURE() << "unexpected requester: " << asked.back();
    const Answer a = answers_.empty() ? Answer{"Cancel", {}} : answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    if (auto *input = dynamic_cast<TextRequester *>(w); input && a.text) {
        input->edit()->clear();
        typetext(input->edit(), *a.text); // typed, so that the line edit's limits apply
        hint = input->hint()->text();
    }
    if (a.button == "<Enter>") {
        // The default button, as the Enter key presses it.
        QTest::keyClick(w, Qt::Key_Return);
        return;
    }
    for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
        if (b->text() == a.button && b->isVisible()) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << a.button.toStdString() << " in " << asked.back();
    if (auto *d = qobject_cast<QDialog *>(w)) d->reject();
}

GadgetButton *Editor::button(int id) { return ui->buttons.count(id) ? ui->buttons[id] : nullptr; }

// Where a click in the upper or lower half of a button lands.
static QPoint half(QWidget *b, bool upper) { return {b->width() / 2, upper ? 2 : b->height() - 3}; }

void Editor::hover(int id, bool upper) {
    ASSERT_NE(button(id), nullptr) << id;
    QTest::mouseMove(button(id), half(button(id), upper));
    QApplication::processEvents();
}

void Editor::click(int id, bool upper) {
    hover(id, upper);
    if (button(id)) clickon(button(id), half(button(id), upper));
}

void Editor::move(int x, int y) { QTest::mouseMove(drawspace, QPoint(x, y)); }

// The left button pressed at the first point, moved there in four steps and
// released at the second.
void Editor::drag(int x0, int y0, int x1, int y1) {
    move(x0, y0);
    QTest::mousePress(drawspace, Qt::LeftButton, Qt::NoModifier, QPoint(x0, y0));
    for (int i = 1; i <= 4; i++) move(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
    QTest::mouseRelease(drawspace, Qt::LeftButton, Qt::NoModifier, QPoint(x1, y1));
    QApplication::processEvents();
}

void Editor::key(int k, Qt::KeyboardModifiers mods) {
    QTest::keyClick(drawspace, (Qt::Key)k, mods);
    QApplication::processEvents();
}

void Editor::wheel(int notches, Qt::KeyboardModifiers mods, QPoint at) {
    QWheelEvent e(at, drawspace->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120 * notches),
                  Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawspace, &e);
    QApplication::processEvents();
}

void Editor::shortcut(int k, Qt::KeyboardModifiers mods) {
    // Menu shortcuts belong to the active main window; a requester that just
    // closed may not have handed the activation back yet.
    if (QApplication::activeWindow() != ui->mainwindow) {
        ui->mainwindow->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(ui->mainwindow));
    }
    QTest::keyClick(drawspace, (Qt::Key)k, mods);
    QApplication::processEvents();
}

int Editor::pen(int x, int y) const { return ReadPixel(drawspacerp, x, y); }

void Editor::place(int tool, QRect box) {
    click(tool);
    drag(getdrawx(box.left()), getdrawy(box.top()), getdrawx(box.left() + box.width()),
         getdrawy(box.top() + box.height()));
}

QAction *Editor::action(int m, int i) {
    return ui->menuactions.count(FULLMENUNUM(m, i)) ? ui->menuactions[FULLMENUNUM(m, i)] : nullptr;
}

void Editor::menu(int m, int i) {
    action(m, i)->trigger();
    QApplication::processEvents();
}

void Editor::saveas(const QString &name) {
    answerfile(home.path(), name, &seen);
    menu(0, 5);
}

std::vector<int> objects() {
    std::vector<int> types;
    for (int i = 1; i < IWONumber; i++) types.push_back(IWO[i].type);
    return types;
}

void clickon(QWidget *w, QPoint at) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
    QApplication::processEvents();
}

void inmodal(const QString &name, std::function<void(QWidget *)> fn) {
    // Polled until the window is up: on a busy machine it may take a while.
    auto *timer = new QTimer;
    auto *waited = new QElapsedTimer;
    waited->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget *w = QApplication::activeModalWidget();
        const bool up =
            w && w->isVisible() &&
            (name.isEmpty() ? qobject_cast<QFileDialog *>(w) != nullptr : w->objectName() == name);
        if (!up && waited->elapsed() < 10000) return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        ASSERT_TRUE(up) << "no window " << name.toStdString();
        fn(w);
    });
    timer->start(5);
}

void answerpalette(int k, int *startedat) {
    inmodal("palettewindow", [k, startedat](QWidget *w) {
        if (startedat)
            for (auto *b : w->findChildren<QToolButton *>())
                if (b->isChecked()) *startedat = b->objectName().mid(3).toInt();
        auto *b = w->findChild<QToolButton *>(QString("pen%1").arg(k));
        ASSERT_NE(b, nullptr);
        b->click();
    });
}

void answerfile(const QString &dir, const QString &name, QString *seen) {
    inmodal("", [=](QWidget *w) {
        auto *d = qobject_cast<QFileDialog *>(w);
        *seen = d->windowTitle() + " | " + d->nameFilters().join(";");
        d->setDirectory(dir);
        d->findChild<QLineEdit *>("fileNameEdit")->setText(name); // typed, as a user would
        QMetaObject::invokeMethod(d, "accept");
    });
}

QImage onscreen(QWidget *w) {
    w->repaint();
    QApplication::processEvents();
    if (QGuiApplication::platformName() == "xcb") {
        QTest::qWait(50); // let the X server finish drawing
        QPoint at = w->mapToGlobal(QPoint(0, 0));
        return w->screen()->grabWindow(0, at.x(), at.y(), w->width(), w->height()).toImage();
    }
    return w->grab().toImage();
}

int mismatches(const QImage &img, QPoint *first) {
    const Raster *rp = drawspacerp;
    if (!rp) return -1;
    QImage pens(rp->Width, rp->Height, QImage::Format_RGB32);
    for (int y = 0; y < rp->Height; y++)
        for (int x = 0; x < rp->Width; x++) pens.setPixel(x, y, penrgb(ReadPixel(rp, x, y)));
    return differing(img, pens, 0, first);
}

int differing(const QImage &a, const QImage &b, int shade, QPoint *first, int *most) {
    if (a.size() != b.size()) return -1;
    int bad = 0;
    for (int y = 0; y < a.height(); y++)
        for (int x = 0; x < a.width(); x++) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            if (most) *most = std::max(*most, d);
            if (d > shade && bad++ == 0 && first) *first = QPoint(x, y);
        }
    return bad;
}

void halves(QWidget *w, int back, int text) {
    answerpalette(back);
    clickon(w, QPoint(3, 5));
    answerpalette(text);
    clickon(w, QPoint(w->width() - 3, 5));
}

void keepsplace(GadgetWindow &win, std::function<void()> open, std::function<void()> closed) {
    auto shown = [&win] { return gadgetdialog(win) && gadgetdialog(win)->isVisible(); };
    ASSERT_TRUE(shown());
    gadgetdialog(win)->move(120, 90);
    QApplication::processEvents();
    const QPoint at = gadgetdialog(win)->pos();
    QTest::keyClick(gadgetdialog(win), Qt::Key_Escape); // as its close gadget does
    QApplication::processEvents();
    EXPECT_FALSE(shown());
    EXPECT_FALSE(win.open);
    if (closed) closed();
    open();
    ASSERT_TRUE(shown());
    EXPECT_EQ(gadgetdialog(win)->pos(), at);
}

void largestfont(QWidget *chooser, QWidget *apply, int size, std::function<void()> then) {
    for (int pass = 0; pass < 2; pass++) {
        inmodal("fontrequester", [pass, size](QWidget *w) {
            auto *box = w->findChild<QSpinBox *>("size");
            EXPECT_EQ(box->maximum(), size);
            if (pass == 0) box->setValue(size);
            EXPECT_EQ(box->value(), size);
            static_cast<QDialog *>(w)->accept();
        });
        clickon(chooser);
        clickon(apply);
        if (then) then();
    }
}
