// guifixture.h - the editor brought up in the test process, with the helpers
// the GUI tests drive it by: buttons by gadget id, the mouse on the drawing
// widget, keys and menu shortcuts, and answers for the requesters that come up.
//
//   Editor                 fixture: a fresh editor with its windows shown, with
//                          a directory of its own (home) as its temporary,
//                          data and settings directory
//   Editor::beforestart()  what a fixture does there before the editor starts
//   Editor::button(id)     the button of a gadget id
//   Editor::click(id, upper)   click a button in its upper or lower half
//   Editor::hover(id, upper)   rest the pointer over a button
//   Editor::move/drag      the pointer and the left button on the drawing widget
//   Editor::place(tool, box)   choose a tool and drag out an object over a
//                          box in diagram units (a 600 x 400 one at 400, 400
//                          unless told)
//   Editor::action(m, i)   the menu item's action; menu(m, i) triggers it
//   Editor::key(key, mods) press and release a key on the drawing widget
//   Editor::shortcut(key)  Ctrl + key, as a menu shortcut
//   Editor::answer(button, text)   the next requester is answered with that button
//                          (and text, for a text requester)
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
//   inmodal(name, fn)      run fn on the modal window called name once it is up
//   answerpalette(k, from) click pen k in the palette window when it comes up,
//                          noting the pen it started at
//   answerfile(dir, name, seen)  the next file dialog gets dir and the typed
//                          name; seen: its "TITLE | FILTERS"
//   onscreen(w)            the widget's pixels as shown (from the X screen there)
#pragma once
#include "gui/qtui.h"
#include "gui/widgets.h"

#include <QAction>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
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

    GadgetButton *button(int id);
    void click(int id, bool upper = true);
    void hover(int id, bool upper = true);
    void move(int x, int y);
    void drag(int x0, int y0, int x1, int y1);
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void shortcut(int key, Qt::KeyboardModifiers extra = Qt::NoModifier);
    void answer(const QString &button, std::optional<QString> text = std::nullopt) {
        answers_.push_back({button, std::move(text)});
    }
    int pen(int x, int y) const;
    void newdiagram() { click(23); } // through the toolbar's New button
    void place(int tool, QRect box = QRect(400, 400, 600, 400));
    QAction *action(int m, int i);
    void menu(int m, int i);

    QTemporaryDir home;
    QFont desktopfont; // the application's font before the editor started
    std::unique_ptr<QtUI> ui;
    DrawSpaceWidget *drawspace = nullptr;
    std::vector<std::string> asked;
    std::vector<int> icons; // QMessageBox::Icon
    QString hint;
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
