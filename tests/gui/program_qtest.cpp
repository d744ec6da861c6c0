// The ideaweave program as a process: without a display it says so and ends
// with the start-up failure code instead of Qt's abort; a wrong command line
// is refused.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString out;
};

Outcome run(const QStringList &args, const QProcessEnvironment &env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(IW_PROGRAM, args);
    Outcome r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return r;
}

QProcessEnvironment nodisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    return env;
}

} // namespace

TEST(Program, WithoutADisplaySaysSoAndEndsWithTheStartupFailureCode) {
    Outcome r = run({IW_SAMPLE}, nodisplay());
    EXPECT_EQ(r.status, 30);
    EXPECT_TRUE(r.out.startsWith("Unable to open a display")) << r.out.toStdString();

    // A display that cannot be reached: Qt's own failure becomes ours too.
    QProcessEnvironment env = nodisplay();
    env.insert("DISPLAY", ":4711");
    r = run({}, env);
    EXPECT_EQ(r.status, 30);
    EXPECT_TRUE(r.out.startsWith("Unable to open the display")) << r.out.toStdString();
}

TEST(Program, TakesAtMostOneDiagramAndAnswersHelpWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    EXPECT_EQ(run({IW_SAMPLE, IW_SAMPLE}, env).status, 1);
    EXPECT_EQ(run({"--bogus"}, env).status, 1);
    Outcome r = run({"--help"}, nodisplay());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("Ctrl+U undo")) << r.out.toStdString();
    r = run({"--version"}, nodisplay());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("ideaweave ")) << r.out.toStdString();
}
