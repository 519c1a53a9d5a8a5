#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole process; it applies the
// user's locale to the C library, as the program does. Test discovery runs
// without ctest's environment, so the headless platform is pinned here too,
// with whatever screens ctest configures for it.
int main(int argc, char *argv[])
{
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
