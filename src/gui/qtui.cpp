// qtui.cpp - requesters, window states and the event queue on Qt.
#include "gui/qtui.h"

#include "platform/files.h"
#include "gui/icons.h"
#include "gui/widgets.h"
#include "platform/window.h"
#include "render/view.h"
#include "edit/interact.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include <cstring>

namespace {
QtUI *current = nullptr;

// The button texts of a requester, left to right.
QStringList buttontexts(const char *buttons) {
    QStringList list;
    for (const QString &b : coretext(buttons).split('|'))
        if (!b.trimmed().isEmpty()) list << b.trimmed();
    if (list.isEmpty()) list << "Okay";
    return list;
}

// The answer of button i of n: 1, 2, ... from the left, the last of several 0.
int answer(int i, int n) { return n > 1 && i == n - 1 ? 0 : i + 1; }

// The desktop's icon of a requester: errors and warnings look like the
// desktop's own, whatever image number the caller chose.
QMessageBox::Icon requestericon(const RequestSpec &req) {
    const char *title = req.title ? req.title : "";
    if (std::strcmp(title, "Ideaweave Error") == 0) return QMessageBox::Critical;
    if (std::strcmp(title, "Ideaweave Warning") == 0 || req.image == 2) return QMessageBox::Warning;
    return QMessageBox::Information;
}

} // namespace

QString filterpattern(const char *pattern) {
    QString p = coretext(pattern);
    // "#?(.svg|.png|.pdf)": any name ending in one of the alternatives, which
    // a file dialog lists as patterns of their own.
    if (p.startsWith("#?(") && p.endsWith(")")) {
        QStringList each;
        for (const QString &alt : p.mid(3, p.size() - 4).split('|'))
            if (!alt.isEmpty()) each << "*" + alt;
        if (!each.isEmpty()) return each.join(' ');
    }
    p.replace("#?", "*");
    return p.isEmpty() ? QString("*") : p;
}

QtUI *qtui() { return current; }

QString coretext(const char *s) {
    if (!s) return QString();
    // Messages and titles carry file names: one rule for them everywhere.
    return QString::fromStdString(filenametext(s, std::strlen(s)));
}

QtUI::QtUI() { current = this; }

QtUI::~QtUI() {
    closed_ = true;
    delete mainwindow;
    mainwindow = nullptr;
    if (&platformui() == this) setplatformui(nullptr);
    if (current == this) current = nullptr;
}

// ---- requesters ----

int QtUI::editlabel(LabelEditField &field) {
    if (!qApp || !drawspace || !drawspace->isVisible() || !field.buffer || field.buffersize <= 0)
        return -1;
    // What was drawn so far is shown under the field.
    drawspace->damage();
    LabelEditor editor(drawspace, field);
    const int answer = editor.run(field);
    drawspace->setFocus(Qt::OtherFocusReason);
    return answer;
}

int QtUI::request(RequestSpec &req) {
    if (!qApp) return -1;
    QStringList buttons = buttontexts(req.buttons);
    QWidget *parent = mainwindow && mainwindow->isVisible() ? mainwindow : nullptr;
    if (req.textentry) {
        if (!req.buffer || req.buffersize <= 0) return -1;
        int limit = req.buffersize - 1;
        if (req.maxchars > 0 && req.maxchars < limit) limit = req.maxchars;
        TextRequester dialog(
            coretext(req.title), coretext(req.body),
            QString::fromLatin1(req.buffer, (qsizetype)strnlen(req.buffer, req.buffersize)), limit,
            buttons.first(), buttons.size() > 1 ? buttons.last() : QString("Cancel"), parent);
        if (dialog.exec() != QDialog::Accepted) return 0;
        // The requester took only storable text, so nothing is lost here.
        QByteArray text = dialog.text().toLatin1().left(limit);
        std::memcpy(req.buffer, text.constData(), (size_t)text.size());
        req.buffer[text.size()] = 0;
        return 1;
    }
    QMessageBox box(parent);
    box.setWindowTitle(coretext(req.title));
    box.setText(coretext(req.body));
    box.setIcon(requestericon(req));
    // One role for all keeps the buttons in the requester's own order.
    QList<QAbstractButton *> list;
    for (const QString &b : buttons) list << box.addButton(b, QMessageBox::ActionRole);
    const int d =
        req.defaultbutton >= 1 && req.defaultbutton <= (int)list.size() ? req.defaultbutton - 1 : 0;
    box.setDefaultButton(qobject_cast<QPushButton *>(list[d]));
    box.setEscapeButton(list.last());
    box.exec();
    int i = (int)list.indexOf(box.clickedButton());
    if (i < 0) i = (int)list.size() - 1;
    return answer(i, (int)list.size());
}

bool QtUI::filerequest(const FileRequestSpec &req, std::string &drawer, std::string &file) {
    if (!qApp) return false;
    QWidget *parent = mainwindow && mainwindow->isVisible() ? mainwindow : nullptr;
    QFileDialog dialog(parent, coretext(req.title));
    dialog.setAcceptMode(req.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(req.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QString dir = QFile::decodeName(hostpath(req.drawer).c_str());
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) dialog.setDirectory(dir);
    QString pattern = filterpattern(req.pattern);
    dialog.setNameFilters({pattern + " (" + pattern + ")", "* (*)"});
    if (!req.file.empty()) dialog.selectFile(QFile::decodeName(req.file.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    QFileInfo chosen(dialog.selectedFiles().first());
    drawer = QFile::encodeName(chosen.absolutePath()).toStdString();
    file = QFile::encodeName(chosen.fileName()).toStdString();
    return true;
}

// ---- window states ----

void QtUI::setwindowtitle(const char *title) {
    title_ = title ? title : "";
    if (mainwindow) mainwindow->setWindowTitle(coretext(title_.c_str()));
}

void QtUI::setmenuenabled(int num, bool enabled) {
    menuenabled_[num] = enabled;
    auto it = menuactions.find(num);
    if (it != menuactions.end()) it->second->setEnabled(enabled);
}

void QtUI::setmenuchecked(int num, bool checked) {
    menuchecked_[num] = checked;
    auto it = menuactions.find(num);
    if (it != menuactions.end()) it->second->setChecked(checked);
}

void QtUI::setgadgetpointer(int id, int y, int height) { gadgetpointer_[id] = {y, height}; }

bool QtUI::upperhalf(int id) const {
    auto it = gadgetpointer_.find(id);
    if (it == gadgetpointer_.end()) return true;
    // The middle line counts as the upper half.
    return it->second.first <= it->second.second / 2;
}

bool QtUI::gadgetupperhalf(int id) { return upperhalf(id); }

void QtUI::setgadgetselectedimage(int id, const char *name) {
    selectedimage_[id] = name ? name : "";
    auto it = buttons.find(id);
    if (it == buttons.end()) return;
    QPixmap p = readable(imagefile(name, iconsize), QApplication::palette());
    if (p.isNull()) p = selectedlook(it->second->normalpicture());
    it->second->setselectedpicture(p);
}

void QtUI::setgadgetenabled(int id, bool enabled) {
    gadgetenabled_[id] = enabled;
    auto it = buttons.find(id);
    if (it != buttons.end()) it->second->setEnabled(enabled);
}

void QtUI::setgadgetimage(int id, const std::string &path) {
    gadgetimage_[id] = path;
    auto it = buttons.find(id);
    if (it == buttons.end()) return;
    QPixmap normal;
    if (!path.empty()) normal.load(QString::fromStdString(path), "PNG");
    if (normal.isNull()) {
        // No picture: a blank one keeps the palette's grid.
        normal = QPixmap(iconsize, iconsize);
        normal.fill(Qt::transparent);
    } else if (normal.width() > iconsize || normal.height() > iconsize) {
        normal = normal.scaled(iconsize, iconsize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    normal = readable(normal, QApplication::palette());
    it->second->setpictures(normal, selectedlook(normal));
}

void QtUI::sethelpline(const char *text) {
    helptext_ = text ? text : "";
    if (helpline) helpline->setText(QString::fromLatin1(helptext_.c_str()));
}

void QtUI::setpalettetab(int tab) {
    tab_ = tab;
    if (palettetabs && tab >= 0 && tab < palettetabs->count()) palettetabs->setCurrentIndex(tab);
}

void QtUI::settoolselected(int id, bool selected) {
    toolselected_[id] = selected;
    auto it = buttons.find(id);
    if (it != buttons.end() && it->second->isCheckable()) it->second->setChecked(selected);
}

void QtUI::scrollerchanged(int s, int top, int visible, int total) {
    s &= 1;
    scroll_[s][0] = top;
    scroll_[s][1] = visible;
    scroll_[s][2] = total;
    QScrollBar *bar = scrollers[s];
    if (!bar) return;
    // The core's own change: not a move by the user.
    QSignalBlocker block(bar);
    bar->setRange(0, std::max(0, total - visible));
    bar->setPageStep(std::max(1, visible));
    bar->setSingleStep(std::max(1, (int)(s == HSCROLLER ? scrollsizex : scrollsizey)));
    bar->setValue(top);
}

void QtUI::synctoggles() {
    for (auto &[id, button] : buttons) {
        if (!button->isCheckable()) continue;
        auto it = toolselected_.find(id);
        button->setChecked(it != toolselected_.end() && it->second);
    }
}

void QtUI::applystates() {
    setwindowtitle(title_.c_str());
    for (auto [num, on] : menuenabled_) setmenuenabled(num, on);
    for (auto [num, on] : menuchecked_) setmenuchecked(num, on);
    for (auto [id, on] : gadgetenabled_) setgadgetenabled(id, on);
    for (auto &[id, name] : selectedimage_) setgadgetselectedimage(id, name.c_str());
    for (auto &[id, path] : gadgetimage_) setgadgetimage(id, path);
    sethelpline(helptext_.c_str());
    setpalettetab(tab_);
    synctoggles();
    for (int s = 0; s < 2; s++) scrollerchanged(s, scroll_[s][0], scroll_[s][1], scroll_[s][2]);
}

// ---- events ----

void QtUI::post(const PendingEvent &e) {
    if (quit_) return;
    // Only the last of several waiting new sizes matters.
    if (e.kind == PendingEvent::RESIZE && !queue_.empty() &&
        queue_.back().kind == PendingEvent::RESIZE)
        queue_.back() = e;
    else
        queue_.push_back(e);
    if (depth_ > 0) return; // a requester is up: after the current event
    while (!queue_.empty() && !quit_) {
        PendingEvent next = queue_.front();
        queue_.pop_front();
        depth_++;
        int quit = run(next);
        depth_--;
        if (drawspace) drawspace->damage();
        synctoggles();
        if (afterevent && !quit) afterevent();
        if (quit || break_) shutdown();
    }
}

int QtUI::run(const PendingEvent &e) {
    switch (e.kind) {
    case PendingEvent::INPUT:
        return iwevent(e.window, e.result, e.code);
    case PendingEvent::POINTER:
        setpointerposition(e.a, e.b);
        return iwevent(DRAWSPACEWINDOW, e.result, e.code);
    case PendingEvent::WHEEL:
        // The wheel scrolls the view before any other input of the window.
        scrolldiagram(e.a, e.b);
        return 0;
    case PendingEvent::RESIZE:
        resizedrawspacewindow(e.a, e.b);
        return iwevent(DRAWSPACEWINDOW, IW_NEWSIZE, 0);
    case PendingEvent::SCROLL:
        // A scroll bar moved: the handler redraws the newly shown part.
        setscrollertop(e.a, e.b);
        return iwevent(DRAWSPACEWINDOW, IW_GADGETUP | (18 + (e.a & 1)), 0);
    case PendingEvent::CALL:
        return e.call ? e.call() : 0;
    }
    return 0;
}

void QtUI::breaksignal() {
    requestbreak();
    break_ = true;
    // A tick ends the program at once when idle, else after the current event.
    post(PendingEvent::input(DRAWSPACEWINDOW, 0, 0));
}

void QtUI::shutdown() {
    quit_ = true;
    queue_.clear();
    if (beforeclose) beforeclose();
    closed_ = true;
    if (mainwindow) mainwindow->hide();
    closedown();
    if (onquit)
        onquit();
    else
        QCoreApplication::exit(0);
}
