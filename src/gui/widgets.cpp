// widgets.cpp - the widgets of the program's windows.
#include "gui/widgets.h"

#include "app/commands.h"
#include "app/menus.h"
#include "edit/interact.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "model/settings.h"
#include "render/erase.h"
#include "render/view.h"
#include "platform/palette.h"
#include "gui/keys.h"
#include "gui/qtui.h"
#include "platform/window.h"
#include "render/zoomfit.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Pointer positions are 16-bit window coordinates in the handlers.
int coordinate(double v) {
    double f = std::floor(v);
    return (int)(f < -32768 ? -32768 : f > 32767 ? 32767 : f);
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

namespace {

// First and last byte where two rows differ, compared a word at a time.
bool rowdiff(const uint8_t *a, const uint8_t *b, int n, int &first, int &last) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < n && a[i] == b[i]) i++;
    if (i >= n) return false;
    int j = n;
    for (; j - 8 >= i; j -= 8) {
        uint64_t x, y;
        std::memcpy(&x, a + j - 8, 8);
        std::memcpy(&y, b + j - 8, 8);
        if (x != y) break;
    }
    while (j > i && a[j - 1] == b[j - 1]) j--;
    first = i;
    last = j - 1;
    return true;
}

} // namespace

QRect DrawSpaceWidget::sync() {
    Raster *rp = drawspacerp;
    QtUI *ui = qtui();
    if (!rp || rp->Width <= 0 || rp->Height <= 0 || (ui && ui->closed())) {
        shown_ = QImage();
        seen_.clear();
        return QRect();
    }
    const int w = rp->Width, h = rp->Height;
    const uint8_t *pens = rp->Pixels.data();
    QRect changed;
    if (shown_.width() != w || shown_.height() != h || seen_.size() != rp->Pixels.size()) {
        // A new raster size: everything is new.
        shown_ = QImage(w, h, QImage::Format_RGB32);
        seen_.assign(rp->Pixels.size(), 0);
        changed = QRect(0, 0, w, h);
    } else {
        // What the core drew since the last time: the rows that differ, and
        // in them the leftmost and rightmost changed pixels.
        int top = -1, bottom = -1, left = w, right = -1;
        for (int y = 0; y < h; y++) {
            const size_t at = (size_t)y * (size_t)w;
            if (std::memcmp(pens + at, seen_.data() + at, (size_t)w) == 0) continue;
            int first, last;
            if (!rowdiff(pens + at, seen_.data() + at, w, first, last)) continue;
            if (top < 0) top = y;
            bottom = y;
            left = std::min(left, first);
            right = std::max(right, last);
        }
        if (top < 0) return QRect();
        changed = QRect(QPoint(left, top), QPoint(right, bottom));
    }
    // Only the changed rectangle is turned into screen colours.
    const QRgb *colours = screencolours().constData();
    for (int y = changed.top(); y <= changed.bottom(); y++) {
        const size_t at = (size_t)y * (size_t)w + (size_t)changed.left();
        const uint8_t *src = pens + at;
        auto *dst = reinterpret_cast<QRgb *>(shown_.scanLine(y)) + changed.left();
        for (int x = 0; x < changed.width(); x++) dst[x] = colours[src[x]];
        std::memcpy(seen_.data() + at, src, (size_t)changed.width());
    }
    return changed;
}

void DrawSpaceWidget::setsmooth(bool on) {
    if (on == smooth_) return;
    smooth_ = on;
    smoothpicture_.clear();
    shown_ = QImage();
    seen_.clear();
    if (drawspacerp) keepmarks(drawspacerp, on);
    // The marks are told from the picture only as they are drawn: the core
    // draws the page again, in turn with the events.
    if (on && drawspacerp)
        post(PendingEvent::command([] {
            if (DiagramExists) ::update();
            return 0;
        }));
    update();
}

QRect DrawSpaceWidget::syncsmooth() {
    Raster *rp = drawspacerp;
    QtUI *ui = qtui();
    if (!rp || (ui && ui->closed())) {
        smoothpicture_.clear();
        return QRect();
    }
    if (!rp->keepmarks) keepmarks(rp, true);
    SmoothView v = smoothview(zoom, devicePixelRatioF(), getdrawx(0), getdrawy(0));
    v.backboard = backboardcolour;
    v.shadow = shadowcolour;
    return smoothpicture_.update(rp, IWO, IWONumber, IWODiagram, DiagramExists != 0, v);
}

void DrawSpaceWidget::damage() {
    if (smooth_) {
        // A hidden window is brought up to date when it is first painted.
        if (!isVisible()) return;
        QRect changed = syncsmooth();
        if (!changed.isEmpty()) update(changed);
        return;
    }
    Raster *rp = drawspacerp;
    if (rp && (shown_.width() != rp->Width || shown_.height() != rp->Height)) {
        // A new size repaints everything: converted once, when painted.
        update();
        return;
    }
    QRect changed = sync();
    if (!changed.isEmpty()) update(changed);
}

void DrawSpaceWidget::paintEvent(QPaintEvent *e) {
    QPainter p(this);
    if (smooth_) {
        syncsmooth(); // drawing that came outside the handlers' events
        const QImage &img = smoothpicture_.image();
        const QRect area = e->rect();
        if (img.isNull()) {
            p.fillRect(area, QColor::fromRgb(ScreenPalette[0]));
            return;
        }
        // The window pixels asked for, from the device pixels that show them.
        const double r = img.devicePixelRatio();
        p.drawImage(QRectF(area), img,
                    QRectF(area.x() * r, area.y() * r, area.width() * r, area.height() * r));
        // A widget larger than the raster (between a resize and its event).
        const QRect shown(0, 0, drawspacerp ? drawspacerp->Width : 0,
                          drawspacerp ? drawspacerp->Height : 0);
        for (const QRect &rest : QRegion(area) - QRegion(shown))
            p.fillRect(rest, QColor::fromRgb(ScreenPalette[0]));
        return;
    }
    sync(); // drawing that came outside the handlers' events
    QColor backboard = QColor::fromRgb(ScreenPalette[0]);
    const QRect area = e->rect();
    if (shown_.isNull()) {
        p.fillRect(area, backboard);
        return;
    }
    // Only the rectangle asked for, already in screen colours.
    QRect inside = area & shown_.rect();
    if (!inside.isEmpty()) p.drawImage(inside.topLeft(), shown_, inside);
    // A widget larger than the raster (between a resize and its event).
    QRegion rest = QRegion(area) - QRegion(shown_.rect());
    for (const QRect &r : rest) p.fillRect(r, backboard);
}

void DrawSpaceWidget::resizeEvent(QResizeEvent *) { post(PendingEvent::resize(width(), height())); }

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

void DrawSpaceWidget::mouseMoveEvent(QMouseEvent *e) { pointer(IW_MOUSEMOVE, 0, e->position()); }

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
        // Ctrl zooms about the pointer: away from the user in, towards the
        // user out, a step per notch while Zoom In and Zoom Out are available.
        QtUI *ui = qtui();
        auto it = ui ? ui->menuactions.find(menunumber(CMD_ZOOMIN))
                     : std::map<int, QAction *>::iterator();
        if (!ui || it == ui->menuactions.end() || !it->second->isEnabled()) return;
        const int px = coordinate(e->position().x()), py = coordinate(e->position().y());
        const int dir = sy > 0 ? 1 : -1;
        for (int i = 0; i < std::abs(sy); i++)
            post(PendingEvent::command([dir, px, py] { return zoomabout(dir, px, py) * 0; }));
        return;
    }
    // Turning the wheel away from the user shows what lies above.
    if (sx != 0 || sy != 0) post(PendingEvent::wheel(-sx, -sy));
}

void DrawSpaceWidget::keyPressEvent(QKeyEvent *e) {
    int code = rawkeycode(e->key(), e->nativeVirtualKey());
    if (code < 0) {
        // Typing on the selected object edits its label, starting with what
        // was typed (keys of the handler, such as F, keep their meaning).
        const QString typed = e->text();
        const bool plain =
            !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        bool printable = plain && !typed.isEmpty();
        for (QChar c : typed) printable = printable && c.isPrint() && TextRequester::storable(c);
        if (printable) {
            const std::string text = typed.toLatin1().toStdString();
            post(PendingEvent::command([text] { return editlabel(text.c_str()) * 0; }));
            return;
        }
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

void DrawSpaceWidget::focusInEvent(QFocusEvent *e) {
    // Back from a menu (Alt and a menu's letter opens one): a Shift or Alt
    // let go while the menu had the keys is let go for the handler too.
    Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    for (auto it = heldkeys_.begin(); it != heldkeys_.end();) {
        bool shift = *it == KEY_LSHIFT || *it == KEY_RSHIFT;
        if (held & (shift ? Qt::ShiftModifier : Qt::AltModifier)) {
            ++it;
            continue;
        }
        post(PendingEvent::input(DRAWSPACEWINDOW, IW_RAWKEY | *it | KEY_UPFLAG, *it | KEY_UPFLAG));
        it = heldkeys_.erase(it);
    }
    QWidget::focusInEvent(e);
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

void GadgetButton::leaveEvent(QEvent *e) {
    half_ = -1;
    QToolButton::leaveEvent(e);
    forgethover();
    // The Info box shows help only while the pointer is over a button.
    if (QtUI *ui = qtui()) ui->sethelpline("");
}

void GadgetButton::changeEvent(QEvent *e) {
    QToolButton::changeEvent(e);
    // A disabled button gets no leave event: once enabled again it would keep
    // the hover frame of a pointer that left long ago.
    if (e->type() == QEvent::EnabledChange && !rect().contains(mapFromGlobal(QCursor::pos())))
        forgethover();
}

void GadgetButton::forgethover() {
    setAttribute(Qt::WA_UnderMouse, false);
    update();
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

namespace {

// Why typed text was refused: the characters refused so far, else the
// length reached, else text that bypassed the validator.
QString refusal(const QString &refusedchars, bool full, int maxlength) {
    if (!refusedchars.isEmpty()) {
        QStringList list;
        for (QChar c : refusedchars) list << QString("\u201C%1\u201D").arg(c);
        return QString("%1 cannot be stored: labels take Western European (ISO-8859-1) "
                       "characters only.")
            .arg(list.join(" "));
    }
    if (full) return QString("A label holds at most %1 characters.").arg(maxlength);
    return "The text holds characters that cannot be stored: labels take Western "
           "European (ISO-8859-1) characters only.";
}

} // namespace

bool TextRequester::storable(QChar c) {
    // Any ISO-8859-1 character but NUL, which would end the label.
    ushort u = c.unicode();
    return u >= 0x01 && u <= 0xFF;
}

TextRequester::TextRequester(const QString &title, const QString &body, const QString &text,
                             int maxchars, const QString &okay, const QString &cancel,
                             QWidget *parent)
    : QDialog(parent) {
    setObjectName("textrequester");
    setWindowTitle(title);
    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetMinimumSize);
    if (!body.isEmpty()) column->addWidget(new QLabel(body, this));
    edit_ = new QLineEdit(this);
    edit_->setObjectName("textentry");
    edit_->setMaxLength(maxchars);
    // Labels are ISO-8859-1 texts of a fixed size: anything else is refused
    // as it is typed or pasted, never dropped from what the user sees.
    edit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[\\x{01}-\\x{ff}]*"), edit_));
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
    QString now;
    for (QChar c : typed)
        if (!storable(c) && !refusedchars_.contains(c)) refusedchars_ += c;
    for (QChar c : typed)
        if (!storable(c)) now += c;
    hint_->setText(refusal(now.isEmpty() ? QString() : refusedchars_,
                           edit_->text().size() >= edit_->maxLength(), edit_->maxLength()));
    hint_->setForegroundRole(QPalette::WindowText);
    QFont f = hint_->font();
    f.setBold(true);
    hint_->setFont(f);
    // The longer hint gets the lines it needs.
    if (isVisible()) adjustSize();
}

void TextRequester::check() {
    // A text that bypassed the validator (set from outside) cannot be stored
    // as it stands: Okay waits until it can.
    bool ok = edit_->hasAcceptableInput();
    for (QAbstractButton *b : buttons_->buttons())
        if (buttons_->buttonRole(b) == QDialogButtonBox::AcceptRole) b->setEnabled(ok);
}

// ---- LabelEditor ----

LabelEditor::LabelEditor(QWidget *parent, const LabelEditField &field) : QLineEdit(parent) {
    setObjectName("labeleditor");
    setMaxLength(field.maxchars);
    // The same rule as the text requester: ISO-8859-1 text of a fixed size.
    setValidator(new QRegularExpressionValidator(QRegularExpression("[\\x{01}-\\x{ff}]*"), this));
    QFont f = font();
    f.setPixelSize(std::clamp(field.fontsize, 8, 72));
    setFont(f);
    const QString text = QString::fromLatin1(
        field.buffer, (qsizetype)strnlen(field.buffer, (size_t)std::max(field.buffersize, 0)));
    setText(text);
    if (field.typed)
        end(false);
    else
        selectAll();
    // Over the object, wide enough for a few words and for its text.
    const int w = std::max({field.w, fontMetrics().averageCharWidth() * 16,
                            fontMetrics().horizontalAdvance(text) + 16});
    const int h = std::max(field.h, sizeHint().height());
    setGeometry(field.x + field.w / 2 - w / 2, field.y + field.h / 2 - h / 2, w, h);
    hint_ = new QLabel(parent);
    hint_->setObjectName("labelhint");
    hint_->setAutoFillBackground(true);
    hint_->setWordWrap(true);
    hint_->hide();
    connect(this, &QLineEdit::inputRejected, this, [this] { refused(pending_); });
}

int LabelEditor::run(LabelEditField &field) {
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    if (answer_ < 0) loop_.exec();
    hint_->deleteLater();
    if (answer_ == 1) {
        // The validator let only storable text in, so nothing is lost here.
        const QByteArray text = this->text().toLatin1().left(field.maxchars);
        std::memcpy(field.buffer, text.constData(), (size_t)text.size());
        field.buffer[text.size()] = 0;
    }
    return answer_ == 1 ? 1 : 0;
}

void LabelEditor::finish(int answer) {
    if (answer_ >= 0) return;
    answer_ = answer;
    loop_.quit();
}

bool LabelEditor::event(QEvent *e) {
    // While a label is edited the keys are the field's, not the menus'.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void LabelEditor::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return finish(1);
    if (e->key() == Qt::Key_Escape) return finish(0);
    pending_ = e->text();
    QLineEdit::keyPressEvent(e);
}

void LabelEditor::inputMethodEvent(QInputMethodEvent *e) {
    for (QChar c : e->commitString())
        if (!TextRequester::storable(c)) return refused(e->commitString());
    QLineEdit::inputMethodEvent(e);
}

void LabelEditor::focusOutEvent(QFocusEvent *e) {
    QLineEdit::focusOutEvent(e);
    // A menu opening over the field takes the keys only for a while.
    if (e->reason() != Qt::PopupFocusReason) finish(1);
}

void LabelEditor::refused(const QString &typed) {
    QString now;
    for (QChar c : typed)
        if (!TextRequester::storable(c)) {
            now += c;
            if (!refusedchars_.contains(c)) refusedchars_ += c;
        }
    hint_->setText(refusal(now.isEmpty() ? QString() : refusedchars_, text().size() >= maxLength(),
                           maxLength()));
    hint_->setFixedWidth(std::max(width(), 240));
    hint_->adjustSize();
    hint_->move(x(), y() + height());
    hint_->show();
    hint_->raise();
}

// ---- ShellDock and ShellWindow ----

ShellDock::ShellDock(const QString &name, QWidget *parent) : QDockWidget(name, parent) {
    setObjectName(name);
    // As tool windows on the desktop: moved and floated, but without a close
    // button of their own (only the main window's close gadget quits).
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    // A window floated onto another floating one moves beside it: two tool
    // windows on the same spot look like one.
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) QTimer::singleShot(0, this, [this] { standapart(); });
    });
}

void ShellDock::standapart() {
    if (!isFloating() || !parentWidget()) return;
    const QList<ShellDock *> docks = parentWidget()->findChildren<ShellDock *>();
    for (int pass = 0; pass < docks.size(); pass++) {
        bool moved = false;
        for (ShellDock *other : docks) {
            if (other == this || !other->isFloating() || !other->isVisible()) continue;
            if (!frameGeometry().intersects(other->frameGeometry())) continue;
            QPoint to(other->frameGeometry().right() + 8, other->frameGeometry().top());
            // Kept on the screen: beside it on the left when the right is full.
            if (QScreen *screen = other->screen()) {
                const QRect room = screen->availableGeometry();
                if (to.x() + frameGeometry().width() > room.right())
                    to.setX(other->frameGeometry().left() - 8 - frameGeometry().width());
                to.setX(std::max(room.left(), to.x()));
            }
            move(to);
            moved = true;
        }
        if (!moved) break;
    }
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
