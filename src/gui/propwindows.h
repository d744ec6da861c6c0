// propwindows.h - gadget windows, the palette window, the style window and the
// font chooser on Qt.
//
// A gadget window (platform/gadgets.h) becomes a non-modal dialog laid out
// from its table: the gadgets of page 0 above the tab strip, each tab's
// gadgets on its page, the bottom row below. What the user types goes into
// the table's values at once; a button, check box, chooser, slider or tab
// released, Enter in a field, and the close gadget are posted to the window's
// handler as input events (QtUI::post). The core's changes to the table are
// shown by QtUI::refreshwindow.
//
// The palette window, the style window and the font chooser are modal dialogs
// that answer from their own loops.
//
// Object names for tests: the dialog "window:NAME", its gadgets "gadgetID";
// the palette window "palettewindow" with swatches "penN"; the style window
// "stylewindow" with buttons "styleID"; the font chooser "fontrequester".
//
//   gadgetdialog(win)          the dialog showing gadget window win, or null
//   fontfamily(name)           the family of a font name ("X.font" -> "X")
#pragma once
#include "platform/gadgets.h"

#include <QDialog>
#include <QString>

QDialog *gadgetdialog(const GadgetWindow &win);
QString fontfamily(const std::string &name);
