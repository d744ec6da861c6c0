// desktopsettings.cpp - the desktop-only settings file (see desktopsettings.h).
#include "gui/desktopsettings.h"

#include "platform/files.h"

QString desktopsettingspath() {
    return QString::fromStdString(configdirectory()) + QStringLiteral("ideaweave.conf");
}

std::unique_ptr<QSettings> desktopsettings() {
    return std::make_unique<QSettings>(desktopsettingspath(), QSettings::IniFormat);
}
