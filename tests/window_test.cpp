#include "appstate.h"
#include "commandid.h"
#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Each row opens one dialog or box from the menu; while it is open its flags and
// its focus frame are checked; after it closes, who has the keyboard.
TEST(Window, DialogsAndBoxesFromTheMenu)
{
    const struct { int id; const char *what; bool closeBox; } rows[] = {
        {IdSettings, "settings", true},
        {IdAbout, "about", false},
        {IdSaveResult, "save box", true},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    AppState state;
    MainWindow window(state);
    window.setGeometry(0, 0, 800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        QAction *item = nullptr;
        for (QAction *action : window.menuBar()->actions())
            item = action->data().toInt() == row.id ? action : item;
        Qt::WindowFlags flags = Qt::WindowMinimizeButtonHint;
        bool focusFrame = false;
        QTimer::singleShot(50, [&] {
            auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            flags = open->windowFlags();
            focusFrame = open->testAttribute(Qt::WA_KeyboardFocusChange);
            open->done(0);
        });
        item->trigger();
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_EQ(bool(flags & Qt::WindowCloseButtonHint), row.closeBox);
        EXPECT_TRUE(focusFrame);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
    }
}
