// desktop.h - what desktop users expect of an editor besides the menu table:
// the find bar, Zoom to Fit and Zoom to Selection, Open Recent, the Help menu,
// files dropped on the window, window places kept across restarts, and
// mnemonics for the menu items. Every command goes through QtUI::post, in turn
// with the other input, to the same functions the script lines call.
//
//   installdesktop()          add all of it to the windows openmainwindows()
//                             built, and give the windows their saved places
//   showmainwindow()          show the main window where it was left, or
//                             maximized when no place was saved
//   savewindowplaces()        write the windows' places and sizes to
//                             ideaweave.conf (done as the program shuts down)
//   placeonscreen(r, screens) the top-left for a window of frame r: its own when
//                             a piece of its title bar (top strip) lies on one of
//                             the screens' areas, else brought onto the nearest
//   screenareas()             the available areas of the current screens
//   withmnemonics(labels)     the labels of one menu, each with "&" before a
//                             letter no other label of the list uses (a word's
//                             first letter when free); labels that have one
//                             already, and empty ones, stay as they are
//   addrecent(list, path)     the recent list with path first, once, at most
//                             MAXRECENT long
//   recentfiles(), setrecentfiles(list)   the list kept in ideaweave.conf
//   openrecent(path)          open a recent diagram; a file gone since is taken
//                             off the list with a message
//   guidepath()               the user guide's HTML file, or empty when missing
//   openguide()               show the user guide in the desktop's browser
//   shortcutrows()            the Keyboard Shortcuts list: (command, keys)
//   FindBar                   the non-modal find bar under the page
#pragma once
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

constexpr int MAXRECENT = 10;

void installdesktop();
void showmainwindow();
void savewindowplaces();
QPoint placeonscreen(const QRect &frame, const QList<QRect> &screens);
// The available areas of the screens there are now.
QList<QRect> screenareas();
QStringList withmnemonics(const QStringList &labels);
QStringList addrecent(QStringList list, const QString &path);
QStringList recentfiles();
void setrecentfiles(const QStringList &list);
void openrecent(const QString &path);
QString guidepath();
void openguide();
QList<QPair<QString, QString>> shortcutrows();

class FindBar : public QWidget {
  public:
    explicit FindBar(QWidget *parent = nullptr);
    // Shows the bar with the text field ready for typing.
    void begin();
    // Goes to the next (dir 1) or previous (dir -1) match.
    void step(int dir);
    void selectall();
    void unfold();
    void end();
    QLineEdit *field() const { return text_; }
    QLabel *status() const { return count_; }

  protected:
    bool eventFilter(QObject *o, QEvent *e) override;

  private:
    void typed();
    void report(int index, const std::vector<int> &found);
    bool searchable(std::string &text) const;
    QLineEdit *text_;
    QLabel *count_;
    QPushButton *unfold_, *all_;
    QToolButton *previous_, *next_, *close_;
    int16_t currentid_ = -99; // the match gone to last, by id
};
