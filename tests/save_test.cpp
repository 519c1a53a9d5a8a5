#include "germanqttexts.h"
#include "program.h"

#include <csignal>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>

namespace {

// Run under LANG=en_US.UTF-8: Qt's own texts are German once installed as the program does.
TEST(QtTexts, GermanOnAnEnglishDesktop)
{
    ASSERT_EQ(QLocale::system().name(), "en_US") << "LANG=en_US.UTF-8 is not in effect";
    ASSERT_TRUE(GermanQtTexts::install(*qApp)) << "qt6-translations-l10n is not installed";
    Program p;
    QStringList texts;
    p.settings([&](SettingsDialog &dialog) {
        const std::unique_ptr<QMenu> menu(Program::child(dialog, "radius")->createStandardContextMenu());
        for (const QAction *action : menu->actions())
            texts << action->text();
    });
    EXPECT_EQ(texts.join(u'|').toStdString(), "&Rückgängig\tStrg+Z|Wieder&herstellen\tStrg+Y||&Ausschneiden\tStrg+X|"
                                "&Kopieren\tStrg+C|Einf&ügen\tStrg+V|Löschen||Alles auswählen\tStrg+A");
}

bool inFsync(pid_t pid)
{
    long number = -1;
    std::ifstream("/proc/" + std::to_string(pid) + "/syscall") >> number;
    return number == SYS_fsync;
}

// The saving program (this program's main with a save chosen at start) is
// signalled while strace holds its fsync for 2 s: the save is under way.
TEST(QuitSignals, MidSave)
{
    if (readFile("/proc/self/status").find("TracerPid:\t0\n") != std::string::npos)
        GTEST_SKIP() << "needs each fsync slowed by strace, as ctest runs it";
    // status: the wait status, 0 for exit code 0 or the signal that ended it.
    struct Row { const char *name; int signal, status; bool saved; };
    const Row rows[] = {
        {"killed: the old report stays whole", SIGKILL, SIGKILL, false},
        {"terminated: quits after the save", SIGTERM, 0, true},
        {"interrupted: quits after the save", SIGINT, 0, true},
        {"hung up: quits after the save", SIGHUP, 0, true},
    };
    for (const auto &[name, signal, status, saved] : rows) {
        SCOPED_TRACE(name);
        TempFolder work;
        std::ofstream(ResultReport::fileName) << "the old report";
        char program[] = SAVING_PROGRAM;
        char *argv[] = {program, nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, program, nullptr, nullptr, argv, environ), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return inFsync(pid); }, 20000)) << "no save under way";
        ::kill(pid, signal);
        QElapsedTimer clock;
        clock.start();
        int waitStatus = -1;
        (void)QTest::qWaitFor([&] { return ::waitpid(pid, &waitStatus, WNOHANG) != 0; }, 10000);
        const qint64 took = clock.elapsed();
        if (took >= 10000)
            ::kill(pid, SIGKILL), ::waitpid(pid, &waitStatus, 0);
        EXPECT_EQ(waitStatus, status);
        EXPECT_LT(took, 4000);
        EXPECT_EQ(listing(work.path), work.path.string() + "/mc_result.txt:" + (saved ? "Monte Car" : "the old r") + "\n");
        EXPECT_EQ(readFile(ResultReport::fileName), saved ? ResultReport::compose(200, 2, 0, 0, 0, 0, 0, 0) : "the old report");
    }
}

} // namespace
