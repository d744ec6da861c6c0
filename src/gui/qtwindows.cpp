// qtwindows.cpp - the program's windows on Qt and the editor's start-up.
#include "gui/qtwindows.h"

#include "app/mainloop.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/toolbar.h"
#include "app/tools.h"
#include "edit/interact.h"
#include "model/bytes.h"
#include "model/diagram.h"
#include "model/iwo.h"
#include "platform/buttons.h"
#include "model/settings.h"
#include "gui/icons.h"
#include "gui/prefsupport.h"
#include "gui/qtui.h"
#include "gui/widgets.h"
#include "platform/window.h"
#include "render/view.h"
#include "store/prefs.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QSocketNotifier>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sys/socket.h>
#include <unistd.h>

const char *const NODISPLAYMESSAGE =
    "Unable to open a display: neither DISPLAY nor WAYLAND_DISPLAY is set "
    "(QT_QPA_PLATFORM=offscreen runs without one)";

namespace {

bool set(const char *name) {
    const char *v = std::getenv(name);
    return v && *v;
}

QtUI &ui() { return *qtui(); }

// The name of the shape a palette button makes, for its tooltip (the help
// line keeps the program's short help texts).
QString shapename(int id) {
    static const std::map<int, const char *> names = {
        {RECTANGLETYPE, "Rectangle"},
        {SOFTRECTTYPE, "Soft rectangle"},
        {DIAMONDTYPE, "Diamond"},
        {ELLIPSETYPE, "Ellipse"},
        {CIRCLETYPE, "Circle"},
        {LINETYPE, "Line"},
        {CONNECTORTYPE, "Connector"},
        {TEXTTYPE, "Text"},
        {PARATYPE, "Parallelogram"},
        {PARALEFTTYPE, "Parallelogram"},
        {TRAPEZIUMTYPE, "Trapezium"},
        {HEXAGONTYPE, "Hexagon"},
        {PENTAGONTYPE, "Pentagon"},
        {RIGHTTRIANGLETYPE, "Right triangle"},
        {TRIANGLETYPE, "Triangle"},
        {CLOUD1TYPE, "Cloud"},
        {CLOUD2TYPE, "Cloud (second)"},
        {THOUGHTTYPE, "Thought bubble"},
        {LIGHTTYPE, "Lightning flash"},
        {EXCLAMTYPE, "Exclamation mark"},
        {STARTYPE, "Star"},
        {ACTORTYPE, "Actor"},
        {CLASSTYPE, "Class box"},
        {PROCESS1TYPE, "Process bar"},
        {PROCESS2TYPE, "Process bar (second)"},
        {STARTSTOPTYPE, "Start-stop"},
        {CIRCLEORTYPE, "Circle-or"},
    };
    if (id >= FIRSTUSERTYPE && id <= LASTTYPE)
        return QString("User object %1").arg(id - USERTYPEBASE);
    auto it = names.find(id);
    return it != names.end() ? QString(it->second) : QString::fromLatin1(helptext[id]).trimmed();
}

// The desktop's further keys of a command (the table's "Ctrl+Y" form).
QList<QKeySequence> morekeys(const CommandRow &row) {
    QList<QKeySequence> keys;
    if (!row.morekeys) return keys;
    for (const QString &k : QString::fromLatin1(row.morekeys).split(',', Qt::SkipEmptyParts))
        keys << QKeySequence::fromString(k.trimmed(), QKeySequence::PortableText);
    return keys;
}

// A menu title with its mnemonic (Alt + the letter opens the menu).
QString mnemonic(const QString &title, int menu) {
    static const char letters[] = "PEODR";
    if (menu < 0 || menu >= 5) return title;
    QString t = title;
    int at = (int)t.indexOf(QChar(letters[menu]), 0, Qt::CaseSensitive);
    if (at < 0) at = (int)t.indexOf(QChar(letters[menu]), 0, Qt::CaseInsensitive);
    if (at >= 0) t.insert(at, '&');
    return t;
}

// A tool window's contents in a scroll area: shown whole when the screen is
// tall enough, scrolled up and down on smaller screens, never cut.
QScrollArea *scrolling(QWidget *body, QWidget *parent) {
    auto *area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    // The keys stay with the drawing window, as with the buttons.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(body);
    // As wide as the contents with room for the scroll bar, so that the
    // buttons are never cut at the side.
    int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    area->setMinimumWidth(body->sizeHint().width() + bar);
    return area;
}

// A button with its pictures, help text and id, kept in the gadget table.
GadgetButton *makebutton(int id, IWWindow window, bool toggle) {
    auto *b = new GadgetButton(id, window);
    b->setCheckable(toggle);
    int size = ui().iconsize;
    b->setIconSize(QSize(size, size));
    QString help = QString::fromLatin1(helptext[id]).trimmed();
    QString name = id >= FIRSTPALETTETOOL ? shapename(id) : help;
    if (!name.isEmpty()) b->setToolTip(name);
    // Without a picture the button shows its help text.
    b->setText(help.isEmpty() ? QString::number(id) : help);
    QPixmap normal, selected;
    int k = iconindex(id);
    if (id >= RECTANGLETYPE && id <= LASTSHAPETYPE) {
        normal = toolimage(id, size);
        selected = selectedlook(normal);
    } else if (k >= 0) {
        normal = id < 100 ? toolbarimage(Icon[k], size, IconSet) : imagefile(Icon[k], size);
        if (!normal.isNull()) selected = selectedimage(Icon[k], normal, size);
    }
    if (normal.isNull() && id >= FIRSTPALETTETOOL) {
        // An empty user-object slot: a blank picture keeps the palette's grid.
        normal = QPixmap(size, size);
        normal.fill(Qt::transparent);
        selected = selectedlook(normal);
    }
    b->setpictures(normal, selected);
    ui().buttons[id] = b;
    return b;
}

// The toolbar's tool buttons stay pressed while their tool is chosen.
bool istoggle(int id) { return id == SELECTTOOL || id == TEXTTOOL; }

// A labelled group of two columns of buttons, filled column by column.
QGroupBox *buttongroup(const char *title, std::initializer_list<int> left,
                       std::initializer_list<int> right) {
    auto *group = new QGroupBox(title);
    auto *grid = new QGridLayout(group);
    grid->setSpacing(2);
    grid->setContentsMargins(4, 4, 4, 4);
    int row = 0;
    for (int id : left) grid->addWidget(makebutton(id, IDEAWEAVEWINDOW, istoggle(id)), row++, 0);
    row = 0;
    for (int id : right) grid->addWidget(makebutton(id, IDEAWEAVEWINDOW, istoggle(id)), row++, 1);
    return group;
}

// The Qt key of a menu command key (letters, digits and punctuation are
// their upper-case character codes).
Qt::Key commandkey(char c) { return (Qt::Key)QChar(c).toUpper().unicode(); }

int breakpipe[2] = {-1, -1};

void onbreak(int) {
    char c = 1;
    // Nothing else is safe in a signal handler: the event loop picks it up.
    if (write(breakpipe[1], &c, 1) < 0) {}
}

} // namespace

int openlibraries() {
    // Without any of these Qt would abort; say why instead.
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return 1;
    std::printf("%s\n", NODISPLAYMESSAGE);
    std::fflush(stdout);
    return 0;
}

int makemenus(QMenuBar *bar) {
    QMenu *menu = nullptr;
    int m = -1, item = 0;
    for (const CommandRow *e = commandtable(); e->kind != ROW_END; e++) {
        if (e->kind == ROW_TITLE) {
            m++;
            menu = bar->addMenu(mnemonic(coretext(e->label), m));
            item = 0;
            continue;
        }
        if (e->kind == ROW_NOMENU || !menu) continue;
        // Separator bars count as items.
        const int num = FULLMENUNUM(m, item++);
        if (e->kind == ROW_BAR) {
            menu->addSeparator();
            continue;
        }
        QAction *a = menu->addAction(coretext(e->label));
        a->setMenuRole(QAction::NoRole);
        if (e->key && e->key[0]) {
            Qt::Key key = commandkey(e->key[0]);
            QList<QKeySequence> keys = {QKeySequence(QKeyCombination(Qt::ControlModifier, key))};
            // Letters also work with Shift or Alt held, which some commands
            // read (Half size doubles with either); Ctrl+Shift+S is Save As.
            if (key >= Qt::Key_A && key <= Qt::Key_Z) {
                if (e->id != CMD_SAVE)
                    keys << QKeySequence(
                        QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key));
                keys << QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, key));
            }
            a->setShortcuts(keys + morekeys(*e));
        } else {
            a->setShortcuts(morekeys(*e));
        }
        if (e->flags & CHECKIT) a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, a, [num] {
            if (QtUI *u = qtui())
                u->post(PendingEvent::input(DRAWSPACEWINDOW, IW_MENUPICK | num, num));
        });
        ui().menuactions[num] = a;
    }
    return 1;
}

QMainWindow *make_drawspacewindow() {
    auto *window = new ShellWindow();
    window->setWindowTitle(coretext(drawspacewindowtitle));
    auto *centre = new QWidget(window);
    auto *grid = new QGridLayout(centre);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto *drawspace = new DrawSpaceWidget(centre);
    auto *h = new QScrollBar(Qt::Horizontal, centre);
    auto *v = new QScrollBar(Qt::Vertical, centre);
    h->setObjectName("hscroller");
    v->setObjectName("vscroller");
    grid->addWidget(drawspace, 0, 0);
    grid->addWidget(v, 0, 1);
    grid->addWidget(h, 1, 0);
    window->setCentralWidget(centre);
    QtUI &u = ui();
    u.mainwindow = window;
    u.drawspace = drawspace;
    u.scrollers[HSCROLLER] = h;
    u.scrollers[VSCROLLER] = v;
    for (int s : {HSCROLLER, VSCROLLER}) {
        QObject::connect(u.scrollers[s], &QScrollBar::valueChanged, u.scrollers[s], [s](int top) {
            if (QtUI *x = qtui(); x && top != getscrollertop(s))
                x->post(PendingEvent::scroll(s, top));
        });
    }
    makemenus(window->menuBar());
    // The size of the desktop, within reason.
    QSize size(1024, 768);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    window->resize(size);
    drawspace->setFocus();
    return window;
}

QDockWidget *make_ideaweavewindow() {
    auto *dock = new ShellDock("Tools", ui().mainwindow);
    auto *body = new QWidget;
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(2, 2, 2, 2);
    column->addWidget(buttongroup("File...",
                                  {BUTTON_NEW, BUTTON_SAVEAS, BUTTON_EXPORTGRAPHIC, BUTTON_QUIT},
                                  {BUTTON_OPEN, BUTTON_SAVE, BUTTON_EXPORTTEXT, BUTTON_CLOSE}));
    column->addWidget(
        buttongroup("Tools...", {BUTTON_FRONTBACK, BUTTON_TEXT, BUTTON_ZOOM, BUTTON_DUPLICATE},
                    {BUTTON_SELECT, BUTTON_PROPERTIES, BUTTON_UNDOREDO, BUTTON_DELETE}));
    column->addStretch(1);
    dock->setWidget(scrolling(body, dock));
    ui().toolswindow = dock;
    return dock;
}

QDockWidget *make_shapewindow() {
    auto *dock = new ShellDock("Shapes", ui().mainwindow);
    auto *body = new QWidget;
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(2, 2, 2, 2);
    auto *tabs = new QTabWidget(body);
    tabs->setObjectName("palettetabs");
    tabs->setFocusPolicy(Qt::NoFocus);
    tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    static const char *const names[3] = {"S", "M", "U"};
    for (int t = 0; t < 3; t++) {
        auto *page = new QWidget(tabs);
        auto *grid = new QGridLayout(page);
        grid->setSpacing(2);
        grid->setContentsMargins(2, 2, 2, 2);
        // Position p is row (p - 1) / 2, left column for odd p.
        for (int p = 1; p <= 12; p++) {
            int id = IWObutton[t][p];
            if (id < FIRSTPALETTETOOL) continue;
            grid->addWidget(makebutton(id, SHAPEWINDOW, true), (p - 1) / 2, (p - 1) % 2);
        }
        grid->setRowStretch(6, 1);
        tabs->addTab(page, names[t]);
    }
    // The keyboard's tab navigation starts from the tab the user shows.
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                     [](int index) { IWObuttonTab = (int16_t)index; });
    new HelpArea(GADGET_PALETTETABS, SHAPEWINDOW, tabs->tabBar());
    column->addWidget(tabs);

    auto *info = new QGroupBox("Info...", body);
    auto *infolayout = new QVBoxLayout(info);
    infolayout->setContentsMargins(4, 4, 4, 4);
    auto *help = new QLabel(" ", info);
    help->setObjectName("helpline");
    help->setFrameShape(QFrame::StyledPanel);
    help->setFrameShadow(QFrame::Sunken);
    help->setWordWrap(true);
    help->setMinimumHeight(help->fontMetrics().height() * 2 + 6);
    infolayout->addWidget(help);
    new HelpArea(GADGET_HELPLINE, SHAPEWINDOW, help);
    column->addWidget(info);
    column->addStretch(1);
    dock->setWidget(scrolling(body, dock));
    QtUI &u = ui();
    u.palettetabs = tabs;
    u.helpline = help;
    u.shapeswindow = dock;
    return dock;
}

int openmainwindows() {
    QtUI &u = ui();
    applyinterfacefont();
    u.iconsize = iconpixels(IconSet);
    copytext(drawspacewindowtitle, sizeof drawspacewindowtitle,
             "Create or Load diagram to continue...");
    u.setwindowtitle(drawspacewindowtitle);
    QMainWindow *window = make_drawspacewindow();
    // The raster has the window's inner size; the first new size of the shown
    // window corrects it.
    opendrawspacewindow(800, 600);
    QDockWidget *tools = make_ideaweavewindow();
    setbitmapsize();
    updatescrollers();
    QDockWidget *shapes = make_shapewindow();
    window->addDockWidget(Qt::LeftDockWidgetArea, tools);
    window->addDockWidget(Qt::LeftDockWidgetArea, shapes);
    // Side by side: together they are taller than a small laptop's screen.
    window->splitDockWidget(tools, shapes, Qt::Horizontal);
    u.applystates();
    u.setpalettetab(0);
    return 1;
}

int startideaweave() {
    setupcore();
    setupinterface();
    openmainwindows();
    resetinterface();
    ui().applystates();
    ui().mainwindow->show();
    return 1;
}

int catchbreak() {
    if (breakpipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM, 0, breakpipe) != 0) return 0;
    auto *notifier = new QSocketNotifier(breakpipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char c;
        if (read(breakpipe[0], &c, 1) > 0)
            if (QtUI *u = qtui()) u->breaksignal();
    });
    struct sigaction sa = {};
    sa.sa_handler = onbreak;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    return 1;
}
