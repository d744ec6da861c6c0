// qtclipboard.cpp - the desktop clipboard.
//
// Text goes through QMimeData's text so that other programs find it under
// whichever text type they ask for; every other form is stored under its own
// MIME type as it is.
#include "gui/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
const char *PLAINTEXT = "text/plain";

QClipboard *board() { return QGuiApplication::clipboard(); }
} // namespace

QtClipboard::QtClipboard() {
    QObject::connect(board(), &QClipboard::dataChanged, this, [] { clipboardchanged(); });
}

void QtClipboard::setdata(const ClipboardForms &forms) {
    auto *mime = new QMimeData;
    for (const auto &[type, bytes] : forms) {
        if (type == PLAINTEXT)
            mime->setText(QString::fromUtf8(bytes.data(), (qsizetype)bytes.size()));
        else
            mime->setData(QString::fromStdString(type),
                          QByteArray(bytes.data(), (qsizetype)bytes.size()));
    }
    board()->setMimeData(mime); // the clipboard takes ownership
}

bool QtClipboard::data(const std::string &type, std::string &bytes) {
    const QMimeData *mime = board()->mimeData();
    if (!mime) return false;
    if (type == PLAINTEXT) {
        if (!mime->hasText()) return false;
        bytes = mime->text().toStdString();
        return true;
    }
    const QString t = QString::fromStdString(type);
    if (!mime->hasFormat(t)) return false;
    const QByteArray b = mime->data(t);
    bytes.assign(b.constData(), (size_t)b.size());
    return true;
}

std::vector<std::string> QtClipboard::formats() {
    std::vector<std::string> out;
    const QMimeData *mime = board()->mimeData();
    if (!mime) return out;
    bool text = false;
    for (const QString &f : mime->formats()) {
        if (f.startsWith("text/plain"))
            text = true;
        else
            out.push_back(f.toStdString());
    }
    if (text) out.push_back(PLAINTEXT);
    return out;
}
