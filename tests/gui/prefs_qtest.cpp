// The settings in the editor: it starts with the saved icon set, interface
// font, zoom and grid; the preferences window opens from the menu as a dialog
// of five pages, applies at once with Apply Now, takes a drawer from the
// drawer chooser and comes back where it was closed.
#include "guifixture.h"

#include "app/prefwindow.h"
#include "app/startup.h"
#include "model/bytes.h"
#include "model/settings.h"
#include "render/drawstate.h"
#include "store/prefs.h"

#include <QFileDialog>
#include <QSlider>
#include <QTabWidget>

namespace {

using Settings = Editor;

QWidget *gadget(int id) { return gadgetof(gadgetdialog(prefwin), id); }

// An editor started with a settings file: the defaults with a few changes.
class SavedSettings : public Editor {
  protected:
    void beforestart() override {
        setstartvalues();
        setdefaultpreferences();
        PrefList.IconSet = 1;
        PrefList.font.ta_YSize = 13;
        copytext(PrefList.fontname, sizeof PrefList.fontname, "DejaVu Sans.font");
        PrefList.zoom = 0.5f;
        PrefList.GridSize = 200;
        PrefList.ShowGrid = 1;
        QDir(home.path()).mkdir("ideaweave");
        QFile f(home.filePath("ideaweave/default.prefs"));
        auto bytes = writepreferencesbytes();
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((const char *)bytes.data(), (qint64)bytes.size());
    }
};

} // namespace

TEST_F(SavedSettings, EditorStartsWithTheSavedIconSetFontZoomAndGrid) {
    EXPECT_EQ(IconSet, 1);
    EXPECT_EQ(ui->iconsize, 24);
    EXPECT_EQ(QApplication::font().pixelSize(), 13);
    newdiagram();
    EXPECT_FLOAT_EQ(zoom, 0.5f);
    EXPECT_EQ(GridSize, 200);
    EXPECT_EQ(ShowGrid, 1);
    EXPECT_TRUE(action(3, 5)->isChecked());
}

// The first start makes the settings file and keeps the desktop's font; the
// preferences window applies at once and reopens where it was closed.
TEST_F(Settings, FirstStartAndThePreferencesWindow) {
    EXPECT_EQ(QFileInfo(home.filePath("ideaweave/default.prefs")).size(), 2857);
    EXPECT_EQ(QApplication::font(), desktopfont);
    newdiagram();
    menu(4, 0);
    QDialog *d = gadgetdialog(prefwin);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->windowTitle(), "Ideaweave Preferences");
    auto *tabs = qobject_cast<QTabWidget *>(gadget(406));
    ASSERT_NE(tabs, nullptr);
    QStringList names;
    for (int i = 0; i < tabs->count(); i++) names << tabs->tabText(i);
    EXPECT_EQ(names, QStringList({"Info", "Page", "Object", "Interface", "Misc"}));

    // The drawer chooser shows directories only and gives the Save Path.
    inmodal("drawerrequester", [this](QWidget *w) {
        auto *fd = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(fd->fileMode(), QFileDialog::Directory);
        fd->setDirectory(home.path());
        fd->selectFile(home.path());
        QMetaObject::invokeMethod(fd, "accept");
    });
    tabs->setCurrentIndex(0);
    clickon(gadget(412));
    EXPECT_EQ(gadgettext(prefwin, 412), QFile::encodeName(home.path()).toStdString());

    // Apply Now: the view takes the zoom at once, the default drawer its "/".
    tabs->setCurrentIndex(3);
    gadget(438)->findChild<QSlider *>()->setValue(50);
    clickon(gadget(440));
    EXPECT_FLOAT_EQ(zoom, 0.5f);
    EXPECT_EQ(std::string(defaultIWODiagram.filename), gadgettext(prefwin, 412));
    EXPECT_EQ(gadgettext(prefwin, 412).back(), '/');

    keepsplace(
        prefwin, [this] { menu(4, 0); }, [] { EXPECT_EQ(prefwindowopen, 0); });
}
