// What desktop users expect of the editor: the find bar, Zoom to Fit, Open
// Recent, the Help menu, files dropped on the window, window places kept
// across a restart, and the menu items' letters.
#include "guifixture.h"

#include "app/find.h"
#include "gui/desktop.h"
#include "gui/recentlyused.h"
#include "model/create.h"
#include "model/select.h"
#include "model/settings.h"
#include "render/zoomfit.h"

#include <QDockWidget>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTableWidget>
#include <QUrl>

#include <cstdio>

// Readable failures.
void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList &l, std::ostream *os) {
    *os << "{" << ('"' + l.join("\", \"") + '"').toStdString() << "}";
}
void PrintTo(const QPoint &p, std::ostream *os) { *os << p.x() << "," << p.y(); }
void PrintTo(const QRect &r, std::ostream *os) {
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

QAction *named(QtUI &u, const char *name) { return u.mainwindow->findChild<QAction *>(name); }

FindBar *findbar(QtUI &u) {
    return dynamic_cast<FindBar *>(u.mainwindow->findChild<QWidget *>("findbar"));
}

// Runs fn as a command of the editor, in turn with its events.
void incore(QtUI &u, std::function<void()> fn) {
    u.post(PendingEvent::command([fn] {
        fn();
        return 0;
    }));
    QApplication::processEvents();
}

// Appends a rectangle with a label at (x, y) units; returns its index.
int labelled(int x, int y, const char *label) {
    const int n = IWONumber;
    resetsingleIWO(SHADOWIWO);
    createIWO(SHADOWIWO, 101, x, y, linecolour, lineweight, fillcolour);
    resetsingleIWO(n);
    createIWO(n, 101, x, y, linecolour, lineweight, fillcolour);
    IWO[n].width = 60;
    IWO[n].height = 40;
    IWO[n].selected = 0;
    std::snprintf(IWO[n].label, sizeof IWO[n].label, "%s", label);
    return n;
}

// The object's box in window pixels lies wholly in the drawing widget.
bool inview(int n, QWidget *w) {
    const IWORecord &r = IWO[n];
    return getdrawx(r.x) >= 0 && getdrawy(r.y) >= 0 && getdrawx(r.x + r.width) <= w->width() &&
           getdrawy(r.y + r.height) <= w->height();
}

} // namespace

using Find = Editor;

// 500 objects, two of them in a folded branch: typing goes to the first match
// in reading order; Enter, F3 and Shift+F3 walk the matches (wrapping round),
// each selected alone and scrolled into view; a folded match shows its
// connector until Unfold opens the branch; Select All Matches selects them all
// (the undo step and the history left alone: the scripted session find).
TEST_F(Find, FiveHundredObjectsWithAFoldedBranch) {
    newdiagram();
    // A branch: box, connector, box carrying the label "Hidden Café".
    place(101, QRect(300, 300, 300, 200));
    place(101, QRect(1200, 300, 300, 200));
    place(108, QRect(450, 400, 900, 0));
    ASSERT_EQ(objects(), std::vector<int>({101, 101, 108}));
    const int16_t hiddenid = IWO[2].id, connectorid = IWO[3].id;
    std::snprintf(IWO[2].label, sizeof IWO[2].label, "Hidden Caf\xE9");
    incore(*ui, [] { selectmatches({3}); });
    menu(2, 6); // Object > Node folds the branch
    ASSERT_EQ(IWO[2].visible, 0);
    incore(*ui, [] {
        for (int i = 0; i < 500; i++)
            labelled(100 + (i % 25) * 75, 700 + (i / 25) * 60,
                     (std::string(i % 2 ? "Item " : "item ") + std::to_string(i)).c_str());
        update();
    });
    ASSERT_EQ(IWONumber, 504);

    FindBar *bar = findbar(*ui);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isHidden());
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(bar->isVisible() && bar->height() <= bar->sizeHint().height()) << "one row high";
    EXPECT_TRUE(bar->field()->hasFocus());
    auto press = [bar](int k, Qt::KeyboardModifiers mods = {}, int times = 1) {
        for (int i = 0; i < times; i++) QTest::keyClick(bar->field(), (Qt::Key)k, mods);
        QApplication::processEvents();
    };
    auto type = [bar](const QString &text) {
        bar->field()->selectAll();
        typetext(bar->field(), text);
        QApplication::processEvents();
    };
    // Each step: the status, and the label of the one match selected and in view.
    auto at = [this, bar](const char *status, const char *label) {
        EXPECT_EQ(bar->status()->text(), status);
        EXPECT_EQ(numIWOselected, 1);
        EXPECT_STREQ(IWO[selectedIWO].label, label);
        EXPECT_TRUE(inview(selectedIWO, drawspace));
    };

    // "ITEM 49" matches Item 49 and item 490 to Item 499: eleven, any case,
    // top to bottom.
    type("ITEM 49");
    at("1 of 11", "Item 49");
    press(Qt::Key_Return);
    at("2 of 11", "item 490");
    press(Qt::Key_F3);
    at("3 of 11", "Item 491");
    press(Qt::Key_F3, Qt::ShiftModifier, 3);
    at("11 of 11", "Item 499"); // wrapped round backwards
    press(Qt::Key_Return, Qt::ShiftModifier);
    at("10 of 11", "item 498");

    // Select All Matches: all eleven (with no history entry: the scripted
    // session find).
    clickon(bar->findChild<QPushButton *>("findall"));
    EXPECT_EQ(numIWOselected, 11);
    EXPECT_EQ(bar->status()->text(), "11 selected");

    // Accents and case ignored, in a folded branch: its connector is shown.
    type("hidden cafe");
    press(Qt::Key_F3); // going to it again, as typing did, leaves the branch folded
    EXPECT_EQ(bar->status()->text(), "1 of 1 (folded)");
    EXPECT_EQ(IWO[selectedIWO].id, connectorid);
    EXPECT_EQ(IWO[findIWObyid(hiddenid)].visible, 0);
    auto *unfold = bar->findChild<QPushButton *>("findunfold");
    EXPECT_TRUE(unfold->isEnabled());
    clickon(unfold);
    EXPECT_EQ(IWO[selectedIWO].id, hiddenid);
    EXPECT_EQ(IWO[selectedIWO].visible, 1);
    EXPECT_EQ(numIWOselected, 1);
    EXPECT_EQ(bar->status()->text(), "1 of 1");
    EXPECT_FALSE(unfold->isEnabled());

    // Nothing found, then Esc closes the bar and gives the keys back.
    type(QString::fromUtf8("\u20AC")); // cannot be in a label
    EXPECT_EQ(bar->status()->text(), "No matches");
    press(Qt::Key_Escape);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_TRUE(drawspace->hasFocus());
}

using Zoom = Editor;

// At three window sizes the whole page shows, centred, within one zoom step of
// the largest zoom at which it fits; Zoom to Selection zooms in (where it puts
// the selection is the scripted session zoom-fit's); Ctrl+wheel keeps the
// point under the pointer. None of them is taken for a quit.
TEST_F(Zoom, ToFitAtThreeWindowSizes) {
    newdiagram();
    QAction *fit = named(*ui, "zoomtofit");
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_9));
    for (QSize size : {QSize(1000, 720), QSize(640, 900), QSize(1400, 500)}) {
        ui->mainwindow->resize(size);
        QApplication::processEvents();
        key(Qt::Key_9, Qt::ControlModifier);
        // The command's success is not taken for a quit.
        ASSERT_FALSE(ui->quitrequested());
        const int ww = drawspacewindowwidth(), wh = drawspacewindowheight();
        SCOPED_TRACE(testing::Message() << ww << "x" << wh);
        EXPECT_EQ(ww, drawspace->width());
        const int W = IWODiagram.paperwidth, H = IWODiagram.paperheight;
        EXPECT_GE(getdrawx(0), 0);
        EXPECT_GE(getdrawy(0), 0);
        EXPECT_LE(getdrawx(W), ww);
        EXPECT_LE(getdrawy(H), wh);
        EXPECT_TRUE(W * (zoom + 0.1) > ww - 2 * FITMARGIN || H * (zoom + 0.1) > wh - 2 * FITMARGIN)
            << zoom;
        // The paper shows at the page's corners.
        EXPECT_EQ(pen(getdrawx(0) + 2, getdrawy(0) + 2), papercolour);
        EXPECT_EQ(pen(getdrawx(W) - 3, getdrawy(H) - 3), papercolour);
    }
    // Back to a window where the Shapes buttons show whole.
    ui->mainwindow->resize(1000, 720);
    QApplication::processEvents();
    place(101, QRect(400, 400, 300, 200));
    const float before = zoom;
    named(*ui, "zoomtoselection")->trigger();
    QApplication::processEvents();
    EXPECT_GT(zoom, before);
    ASSERT_FALSE(ui->quitrequested());

    // Ctrl+wheel about a point off the centre, with the page larger than the
    // window both ways (a smaller page is centred, whatever the pointer).
    named(*ui, "zoomtofit")->trigger();
    menu(3, 2);
    menu(3, 2);
    ASSERT_GT(IWODiagram.paperwidth * zoom, drawspace->width());
    const int ux = getrealx(120), uy = getrealy(90);
    const float z = zoom;
    wheel(1, Qt::ControlModifier, QPoint(120, 90)); // away from the user: in
    ASSERT_FALSE(ui->quitrequested());
    EXPECT_GT(zoom, z);
    EXPECT_NEAR(getdrawx(ux), 120, 2);
    EXPECT_NEAR(getdrawy(uy), 90, 2);
    wheel(-1, Qt::ControlModifier, QPoint(120, 90));
    EXPECT_FLOAT_EQ(zoom, z);
}

using Recent = Editor;

// Save and Save As put their files at the front of Open Recent; a file
// deleted since is greyed there, and asked for all the same it is taken off
// the list with a message; picking one opens it.
TEST_F(Recent, AfterTwoSavesAndADeletedFile) {
    newdiagram();
    place(101, QRect(400, 400, 300, 200));
    saveas("first.iwo");
    // A second diagram (Save As of the first would offer its name, which the
    // dialog may put back over the typed one while it reads the drawer).
    newdiagram();
    place(101, QRect(400, 400, 300, 200));
    place(105, QRect(1000, 1000, 300, 300));
    saveas("second.iwo");
    const QString first = home.filePath("first.iwo"), second = home.filePath("second.iwo");
    ASSERT_TRUE(QFileInfo(second).isFile());
    EXPECT_EQ(recentfiles(), QStringList({second, first}));
    ASSERT_TRUE(QFile::remove(first));

    auto *recent = ui->mainwindow->findChild<QMenu *>("recentmenu");
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    QStringList items; // with "-" for an item that can't be picked
    for (QAction *a : recent->actions()) items << a->text() + (a->isEnabled() ? "" : " -");
    ASSERT_GE(items.size(), 4);
    EXPECT_EQ(items.mid(0, 2), QStringList({"&1 second.iwo", "&2 first.iwo  (missing) -"}));
    // The list lives in ideaweave.conf.
    EXPECT_TRUE(QFile::exists(home.filePath("ideaweave/ideaweave.conf")));

    answer("Okay");
    openrecent(first);
    QApplication::processEvents();
    ASSERT_FALSE(asked.empty());
    EXPECT_NE(asked.back().find("first.iwo is no longer there"), std::string::npos) << asked.back();
    EXPECT_EQ(recentfiles(), QStringList({second}));

    // A new diagram, then the recent one: opened as it was saved.
    newdiagram();
    EXPECT_EQ(objects(), std::vector<int>());
    emit recent->aboutToShow();
    recent->actions()[0]->trigger();
    QApplication::processEvents();
    EXPECT_EQ(objects(), std::vector<int>({101, 105}));
    // Only ten are kept, the newest first, each once.
    QStringList many;
    for (int k = 0; k < 12; k++) many = addrecent(many, home.filePath(QString("d%1.iwo").arg(k)));
    many = addrecent(many, home.filePath("d5.iwo"));
    EXPECT_EQ(many.size(), MAXRECENT);
    EXPECT_EQ(many.first(), home.filePath("d5.iwo"));
    EXPECT_EQ(many.count(home.filePath("d5.iwo")), 1);
    EXPECT_EQ(many.last(), home.filePath("d2.iwo"));
}

using Help = Editor;

// F1 hands the guide's HTML page to the desktop's opener (a stub xdg-open
// here, tests/gui/bin, recording its argument); the shortcut list names the
// menu keys; the About box names the version and the licence.
TEST_F(Help, F1OpensTheGuideInABrowser) {
    const QString record = home.filePath("opened.txt");
    qputenv("IW_OPENED", QFile::encodeName(record));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", IW_GUI_TESTS "/bin:" + path);
    ASSERT_FALSE(guidepath().isEmpty());
    QTest::keyClick(drawspace, Qt::Key_F1);
    QApplication::processEvents();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 5000);
    qputenv("PATH", path);
    QFile f(record);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QUrl url(QString::fromUtf8(f.readAll()));
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_TRUE(url.toLocalFile().endsWith("doc/ideaweave/guide.html"))
        << url.toString().toStdString();
    QFile page(url.toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.contains("<title>Ideaweave User Guide</title>"));
    EXPECT_TRUE(html.contains("<h2>Finding objects</h2>"));
    EXPECT_TRUE(QFileInfo(QFileInfo(url.toLocalFile()).dir(), "pictures").isDir());

    named(*ui, "shortcuts")->trigger();
    auto *keys = ui->mainwindow->findChild<QDialog *>("shortcutswindow");
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(keys->isVisible());
    auto *table = keys->findChild<QTableWidget *>();
    QMap<QString, QString> rows;
    for (int r = 0; r < table->rowCount(); r++)
        rows[table->item(r, 0)->text()] = table->item(r, 1)->text();
    for (const char *row : {"Object > To Front=Ctrl+F, Ctrl+Shift+F, Ctrl+Alt+F",
                            "Edit > Find\u2026=Ctrl+E", "Diagram > Zoom to Fit=Ctrl+9",
                            "Help > User Guide=F1", "Zoom about the pointer=Ctrl+wheel"}) {
        const QStringList item = QString::fromUtf8(row).split('=');
        EXPECT_EQ(rows.value(item[0]), item[1]);
    }
    keys->hide();

    answer("OK");
    named(*ui, "about")->trigger();
    QApplication::processEvents();
    ASSERT_FALSE(asked.empty());
    EXPECT_NE(asked.back().find("About Ideaweave | Ideaweave " IW_VERSION), std::string::npos);
    EXPECT_NE(asked.back().find("Licence"), std::string::npos);
}

using Drop = Editor;

// Files dropped on the window reach the drop handler: two dropped together,
// the diagram opens and the picture is named in a message (what each kind of
// file does is the scripted session drop-files).
TEST_F(Drop, TwoFilesDroppedTogether) {
    QFile png(home.filePath("picture.png"));
    ASSERT_TRUE(png.open(QIODevice::WriteOnly) && png.write("\x89PNG\r\n\x1a\n") == 8);
    png.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(png.fileName()), QUrl::fromLocalFile(IW_SAMPLE)});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(ui->mainwindow, &enter);
    EXPECT_TRUE(enter.isAccepted());
    answer("Okay");
    QDropEvent e(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(ui->mainwindow, &e);
    QApplication::processEvents();
    EXPECT_FALSE(objects().empty());
    EXPECT_TRUE(ui->mainwindow->windowTitle().contains("sample.iwo"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("picture.png: not a diagram"), std::string::npos) << asked[0];
}

// The main window, a floating Tools window and the diagram properties window
// come back where they were, at their size, after a restart; a place off every
// screen is brought back onto one.
using Places = Editor;

TEST_F(Places, KeptAcrossARestart) {
    ui->mainwindow->showNormal();
    ui->mainwindow->setGeometry(40, 50, 900, 650);
    ui->toolswindow->setFloating(true);
    ui->toolswindow->move(300, 200);
    newdiagram();
    menu(3, 0); // Diagram > Properties opens its window
    GadgetWindow *props = gadgetwindownamed("diagram");
    ASSERT_TRUE(props && props->open);
    QDialog *d = gadgetdialog(*props);
    ASSERT_NE(d, nullptr);
    d->move(ui->mainwindow->geometry().topLeft() + QPoint(120, 80));
    QApplication::processEvents();
    const QRect main = ui->mainwindow->geometry();
    const QPoint tools = ui->toolswindow->pos();

    restart();
    EXPECT_EQ(ui->mainwindow->geometry(), main);
    EXPECT_TRUE(ui->toolswindow->isFloating());
    EXPECT_EQ(ui->toolswindow->pos(), tools);
    newdiagram();
    menu(3, 0);
    d = gadgetdialog(*props);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->pos() - ui->mainwindow->geometry().topLeft(), QPoint(120, 80));

    // Left far off every screen: brought back where it can be reached.
    d->hide();
    ui->mainwindow->move(9000, 7000);
    QApplication::processEvents();
    restart();
    const QRect back = ui->mainwindow->frameGeometry();
    EXPECT_EQ(placeonscreen(back, screenareas()), back.topLeft());
    bool on = false;
    for (const QRect &s : screenareas()) on |= s.intersects(back);
    EXPECT_TRUE(on);
}

// Where a window is placed: left alone while a piece of its top strip is on a
// screen, else brought onto the nearest one.
TEST(PlaceOnScreen, TopStripMustBeReachable) {
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const struct {
        QRect frame;
        QPoint at;
    } cases[] = {
        {QRect(100, 100, 800, 600), QPoint(100, 100)},
        {QRect(2500, 300, 800, 600), QPoint(2500, 300)},  // on the second screen
        {QRect(1900, 10, 800, 600), QPoint(1900, 10)},    // across both
        {QRect(-760, 10, 800, 600), QPoint(0, 10)},       // 40 pixels showing: too few
        {QRect(-700, 10, 800, 600), QPoint(-700, 10)},    // 100 showing
        {QRect(100, -20, 800, 600), QPoint(100, -20)},    // title bar partly above
        {QRect(100, -590, 800, 600), QPoint(100, 0)},     // only its bottom shows
        {QRect(5000, 5000, 800, 600), QPoint(2400, 424)}, // gone: the nearest screen
        {QRect(100, 1075, 800, 600), QPoint(100, 480)},   // below the first
        {QRect(100, 1070, 800, 600), QPoint(100, 1070)},  // 10 pixels of it showing
        {QRect(50, 50, 4000, 3000), QPoint(50, 50)},      // larger than any screen
        {QRect(-9000, 50, 4000, 3000), QPoint(0, 50)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(placeonscreen(c.frame, two), c.at)
            << c.frame.x() << "," << c.frame.y() << " " << c.frame.width();
    EXPECT_EQ(placeonscreen(QRect(5000, 5000, 10, 10), {}), QPoint(5000, 5000));
}

// Every menu's items have letters of their own, and the keys stay as they were.
TEST(Mnemonics, OneLetterEachWithinAMenu) {
    EXPECT_EQ(
        withmnemonics({"Cut", "Copy", "Paste", "Select All", "", "Delete", "Undo", "Redo"}),
        QStringList({"&Cut", "C&opy", "&Paste", "&Select All", "", "&Delete", "&Undo", "&Redo"}));
    // A taken first letter gives way to the next word's, then to any letter;
    // labels with a letter already keep it and reserve it.
    EXPECT_EQ(withmnemonics({"Zoom In", "Zoom Out", "Zoom to Fit", "&Open", "Ox"}),
              QStringList({"&Zoom In", "Zoo&m Out", "Zoom &to Fit", "&Open", "O&x"}));
    EXPECT_EQ(withmnemonics({"Save", "Save As"}), QStringList({"&Save", "Save &As"}));
    EXPECT_EQ(withmnemonics({"ab", "ab", "ab"}), QStringList({"&ab", "a&b", "ab"}));
}

using MenuLetters = Editor;

TEST_F(MenuLetters, EveryMenuUniqueAndKeysKept) {
    const QKeySequence front = action(2, 3)->shortcut();
    for (QAction *title : ui->mainwindow->menuBar()->actions()) {
        QSet<QChar> letters;
        int items = 0;
        for (QAction *a : title->menu()->actions()) {
            if (a->isSeparator()) continue;
            items++;
            const qsizetype at = a->text().indexOf('&');
            if (at < 0) continue;
            const QChar c = a->text()[at + 1].toLower();
            EXPECT_FALSE(letters.contains(c)) << a->text().toStdString();
            letters.insert(c);
        }
        // Long menus (the Object menu has thirty items) may run out of
        // letters, but few do.
        EXPECT_GE(letters.size(), std::min(items, 19)) << title->text().toStdString();
    }
    EXPECT_EQ(front, QKeySequence("Ctrl+F"));
    const QList<QAction *> project = ui->mainwindow->menuBar()->actions()[0]->menu()->actions();
    EXPECT_EQ(project.last()->text(), "&Quit");
}

// The desktop's recently used list: made when missing, an entry brought up to
// date (one bookmark, this program's count going up) beside other programs'
// entries, and a list that is not XBEL, or can't be written, left as it was.
TEST(RecentlyUsed, AddsOrUpdatesAndLeavesForeignFilesAlone) {
    QTemporaryDir dir;
    const QByteArray keep = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    const QString list = recentlyusedpath();
    EXPECT_EQ(list, dir.filePath("data/recently-used.xbel"));
    const QDateTime t1(QDate(2026, 5, 1), QTime(10, 0), Qt::UTC);
    const QDateTime t2(QDate(2026, 5, 2), QTime(11, 30), Qt::UTC);
    auto read = [&list] {
        QFile f(list);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    auto write = [&list](const QByteArray &bytes) {
        QFile f(list);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    const QString a = dir.filePath("mind map.iwo");
    auto note = [&a](const QDateTime &t) {
        return noterecentlyused(a, "application/x-ideaweave", "Ideaweave", "'ideaweave %u'", t);
    };
    ASSERT_TRUE(note(t1));
    ASSERT_TRUE(note(t2));
    QByteArray xml = read();
    EXPECT_EQ(xml.count("<bookmark "), 1) << xml.constData();
    EXPECT_TRUE(xml.contains("href=\"" + QUrl::fromLocalFile(a).toEncoded() + "\""));
    EXPECT_TRUE(xml.contains("mind%20map.iwo"));
    EXPECT_TRUE(xml.contains("added=\"2026-05-01T10:00:00.000Z\""));
    EXPECT_TRUE(xml.contains("visited=\"2026-05-02T11:30:00.000Z\""));
    EXPECT_TRUE(xml.contains("<mime:mime-type type=\"application/x-ideaweave\"/>"));
    EXPECT_TRUE(xml.contains("name=\"Ideaweave\"")) << xml.constData();
    EXPECT_TRUE(xml.contains("count=\"2\""));

    // Another program's list: its entries stay, ours is added.
    write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<xbel version=\"1.0\" xmlns:bookmark=\"http://www.freedesktop.org/standards/"
          "desktop-bookmarks\" xmlns:mime=\"http://www.freedesktop.org/standards/"
          "shared-mime-info\">\n"
          "<bookmark href=\"file:///home/u/letter.odt\" added=\"2025-01-01T00:00:00Z\" "
          "modified=\"2025-01-01T00:00:00Z\" visited=\"2025-01-01T00:00:00Z\"/>\n"
          "</xbel>\n");
    ASSERT_TRUE(note(t1));
    xml = read();
    EXPECT_EQ(xml.count("<bookmark "), 2);
    EXPECT_TRUE(xml.contains("file:///home/u/letter.odt"));
    EXPECT_TRUE(xml.contains("count=\"1\""));

    // Not XBEL, or not XML at all: false, and not a byte changed.
    for (const QByteArray &foreign :
         {QByteArray("<?xml version=\"1.0\"?><bookmarks><bookmark href=\"x\"/></bookmarks>"),
          QByteArray("\x00\x01 not xml <<<", 15), QByteArray("<xbel><bookmark")}) {
        write(foreign);
        EXPECT_FALSE(note(t1));
        EXPECT_EQ(read(), foreign);
    }
    // A list that can't be written: false, nothing else happens.
    ASSERT_TRUE(QFile::remove(list));
    ASSERT_TRUE(QDir(dir.path()).rmdir("data"));
    ASSERT_TRUE(QFile(dir.filePath("data")).open(QIODevice::WriteOnly)); // a file for the drawer
    EXPECT_FALSE(note(t1));
    qputenv("XDG_DATA_HOME", keep);
}
