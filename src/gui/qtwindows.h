// qtwindows.h - building the program's windows on Qt and bringing the editor up.
//
// The drawing window is the main window: the page in the centre with its two
// scroll bars and the menu bar built from the menu table; the toolbar window
// ("Tools") and the palette window ("Shapes") are docks beside the page. Every
// button is kept in QtUI::buttons under its gadget id, every menu item in
// QtUI::menuactions under its full menu number.
//
//   openlibraries()          1 when a display (or a Qt platform) is available; else
//                            prints why the program cannot start and returns 0
//   NODISPLAYMESSAGE         the start-up failure line
//   startideaweave()         start values, set-up, the windows and the state "no
//                            diagram" (needs a QApplication and an installed QtUI)
//   openmainwindows()        build the three windows and the drawing raster
//   make_drawspacewindow()   the main window: drawing widget, scroll bars, menu bar
//   make_ideaweavewindow()   the "Tools" dock
//   make_shapewindow()       the "Shapes" dock
//   makemenus(bar)           the menu bar from the menu table
//   catchbreak()             Ctrl-C in the terminal quits after the current event
#pragma once

class QMainWindow;
class QMenuBar;
class QDockWidget;

extern const char *const NODISPLAYMESSAGE;

int openlibraries();
int startideaweave();
int openmainwindows();
QMainWindow *make_drawspacewindow();
QDockWidget *make_ideaweavewindow();
QDockWidget *make_shapewindow();
int makemenus(QMenuBar *bar);
int catchbreak();
