#include "appstate.h"
#include "displaycheck.h"
#include "germanqttexts.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "quitsignals.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    DisplayCheck::install();
    QApplication app(argc, argv);
    DisplayCheck::release();
    GermanQtTexts::install(app);
    QApplication::setApplicationName(QStringLiteral("monte-carlo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.montecarlo.MonteCarlo"));

    AppState state;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    MainWindow window(state, screen.size());
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(screen);
    window.showFullScreen();
    QuitSignals quitSignals(window);

    return MainLoop(state, window).run();
}
