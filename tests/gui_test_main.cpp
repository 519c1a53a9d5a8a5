#include <QApplication>

#include <gtest/gtest.h>

// One QApplication, which applies the user's locale as the program does; discovery runs without
// ctest's environment, so the headless platform (with ctest's screens, if any) is pinned here too.
int main(int argc, char *argv[])
{
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
