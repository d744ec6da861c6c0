// message.cpp - the message window: a small window with one line of text,
// shown while the program waits for an external converter.
#include "gui/qtui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

bool QtUI::openmessage(const char *title, const char *text) {
    closemessage();
    auto *w = new QWidget(mainwindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    w->setObjectName("message");
    w->setWindowTitle(coretext(title));
    auto *layout = new QVBoxLayout(w);
    layout->addWidget(new QLabel(coretext(text), w));
    w->adjustSize();
    // Centred on the drawing window, or on the screen without one.
    QRect area = mainwindow ? mainwindow->frameGeometry()
                            : (QApplication::primaryScreen()
                                   ? QApplication::primaryScreen()->availableGeometry()
                                   : QRect());
    if (area.isValid()) w->move(area.center() - w->rect().center());
    w->show();
    w->raise();
    w->activateWindow();
    // The caller blocks next: let the window be mapped and painted first,
    // without taking any user input (which would run commands meanwhile).
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    } while ((!w->windowHandle() || !w->windowHandle()->isExposed()) && timer.elapsed() < 500);
    w->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    message_ = w;
    return true;
}

void QtUI::closemessage() {
    delete message_;
    message_ = nullptr;
}
