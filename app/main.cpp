#include "appstate.h"
#include "displaycheck.h"
#include "mainloop.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

int main(int argc, char *argv[])
{
    DisplayCheck::install();
    QApplication app(argc, argv);
    DisplayCheck::release();
    QApplication::setApplicationName(QStringLiteral("monte-carlo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.montecarlo.MonteCarlo"));

    AppState state;
    MainWindow window(state);
    // Where the desktop launched it: the screen under the pointer.
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    window.showOn(screen ? screen : QGuiApplication::primaryScreen());

    return MainLoop(state, window).run();
}
