// propwindows.cpp - gadget windows, palette, style window and font chooser on Qt.
#include "gui/propwindows.h"

#include "edit/interact.h"
#include "platform/palette.h"
#include "gui/desktop.h"
#include "gui/icons.h"
#include "gui/qtui.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <map>

namespace {

QColor pencolour(int pen) { return QColor::fromRgb(penrgb(pen)); }

// A button's look for a pen: its background in the pen, the text in a
// contrasting pen (or the given one). A negative pen (no fill) shows the
// window's own background and the word "None".
void paintbutton(QAbstractButton *b, int pen, int textpen = -1) {
    if (pen < 0) {
        b->setStyleSheet(QString());
        if (textpen < 0) b->setText("None");
        return;
    }
    QColor bg = pencolour(pen);
    QColor fg = textpen >= 0 ? pencolour(textpen)
                             : (bg.lightness() > 128 ? QColor(Qt::black) : QColor(Qt::white));
    b->setStyleSheet(QString("QAbstractButton { background-color: %1; color: %2; "
                             "border: 1px solid palette(mid); min-height: 20px; }")
                         .arg(bg.name(), fg.name()));
    if (textpen < 0) b->setText(QString());
}

// Texts of the core are ISO-8859-1; the fields take only what that can hold.
QValidator *latin1validator(QObject *parent) {
    return new QRegularExpressionValidator(QRegularExpression("[\\x{20}-\\x{7e}\\x{a0}-\\x{ff}]*"),
                                           parent);
}

class GadgetDialog : public QDialog {
  public:
    GadgetDialog(GadgetWindow &win, QWidget *parent);
    // A field losing the focus while the dialog is taken down reports nothing.
    ~GadgetDialog() override {
        for (QWidget *w : findChildren<QWidget *>()) w->blockSignals(true);
    }
    // Shows the table's values, texts and disabled flags.
    void sync();
    GadgetWindow &win;

  protected:
    void closeEvent(QCloseEvent *e) override;
    // Esc closes the window as its close gadget does: the dialog's own
    // reject() would only hide it, and the program, still counting it open,
    // would then never show it again.
    void reject() override { closerequest(); }
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    void closerequest();
    QWidget *build(Gadget &g);
    void post(int id, int code);
    void setfrom(const Gadget &g, QWidget *w);
    std::map<int, QWidget *> widgets_; // by gadget id
    std::map<int, QLabel *> levels_;   // slider level texts
    bool syncing_ = false;
};

std::map<const GadgetWindow *, QPointer<GadgetDialog>> &dialogs() {
    static std::map<const GadgetWindow *, QPointer<GadgetDialog>> map;
    return map;
}

GadgetDialog::GadgetDialog(GadgetWindow &w, QWidget *parent) : QDialog(parent), win(w) {
    setObjectName(QString::fromStdString("window:" + win.name));
    setWindowTitle(QString::fromStdString(win.title));
    setWindowFlag(Qt::Tool);
    setModal(false);
    auto *outer = new QVBoxLayout(this);
    auto *top = new QFormLayout;
    outer->addLayout(top);
    QTabWidget *tabs = nullptr;
    std::vector<QFormLayout *> pages;
    auto *bottom = new QHBoxLayout;
    for (Gadget &g : win.gadgets) {
        if (g.kind == GADGET_TABS) {
            tabs = new QTabWidget(this);
            tabs->setObjectName(QString("gadget%1").arg(g.id));
            // Every page's name in sight: the window is as wide as the strip.
            tabs->tabBar()->setUsesScrollButtons(false);
            for (const std::string &c : g.choices) {
                auto *page = new QWidget(tabs);
                auto *form = new QFormLayout(page);
                pages.push_back(form);
                tabs->addTab(page, QString::fromStdString(c));
            }
            const int id = g.id;
            connect(tabs, &QTabWidget::currentChanged, this, [this, id](int index) {
                if (syncing_) return;
                setgadgetvalue(win, id, index);
                post(id, index);
            });
            widgets_[g.id] = tabs;
            outer->addWidget(tabs);
            continue;
        }
        QWidget *w = build(g);
        widgets_[g.id] = w;
        QString label = QString::fromLatin1(g.label.c_str());
        if (g.page < 0) {
            if (bottom->count() > 0) bottom->addStretch(1);
            bottom->addWidget(w);
        } else if (g.page == 0 || !tabs || g.page > (int)pages.size()) {
            top->addRow(label, w);
        } else {
            pages[(size_t)g.page - 1]->addRow(label, w);
        }
    }
    outer->addLayout(bottom);
    sync();
}

void GadgetDialog::post(int id, int code) {
    if (QtUI *ui = qtui())
        ui->post(PendingEvent::input((IWWindow)win.window, IW_GADGETUP | id, code));
}

QWidget *GadgetDialog::build(Gadget &g) {
    const int id = g.id;
    QWidget *w = nullptr;
    switch (g.kind) {
    case GADGET_INTEGER: {
        auto *s = new QSpinBox(this);
        connect(s, &QSpinBox::valueChanged, this, [this, id](int v) {
            if (!syncing_) setgadgetvalue(win, id, v);
        });
        connect(s, &QSpinBox::editingFinished, this, [this, id] {
            if (!syncing_) post(id, (int)gadgetvalue(win, id));
        });
        w = s;
        break;
    }
    case GADGET_STRING: {
        auto *e = new QLineEdit(this);
        e->setValidator(latin1validator(e));
        if (g.max > 0) e->setMaxLength((int)g.max);
        connect(e, &QLineEdit::textEdited, this, [this, id](const QString &t) {
            setgadgettext(win, id, t.toLatin1().toStdString());
        });
        connect(e, &QLineEdit::returnPressed, this, [this, id] { post(id, 0); });
        w = e;
        break;
    }
    case GADGET_CHECKBOX: {
        auto *c = new QCheckBox(QString::fromLatin1(g.text.c_str()), this);
        connect(c, &QCheckBox::clicked, this, [this, id](bool on) {
            setgadgetvalue(win, id, on ? 1 : 0);
            post(id, on ? 1 : 0);
        });
        w = c;
        break;
    }
    case GADGET_CHOOSER: {
        auto *c = new QComboBox(this);
        for (const std::string &s : g.choices) c->addItem(QString::fromLatin1(s.c_str()));
        connect(c, &QComboBox::activated, this, [this, id](int index) {
            setgadgetvalue(win, id, index);
            post(id, index);
        });
        w = c;
        break;
    }
    case GADGET_SLIDER: {
        auto *box = new QWidget(this);
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        auto *s = new QSlider(Qt::Horizontal, box);
        s->setObjectName(QString("slider%1").arg(id));
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(10);
        auto *level = new QLabel(box);
        level->setMinimumWidth(level->fontMetrics().horizontalAdvance("0000"));
        row->addWidget(s, 1);
        row->addWidget(level);
        levels_[id] = level;
        connect(s, &QSlider::valueChanged, this, [this, id, s, level](int v) {
            level->setText(QString::number(v));
            if (syncing_) return;
            setgadgetvalue(win, id, v);
            // A drag reports once, when the knob is let go.
            if (!s->isSliderDown()) post(id, v);
        });
        connect(s, &QSlider::sliderReleased, this, [this, id, s] {
            setgadgetvalue(win, id, s->value());
            post(id, s->value());
        });
        w = box;
        break;
    }
    case GADGET_BUTTON:
    case GADGET_COLOUR:
    case GADGET_LABELCOLOURS:
    case GADGET_IMAGE:
    case GADGET_FONT: {
        auto *b = new QPushButton(QString::fromLatin1(g.text.c_str()), this);
        b->setAutoDefault(false);
        if (g.kind == GADGET_IMAGE) b->setIconSize(QSize(32, 32));
        if (g.kind == GADGET_LABELCOLOURS) b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, id] { post(id, 0); });
        w = b;
        break;
    }
    case GADGET_TABS:
        break;
    }
    w->setObjectName(QString("gadget%1").arg(id));
    return w;
}

bool GadgetDialog::eventFilter(QObject *o, QEvent *e) {
    // Where on a two-part button the pointer was let go.
    if (e->type() == QEvent::MouseButtonRelease) {
        auto *w = static_cast<QWidget *>(o);
        for (Gadget &g : win.gadgets)
            if (widgets_[g.id] == w) {
                g.left = 0;
                g.width = w->width();
                win.pointerx = (int)static_cast<QMouseEvent *>(e)->position().x();
            }
    }
    return QDialog::eventFilter(o, e);
}

void GadgetDialog::setfrom(const Gadget &g, QWidget *w) {
    w->setEnabled(!g.disabled);
    switch (g.kind) {
    case GADGET_INTEGER: {
        auto *s = static_cast<QSpinBox *>(w);
        s->setRange((int)std::max<long>(g.min, INT_MIN), (int)std::min<long>(g.max, INT_MAX));
        s->setValue((int)g.value);
        break;
    }
    case GADGET_STRING: {
        auto *e = static_cast<QLineEdit *>(w);
        // Typed texts are ISO-8859-1; a greyed box only shows a text the
        // program made, such as a file name, which is UTF-8 where valid.
        QString t = g.disabled ? coretext(g.text.c_str()) : QString::fromLatin1(g.text.c_str());
        if (e->text() != t) e->setText(t);
        break;
    }
    case GADGET_CHECKBOX:
        static_cast<QCheckBox *>(w)->setChecked(g.value != 0);
        break;
    case GADGET_CHOOSER:
        static_cast<QComboBox *>(w)->setCurrentIndex((int)g.value);
        break;
    case GADGET_SLIDER: {
        auto *s = w->findChild<QSlider *>();
        s->setRange((int)g.min, (int)g.max);
        s->setValue((int)g.value);
        levels_[g.id]->setText(QString::number(g.value));
        break;
    }
    case GADGET_TABS:
        static_cast<QTabWidget *>(w)->setCurrentIndex((int)g.value);
        break;
    case GADGET_BUTTON:
        static_cast<QPushButton *>(w)->setText(QString::fromLatin1(g.text.c_str()));
        break;
    case GADGET_COLOUR:
        paintbutton(static_cast<QPushButton *>(w), (int)g.value);
        break;
    case GADGET_LABELCOLOURS:
        static_cast<QPushButton *>(w)->setText(QString::fromLatin1(g.text.c_str()));
        paintbutton(static_cast<QPushButton *>(w), (int)g.value, g.pen2);
        break;
    case GADGET_IMAGE: {
        auto *b = static_cast<QPushButton *>(w);
        b->setIcon(g.image ? QIcon(QPixmap::fromImage(penimage(g.image.get()))) : QIcon());
        break;
    }
    case GADGET_FONT:
        static_cast<QPushButton *>(w)->setText(
            QString("%1 %2").arg(fontfamily(g.text)).arg(g.value));
        break;
    }
}

void GadgetDialog::sync() {
    syncing_ = true;
    for (const Gadget &g : win.gadgets) {
        auto it = widgets_.find(g.id);
        if (it != widgets_.end() && it->second) {
            QSignalBlocker block(it->second);
            setfrom(g, it->second);
        }
    }
    syncing_ = false;
}

void GadgetDialog::closeEvent(QCloseEvent *e) {
    e->ignore();
    closerequest();
}

void GadgetDialog::closerequest() {
    // The close gadget: the handler decides, and closes it through closewindow.
    if (QtUI *ui = qtui()) ui->post(PendingEvent::input((IWWindow)win.window, IW_CLOSEWINDOW, 0));
}

QWidget *dialogparent() {
    QtUI *ui = qtui();
    return ui && ui->mainwindow && ui->mainwindow->isVisible() ? ui->mainwindow : nullptr;
}

// Window positions are kept relative to the main window, so that a window
// comes back beside the page wherever the main window was moved.
QPoint origin() {
    QWidget *p = dialogparent();
    return p ? p->geometry().topLeft() : QPoint(0, 0);
}

} // namespace

QDialog *gadgetdialog(const GadgetWindow &win) {
    auto it = dialogs().find(&win);
    return it == dialogs().end() ? nullptr : it->second.data();
}

QString fontfamily(const std::string &name) {
    QString n = QString::fromLatin1(name.c_str());
    int cut = (int)std::max(n.lastIndexOf(':'), n.lastIndexOf('/'));
    if (cut >= 0) n = n.mid(cut + 1);
    if (n.endsWith(".font", Qt::CaseInsensitive)) n.chop(5);
    return n;
}

// ---- QtUI: gadget windows ----

bool QtUI::openwindow(GadgetWindow &win) {
    if (!qApp) return false;
    if (QDialog *old = gadgetdialog(win)) old->deleteLater();
    auto *d = new GadgetDialog(win, dialogparent());
    dialogs()[&win] = d;
    d->adjustSize();
    d->resize(std::max(win.width, d->width()), std::max(win.height, d->height()));
    d->move(origin() + QPoint(win.x, win.y));
    // A place kept from a screen that is gone comes back onto one there is.
    d->move(placeonscreen(QRect(d->pos(), d->size()), screenareas()));
    d->show();
    return true;
}

void QtUI::raisewindow(GadgetWindow &win) {
    if (QDialog *d = gadgetdialog(win)) {
        d->raise();
        d->activateWindow();
    }
}

void QtUI::refreshwindow(GadgetWindow &win) {
    auto it = dialogs().find(&win);
    if (it != dialogs().end() && it->second) it->second->sync();
}

void QtUI::closewindow(GadgetWindow &win) {
    auto it = dialogs().find(&win);
    if (it == dialogs().end()) return;
    if (GadgetDialog *d = it->second.data()) {
        win.x = d->x() - origin().x();
        win.y = d->y() - origin().y();
        win.width = d->width();
        win.height = d->height();
        d->hide();
        d->deleteLater();
    }
    dialogs().erase(it);
}

// ---- QtUI: palette window, style window, font chooser ----

int QtUI::palettewindow(const char *title, int pen, int pens, int x, int y) {
    if (!qApp) return -1;
    QDialog d(dialogparent());
    d.setObjectName("palettewindow");
    d.setWindowTitle(coretext(title));
    auto *grid = new QGridLayout(&d);
    grid->setSpacing(1);
    int chosen = -1;
    const int columns = 16;
    for (int k = 0; k < pens; k++) {
        auto *b = new QToolButton(&d);
        b->setObjectName(QString("pen%1").arg(k));
        b->setFixedSize(18, 18);
        QString border =
            k == (pen & 0xFF) ? "2px solid palette(highlight)" : "1px solid palette(mid)";
        b->setStyleSheet(QString("QToolButton { background-color: %1; border: %2; }")
                             .arg(pencolour(k).name(), border));
        b->setCheckable(true);
        b->setChecked(k == (pen & 0xFF));
        QObject::connect(b, &QToolButton::clicked, &d, [&d, &chosen, k] {
            chosen = k;
            d.accept();
        });
        grid->addWidget(b, k / columns, k % columns);
    }
    d.move(origin() + QPoint(x, y));
    if (d.exec() != QDialog::Accepted) return -1;
    return chosen;
}

int QtUI::stylewindow(const StyleWindowLayout &layout) {
    if (!qApp) return 0;
    QDialog d(dialogparent());
    d.setObjectName("stylewindow");
    d.setWindowTitle(coretext(layout.title));
    auto *outer = new QVBoxLayout(&d);
    auto *tabs = new QTabWidget(&d);
    outer->addWidget(tabs);
    int chosen = 0;
    for (size_t t = 0; t < layout.tabs.size(); t++) {
        auto *page = new QWidget(tabs);
        auto *grid = new QGridLayout(page);
        if (t == 0)
            for (size_t r = 0; r < layout.rows.size(); r++)
                for (size_t c = 0; c < layout.rows[r].size(); c++) {
                    const StyleButton &sb = layout.rows[r][c];
                    auto *b = new QToolButton(page);
                    b->setObjectName(QString("style%1").arg(sb.id));
                    b->setIconSize(QSize(32, 32));
                    if (sb.image) b->setIcon(QIcon(QPixmap::fromImage(penimage(sb.image.get()))));
                    b->setToolTip(coretext(sb.tip));
                    const int id = sb.id;
                    QObject::connect(b, &QToolButton::clicked, &d, [&d, &chosen, id] {
                        chosen = id;
                        d.accept();
                    });
                    grid->addWidget(b, (int)r, (int)c);
                }
        tabs->addTab(page, QString::fromStdString(layout.tabs[t]));
    }
    d.move(origin() + QPoint(layout.x, layout.y));
    if (d.exec() != QDialog::Accepted) return 0;
    return chosen;
}

bool QtUI::fontrequest(const char *title, std::string &name, int &size, int maxsize) {
    if (!qApp) return false;
    QDialog d(dialogparent());
    d.setObjectName("fontrequester");
    d.setWindowTitle(coretext(title));
    auto *form = new QFormLayout(&d);
    // The installed families, as fontconfig lists them to Qt.
    auto *family = new QComboBox(&d);
    family->setObjectName("family");
    family->addItems(QFontDatabase::families());
    QString current = fontfamily(name);
    if (family->findText(current) < 0) family->addItem(current);
    family->setCurrentText(current);
    auto *height = new QSpinBox(&d);
    height->setObjectName("size");
    height->setRange(1, maxsize);
    height->setValue(std::clamp(size, 1, maxsize));
    form->addRow("Family:", family);
    form->addRow("Size:", height);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    if (d.exec() != QDialog::Accepted) return false;
    // Family names are stored in ISO-8859-1; one that can't be is refused.
    QString chosen = family->currentText();
    QByteArray latin = chosen.toLatin1();
    if (chosen.isEmpty() || QString::fromLatin1(latin) != chosen) return false;
    name = latin.toStdString() + ".font";
    size = height->value();
    return true;
}
