// icons.cpp - button pictures: icon files, the desktop theme and the renderer.
#include "gui/icons.h"

#include "platform/files.h"
#include "platform/palette.h"
#include "platform/raster.h"
#include "render/toolicon.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

#include <cmath>
#include <cstring>
#include <map>
#include <memory>

namespace {

// Icon theme names of the toolbar pictures (freedesktop naming).
const std::map<QString, QString> &themenames() {
    static const std::map<QString, QString> names = {
        {"new", "document-new"},
        {"open", "document-open"},
        {"saveas", "document-save-as"},
        {"save", "document-save"},
        {"exportpicture", "image-x-generic"},
        {"exporttext", "text-x-generic"},
        {"close", "window-close"},
        {"quit", "application-exit"},
        {"info", "document-properties"},
        {"clone", "edit-copy"},
        {"zoom", "zoom-in"},
        {"text", "insert-text"},
        {"refresh", "edit-undo"},
        {"delete", "edit-delete"},
    };
    return names;
}

// Device pixels of a picture of `size` window pixels.
int devicepixels(int size, double ratio) { return (int)std::lround(size * ratio); }

// A picture file at `size` window pixels, drawn in the device pixels of the
// screen's ratio, so that it is as sharp under desktop scaling as without.
QPixmap renderfile(const QString &path, int size) {
    const double ratio = iconratio();
    const int n = devicepixels(size, ratio);
    QImage image;
    if (path.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgRenderer svg(path);
        if (!svg.isValid()) return QPixmap();
        image = QImage(n, n, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg.render(&p, QRectF(0, 0, n, n));
        p.end();
    } else {
        image = QImage(path);
        if (image.isNull()) return QPixmap();
        if (image.width() != n || image.height() != n)
            image = image.scaled(n, n, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

} // namespace

double iconratio() {
    const double r = qApp ? qApp->devicePixelRatio() : 1.0;
    return r > 0 ? r : 1.0;
}

bool darkdesktop(const QPalette &palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

QPixmap readable(const QPixmap &picture, const QPalette &palette) {
    if (picture.isNull() || !darkdesktop(palette)) return picture;
    // The pictures are drawn for a light window: under a dark palette they
    // stand on a light plate of their own, as on paper.
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(picture.devicePixelRatio());
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xEE, 0xEE, 0xEE));
    const QSizeF s = picture.deviceIndependentSize();
    const qreal r = s.width() / 6.0;
    p.drawRoundedRect(QRectF(QPointF(0, 0), s), r, r);
    p.drawPixmap(0, 0, picture);
    p.end();
    return QPixmap::fromImage(image);
}

int iconpixels(int set) {
    if (set == 1) return 24;
    if (set == 2) return 32;
    return 40;
}

QString iconbase(const char *name) {
    QString s = QString::fromLocal8Bit(name ? name : "");
    int cut = std::max(s.lastIndexOf('/'), s.lastIndexOf(':'));
    return s.mid(cut + 1);
}

QPixmap imagefile(const char *name, int size) {
    if (!name || !*name) return QPixmap();
    QString full = QString::fromLocal8Bit(name);
    QString data = QString::fromLocal8Bit(datadirectory().c_str());
    // A full path (user-object icons are files of their own), a name relative
    // to the data directory, and then the large set, which has every picture.
    QStringList places;
    if (QFileInfo(full).isAbsolute())
        places << full;
    else
        places << data + full;
    QString base = iconbase(name);
    if (!base.isEmpty()) places << data + "icons/large/" + base;
    for (const QString &place : places)
        for (const char *ext : {".svg", ".png", ""}) {
            QFileInfo f(place + ext);
            if (f.isFile()) return renderfile(f.filePath(), size);
        }
    return QPixmap();
}

QPixmap toolbarimage(const char *name, int size, int set) {
    if (set == 2) {
        auto it = themenames().find(iconbase(name));
        if (it != themenames().end() && QIcon::hasThemeIcon(it->second)) {
            QPixmap p = QIcon::fromTheme(it->second).pixmap(QSize(size, size), iconratio());
            if (!p.isNull()) return p;
        }
    }
    return imagefile(name, size);
}

bool themehasicons() {
    for (const auto &[base, name] : themenames())
        if (!QIcon::hasThemeIcon(name)) return false;
    return true;
}

QPixmap selectedlook(const QPixmap &picture) {
    if (picture.isNull()) return picture;
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(picture.devicePixelRatio());
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor highlight = QColor::fromRgb(ScreenPalette[3]);
    highlight.setAlpha(110);
    p.setPen(QPen(QColor::fromRgb(ScreenPalette[3]), 1.5));
    p.setBrush(highlight);
    const QRectF box(QPointF(0, 0), picture.deviceIndependentSize());
    qreal r = box.width() / 6.0;
    p.drawRoundedRect(box.adjusted(0.75, 0.75, -0.75, -0.75), r, r);
    p.drawPixmap(0, 0, picture);
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap selectedimage(const char *name, const QPixmap &normal, int size) {
    std::string s = std::string(name ? name : "") + "_s";
    QPixmap own = readable(imagefile(s.c_str(), size), QApplication::palette());
    if (!own.isNull()) return own;
    return selectedlook(normal);
}

QImage penimage(const Raster *rp) {
    if (!rp || rp->Width <= 0 || rp->Height <= 0) return QImage();
    QImage image(rp->Width, rp->Height, QImage::Format_Indexed8);
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; i++) colours[i] = 0xFF000000u | ScreenPalette[i];
    colours[0] = qRgba(0, 0, 0, 0);
    image.setColorTable(colours);
    for (int y = 0; y < rp->Height; y++)
        std::memcpy(image.scanLine(y), rp->Pixels.data() + (size_t)y * rp->Width, rp->Width);
    return image;
}

QPixmap toolimage(int type, int size) {
    // Drawn in the screen's device pixels, not scaled up from window pixels.
    const double ratio = iconratio();
    const int n = devicepixels(size, ratio);
    std::unique_ptr<Raster, void (*)(Raster *)> rp(newraster(n, n), freeraster);
    if (!rp || !drawtoolicon(rp.get(), type, n)) return QPixmap();
    QImage image = penimage(rp.get());
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}
