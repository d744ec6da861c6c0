// guifixture.h - the editor brought up in the test process, with the helpers
// the GUI tests drive it by: buttons by gadget id, the mouse on the drawing
// widget, keys and menu shortcuts, and answers for the requesters that come up.
//
//   Editor                 fixture: a fresh editor with its windows shown, with
//                          a directory of its own (home) as its temporary,
//                          data and settings directory
//   Editor::beforestart()  what a fixture does there before the editor starts
//   Editor::restart()      quit through the program and start it again
//   Editor::button(id)     the button of a gadget id
//   Editor::click(id, upper)   click a button in its upper or lower half
//   Editor::hover(id, upper)   rest the pointer over a button
//   Editor::move/drag      the pointer and the left button on the drawing widget
//   Editor::place(tool, box)   choose a tool and drag out an object over a
//                          box in diagram units (a 600 x 400 one at 400, 400
//                          unless told)
//   Editor::saveas(name)   Project > Save As into home, the name typed
//   Editor::action(m, i)   the menu item's action; menu(m, i) triggers it
//   Editor::key(key, mods) press and release a key on the drawing widget
//   Editor::wheel(n, mods, at)  the wheel turned n notches (negative: towards
//                          the user) over a point of the drawing widget
//   Editor::shortcut(key, mods)  a menu shortcut, Ctrl + key unless told
//   Editor::answer(button, text)   the next requester is answered with that button
//                          (and text, for a text requester); "<Enter>" presses Enter
//   Editor::asked          the requesters shown: "TITLE | BODY"
//   Editor::icons          the icons of the message requesters shown
//   Editor::hint           the text requester's hint line after the last typed answer
//   Editor::quits          how often the program shut down
//   Editor::pen(x, y)      the pen raster's pixel
//   mismatches(img, first) pixels of a picture of the drawing widget that are
//                          not the pen raster's pens through the palette
//   objects()              the live objects' types, in table order
//   typetext(w, text)      type a text key by key
//   gadgetof<W>(d, id)     the gadget id in window d (null without either)
//   clickon(w, at)         click a widget, at its centre unless told where
//   inmodal(name, fn)      run fn on the modal window called name (a file dialog
//                          for "") once it is up; fails after ten seconds
//   answerpalette(k, from) click pen k in the palette window when it comes up,
//                          noting the pen it started at
//   answerfile(dir, name, seen)  the next file dialog gets dir and the typed
//                          name; seen: its "TITLE | FILTERS"
//   onscreen(w)            the widget's pixels as shown (from the X screen there)
//   differing(a, b, shade) pixels of two pictures apart by more than shade in a
//                          channel (the first, and the most they differ by)
//   halves(w, back, text)  the left half of a two-pen button picks pen back,
//                          the right half pen text
//   keepsplace(win, open, closed)  the window moved, closed (then closed() is
//                          run) and opened again by open(): back where it was
//   largestfont(chooser, apply, size)  the font chooser's size box reaches
//                          size, and a chooser accepted as it opened keeps it
// The headers every test of the editor uses come with it.
#pragma once
#include "gui/propwindows.h"
#include "gui/qtui.h"
#include "gui/widgets.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/window.h"
#include "render/view.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Editor : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    virtual void beforestart() {}
    void restart();

    GadgetButton *button(int id);
    void click(int id, bool upper = true);
    void hover(int id, bool upper = true);
    void move(int x, int y);
    void drag(int x0, int y0, int x1, int y1);
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void wheel(int notches, Qt::KeyboardModifiers mods, QPoint at = QPoint(50, 50));
    void shortcut(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier);
    void answer(const QString &button, std::optional<QString> text = std::nullopt) {
        answers_.push_back({button, std::move(text)});
    }
    int pen(int x, int y) const;
    void newdiagram() { click(23); } // through the toolbar's New button
    void place(int tool, QRect box = QRect(400, 400, 600, 400));
    QAction *action(int m, int i);
    void menu(int m, int i);
    void saveas(const QString &name);

    QTemporaryDir home;
    QFont desktopfont; // the application's font before the editor started
    std::unique_ptr<QtUI> ui;
    DrawSpaceWidget *drawspace = nullptr;
    std::vector<std::string> asked;
    std::vector<int> icons; // QMessageBox::Icon
    QString hint;
    QString seen; // the last file dialog's "TITLE | FILTERS" (saveas)
    int quits = 0;

  private:
    void answerdialogs();
    struct Answer {
        QString button;
        std::optional<QString> text;
    };
    std::deque<Answer> answers_;
    QTimer *poller_ = nullptr;
};

std::vector<int> objects();
// Types a text into a widget key by key, characters beyond ASCII included.
void typetext(QWidget *w, const QString &text);

template <class W = QWidget> W *gadgetof(QDialog *d, int id) {
    return d ? d->findChild<W *>(QString("gadget%1").arg(id)) : nullptr;
}
void clickon(QWidget *w, QPoint at = QPoint());
void inmodal(const QString &name, std::function<void(QWidget *)> fn);
void answerpalette(int k, int *startedat = nullptr);
void answerfile(const QString &dir, const QString &name, QString *seen);
QImage onscreen(QWidget *w);
int mismatches(const QImage &img, QPoint *first = nullptr);
int differing(const QImage &a, const QImage &b, int shade = 0, QPoint *first = nullptr,
              int *most = nullptr);
void halves(QWidget *w, int back, int text);
void keepsplace(GadgetWindow &win, std::function<void()> open, std::function<void()> closed = {});
void largestfont(QWidget *chooser, QWidget *apply, int size, std::function<void()> then = {});
