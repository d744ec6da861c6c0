// main.cpp - the ideaweave program: the diagram editor on the desktop.
//
//   ideaweave [DIAGRAM]   start the editor; with a path, open that diagram too
//
//   ideaweave --help | --version
//
// Exit status: 0 after a normal quit, 30 when no display (or no Qt platform
// plugin) can be opened, 1 for a wrong command line.
#include "app/session.h"
#include "platform/files.h"
#include "gui/desktop.h"
#include "gui/qtclipboard.h"
#include "gui/qtui.h"
#include "gui/qtwindows.h"
#include "gui/widgets.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

#ifndef IW_VERSION
#define IW_VERSION "0.9"
#endif

const char *USAGE = "usage: ideaweave [DIAGRAM.iwo]\n"
                    "       ideaweave --help | --version\n";

const char *HELP =
    "ideaweave - draw mind maps, UML sketches and flowcharts\n"
    "\n"
    "usage: ideaweave [DIAGRAM.iwo]\n"
    "       ideaweave --help | --version\n"
    "\n"
    "Opens the diagram editor: the page in the main window, the \"Tools\" and\n"
    "\"Shapes\" windows beside it. With DIAGRAM.iwo, that diagram is opened.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and end\n"
    "  --version      print the version and end\n"
    "  Qt's own options (-platform NAME, -display DISPLAY, ...) are understood too.\n"
    "\n"
    "Keys (Ctrl with the menu letter; see 'man ideaweave' for all):\n"
    "  Ctrl+N new, Ctrl+O open, Ctrl+S save, Ctrl+Shift+S save as, Ctrl+Q quit\n"
    "  Ctrl+U undo; Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z redo\n"
    "  Ctrl+X cut, Ctrl+C copy, Ctrl+V paste, Ctrl+A select all\n"
    "  Del or Backspace deletes, the cursor keys move the selection (Shift: further),\n"
    "  Insert places the chosen shape at the pointer, F mirrors (Shift+F upside down)\n"
    "  mind maps: Ctrl+Return adds a child, Shift+Return a sibling, Ctrl+arrows move\n"
    "  along the connectors, Ctrl+Delete deletes a branch, Ctrl+Shift+Space folds it\n"
    "\n"
    "Files: settings in $XDG_CONFIG_HOME/ideaweave (~/.config/ideaweave), banks of\n"
    "user objects in $XDG_DATA_HOME/ideaweave/UserIWOBanks (~/.local/share/...),\n"
    "temporary files in $TMPDIR/ideaweave-UID (/tmp).\n"
    "\n"
    "Exit status: 0 after a quit, 1 for a wrong command line, 30 when no display\n"
    "can be opened. ideaweave-cli works on diagrams without a screen.\n";

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
    // Answered before any display is needed.
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "--version")) {
        std::fputs("ideaweave " IW_VERSION "\n", stdout);
        return 0;
    }
    if (!openlibraries()) return 30;
    qtmessages = qInstallMessageHandler(startupmessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtmessages);
    QApplication::setApplicationName("Ideaweave");
    QApplication::setApplicationVersion(IW_VERSION);
    QGuiApplication::setDesktopFileName("ideaweave");
    QApplication::setWindowIcon(
        QIcon(QString::fromLocal8Bit((datadirectory() + "icons/ideaweave.svg").c_str())));

    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith('-'))) {
        std::fputs(USAGE, stderr);
        return 1;
    }

    QtUI ui;
    setplatformui(&ui);
    QtClipboard clipboard;
    setplatformclipboard(&clipboard);
    startideaweave();
    showmainwindow();
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
