#include "germanqttexts.h"
#include "program.h"
#include "resultreport.h"

#include <csignal>
#include <sys/syscall.h>
#include <tuple>

namespace {

// Run under LANG=en_US.UTF-8: the program, as its own main starts it, shows Qt's own texts in German.
TEST(QtTexts, GermanOnAnEnglishDesktop)
{
    ASSERT_EQ(QLocale::system().name(), "en_US") << "LANG=en_US.UTF-8 is not in effect";
    ASSERT_TRUE(GermanQtTexts::install(*qApp)) << "qt6-translations-l10n is not installed";
    TempFolder work;
    QProcess program;
    program.start(SAVING_PROGRAM, {"texts"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardOutput()).toStdString(),
              "&Rückgängig\tStrg+Z|Wieder&herstellen\tStrg+Y||&Ausschneiden\tStrg+X|"
              "&Kopieren\tStrg+C|Einf&ügen\tStrg+V|Löschen||Alles auswählen\tStrg+A|");
}

// The saving program (this program's main with a save chosen at start) is
// signalled while strace holds its fsync for 2 s: the save is under way.
TEST(QuitSignals, MidSave)
{
    if (readFile("/proc/self/status").find("TracerPid:\t0\n") != std::string::npos)
        GTEST_SKIP() << "needs each fsync slowed by strace, as ctest runs it";
    // status: the exit code, 0 once the save is done, or the signal that ended the program.
    const struct { const char *name; int signal, status; } rows[] = {
        {"killed: the old report stays whole", SIGKILL, SIGKILL},
        {"terminated: quits after the save", SIGTERM, 0},
        {"interrupted: quits after the save", SIGINT, 0},
        {"hung up: quits after the save", SIGHUP, 0},
    };
    for (const auto &[name, signal, status] : rows) {
        SCOPED_TRACE(name);
        TempFolder work;
        std::ofstream(ResultReport::fileName) << "the old report";
        QProcess saving; // killed when it goes, if still running
        saving.start(SAVING_PROGRAM, {});
        ASSERT_TRUE(saving.waitForStarted());
        const std::string inSyscall = "/proc/" + std::to_string(saving.processId()) + "/syscall"; // its number first
        const auto inFsync = [&] { return readFile(inSyscall).starts_with(std::to_string(SYS_fsync) + " "); };
        EXPECT_TRUE(QTest::qWaitFor(inFsync, 20000)) << "no save under way";
        ::kill(saving.processId(), signal);
        EXPECT_TRUE(saving.waitForFinished(4000)) << "still running 4 s after the signal";
        const std::string report = status ? "the old report" : ResultReport::compose({.radius = 200, .dimensions = 2});
        EXPECT_EQ(std::tuple(saving.exitCode(), listing(work.path), readFile(ResultReport::fileName)),
                  std::tuple(status, work.path.string() + "/mc_result.txt:" + report.substr(0, 9) + "\n", report));
    }
}

} // namespace
