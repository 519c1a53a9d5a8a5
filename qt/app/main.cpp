#include "platformstart.h"
#include "germanqttexts.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "quitsignals.h"
#include "screenfollower.h"
#include "session.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PlatformStart::install();
    QApplication app(argc, argv);
    PlatformStart::release();
    GermanQtTexts::install(app);
    QApplication::setApplicationName(QStringLiteral("monte-carlo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.montecarlo.MonteCarlo"));

    Session session;
    MainWindow window(session);
    window.showOn(ScreenFollower::startScreen());
    QuitSignals quitSignals(window);

    return MainLoop(session, window).run();
}
