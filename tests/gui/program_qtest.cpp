// The ideaweave program as a process: without a display it says so and ends
// with the start-up failure code instead of Qt's abort; a wrong command line
// is refused.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

// The exit status (-1: still running after 20 s, -2: crashed) and what was printed.
std::pair<int, QString> run(const QStringList &args, const QProcessEnvironment &env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(IW_PROGRAM, args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return {-1, {}};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
            QString::fromLocal8Bit(p.readAllStandardOutput())};
}

} // namespace

// Each command line and environment, with the exit status and the start of
// what is printed. A display that cannot be reached: Qt's own failure becomes
// the start-up failure code too.
TEST(Program, ExitStatusAndMessageOfEachCommandLine) {
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment(), none = offscreen;
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) none.remove(name);
    QProcessEnvironment unreachable = none;
    offscreen.insert("QT_QPA_PLATFORM", "offscreen");
    unreachable.insert("DISPLAY", ":4711");
    const struct {
        QStringList args;
        QProcessEnvironment env;
        int status;
        QString out; // "" for any
    } cases[] = {
        {{IW_SAMPLE}, none, 30, "Unable to open a display"},
        {{}, unreachable, 30, "Unable to open the display"},
        {{IW_SAMPLE, IW_SAMPLE}, offscreen, 1, ""},
        {{"--bogus"}, offscreen, 1, ""},
        {{"--help"}, none, 0, "ideaweave - "},
        {{"--version"}, none, 0, "ideaweave "},
    };
    for (const auto &c : cases) {
        auto [status, out] = run(c.args, c.env);
        EXPECT_EQ(status, c.status) << c.args.join(" ").toStdString();
        EXPECT_TRUE(c.out.isEmpty() || out.startsWith(c.out)) << out.toStdString();
    }
    EXPECT_TRUE(run({"--help"}, none).second.contains("Ctrl+U undo"));
}
