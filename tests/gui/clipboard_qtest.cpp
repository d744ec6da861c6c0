// Cut, Copy and Paste through the desktop clipboard: objects copied in one
// editor window paste in a second one, and the picture and text forms are
// there for other programs.
#include "guifixture.h"

#include "app/clipboard.h"
#include "gui/qtclipboard.h"

#include <QClipboard>
#include <QMimeData>
#include <QProcess>

namespace {

class ClipboardWindows : public Editor {
  protected:
    void SetUp() override {
        setplatformclipboard(&clipboard);
        QGuiApplication::clipboard()->clear();
        Editor::SetUp();
    }
    void TearDown() override {
        setplatformclipboard(nullptr); // while the window it enables Paste in is still there
        Editor::TearDown();
    }
    bool pasteenabled() { return action(1, 2)->isEnabled(); }
    QtClipboard clipboard;
};

TEST_F(ClipboardWindows, CopyInOneWindowPastesInASecond) {
    newdiagram();
    EXPECT_FALSE(pasteenabled()) << "nothing on the clipboard";
    place(101);
    place(105, QRect(1200, 400, 600, 400));
    shortcut(Qt::Key_A);
    shortcut(Qt::Key_C);

    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_TRUE(mime->hasFormat(OBJECTSMIME));
    EXPECT_TRUE(mime->hasText());
    ASSERT_TRUE(mime->hasFormat(SVGMIME));
    // Another program can render the picture.
    QTemporaryDir dir;
    const QString svg = dir.filePath("copy.svg"), png = dir.filePath("copy.png");
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(mime->data(SVGMIME));
    f.close();
    EXPECT_EQ(QProcess::execute("rsvg-convert", {"-o", png, svg}), 0) << "rsvg-convert is needed";
    EXPECT_GT(QFileInfo(png).size(), 0);

    // A second main window, with a diagram of its own: Paste is on, since the
    // clipboard holds objects, and brings both of them.
    Editor::TearDown();
    Editor::SetUp();
    EXPECT_FALSE(pasteenabled()) << "no diagram yet";
    newdiagram();
    EXPECT_TRUE(pasteenabled());
    shortcut(Qt::Key_V);
    EXPECT_EQ(objects(), (std::vector<int>{101, 105}));

    // Another program taking the clipboard: Paste follows it.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QApplication::processEvents();
    EXPECT_FALSE(pasteenabled());
    QGuiApplication::clipboard()->setText("from elsewhere");
    QApplication::processEvents();
    EXPECT_TRUE(pasteenabled());
    shortcut(Qt::Key_V);
    ASSERT_EQ(objects(), (std::vector<int>{101, 105, TEXTTYPE}));
    EXPECT_STREQ(IWO[3].label, "from elsewhere");
}

} // namespace
