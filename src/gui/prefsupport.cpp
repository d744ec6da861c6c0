// prefsupport.cpp - the drawer chooser, the icon theme check and the interface
// font on Qt.
#include "gui/prefsupport.h"

#include "model/create.h"
#include "model/diagram.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/diagramfile.h"
#include "store/prefs.h"
#include "platform/files.h"
#include "gui/icons.h"
#include "gui/propwindows.h"
#include "gui/qtui.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QMainWindow>

#include <cstring>

namespace {
const char *const BUILTINFONT = "Bitstream Vera Sans.font"; // the start value of IWeaveFont
constexpr int BUILTINSIZE = 16;
} // namespace

void applyinterfacefont() {
    if (std::strcmp(IWeaveFontName, BUILTINFONT) == 0 && IWeaveFont.ta_YSize == BUILTINSIZE) return;
    QFont font(fontfamily(IWeaveFontName));
    // Font sizes are pixel heights.
    font.setPixelSize(IWeaveFont.ta_YSize > 0 ? IWeaveFont.ta_YSize : BUILTINSIZE);
    QApplication::setFont(font);
}

bool QtUI::drawerrequest(const char *title, std::string &path) {
    if (!qApp) return false;
    QWidget *parent = mainwindow && mainwindow->isVisible() ? mainwindow : nullptr;
    QFileDialog dialog(parent, coretext(title));
    dialog.setObjectName("drawerrequester");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    QString start = QFile::decodeName(hostpath(path).c_str());
    if (!start.isEmpty() && QFileInfo(start).isDir()) dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    QString chosen = QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
    path = QFile::encodeName(chosen).toStdString();
    return true;
}

bool QtUI::themeicons() { return themehasicons(); }
