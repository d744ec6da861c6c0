// desktopsettings.h - the editor's desktop-only settings: window places, recent
// diagrams, the drawing style and the like. They live in
// $XDG_CONFIG_HOME/ideaweave/ideaweave.conf (~/.config/ideaweave/ when unset),
// apart from the ".prefs" file, whose layout stays as it is.
#pragma once
#include <QSettings>
#include <QString>

#include <memory>

// The keys:
//   SMOOTHDRAWINGKEY   the drawing window shows the smooth picture (true, the
//                      default) or the classic pen picture (false)
inline constexpr const char *SMOOTHDRAWINGKEY = "Drawing/Smooth";

// The settings file's path.
QString desktopsettingspath();
// The settings file, opened for one use: what is set is written when the
// object goes away, and tests that point XDG_CONFIG_HOME elsewhere get their own.
std::unique_ptr<QSettings> desktopsettings();
