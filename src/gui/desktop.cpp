// desktop.cpp - the desktop's expectations of an editor (see desktop.h).
#include "gui/desktop.h"

#include "app/dropped.h"
#include "app/diagramprops.h"
#include "app/find.h"
#include "app/menus.h"
#include "app/prefwindow.h"
#include "app/properties.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/files.h"
#include "platform/gadgets.h"
#include "gui/desktopsettings.h"
#include "gui/propwindows.h"
#include "gui/qtui.h"
#include "gui/recentlyused.h"
#include "gui/widgets.h"
#include "render/zoomfit.h"
#include "ui/ui.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#ifndef IW_VERSION
#define IW_VERSION "0.9"
#endif
#ifndef IW_GUIDE_BUILD
#define IW_GUIDE_BUILD ""
#endif

namespace {

// The property windows whose places are kept: the window objects are built
// again at each opening from their last place and size.
struct KeptWindow {
    const char *name;
    GadgetWindow *win;
    int16_t *x, *y, *width, *height;
};
const KeptWindow KEPTWINDOWS[] = {
    {"props", &propwin, &propwinx, &propwiny, &propwinwidth, &propwinheight},
    {"diagram", &diagrampropwin, &diagrampropwinx, &diagrampropwiny, &diagrampropwinwidth,
     &diagrampropwinheight},
    {"prefs", &prefwin, &prefwinx, &prefwiny, &prefwinwidth, &prefwinheight},
};

int16_t s16(int v) { return (int16_t)std::clamp(v, -32768, 32767); }

// How much of a window's top strip must lie on a screen to be reachable.
constexpr int REACHW = 48, REACHH = 8;

QtUI &ui() { return *qtui(); }

void post(std::function<int()> fn) {
    if (QtUI *u = qtui()) u->post(PendingEvent::command(std::move(fn)));
}

// A menu of the menu bar by its position (0 Project ... 4 Preferences).
QMenu *barmenu(int k) {
    const QList<QAction *> titles = ui().mainwindow->menuBar()->actions();
    return k < titles.size() ? titles[k]->menu() : nullptr;
}

// The action that follows a in its menu (nullptr: a is the last).
QAction *after(QMenu *menu, QAction *a) {
    const QList<QAction *> items = menu->actions();
    const qsizetype at = items.indexOf(a);
    return at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
}

QAction *tableaction(int num) {
    auto it = ui().menuactions.find(num);
    return it == ui().menuactions.end() ? nullptr : it->second;
}

// An item of the desktop's own, enabled exactly while the table's item is.
void follow(QAction *a, QAction *model) {
    if (!model) return;
    a->setEnabled(model->isEnabled());
    QObject::connect(model, &QAction::changed, a,
                     [a, model] { a->setEnabled(model->isEnabled()); });
}

// A menu item running fn in turn with the input. The core's commands return
// 1 for success, which a posted command would take for "quit": these items
// never end the program.
QAction *command(QMenu *menu, const QString &text, const QKeySequence &key, std::function<int()> fn,
                 const char *name) {
    auto *a = new QAction(text, menu);
    a->setObjectName(name);
    a->setMenuRole(QAction::NoRole);
    if (!key.isEmpty()) a->setShortcut(key);
    QObject::connect(a, &QAction::triggered, a, [fn] {
        post([fn] {
            fn();
            return 0;
        });
    });
    return a;
}

// ---- recent files ----

std::string notedpath; // the diagram's file at the last event, and its state
int notedsaved = 0;

// After every event: a diagram opened or saved under a file of its own goes
// to the front of the recent list.
void noterecent() {
    const std::string path =
        DiagramExists ? std::string(IWODiagram.filename,
                                    strnlen(IWODiagram.filename, sizeof IWODiagram.filename))
                      : std::string();
    const int saved = IWODiagram.saved;
    if (!path.empty() && saved != 0 && (path != notedpath || notedsaved == 0)) {
        const QString name = QFile::decodeName(path.c_str());
        // A new diagram's file name is only a drawer.
        if (QFileInfo(name).isFile()) {
            setrecentfiles(addrecent(recentfiles(), name));
            // The desktop's list too; one it can't read is left alone.
            noterecentlyused(QFileInfo(name).absoluteFilePath(), "application/x-ideaweave",
                             "Ideaweave", "'ideaweave %u'", QDateTime::currentDateTimeUtc());
        }
    }
    notedpath = path;
    notedsaved = saved;
}

void fillrecent(QMenu *menu) {
    menu->clear();
    const QStringList list = recentfiles();
    int k = 0;
    for (const QString &path : list) {
        const QFileInfo info(path);
        QString text = QString("&%1 %2").arg(++k % 10).arg(info.fileName());
        const bool there = info.isFile();
        if (!there) text += "  (missing)";
        QAction *a = menu->addAction(text);
        a->setToolTip(path);
        a->setStatusTip(path);
        a->setEnabled(there);
        QObject::connect(a, &QAction::triggered, a, [path] { openrecent(path); });
    }
    if (list.isEmpty()) menu->addAction("No Recent Diagrams")->setEnabled(false);
    menu->addSeparator();
    QAction *clear = menu->addAction("&Clear List");
    clear->setEnabled(!list.isEmpty());
    QObject::connect(clear, &QAction::triggered, clear, [] { setrecentfiles({}); });
}

// ---- help ----

void showshortcuts() {
    QWidget *parent = ui().mainwindow;
    if (auto *old = parent->findChild<QDialog *>("shortcutswindow")) {
        old->show();
        old->raise();
        return;
    }
    auto *d = new QDialog(parent);
    d->setObjectName("shortcutswindow");
    d->setWindowTitle("Keyboard Shortcuts");
    auto *column = new QVBoxLayout(d);
    const auto rows = shortcutrows();
    auto *table = new QTableWidget((int)rows.size(), 2, d);
    table->setHorizontalHeaderLabels({"Command", "Keys"});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < (int)rows.size(); r++) {
        table->setItem(r, 0, new QTableWidgetItem(rows[r].first));
        table->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(table);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, d);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::hide);
    column->addWidget(buttons);
    d->resize(520, 560);
    d->show();
}

int aboutbox() {
    QMessageBox box(QMessageBox::Information, "About Ideaweave",
                    "Ideaweave " IW_VERSION "\n\n"
                    "An editor for mind maps, UML sketches and flowcharts.\n\n"
                    "Licence: proprietary. Copyright the Ideaweave developers; "
                    "all rights reserved.",
                    QMessageBox::Ok, ui().mainwindow);
    box.exec();
    return 0;
}

// ---- drops ----

class DropTarget : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove) {
            auto *d = static_cast<QDropEvent *>(e);
            if (!d->mimeData()->hasUrls()) return false;
            d->acceptProposedAction();
            return true;
        }
        if (e->type() != QEvent::Drop) return QObject::eventFilter(o, e);
        auto *d = static_cast<QDropEvent *>(e);
        if (!d->mimeData()->hasUrls()) return false;
        std::vector<std::string> paths;
        for (const QUrl &url : d->mimeData()->urls())
            paths.push_back(url.isLocalFile() ? QFile::encodeName(url.toLocalFile()).toStdString()
                                              : url.toString().toStdString());
        d->acceptProposedAction();
        post([paths] {
            opendroppedfiles(paths);
            return 0;
        });
        return true;
    }
};

// ---- window places ----

bool restoredmain = false;

void keeponscreen(QWidget *w) {
    const QRect frame = w->frameGeometry().isValid() ? w->frameGeometry() : w->geometry();
    const QPoint at = placeonscreen(frame, screenareas());
    if (at != frame.topLeft()) w->move(at);
}

void restoreplaces() {
    QtUI &u = ui();
    auto s = desktopsettings();
    if (s->contains("windows/main")) {
        restoredmain = u.mainwindow->restoreGeometry(s->value("windows/main").toByteArray());
        if (restoredmain && !u.mainwindow->isMaximized()) keeponscreen(u.mainwindow);
    }
    if (s->contains("windows/docks")) {
        u.mainwindow->restoreState(s->value("windows/docks").toByteArray());
    }
    // Floating docks come back at the place they had (the dock state puts
    // them a title bar too high on some platforms).
    for (QDockWidget *d : {u.toolswindow, u.shapeswindow}) {
        const QVariant at = s->value("windows/" + d->objectName());
        if (d->isFloating() && at.isValid()) d->move(at.toPoint());
        if (d->isFloating()) keeponscreen(d);
    }
    for (const KeptWindow &k : KEPTWINDOWS) {
        const QRect r = s->value(QString("windows/") + k.name).toRect();
        if (r.isNull()) continue;
        *k.x = s16(r.x());
        *k.y = s16(r.y());
        *k.width = s16(std::max(0, r.width()));
        *k.height = s16(std::max(0, r.height()));
        k.win->x = *k.x;
        k.win->y = *k.y;
        k.win->width = *k.width;
        k.win->height = *k.height;
    }
}

QString plain(QString text) { return text.remove('&'); }

} // namespace

// ---- window places ----

QList<QRect> screenareas() {
    QList<QRect> areas;
    for (QScreen *s : QGuiApplication::screens()) areas << s->availableGeometry();
    return areas;
}

QPoint placeonscreen(const QRect &frame, const QList<QRect> &screens) {
    if (screens.isEmpty()) return frame.topLeft();
    const QRect strip(frame.left(), frame.top(), frame.width(), std::min(frame.height(), 32));
    for (const QRect &s : screens) {
        const QRect on = strip & s;
        if (on.width() >= std::min(REACHW, frame.width()) &&
            on.height() >= std::min(REACHH, strip.height()))
            return frame.topLeft();
    }
    // The nearest screen, by the distance of its centre to the window's.
    const QRect *best = &screens.first();
    auto distance = [&frame](const QRect &s) {
        const QPoint d = s.center() - frame.center();
        return (qint64)d.x() * d.x() + (qint64)d.y() * d.y();
    };
    for (const QRect &s : screens)
        if (distance(s) < distance(*best)) best = &s;
    // Within it, as close to where it was as the window's size allows. A
    // window larger than the screen keeps its top-left on it, far enough in
    // for its title bar to be reached.
    auto along = [](int at, int lo, int end, int size, int reach) {
        const int hi = size <= end - lo ? end - size : end - reach;
        return std::clamp(at, lo, std::max(lo, hi));
    };
    const int x = along(frame.left(), best->left(), best->right() + 1, frame.width(), REACHW);
    const int y = along(frame.top(), best->top(), best->bottom() + 1, frame.height(), REACHH);
    return {x, y};
}

void savewindowplaces() {
    QtUI *u = qtui();
    if (!u || !u->mainwindow) return;
    auto s = desktopsettings();
    s->setValue("windows/main", u->mainwindow->saveGeometry());
    s->setValue("windows/docks", u->mainwindow->saveState());
    for (QDockWidget *d : {u->toolswindow, u->shapeswindow})
        if (d) s->setValue("windows/" + d->objectName(), d->pos());
    for (const KeptWindow &k : KEPTWINDOWS) {
        QRect r(*k.x, *k.y, *k.width, *k.height);
        // An open window is where it is now (relative to the main window, as
        // the windows keep their places).
        if (QDialog *d = k.win->open ? gadgetdialog(*k.win) : nullptr)
            r = QRect(d->pos() - u->mainwindow->geometry().topLeft(), d->size());
        s->setValue(QString("windows/") + k.name, r);
    }
}

void showmainwindow() {
    QMainWindow *w = ui().mainwindow;
    if (restoredmain)
        w->show();
    else
        w->showMaximized();
}

// ---- mnemonics ----

QStringList withmnemonics(const QStringList &labels) {
    QSet<QChar> used;
    for (const QString &l : labels) {
        const qsizetype at = l.indexOf('&');
        if (at >= 0 && at + 1 < l.size() && l[at + 1] != '&') used.insert(l[at + 1].toLower());
    }
    QStringList out;
    for (const QString &l : labels) {
        if (l.isEmpty() || l.contains('&')) {
            out << l;
            continue;
        }
        qsizetype pick = -1;
        // A word's first letter first, then any letter or digit.
        for (qsizetype i = 0; i < l.size() && pick < 0; i++)
            if (l[i].isLetterOrNumber() && (i == 0 || !l[i - 1].isLetterOrNumber()) &&
                !used.contains(l[i].toLower()))
                pick = i;
        for (qsizetype i = 0; i < l.size() && pick < 0; i++)
            if (l[i].isLetterOrNumber() && !used.contains(l[i].toLower())) pick = i;
        if (pick < 0) {
            out << l;
            continue;
        }
        used.insert(l[pick].toLower());
        out << l.left(pick) + '&' + l.mid(pick);
    }
    return out;
}

// ---- recent files ----

QStringList addrecent(QStringList list, const QString &path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    list.removeAll(full);
    list.prepend(full);
    while (list.size() > MAXRECENT) list.removeLast();
    return list;
}

QStringList recentfiles() {
    QStringList list = desktopsettings()->value("recent/files").toStringList();
    list.removeAll(QString());
    while (list.size() > MAXRECENT) list.removeLast();
    return list;
}

void setrecentfiles(const QStringList &list) { desktopsettings()->setValue("recent/files", list); }

void openrecent(const QString &path) {
    post([path] {
        if (!QFileInfo(path).isFile()) {
            QStringList list = recentfiles();
            list.removeAll(path);
            setrecentfiles(list);
            ErrorReq((QFile::encodeName(path).toStdString() +
                      " is no longer there; it has been taken off the recent list.")
                         .c_str());
            updateIWOdiagram();
            return 0;
        }
        opendiagramfrom(QFile::encodeName(path).toStdString());
        return 0;
    });
}

// ---- help ----

QString guidepath() {
    const QStringList places = {
        QString::fromStdString(datadirectory()) + "../doc/ideaweave/guide.html",
        QString::fromUtf8(IW_GUIDE_BUILD),
    };
    for (const QString &p : places)
        if (!p.isEmpty() && QFileInfo(p).isFile()) return QFileInfo(p).absoluteFilePath();
    return {};
}

void openguide() {
    post([] {
        const QString path = guidepath();
        if (path.isEmpty()) {
            ErrorReq("The user guide is not installed (it belongs in "
                     "share/doc/ideaweave/guide.html beside the program).");
            updateIWOdiagram();
            return 0;
        }
        const QUrl url = QUrl::fromLocalFile(path);
        // The desktop's own opener where there is one; Qt's services else.
        const QString opener = QStandardPaths::findExecutable("xdg-open");
        bool started = !opener.isEmpty() && QProcess::startDetached(opener, {url.toString()});
        if (!started) started = QDesktopServices::openUrl(url);
        if (!started) {
            ErrorReq(("No web browser could be started to show the user guide (xdg-open was not "
                      "found): open " +
                      QFile::encodeName(path).toStdString() + " yourself.")
                         .c_str());
            updateIWOdiagram();
        }
        return 0;
    });
}

QList<QPair<QString, QString>> shortcutrows() {
    QList<QPair<QString, QString>> rows;
    QtUI *u = qtui();
    if (!u || !u->mainwindow) return rows;
    for (QAction *title : u->mainwindow->menuBar()->actions()) {
        QMenu *menu = title->menu();
        if (!menu) continue;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator() || a->shortcuts().isEmpty()) continue;
            QStringList keys;
            for (const QKeySequence &k : a->shortcuts())
                keys << k.toString(QKeySequence::NativeText);
            rows.append(
                qMakePair(plain(title->text()) + " > " + plain(a->text()), keys.join(", ")));
        }
    }
    // The drawing window's own keys and the wheel.
    const char *const fixed[][2] = {
        {"Delete the selection", "Del, Backspace"},
        {"Place the chosen shape at the pointer", "Insert"},
        {"Move the selection 1 mm (Shift: 1 cm)", "Cursor keys"},
        {"Choose the neighbouring tool in Shapes", "Alt+cursor keys"},
        {"Next page of the Shapes window", "Alt+Tab"},
        {"Mirror left to right (Shift: top to bottom)", "F, Shift+F"},
        {"Scroll (Shift: sideways)", "Wheel, Shift+wheel"},
        {"Zoom about the pointer", "Ctrl+wheel"},
        {"Close the find bar", "Esc"},
    };
    for (const auto &f : fixed) rows.append(qMakePair(QString(f[0]), QString(f[1])));
    return rows;
}

// ---- the find bar ----

FindBar::FindBar(QWidget *parent) : QWidget(parent) {
    setObjectName("findbar");
    // One row high: the page keeps the rest of the window's height.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    auto *label = new QLabel("&Find:", this);
    text_ = new QLineEdit(this);
    text_->setObjectName("findtext");
    text_->setPlaceholderText("label or name");
    text_->setClearButtonEnabled(true);
    label->setBuddy(text_);
    previous_ = new QToolButton(this);
    previous_->setObjectName("findprevious");
    previous_->setText("Previous");
    previous_->setToolTip("Previous match (Shift+F3)");
    next_ = new QToolButton(this);
    next_->setObjectName("findnext");
    next_->setText("Next");
    next_->setToolTip("Next match (Enter, F3)");
    count_ = new QLabel(this);
    count_->setObjectName("findcount");
    count_->setMinimumWidth(count_->fontMetrics().horizontalAdvance("9999 of 9999 (folded)"));
    unfold_ = new QPushButton("&Unfold", this);
    unfold_->setObjectName("findunfold");
    unfold_->setToolTip("Unfold the branch that hides this match");
    unfold_->setEnabled(false);
    all_ = new QPushButton("Select &All Matches", this);
    all_->setObjectName("findall");
    close_ = new QToolButton(this);
    close_->setObjectName("findclose");
    close_->setText("Close");
    close_->setToolTip("Close the find bar (Esc)");
    for (QWidget *w : std::initializer_list<QWidget *>{label, text_, previous_, next_, count_,
                                                       unfold_, all_, close_})
        row->addWidget(w);
    row->setStretch(1, 1);
    // The buttons leave the keys with the text field.
    for (QWidget *w : std::initializer_list<QWidget *>{previous_, next_, unfold_, all_, close_})
        w->setFocusPolicy(Qt::NoFocus);
    connect(text_, &QLineEdit::textEdited, this, [this] { typed(); });
    connect(text_, &QLineEdit::returnPressed, this, [this] { step(1); });
    connect(previous_, &QToolButton::clicked, this, [this] { step(-1); });
    connect(next_, &QToolButton::clicked, this, [this] { step(1); });
    connect(unfold_, &QPushButton::clicked, this, [this] { unfold(); });
    connect(all_, &QPushButton::clicked, this, [this] { selectall(); });
    connect(close_, &QToolButton::clicked, this, [this] { end(); });
    text_->installEventFilter(this);
    hide();
}

bool FindBar::eventFilter(QObject *o, QEvent *e) {
    // Return, Shift+Return and Esc belong to the field while it has the focus,
    // even where a menu key (Add Sibling is Shift+Return) uses the same keys.
    if (o == text_ && e->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            e->accept();
            return true;
        }
    }
    if (o == text_ && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Escape) {
            end();
            return true;
        }
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            (k->modifiers() & Qt::ShiftModifier)) {
            step(-1);
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void FindBar::begin() {
    QWidget::show();
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

void FindBar::end() {
    hide();
    if (QtUI *u = qtui(); u && u->drawspace) u->drawspace->setFocus();
}

// The typed text as a label stores it: ISO-8859-1, other accented letters as
// their base letter; false when it holds a character no label can.
bool FindBar::searchable(std::string &text) const {
    text.clear();
    for (QChar c : text_->text()) {
        if (c.unicode() > 0xFF) {
            const QString base = c.decomposition();
            if (base.isEmpty() || base[0].unicode() > 0xFF) return false;
            c = base[0];
        }
        text += (char)c.unicode();
    }
    return true;
}

void FindBar::report(int index, const std::vector<int> &found) {
    const auto at = std::find(found.begin(), found.end(), index);
    QString s = QString("%1 of %2").arg(at - found.begin() + 1).arg(found.size());
    const bool hidden = foldingconnector(index) != TRANSPARENT;
    if (hidden) s += " (folded)";
    count_->setText(s);
    unfold_->setEnabled(hidden);
}

// Every keystroke: the first match in reading order is gone to at once.
void FindBar::typed() {
    currentid_ = TRANSPARENT;
    post([this] {
        std::string text;
        const std::vector<int> found = searchable(text) ? findmatches(text) : std::vector<int>();
        unfold_->setEnabled(false);
        if (found.empty()) {
            count_->setText(text_->text().isEmpty() ? QString() : QString("No matches"));
            return 0;
        }
        currentid_ = IWO[found.front()].id;
        gotomatch(found.front(), false);
        report(found.front(), found);
        return 0;
    });
}

void FindBar::step(int dir) {
    if (isHidden() || text_->text().isEmpty()) {
        begin();
        if (text_->text().isEmpty()) return;
    }
    post([this, dir] {
        std::string text;
        // Found again each time: the diagram may have changed meanwhile.
        const std::vector<int> found = searchable(text) ? findmatches(text) : std::vector<int>();
        if (found.empty()) {
            count_->setText("No matches");
            unfold_->setEnabled(false);
            return 0;
        }
        const int n = (int)found.size();
        int at = -1;
        for (int k = 0; k < n; k++)
            if (IWO[found[(size_t)k]].id == currentid_) at = k;
        at = at < 0 ? (dir > 0 ? 0 : n - 1) : ((at + dir) % n + n) % n;
        const int index = found[(size_t)at];
        currentid_ = IWO[index].id;
        gotomatch(index, false);
        report(index, found);
        return 0;
    });
}

void FindBar::unfold() {
    post([this] {
        const int index = findIWObyid(currentid_);
        if (!liveIWO(index)) return 0;
        gotomatch(index, true);
        std::string text;
        report(index, searchable(text) ? findmatches(text) : std::vector<int>{index});
        return 0;
    });
}

void FindBar::selectall() {
    post([this] {
        std::string text;
        const std::vector<int> found = searchable(text) ? findmatches(text) : std::vector<int>();
        selectmatches(found);
        unfold_->setEnabled(false);
        count_->setText(found.empty() ? QString("No matches")
                                      : QString("%1 selected").arg(found.size()));
        return 0;
    });
}

// ---- putting it together ----

void installdesktop() {
    QtUI &u = ui();
    QMainWindow *w = u.mainwindow;

    // Project > Open Recent, after Open.
    QMenu *project = barmenu(0);
    auto *recent = new QMenu("Open Recent", project);
    recent->setObjectName("recentmenu");
    QObject::connect(recent, &QMenu::aboutToShow, recent, [recent] { fillrecent(recent); });
    project->insertMenu(after(project, tableaction(menunumber(CMD_OPEN))), recent);
    fillrecent(recent);

    // Edit > Find..., Find Next, Find Previous, at the end.
    auto *bar = new FindBar(w->centralWidget());
    if (auto *grid = qobject_cast<QGridLayout *>(w->centralWidget()->layout()))
        grid->addWidget(bar, 2, 0, 1, 2);
    QMenu *edit = barmenu(1);
    edit->addSeparator();
    // Ctrl+F is To Front: Find takes Ctrl+E, as browsers' search field does.
    auto addfind = [&](const QString &text, const QKeySequence &key, const char *name,
                       std::function<void()> fn) {
        auto *a = new QAction(text, edit);
        a->setObjectName(name);
        a->setMenuRole(QAction::NoRole);
        a->setShortcut(key);
        QObject::connect(a, &QAction::triggered, a, fn);
        edit->addAction(a);
    };
    addfind(QString::fromUtf8("Find\u2026"), QKeySequence(Qt::CTRL | Qt::Key_E), "find",
            [bar] { bar->begin(); });
    addfind("Find Next", QKeySequence(Qt::Key_F3), "findnext", [bar] { bar->step(1); });
    addfind("Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3), "findprevious",
            [bar] { bar->step(-1); });

    // Diagram > Zoom to Fit and Zoom to Selection, after Zoom Out.
    QMenu *diagram = barmenu(3);
    QAction *zoomout = tableaction(menunumber(CMD_ZOOMOUT));
    QAction *before = after(diagram, zoomout);
    QAction *fit = command(
        diagram, "Zoom to Fit", QKeySequence(Qt::CTRL | Qt::Key_9), [] { return zoomtofit(); },
        "zoomtofit");
    QAction *sel = command(
        diagram, "Zoom to Selection", QKeySequence(Qt::CTRL | Qt::Key_8),
        [] { return zoomtoselection(); }, "zoomtoselection");
    diagram->insertAction(before, fit);
    diagram->insertAction(before, sel);
    // Both while there is a diagram; without a selection Zoom to Selection
    // does nothing.
    follow(fit, zoomout);
    follow(sel, zoomout);

    // Help.
    QMenu *help = w->menuBar()->addMenu("&Help");
    QAction *guide = help->addAction("User Guide");
    guide->setObjectName("userguide");
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(guide, &QAction::triggered, guide, [] { openguide(); });
    QAction *keys = help->addAction("Keyboard Shortcuts");
    keys->setObjectName("shortcuts");
    QObject::connect(keys, &QAction::triggered, keys, [] { showshortcuts(); });
    help->addSeparator();
    help->addAction(command(help, "About Ideaweave", QKeySequence(), aboutbox, "about"));

    // Every menu's items get their letters.
    for (QAction *title : w->menuBar()->actions()) {
        QMenu *menu = title->menu();
        if (!menu) continue;
        QList<QAction *> items;
        QStringList labels;
        for (QAction *a : menu->actions())
            if (!a->isSeparator()) items << a, labels << a->text();
        labels = withmnemonics(labels);
        for (qsizetype i = 0; i < items.size(); i++) items[i]->setText(labels[i]);
    }

    // Files dropped anywhere on the main window.
    w->setAcceptDrops(true);
    w->installEventFilter(new DropTarget(w));

    notedpath.clear();
    notedsaved = 0;
    u.afterevent = noterecent;
    u.beforeclose = savewindowplaces;
    restoreplaces();
}
