// guimain.cpp - the GUI tests' main: the QApplication exists only when tests
// run (listing them at build time needs no display), on the offscreen
// platform unless the environment names another one. The editor's settings
// are kept in the build tree, never in the user's configuration.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char **argv) {
    bool listing = false;
    for (int i = 1; i < argc; i++)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
    ::testing::InitGoogleTest(&argc, argv);
    setenv("XDG_CONFIG_HOME", IW_TEST_CONFIGDIR, 1);
    std::unique_ptr<QApplication> app;
    if (!listing) {
        const char *platform = std::getenv("QT_QPA_PLATFORM");
        if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
