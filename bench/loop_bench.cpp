// The program's real loop, headless: shots per second of a manual run with every
// shot plotted, against a bare loop that only drains the event queue; the CPU
// share while idle; ticks per second during the run; peak memory.
//
//   loop_bench [shots]          a run of shots (default 1,000,000)
//   loop_bench --long [shots]   a long run (default 100,000,000): the rate and
//                               the memory at its start and at its end

#include "commandid.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "session.h"
#include "sessionstate.h"
#include "settingsform.h"
#include "statuspane.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

struct Bench
{
    Session session;
    MainWindow window{session};
    MainLoop loop{session, window};
    long ticks = 0;

    Bench()
    {
        window.setGeometry(0, 0, 1280, 800);
        window.show();
        QObject::connect(&window.tickTimer(), &QTimer::timeout, [this] { ++ticks; });
    }

    // Passes of the real loop until the run has fired `shots` more shots.
    double shoot(double shots)
    {
        const double target = session.state().simulation.shots() + shots;
        const auto start = Clock::now();
        while (session.running() && session.state().simulation.shots() < target)
            loop.pass();
        return (session.state().simulation.shots() - (target - shots)) / secondsSince(start);
    }

    static double bare(long passes)
    {
        const auto start = Clock::now();
        for (long i = 0; i < passes; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return static_cast<double>(passes) / secondsSince(start);
    }

    void startRun(double shots)
    {
        // A manual run of that many shots, as the settings would store it.
        SettingsForm form(session);
        SettingsForm::Entries entries = form.shown();
        entries.autoStop = false;
        entries.targetShots = std::to_string(static_cast<long long>(shots));
        form.accept(entries);
        window.command(IdStart);
        loop.pass();
    }
};

void compare(Bench &bench, double shots)
{
    // Interleaved chunks, so that both loops see the same machine load.
    const int chunks = 10;
    const double perChunk = shots / chunks;
    double shotSeconds = 0, bareSeconds = 0, fired = 0;
    long barePasses = 0;
    bench.startRun(shots + 1);
    const long ticksBefore = bench.ticks;
    for (int i = 0; i < chunks; ++i) {
        const double rate = bench.shoot(perChunk);
        shotSeconds += perChunk / rate;
        fired += perChunk;
        const long passes = static_cast<long>(perChunk);
        bareSeconds += static_cast<double>(passes) / Bench::bare(passes);
        barePasses += passes;
    }
    const double shotRate = fired / shotSeconds;
    const double bareRate = static_cast<double>(barePasses) / bareSeconds;
    const double ticksPerSecond = static_cast<double>(bench.ticks - ticksBefore) / (shotSeconds + bareSeconds);
    bench.window.command(IdStop);
    bench.loop.pass();

    std::printf("shots per second (every shot plotted): %.0f\n", shotRate);
    std::printf("bare passes per second (drain only):   %.0f\n", bareRate);
    std::printf("ratio shots / bare passes:             %.2f (goal >= 0.80)\n", shotRate / bareRate);
    std::printf("status ticks per second during run:    %.1f (goal 20)\n", ticksPerSecond);

    const double cpuBefore = cpuSeconds();
    const auto idleStart = Clock::now();
    while (secondsSince(idleStart) < 3.0)
        bench.loop.pass();
    const double idleShare = (cpuSeconds() - cpuBefore) / secondsSince(idleStart) * 100.0;
    std::printf("CPU share while idle for 3 s:          %.2f %% (goal < 2 %%)\n", idleShare);
    std::printf("peak memory:                           %.1f MB (goal < 80 MB)\n", peakMegabytes());
}

void longRun(Bench &bench, double shots)
{
    const double window = 1e6;
    bench.startRun(shots);
    const double early = bench.shoot(window);
    const double earlyPeak = peakMegabytes(), earlyResident = residentMegabytes();
    const auto start = Clock::now();
    bench.shoot(shots - 2 * window - 1);
    const double middleSeconds = secondsSince(start);
    const double late = bench.shoot(window);
    std::printf("long run of %.0f shots (%.0f s in all)\n", shots, middleSeconds + 2 * window / early);
    std::printf("shots per second, first million: %.0f\n", early);
    std::printf("shots per second, last million:  %.0f (ratio last/first %.2f)\n", late, late / early);
    std::printf("memory after the first million:  peak %.1f MB, resident %.1f MB\n", earlyPeak, earlyResident);
    std::printf("memory at the end:               peak %.1f MB, resident %.1f MB\n", peakMegabytes(),
                residentMegabytes());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool isLong = argc > 1 && std::strcmp(argv[1], "--long") == 0;
    const int countArg = isLong ? 2 : 1;
    const double shots = argc > countArg ? std::atof(argv[countArg]) : (isLong ? 1e8 : 1e6);

    Bench bench;
    for (int i = 0; i < 10; ++i)
        bench.loop.pass();
    if (isLong)
        longRun(bench, shots);
    else
        compare(bench, shots);
    return 0;
}
