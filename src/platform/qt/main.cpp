// main.cpp - the ideaweave program: the diagram editor on the desktop.
//
//   ideaweave [DIAGRAM]   start the editor; with a path, open that diagram too
//
// Exit status: 0 after a normal quit, 30 when no display (or no Qt platform
// plugin) can be opened, 2 for a wrong command line.
#include "app/session.h"
#include "platform/files.h"
#include "platform/qt/clipboard.h"
#include "platform/qt/qtui.h"
#include "platform/qt/qtwindows.h"
#include "platform/qt/widgets.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

QtMessageHandler qtmessages = nullptr;

// Qt ends the process when it cannot reach the display or load a platform
// plugin: say so plainly and end with the start-up failure code instead.
void startupmessages(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtFatalMsg) {
        std::printf("Unable to open the display or a Qt platform plugin\n");
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        _exit(30);
    }
    if (qtmessages) qtmessages(type, context, text);
}

} // namespace

int main(int argc, char **argv) {
    if (!openlibraries()) return 30;
    qtmessages = qInstallMessageHandler(startupmessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtmessages);
    // An installation moved to another prefix finds its data beside the program.
    QString installed = QApplication::applicationDirPath() + "/../share/ideaweave";
    const char *datadir = std::getenv("IDEAWEAVE_DATADIR");
    if ((!datadir || !*datadir) && QFileInfo(installed).isDir())
        setenv("IDEAWEAVE_DATADIR", QFile::encodeName(installed).constData(), 1);
    QApplication::setApplicationName("Ideaweave");
    QApplication::setApplicationVersion("0.9");
    QGuiApplication::setDesktopFileName("ideaweave");
    QApplication::setWindowIcon(
        QIcon(QString::fromLocal8Bit((datadirectory() + "icons/ideaweave.svg").c_str())));

    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith('-'))) {
        std::fprintf(stderr, "usage: ideaweave [DIAGRAM.iwo]\n");
        return 2;
    }

    QtUI ui;
    setplatformui(&ui);
    QtClipboard clipboard;
    setplatformclipboard(&clipboard);
    startideaweave();
    ui.mainwindow->showMaximized();
    catchbreak();
    if (args.size() == 1) {
        // What a file manager passes: open it as the first thing the editor does.
        std::string path = QFile::encodeName(args[0]).toStdString();
        ui.post(PendingEvent::command([path] {
            opendiagramfile(path);
            return 0;
        }));
    }
    if (ui.quitrequested()) return 0;
    return QApplication::exec();
}
