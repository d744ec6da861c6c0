// widgets.h - the widgets of the program's windows and the input they report.
//
//   DrawSpaceWidget   the drawing window's inner area: shows the smooth picture
//                     of the diagram (gui/smoothview.h) or, as a choice, the pen
//                     raster drawspacerp through the screen palette, and reports the
//                     mouse buttons, pointer moves, wheel, raw keys and new size.
//                     damage() finds what the core changed since the last call,
//                     brings only that up to date and repaints only it
//   GadgetButton      a toolbar or palette button with a gadget id: reports its
//                     release, the pointer resting over it (gadget help) and where
//                     in it the pointer is; shows its selected image while pressed
//   HelpArea          a widget that reports gadget help with a fixed id when the
//                     pointer rests over it (the palette's tab strip, the help line)
//   TextRequester     the string requester: a line edit that takes only what a
//                     label can store (ISO-8859-1, up to a length), with a hint
//                     line that names the characters it refused
//   ShellDock         the "Tools" and "Shapes" windows: moved and floated, never closed
//   ShellWindow       the main window: closing is the drawing window's close gadget
#pragma once
#include "app/mainloop.h"
#include "gui/smoothview.h"
#include "platform/platform.h"

#include <QDialog>
#include <QEventLoop>
#include <QLineEdit>
#include <QDockWidget>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

#include <set>
#include <vector>

class DrawSpaceWidget : public QWidget {
  public:
    explicit DrawSpaceWidget(QWidget *parent = nullptr);
    // Brings the shown picture up to date with the raster and asks for a
    // repaint of the changed rectangle (nothing when nothing changed).
    void damage();
    // The picture in screen colours, as far as it was brought up to date: the
    // smooth one in device pixels, or the pen raster's in window pixels.
    const QImage &picture() const { return smooth_ ? smoothpicture_.image() : shown_; }
    // The smooth picture (true) or the classic pen picture (false).
    void setsmooth(bool on);
    bool smooth() const { return smooth_; }

  protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    bool focusNextPrevChild(bool next) override; // Tab is a key of the handler

  private:
    void pointer(int32_t cls, int code, QPointF pos);
    QRect sync();
    QRect syncsmooth();
    bool smooth_ = false;
    SmoothPicture smoothpicture_;
    QImage shown_;                // the raster in screen colours, as last converted
    std::vector<uint8_t> seen_;   // the raster's pens as last converted
    int wheelx_ = 0, wheely_ = 0; // wheel eighths of a degree not yet used
    std::set<int> heldkeys_;      // modifiers down, released on focus loss
};

class GadgetButton : public QToolButton {
  public:
    GadgetButton(int id, IWWindow window, QWidget *parent = nullptr);
    int id() const { return id_; }
    // The normal picture and the selected one (shown while pressed and when chosen).
    void setpictures(const QPixmap &normal, const QPixmap &selected);
    void setselectedpicture(const QPixmap &selected);
    const QPixmap &normalpicture() const { return normal_; }
    const QPixmap &selectedpicture() const { return selected_; }

  protected:
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

  private:
    void track(int y, bool help);
    void forgethover(); // no hover frame until the pointer comes back
    void showpictures(bool pressed);
    int id_;
    IWWindow window_;
    QPixmap normal_, selected_;
    int half_ = -1; // 1 upper, 0 lower, -1 not over the button
};

class HelpArea : public QObject {
  public:
    HelpArea(int id, IWWindow window, QWidget *watched);

  protected:
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    int id_;
    IWWindow window_;
};

class QDialogButtonBox;
class QLabel;
class QLineEdit;

class TextRequester : public QDialog {
  public:
    TextRequester(const QString &title, const QString &body, const QString &text, int maxchars,
                  const QString &okay, const QString &cancel, QWidget *parent = nullptr);
    QString text() const;
    QLineEdit *edit() const { return edit_; }
    QLabel *hint() const { return hint_; }
    // A character that a label can store (ISO-8859-1).
    static bool storable(QChar c);

  protected:
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    void refused(const QString &typed);
    void check();
    QLineEdit *edit_;
    QLabel *hint_;
    QDialogButtonBox *buttons_;
    QString pending_;      // characters of the key press being handled
    QString refusedchars_; // the characters refused so far
};

// A label edited in place over the drawing window: Return keeps the text,
// Escape cancels, leaving the field keeps it; a character that can't be
// stored is refused with the reason shown just below the field.
class LabelEditor : public QLineEdit {
  public:
    LabelEditor(QWidget *parent, const LabelEditField &field);
    // Edits until kept (1, the text in the field's buffer) or cancelled (0).
    int run(LabelEditField &field);
    QLabel *hint() const { return hint_; }

  protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

  private:
    void finish(int answer);
    void refused(const QString &typed);
    QLabel *hint_;
    QEventLoop loop_;
    QString pending_;      // characters of the key press being handled
    QString refusedchars_; // the characters refused so far
    int answer_ = -1;
};

class ShellDock : public QDockWidget {
  public:
    explicit ShellDock(const QString &name, QWidget *parent = nullptr);
    // Floating: moves off any other floating tool window it covers.
    void standapart();

  protected:
    void closeEvent(QCloseEvent *e) override;
};

class ShellWindow : public QMainWindow {
  public:
    ShellWindow();

  protected:
    void closeEvent(QCloseEvent *e) override;
};
