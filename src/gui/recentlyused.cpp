// recentlyused.cpp - the desktop's recently used files (see recentlyused.h).
#include "gui/recentlyused.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {

QDomElement child(QDomElement parent, const QString &tag, bool make) {
    QDomElement e = parent.firstChildElement(tag);
    if (e.isNull() && make) {
        e = parent.ownerDocument().createElement(tag);
        parent.appendChild(e);
    }
    return e;
}

// The freedesktop metadata block of a bookmark, made when missing.
QDomElement metadata(QDomElement bookmark) {
    QDomElement info = child(bookmark, "info", true);
    for (QDomElement m = info.firstChildElement("metadata"); !m.isNull();
         m = m.nextSiblingElement("metadata"))
        if (m.attribute("owner") == "http://freedesktop.org") return m;
    QDomElement m = bookmark.ownerDocument().createElement("metadata");
    m.setAttribute("owner", "http://freedesktop.org");
    info.appendChild(m);
    return m;
}

} // namespace

QString recentlyusedpath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/recently-used.xbel";
}

bool noterecentlyused(const QString &path, const QString &mimetype, const QString &app,
                      const QString &exec, const QDateTime &now) {
    const QString file = recentlyusedpath();
    const QString stamp = now.toUTC().toString(Qt::ISODateWithMs);
    QDomDocument doc;
    QFile in(file);
    if (in.exists()) {
        // Another program's list: changed only when it is what it should be.
        if (!in.open(QIODevice::ReadOnly) || !doc.setContent(&in)) return false;
        if (doc.documentElement().tagName() != "xbel") return false;
    } else {
        doc.appendChild(
            doc.createProcessingInstruction("xml", "version=\"1.0\" encoding=\"UTF-8\""));
        QDomElement root = doc.createElement("xbel");
        root.setAttribute("version", "1.0");
        root.setAttribute("xmlns:bookmark",
                          "http://www.freedesktop.org/standards/desktop-bookmarks");
        root.setAttribute("xmlns:mime", "http://www.freedesktop.org/standards/shared-mime-info");
        doc.appendChild(root);
    }
    QDomElement root = doc.documentElement();
    const QString href = QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    QDomElement mark;
    for (QDomElement b = root.firstChildElement("bookmark"); !b.isNull();
         b = b.nextSiblingElement("bookmark"))
        if (b.attribute("href") == href) mark = b;
    if (mark.isNull()) {
        mark = doc.createElement("bookmark");
        mark.setAttribute("href", href);
        mark.setAttribute("added", stamp);
        root.appendChild(mark);
        QDomElement type = doc.createElement("mime:mime-type");
        type.setAttribute("type", mimetype);
        metadata(mark).appendChild(type);
    }
    mark.setAttribute("modified", stamp);
    mark.setAttribute("visited", stamp);
    QDomElement apps = child(metadata(mark), "bookmark:applications", true);
    QDomElement mine;
    for (QDomElement a = apps.firstChildElement("bookmark:application"); !a.isNull();
         a = a.nextSiblingElement("bookmark:application"))
        if (a.attribute("name") == app) mine = a;
    if (mine.isNull()) {
        mine = doc.createElement("bookmark:application");
        mine.setAttribute("name", app);
        mine.setAttribute("exec", exec);
        mine.setAttribute("count", "0");
        apps.appendChild(mine);
    }
    mine.setAttribute("modified", stamp);
    mine.setAttribute("count", QString::number(mine.attribute("count").toInt() + 1));

    // Written whole to a temporary file and renamed over the list.
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(doc.toByteArray(2));
    return out.commit();
}
