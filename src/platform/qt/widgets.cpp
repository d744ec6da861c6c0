// widgets.cpp - the widgets of the program's windows.
#include "platform/qt/widgets.h"

#include "edit/interact.h"
#include "platform/palette.h"
#include "app/menus.h"
#include "platform/qt/keys.h"
#include "platform/qt/qtui.h"
#include "platform/window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>

namespace {

// Pointer positions are 16-bit window coordinates in the handlers.
int coordinate(double v) {
    double f = std::floor(v);
    return (int)(f < -32768 ? -32768 : f > 32767 ? 32767 : f);
}

bool modifierkey(int code) {
    return code == KEY_LSHIFT || code == KEY_RSHIFT || code == KEY_LALT || code == KEY_RALT;
}

void post(const PendingEvent &e) {
    if (QtUI *ui = qtui()) ui->post(e);
}

const QList<QRgb> &screencolours() {
    static const QList<QRgb> table = [] {
        QList<QRgb> t(256);
        for (int i = 0; i < 256; i++) t[i] = 0xFF000000u | ScreenPalette[i];
        return t;
    }();
    return table;
}

} // namespace

// ---- DrawSpaceWidget ----

DrawSpaceWidget::DrawSpaceWidget(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(100, 100);
}

const QImage &DrawSpaceWidget::image() {
    Raster *rp = drawspacerp;
    QtUI *ui = qtui();
    if (!rp || rp->Width <= 0 || rp->Height <= 0 || (ui && ui->closed())) {
        image_ = QImage();
        imagebytes_ = nullptr;
        return image_;
    }
    // Wrap the raster's own bytes (the non-const constructor shares them, so
    // the core's drawing shows without a copy). The raster's storage only moves
    // when it is resized, and then the image is made again.
    if (rp->Pixels.data() != imagebytes_ || image_.width() != rp->Width ||
        image_.height() != rp->Height) {
        image_ = QImage(rp->Pixels.data(), rp->Width, rp->Height, rp->Width,
                        QImage::Format_Indexed8);
        image_.setColorTable(screencolours());
        imagebytes_ = rp->Pixels.data();
    }
    return image_;
}

void DrawSpaceWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QImage &img = image();
    QColor backboard = QColor::fromRgb(ScreenPalette[0]);
    if (img.isNull()) {
        p.fillRect(rect(), backboard);
        return;
    }
    p.drawImage(0, 0, img);
    // A widget larger than the raster (between a resize and its event).
    if (width() > img.width()) p.fillRect(img.width(), 0, width() - img.width(), height(), backboard);
    if (height() > img.height())
        p.fillRect(0, img.height(), img.width(), height() - img.height(), backboard);
}

void DrawSpaceWidget::resizeEvent(QResizeEvent *) {
    post(PendingEvent::resize(width(), height()));
}

void DrawSpaceWidget::pointer(int32_t cls, int code, QPointF pos) {
    post(PendingEvent::pointer(cls, code, coordinate(pos.x()), coordinate(pos.y())));
}

void DrawSpaceWidget::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    pointer(IW_MOUSEBUTTONS, IW_SELECTDOWN, e->position());
}

void DrawSpaceWidget::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return;
    pointer(IW_MOUSEBUTTONS, IW_SELECTUP, e->position());
}

void DrawSpaceWidget::mouseMoveEvent(QMouseEvent *e) {
    pointer(IW_MOUSEMOVE, 0, e->position());
}

void DrawSpaceWidget::wheelEvent(QWheelEvent *e) {
    QPoint delta = e->angleDelta();
    // Shift turns the wheel sideways, as in other desktop programs (some
    // systems do so themselves).
    if ((e->modifiers() & Qt::ShiftModifier) && delta.x() == 0) delta = QPoint(delta.y(), 0);
    // One step per notch (120 eighths of a degree); finer wheels add up.
    wheelx_ += delta.x();
    wheely_ += delta.y();
    int sx = wheelx_ / 120, sy = wheely_ / 120;
    wheelx_ -= sx * 120;
    wheely_ -= sy * 120;
    e->accept();
    if (e->modifiers() & Qt::ControlModifier) {
        // Ctrl zooms: away from the user in, towards the user out, a step of
        // Zoom In or Zoom Out per notch while those are available.
        QtUI *ui = qtui();
        int num = sy > 0 ? FULLMENUNUM(3, 2) : FULLMENUNUM(3, 3);
        auto it = ui ? ui->menuactions.find(num) : std::map<int, QAction *>::iterator();
        if (!ui || it == ui->menuactions.end() || !it->second->isEnabled()) return;
        for (int i = 0; i < std::abs(sy); i++)
            post(PendingEvent::input(DRAWSPACEWINDOW, IW_MENUPICK | num, num));
        return;
    }
    // Turning the wheel away from the user shows what lies above.
    if (sx != 0 || sy != 0) post(PendingEvent::wheel(-sx, -sy));
}

void DrawSpaceWidget::keyPressEvent(QKeyEvent *e) {
    int code = rawkeycode(e->key(), e->nativeVirtualKey());
    if (code < 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    if (modifierkey(code)) {
        if (e->isAutoRepeat()) return;
        heldkeys_.insert(code);
    }
    post(PendingEvent::input(DRAWSPACEWINDOW, IW_RAWKEY | code, code));
}

void DrawSpaceWidget::keyReleaseEvent(QKeyEvent *e) {
    int code = rawkeycode(e->key(), e->nativeVirtualKey());
    if (code < 0) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    // A held key repeats as presses; only the last release counts.
    if (e->isAutoRepeat()) return;
    heldkeys_.erase(code);
    post(PendingEvent::input(DRAWSPACEWINDOW, IW_RAWKEY | code | KEY_UPFLAG, code | KEY_UPFLAG));
}

void DrawSpaceWidget::focusOutEvent(QFocusEvent *e) {
    // A Shift or Alt released in another window would stay down for the
    // handler: release it now (but not for a menu opening over the window).
    if (e->reason() != Qt::PopupFocusReason) {
        for (int code : heldkeys_)
            post(PendingEvent::input(DRAWSPACEWINDOW, IW_RAWKEY | code | KEY_UPFLAG,
                                     code | KEY_UPFLAG));
        heldkeys_.clear();
    }
    QWidget::focusOutEvent(e);
}

bool DrawSpaceWidget::focusNextPrevChild(bool) { return false; }

// ---- GadgetButton ----

GadgetButton::GadgetButton(int id, IWWindow window, QWidget *parent)
    : QToolButton(parent), id_(id), window_(window) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QToolButton::clicked, this,
            [this] { post(PendingEvent::input(window_, IW_GADGETUP | id_, 0)); });
}

void GadgetButton::setpictures(const QPixmap &normal, const QPixmap &selected) {
    normal_ = normal;
    selected_ = selected;
    showpictures(isDown());
}

void GadgetButton::setselectedpicture(const QPixmap &selected) {
    selected_ = selected;
    showpictures(isDown());
}

void GadgetButton::showpictures(bool pressed) {
    QIcon icon;
    const QPixmap &off = pressed && !selected_.isNull() ? selected_ : normal_;
    const QPixmap &on = selected_.isNull() ? normal_ : selected_;
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active}) {
        if (!off.isNull()) icon.addPixmap(off, mode, QIcon::Off);
        if (!on.isNull()) icon.addPixmap(on, mode, QIcon::On);
    }
    setIcon(icon);
}

void GadgetButton::track(int y, bool help) {
    if (QtUI *ui = qtui()) ui->setgadgetpointer(id_, y, height());
    int half = y <= height() / 2 ? 1 : 0;
    // Help when the pointer comes over the button, and again when it crosses
    // into the other half (the Zoom button's picture tells which way it zooms).
    if (help || half != half_) {
        half_ = half;
        post(PendingEvent::input(window_, IW_GADGETHELP | id_, 0));
    }
}

void GadgetButton::enterEvent(QEnterEvent *e) {
    half_ = -1;
    track(coordinate(e->position().y()), true);
    QToolButton::enterEvent(e);
}

void GadgetButton::mouseMoveEvent(QMouseEvent *e) {
    if (rect().contains(e->position().toPoint())) track(coordinate(e->position().y()), false);
    QToolButton::mouseMoveEvent(e);
}

void GadgetButton::mousePressEvent(QMouseEvent *e) {
    if (QtUI *ui = qtui()) ui->setgadgetpointer(id_, coordinate(e->position().y()), height());
    if (e->button() == Qt::LeftButton) showpictures(true);
    QToolButton::mousePressEvent(e);
}

void GadgetButton::mouseReleaseEvent(QMouseEvent *e) {
    // Where the button was let go decides the two-way buttons' action.
    if (QtUI *ui = qtui()) ui->setgadgetpointer(id_, coordinate(e->position().y()), height());
    QToolButton::mouseReleaseEvent(e);
    showpictures(false);
}

// ---- HelpArea ----

HelpArea::HelpArea(int id, IWWindow window, QWidget *watched)
    : QObject(watched), id_(id), window_(window) {
    watched->installEventFilter(this);
}

bool HelpArea::eventFilter(QObject *o, QEvent *e) {
    if (e->type() == QEvent::Enter) post(PendingEvent::input(window_, IW_GADGETHELP | id_, 0));
    return QObject::eventFilter(o, e);
}

// ---- TextRequester ----

namespace {
const char *const LATIN1HINT = "Only Western European (ISO-8859-1) characters can be stored.";
}

bool TextRequester::storable(QChar c) {
    ushort u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF);
}

TextRequester::TextRequester(const QString &title, const QString &body, const QString &text,
                             int maxchars, const QString &okay, const QString &cancel,
                             QWidget *parent)
    : QDialog(parent) {
    setObjectName("textrequester");
    setWindowTitle(title);
    auto *column = new QVBoxLayout(this);
    if (!body.isEmpty()) column->addWidget(new QLabel(body, this));
    edit_ = new QLineEdit(this);
    edit_->setObjectName("textentry");
    edit_->setMaxLength(maxchars);
    // Labels are ISO-8859-1 texts of a fixed size: anything else is refused
    // as it is typed or pasted, never dropped from what the user sees.
    edit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression("[\\x{20}-\\x{7e}\\x{a0}-\\x{ff}]*"), edit_));
    edit_->setText(text);
    edit_->selectAll();
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 40);
    column->addWidget(edit_);
    hint_ = new QLabel(LATIN1HINT, this);
    hint_->setObjectName("texthint");
    hint_->setWordWrap(true);
    hint_->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(hint_);
    buttons_ = new QDialogButtonBox(this);
    buttons_->addButton(okay, QDialogButtonBox::AcceptRole);
    buttons_->addButton(cancel, QDialogButtonBox::RejectRole);
    column->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit_, &QLineEdit::inputRejected, this, [this] { refused(pending_); });
    connect(edit_, &QLineEdit::textChanged, this, [this] { check(); });
    edit_->installEventFilter(this);
    check();
}

QString TextRequester::text() const { return edit_->text(); }

bool TextRequester::eventFilter(QObject *o, QEvent *e) {
    // Remember what a key press or an input method brings, so that a refusal
    // can name the characters.
    if (o == edit_ && e->type() == QEvent::KeyPress) {
        pending_ = static_cast<QKeyEvent *>(e)->text();
    } else if (o == edit_ && e->type() == QEvent::InputMethod) {
        QString typed = static_cast<QInputMethodEvent *>(e)->commitString();
        for (QChar c : typed)
            if (!storable(c)) {
                refused(typed);
                return true;
            }
    }
    return QDialog::eventFilter(o, e);
}

void TextRequester::refused(const QString &typed) {
    // Every character refused since the dialog opened is named.
    bool named = false;
    for (QChar c : typed)
        if (!storable(c) && !c.isSpace() && c.category() != QChar::Other_Control) {
            named = true;
            if (!refusedchars_.contains(c)) refusedchars_ += c;
        }
    QString message;
    if (named) {
        QStringList list;
        for (QChar c : refusedchars_) list << QString("\u201C%1\u201D").arg(c);
        message = QString("%1 cannot be stored: only Western European (ISO-8859-1) characters can.")
                      .arg(list.join(" "));
    } else if (edit_->text().size() >= edit_->maxLength()) {
        message = QString("A label holds at most %1 characters.").arg(edit_->maxLength());
    } else {
        message = "The text holds characters that cannot be stored: only Western European "
                  "(ISO-8859-1) characters can.";
    }
    hint_->setText(message);
    hint_->setForegroundRole(QPalette::WindowText);
    QFont f = hint_->font();
    f.setBold(true);
    hint_->setFont(f);
}

void TextRequester::check() {
    // A text that bypassed the validator (set from outside) cannot be stored
    // as it stands: Okay waits until it can.
    bool ok = edit_->hasAcceptableInput();
    for (QAbstractButton *b : buttons_->buttons())
        if (buttons_->buttonRole(b) == QDialogButtonBox::AcceptRole) b->setEnabled(ok);
}

// ---- ShellDock and ShellWindow ----

ShellDock::ShellDock(const QString &name, QWidget *parent) : QDockWidget(name, parent) {
    setObjectName(name);
    // As tool windows on the desktop: moved and floated, but without a close
    // button of their own (only the main window's close gadget quits).
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
}

void ShellDock::closeEvent(QCloseEvent *e) {
    QtUI *ui = qtui();
    if (!ui || ui->closed()) {
        e->accept();
        return;
    }
    // A floating tool window closed by the window manager (Alt+F4) stays:
    // the palette and the toolbar have no other way back.
    e->ignore();
}

ShellWindow::ShellWindow() {
    setObjectName("drawspacewindow");
    // No menu for hiding the docks: the tool windows are always there.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void ShellWindow::closeEvent(QCloseEvent *e) {
    QtUI *ui = qtui();
    if (!ui || ui->closed()) {
        e->accept();
        return;
    }
    e->ignore();
    ui->post(PendingEvent::input(DRAWSPACEWINDOW, IW_CLOSEWINDOW, 0));
}
