// recentlyused.h - the desktop's own list of recently used files, which file
// choosers and launchers show: $XDG_DATA_HOME/recently-used.xbel
// (~/.local/share/ when unset), an XBEL document shared by every program.
//
//   recentlyusedpath()   where the list is
//   noterecentlyused(path, mimetype, app, exec, now)
//                        add the file, or bring its entry up to date, with
//                        this program among the applications that used it
//                        (use count, times). A list that is not XBEL, or
//                        can't be read or written, is left exactly as it was:
//                        false then
#pragma once
#include <QDateTime>
#include <QString>

QString recentlyusedpath();
bool noterecentlyused(const QString &path, const QString &mimetype, const QString &app,
                      const QString &exec, const QDateTime &now);
