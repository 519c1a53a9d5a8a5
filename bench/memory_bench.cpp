// Peak memory of the program against a bare full-screen Qt window with a menu
// bar, each in a process of its own on the same headless screen, at scale 1
// (1920 x 1080) and scale 2 (3840 x 2160 screen pixels). Prints both figures
// and their ratio (goal at most 1.3); asserts nothing.
//
//   memory_bench

#include "commandid.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "session.h"
#include "settingsform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What any full-screen Qt program with a menu bar costs: shown, painted, idle.
void bareWindow()
{
    QMainWindow window;
    for (const char *item : {"&Einstellungen", "|", "&Start", "Sto&p", "|", "Er&gebnis speichern", "|",
                             "&Beenden", "|", "&?"})
        window.menuBar()->addAction(QString::fromUtf8(item));
    window.setCentralWidget(new QWidget);
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.showFullScreen();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The program through a manual run of 300,000 shots at the default radius,
// every shot plotted, the tick running.
void program()
{
    Session session;
    MainWindow window(session);
    MainLoop loop(session, window);
    window.showOn(QGuiApplication::primaryScreen());
    SettingsForm form(session);
    SettingsForm::Entries entries = form.shown();
    entries.autoStop = false;
    entries.targetShots = "300000";
    form.accept(entries);
    window.command(IdStart);
    while (session.running())
        loop.pass();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 200)
        loop.drain(false);
}

double measure(const QString &what, const QString &screens, int scale)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screens);
    // The offscreen platform keeps its windows at logical size when the screen
    // itself says it is scaled; Qt's own factor gives them screen pixels.
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), what});
    child.waitForFinished(120000);
    return child.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        if (std::strcmp(argv[2], "bare") == 0)
            bareWindow();
        else
            program();
        std::printf("%.1f\n", peakMegabytes());
        return 0;
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    std::printf("scale  screen pixels  bare window  program  ratio (goal <= 1.3)\n");
    for (const int scale : {1, 2}) {
        const QString screens = folder.filePath(QStringLiteral("screens%1.json").arg(scale));
        QFile file(screens);
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1,
            "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                       .arg(1920 * scale)
                       .arg(1080 * scale)
                       .toUtf8());
        file.close();
        const double bare = measure(QStringLiteral("bare"), screens, scale);
        const double used = measure(QStringLiteral("program"), screens, scale);
        std::printf("%5d  %4d x %4d  %8.1f MB  %5.1f MB  %.2f\n", scale, 1920 * scale, 1080 * scale, bare,
                    used, used / bare);
    }
    return 0;
}
