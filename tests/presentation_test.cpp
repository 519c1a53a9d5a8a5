// The layer without a toolkit: what the screens show and what the commands, the pass, the tick and the
// settings decide.

#include "body.h"
#include "clock.h"
#include "commandid.h"
#include "menu.h"
#include "pace.h"
#include "piestimate.h"
#include "report.h"
#include "reportsink.h"
#include "resultreport.h"
#include "runprogress.h"
#include "screenreader.h"
#include "savemessage.h"
#include "session.h"
#include "settings.h"
#include "settingsform.h"
#include "shotpicture.h"
#include "simulation.h"
#include "statuspage.h"
#include "textfit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <regex>
#include <set>
#include <string>

#ifndef _WIN32
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// The page as "line,x:text+n", n the blanks after the text, texts joined by a blank.
std::string page(const std::vector<StatusPage::Text> &texts)
{
    std::string all;
    for (const auto &[line, x, text] : texts) {
        const auto end = text.find_last_not_of(' ') + 1;
        all += (all.empty() ? "" : " ") + std::to_string(line) + "," + std::to_string(x) + ":" + text.substr(0, end)
            + (end < text.size() ? "+" + std::to_string(text.size() - end) : "");
    }
    return all;
}

void run(Session &session, int budget = 100000)
{
    session.command(IdStart);
    for (int i = 0; i < budget && session.running(); ++i)
        session.pass();
}

// Each command in turn on one session: what it asks the front end to repaint or open, and the run after it.
TEST(Session, CommandsAndWhatTheyRepaint)
{
    const Repaint nothing, bothErased{true, true, true}, told{.announce = true};
    Session s;
    const struct { const char *name; std::function<Reaction()> step; Reaction reaction; bool running, quit; } rows[] = {
        {"start: runs, the picture stays, told", [&] { return s.command(IdStart); }, {told}, true, false},
        {"a divider does nothing", [&] { return s.command(IdDividerAfterSettings); }, {}, true, false},
        {"40011, between two commands, belongs to no item", [&] { return s.command(40011); }, {}, true, false},
        {"an id beyond the menu", [&] { return s.command(50000); }, {}, true, false},
        {"settings open over the run", [&] { return s.command(IdSettings); }, {nothing, Reaction::Window::Settings},
         true, false},
        {"settings closed: both panes erased", [&] { return Reaction{s.everything()}; }, {bothErased}, true, false},
        {"about opens its box", [&] { return s.command(IdAbout); }, {nothing, Reaction::Window::About}, true, false},
        {"stop: both panes erased, told", [&] { return s.command(IdStop); }, {{true, true, true, true}}, false, false},
        {"stop while idle: erased, nothing told", [&] { return s.command(IdStop); }, {bothErased}, false, false},
        {"quit", [&] { return s.command(IdQuit); }, {}, false, true},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(row.step(), row.reaction) << row.name;
        EXPECT_EQ(std::pair(s.running(), s.quitRequested()), std::pair(row.running, row.quit)) << row.name;
    }
}

// Counts, ratio, variance, pi, volume and whether it runs, as one text; a NaN variance of either sign as "nan".
std::string values(const Session &session)
{
    const Simulation &s = session.state().simulation;
    const PiEstimate &pi = session.state().pi;
    const Body &body = session.state().body;
    const double variance = std::isnan(s.variance()) ? std::fabs(s.variance()) : s.variance();
    char text[200];
    std::snprintf(text, sizeof text, "%g %g %g %g %g %g %s", s.shots(), s.hits(), s.hitRatio(), variance, pi.value(),
                  body.volume(), s.running() ? "running" : "idle");
    return text;
}

// What start, the shots, stop and the 20 Hz tick refresh, in order; shot 1 misses, shots 2 to 4 hit.
TEST(Session, WhatEachStepRefreshes)
{
    Session s;
    manual(s, "3");
    const auto start = [&](bool automatic) {
        configure(s, [&](SettingsForm::Entries &e) { e.autoStop = automatic; });
        s.command(IdStart);
    };
    const auto fire = [&](int shots) {
        while (shots-- > 0)
            s.pass();
    };
    const auto tick = [&] { s.tick(); };
    const struct { const char *name; std::function<void()> step; const char *values; } rows[] = {
        {"manual start", [&] { start(false); }, "0 0 0 0 0 0 running"},
        {"manual shots refresh nothing", [&] { fire(2); }, "2 1 0 0 0 0 running"},
        {"manual tick: variance from the old ratio, then ratio, pi, volume", tick, "2 1 0.5 0 2 80000 running"},
        {"next manual tick: variance from that ratio", tick, "2 1 0.5 0.25 2 80000 running"},
        {"stop at the target: ratio and pi, not variance", [&] { fire(1); }, "3 2 0.666667 0.25 2.66667 80000 idle"},
        {"automatic start zeros counts, ratio and variance", [&] { start(true); }, "0 0 0 0 2.66667 80000 running"},
        {"automatic tick: pi and volume, not variance", tick, "0 0 0 0 0 0 running"},
        {"automatic shot: ratio and variance, NaN at one", [&] { fire(1); }, "1 1 1 nan 0 0 running"},
    };
    for (const auto &row : rows) {
        row.step();
        EXPECT_EQ(values(s), row.values) << row.name;
    }
}

// A pass shoots, advances the colour, asks for the shot pane and applies the stop rule; idle it does nothing.
// Where the point goes and in which colour is the shot picture's, tested with it.
TEST(Session, PassRepaintsTheShotPaneAndAdvancesTheColour)
{
    Session s;
    EXPECT_EQ(s.pass(), Repaint{});
    EXPECT_EQ(s.state().colour.rgb(), 0u);
    manual(s, "3");
    s.command(IdStart);
    EXPECT_EQ(s.pass(), Repaint{.shotPane = true});
    s.pass();
    // The third stops the run, which is told: the figure is drawn instead of its point.
    EXPECT_EQ(s.pass(), (Repaint{.shotPane = true, .announce = true}));
    Session first;
    run(first);
    EXPECT_EQ(first.state().colour.rgb(), 0x458D0Cu); // red 69, green 141, blue 12 after 33649 shots
}

// Time that passes with the shots, each taking the same milliseconds, and with what a test adds: the same run
// however often it is read.
struct ShotClock : Clock
{
    const Session &session;
    double perShot;
    double idle = 0;
    ShotClock(const Session &s, double ms) : session(s), perShot(ms) {}
    double milliseconds() override { return session.state().simulation.shots() * perShot + idle; }
};

// A run through advance, in budgets of one frame or of a whole second, against the desktop's loop one step at a
// time on the same clock: the same shots plotted in the same colours, the same ticks at the same shots, and
// so the same numbers when it stops; then idle, only a tick that is due, a late one once.
TEST(Session, AdvanceRunsWhatTheDesktopLoopRuns)
{
    const struct { const char *name; bool automatic; double perShot, budget; } rows[] = {
        {"automatic, 100,000 shots a second, by frames", true, 0.01, Pace::frameMilliseconds},
        {"automatic, 800,000 shots a second, by seconds", true, 0.00125, 1000},
        {"manual, a tick every 7 shots, by frames", false, 7.5, Pace::frameMilliseconds},
        {"manual, a shot beyond a tick, by one", false, 60, 1},
    };
    for (const auto &row : rows) {
        const auto prepared = [&](Session &s) {
            manual(s, "500");
            configure(s, [&](SettingsForm::Entries &e) { e.autoStop = row.automatic; });
            s.command(IdStart);
        };
        Session desktop;
        prepared(desktop);
        ShotClock desktopClock(desktop, row.perShot);
        std::vector<ShotPicture::Plot> drawn;
        int desktopTicks = 0;
        for (double due = Pace::tickMilliseconds;;) {
            // The drain delivers the timer, late ones once, as desktop timers do.
            if (const double now = desktopClock.milliseconds(); now >= due) {
                desktop.tick();
                ++desktopTicks;
                due = std::floor(now / Pace::tickMilliseconds + 1) * Pace::tickMilliseconds;
            }
            if (!desktop.running())
                break;
            desktop.pass();
            if (const auto plot = ShotPicture::plot(desktop))
                drawn.push_back(*plot);
        }

        Session paced;
        prepared(paced);
        ShotClock clock(paced, row.perShot);
        EXPECT_TRUE(paced.advance(std::nan(""), clock).plots.empty()) << row.name << ": a budget that is no number";
        Advance all;
        double longest = 0;
        while (paced.running()) {
            const double before = clock.milliseconds();
            Advance frame = paced.advance(row.budget, clock);
            longest = std::max(longest, clock.milliseconds() - before);
            all.plots.insert(all.plots.end(), frame.plots.begin(), frame.plots.end());
            all.ticks += frame.ticks;
        }
        EXPECT_EQ(values(paced), values(desktop)) << row.name;
        EXPECT_EQ(all.ticks, desktopTicks) << row.name;
        EXPECT_TRUE(all.plots == drawn) << row.name;
        EXPECT_LT(longest, row.budget + row.perShot) << row.name << ": the budget kept to within a shot";

        const struct { const char *name; double later; int ticks; } idle[] = {
            {"idle before the next tick is due", 0, 0},
            {"idle when it is due", Pace::tickMilliseconds, 1},
            {"idle three ticks late: one", 3 * Pace::tickMilliseconds, 1},
        };
        for (const auto &step : idle) {
            clock.idle += step.later;
            const Advance advanced = paced.advance(1000, clock);
            EXPECT_EQ(std::pair(advanced.ticks, advanced.plots.size()), std::pair(step.ticks, size_t{0}))
                << row.name << ": " << step.name;
        }
    }
}

// What a screen reader is told when a run starts and ends, with the numbers of the page's next refresh.
TEST(ScreenReader, RunStartAndEnd)
{
    Session s;
    s.command(IdStart);
    const std::string started = ScreenReader::announcement(s);
    run(s);
    const std::string firstRun = ScreenReader::announcement(s);
    configure(s, [](SettingsForm::Entries &e) { e.dimensions = "3"; });
    s.command(IdStart);
    for (int shot = 0; shot < 4; ++shot)
        s.pass();
    s.command(IdStop); // before the tick that refreshes the volume
    EXPECT_EQ(started, "Durchlauf gestartet.");
    EXPECT_EQ(firstRun, "Durchlauf beendet, 33.649 Punkte geschossen, 26.446 Treffer, Pi 3,143748699812773.");
    EXPECT_EQ(ScreenReader::announcement(s),
              "Durchlauf beendet, 4 Punkte geschossen, 2 Treffer, Volumen 32.000.000,000 Pixel hoch 3.");
}

// A run's progress told every ten seconds from its start, never more often, a manual run's in per cent.
TEST(ScreenReader, ProgressPaced)
{
    Session s;
    manual(s, "4");
    RunProgress progress;
    const struct { const char *name; int command, shots, ms; std::optional<std::string> told; } rows[] = {
        {"at the start nothing", IdStart, 0, 0, std::nullopt},
        {"within ten seconds nothing", 0, 1, 9999, std::nullopt},
        {"ten seconds in", 0, 0, 10000, "Durchlauf bei 25 Prozent, 1 Punkt geschossen."},
        {"ten seconds from the last", 0, 0, 19999, std::nullopt},
        {"stopped: nothing", IdStop, 0, 25000, std::nullopt},
        {"a new run: ten seconds from its start", IdStart, 2, 30000, std::nullopt},
        {"not from the last run's", 0, 0, 35000, std::nullopt},
        {"the new run ten seconds in", 0, 0, 40000, "Durchlauf bei 50 Prozent, 2 Punkte geschossen."},
    };
    for (const auto &row : rows) {
        if (row.command)
            s.command(row.command);
        for (int shot = 0; shot < row.shots; ++shot)
            s.pass();
        const auto now = std::chrono::steady_clock::time_point(std::chrono::milliseconds(row.ms));
        EXPECT_EQ(progress.tell(s, now), row.told) << row.name;
    }
}

// The page as each kind of run leaves it, after the tick that refreshes it.
TEST(StatusPage, Pages)
{
    const std::string defaultRun =
        "0,10:Körperinformationen: 2,20:Radius: 3,20:Seitenlänge: 4,20:Dimensionen: 5,20:Kreisfläche: "
        "2,140:200  px+10 3,140:400  px+10 4,140:2+13 5,140:125749.948  px^2+19 7,10:Monte-Carlo-Simulation:+19 "
        "9,20:geschossen (n): 10,20:getroffen (m): 11,20:Wahrscheinl. (p): 12,20:Varianz: 9,140:33649+14 "
        "10,140:26446+14 11,140:78.59372 %+11 12,140:0.0000050000+14 14,10:Berechnung von PI: "
        "16,20:PI = 4 * (m / n) 17,20:3.143748699812773+13";
    const struct { const char *name; std::function<void(Session &)> steps; std::string expected; } rows[] = {
        {"the first automatic run", [](Session &s) { run(s); }, defaultRun},
        {"manual, 2 of 3: truncated", [](Session &s) { manual(s, "3"); s.command(IdStart); s.pass(); s.pass(); },
         "7,10:Monte-Carlo-Simulation:    (66 %)+8"},
        {"manual tick before a shot: a negative zero variance shown unsigned",
         [](Session &s) { manual(s, "3"); s.command(IdStart); }, "12,140:0.0000000000+14"},
        {"one dimension: no pi", [](Session &s) { configure(s, [](auto &e) { e.dimensions = "1"; }); },
         "17,20:Berechnung nur bei 2 Dimensionen möglich"},
        {"three dimensions: no pi", [](Session &s) { configure(s, [](auto &e) { e.dimensions = "3"; }); },
         "17,20:Berechnung nur bei 2 Dimensionen möglich"},
    };
    for (const auto &row : rows) {
        Session s;
        row.steps(s);
        s.tick();
        EXPECT_NE(page(StatusPage::texts(s)).find(row.expected), std::string::npos) << row.name;
    }
}

// 269 integer digits of a volume fit the 299-character buffer beside "  px^99" and its blanks; 270 turn scientific.
TEST(StatusPage, VolumeBoundedByTheTextBuffer)
{
    const struct { const char *name; int radius; const char *volume; } rows[] = {
        {"269 digits in full", 260, "7661\\d{265}\\.000"},
        {"270 digits scientific", 261, "1\\.120e\\+269"},
    };
    for (const auto &row : rows) {
        Body body;
        body.setDimensions(99);
        body.setRadius(row.radius);
        body.updateVolume(1.0);
        ShotGenerator generator;
        const std::string shown = page(StatusPage::texts(body, Simulation(generator), PiEstimate()));
        EXPECT_TRUE(std::regex_search(shown, std::regex(std::string(" 5,140:") + row.volume + "  px\\^99\\+19 ")))
            << row.name;
    }
}

// The four "|" items are dividers, which a screen reader knows as separators; nothing else is.
TEST(Menu, Dividers)
{
    const struct { const char *name; int id; bool divider; } rows[] = {
        {"after the settings", IdDividerAfterSettings, true},
        {"after stop", IdDividerAfterStop, true},
        {"after save", IdDividerAfterSave, true},
        {"after quit", IdDividerAfterQuit, true},
        {"a command", IdStart, false},
        {"the last command", IdAbout, false},
        {"an id of no item", 40003, false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Menu::isDivider(row.id), row.divider) << row.name;
}

// A text wider than its place in the dialog's font grows to the right, or moves left where the dialog ends.
TEST(TextFit, Widened)
{
    const struct { const char *name; int textWidth; Rect place; } rows[] = {
        {"fits: unchanged", 50, {20, 5, 60, 12}},
        {"wider: grows to the right", 90, {20, 5, 90, 12}},
        {"wider than the room left: moves left", 170, {10, 5, 170, 12}},
        {"wider than the dialog: from its left edge", 250, {0, 5, 250, 12}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TextFit::widened({20, 5, 60, 12}, row.textWidth, 180), row.place) << row.name;
}

// The report saved during a manual run before its first shot: zeros, and a negative zero variance.
const std::string zeros = reportBytes("0.00000", "0", "0", "0.0000000000", "-0.0000000000", "0.000000000000000");

// The first line of every refused save, and the help where starting in another folder helps.
const std::string refused = "Auswertung konnte nicht in Datei 'mc_result.txt' gespeichert werden.\n";
const char *const elsewhere = "\nStarten Sie das Programm aus einem Ordner, in dem Sie schreiben dürfen.";

struct RecordingSink : ReportSink
{
    AtomicFile::Outcome answer;
    std::string bytes;
    AtomicFile::Outcome deliver(std::string_view delivered) override
    {
        bytes = delivered;
        return answer;
    }
};

// A save hands the sink the report's bytes and words its answer, here a quota exhausted, not a full disk; the run
// goes on. (A save that is written is worded in the rows below.)
TEST(Session, SaveHandsTheReportToTheSink)
{
    RecordingSink sink;
    sink.answer = {.failure = AtomicFile::Failure::QuotaExhausted, .systemError = 122, .folder = "/home/anna"};
    Session s(sink);
    manual(s, "1e9");
    s.command(IdStart);
    s.tick();
    EXPECT_EQ(s.command(IdSaveResult).message,
              (Message{"Fehler: Speichern",
                       refused + "Das Speicherkontingent ist ausgeschöpft.\nOrdner: /home/anna" + elsewhere, true}));
    EXPECT_EQ(sink.bytes, zeros);
    EXPECT_TRUE(s.running());
    sink.answer = {.failure = AtomicFile::Failure::DownloadRefused, .folder = {}};
    EXPECT_EQ(s.command(IdSaveResult).message.text,
              refused + "Der Browser hat das Herunterladen abgelehnt.\n"
                        "Erlauben Sie dieser Seite das Herunterladen und speichern Sie erneut.")
        << "a browser's refusal, with no folder";
}

// Processes, mounts and users of their own: Linux, not the browser's engine, whose files live in memory.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// Writes size bytes to name (none: it is there already) and gives it mode.
bool put(const fs::path &name, int mode, int size = 7)
{
    if (size >= 0)
        std::ofstream(name) << std::string(size, 'x');
    fs::permissions(name, fs::perms(mode));
    return true;
}

bool linked(const char *target, const char *name) { return ::symlink(target, name) == 0; }

// Whether this row's process has mounts of its own, unseen outside: root, and not in a chroot, whose root
// cannot be made private.
bool isolated = false;

// A 16 KiB file system mounted on the working folder and entered (only where isolated): full, or read-only with
// a report.
bool mounted(bool readOnly)
{
    if (!isolated || ::mount("tmpfs", ".", "tmpfs", 0, "size=16k") != 0)
        return false;
    fs::current_path(fs::current_path()); // into the mounted one
    put(readOnly ? ResultReport::fileName : "filler", 0644, readOnly ? 7 : 65536);
    EXPECT_EQ(readOnly ? ::mount(nullptr, ".", nullptr, MS_REMOUNT | MS_RDONLY, nullptr) : 0, 0);
    return true;
}

// Saves during a manual run, before its first shot: the report of zeros with a negative zero variance. A refused
// save warns with the reason and the folder, changes nothing, and says to start elsewhere where that helps; an
// allowed one writes in place or through links; the run goes on.
TEST(Session, SaveMessagesAndWhatIsLeft)
{
    const Message saved{"Ergebnis gespeichert.", "Auswertung in Datei 'mc_result.txt' gespeichert.", false};
    TempFolder work;
    Session s;
    manual(s, "1e9");
    s.command(IdStart);
    s.tick();

    // Each in a folder of its own: what is there, whether user nobody saves (folder permissions do not stop
    // root), the warning's reason, whether starting elsewhere helps and the folder named, if not the row's
    // own; or no reason if the report is written (through the links, if any).
    const struct { bool (*prepare)(); bool asNobody; const char *reason; const char *help; const char *folder{}; }
        rows[] = {
        {[] { return true; }, false, nullptr, ""}, // a new report
        {[] { return put("mc_result.txt", 0640); }, false, nullptr, ""}, // a replaced one keeps its mode
        {[] { return put("mc_result.txt", 0444); }, false, "Die vorhandene Datei ist schreibgeschützt.", ""},
        {[] { return fs::create_directories("mc_result.txt/inside"); }, false,
         "Unter diesem Namen besteht bereits ein Ordner.", ""},
        {[] { return fs::remove(fs::current_path()); }, false, "Der Arbeitsordner ist nicht mehr vorhanden.", elsewhere},
        {[] { return linked("gone/report.txt", "mc_result.txt"); }, false,
         "Der Ordner des Verknüpfungsziels ist nicht vorhanden.", elsewhere, "gone"},
        {[] { return ::geteuid() == 0 && put(ResultReport::fileName, 0644) && put(".", 0777, -1); }, true,
         "Keine Schreibberechtigung für die vorhandene Datei.", ""}, // root's report
        // Reached through a link, as the shell's $PWD tells.
        {[] { return linked(".", "here") && put(".", 0555, -1)
                     && !::setenv("PWD", (fs::current_path() / "here").c_str(), 1); }, true,
         "Keine Schreibberechtigung im Arbeitsordner.", elsewhere, "here"},
        {[] { return mounted(false); }, false, "Der Datenträger ist voll.", elsewhere},
        // Without /proc no unnamed file can be named: a named temporary one, which a full disk leaves nowhere.
        {[] { return mounted(false) && !::umount2("/proc", MNT_DETACH); }, false, "Der Datenträger ist voll.", elsewhere},
        {[] { return mounted(true); }, false, "Das Dateisystem ist schreibgeschützt.", elsewhere},
        // A long path: its middle elided, between whole characters; a byte that is no UTF-8 replaced.
        {[] { return linked("/nirgends/Prüfläufe der Monte-Carlo-Simulation für Kreise und Kugeln \xFF älter/r",
                            "mc_result.txt"); }, false, "Der Ordner des Verknüpfungsziels ist nicht vorhanden.", elsewhere,
         "/nirgends/Prüfläufe der Monte… für Kreise und Kugeln � älter"},
        // Written in place: over a longer report in a locked folder, and over root's report in a sticky one.
        {[] { return put("mc_result.txt", 0666, 999) && put(".", 0555, -1); }, true, nullptr, ""},
        {[] { return put("mc_result.txt", 0666) && put(".", 01777, -1); }, true, nullptr, ""},
        // A new report through the named temporary file (no /proc) gets the umask's mode, as through the unnamed one.
        {[] { return isolated && !::umount2("/proc", MNT_DETACH); }, false, nullptr, ""},
        // A chain of links, each relative to its own folder; a link to a report not yet there.
        {[] { return fs::create_directory("sub") && put("sub/report", 0644) && linked("report", "sub/a")
                     && linked("sub/a", "mc_result.txt"); }, false, nullptr, ""},
        {[] { return linked("sub/report", "mc_result.txt") && fs::create_directory("sub"); }, false, nullptr, ""},
    };
    fs::permissions(work.path, fs::perms(0755));
    const fs::path real = fs::canonical(work.path);
    const auto failures = [] {
        return testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    };
    int row = 0, needRoot = 0;
    const mode_t umask = ::umask(0);
    ::umask(umask);
    for (const auto &saveRow : rows) {
        SCOPED_TRACE(++row);
        const fs::path own = real / std::to_string(row);
        fs::create_directory(own);
        std::fflush(stdout); // else the child prints it again
        const pid_t child = ::fork();
        if (child == 0) { // the row alone: its mounts and its user end with it, also if it fails or crashes
            const int failed = failures();
            bool prepared = true;
            [&]() noexcept { // an ASSERT ends the row, an exception the child
                // Bound here: clang before 16 cannot capture a structured binding in a lambda.
                const auto &[prepare, asNobody, reason, help, folder] = saveRow;
                fs::current_path(own);
                isolated = ::geteuid() == 0 && !::unshare(CLONE_NEWNS)
                    && !::mount(nullptr, "/", nullptr, MS_PRIVATE | MS_REC, nullptr);
                if (!(prepared = prepare())) { // only root can make another user's report, only isolated mount
                    EXPECT_FALSE(isolated) << "not prepared";
                    return;
                }
                const std::string before = listing(work.path);
                const bool wasLink = fs::is_symlink(ResultReport::fileName);
                // What a written report leaves: the folder's other names as they were, the report's mode.
                const auto names = [] {
                    std::set<fs::path> all{ResultReport::fileName};
                    for (const auto &entry : fs::directory_iterator("."))
                        all.insert(entry.path().filename());
                    return all;
                };
                const std::set<fs::path> kept = reason ? std::set<fs::path>() : names();
                const fs::perms mode = reason || !fs::exists(ResultReport::fileName)
                    ? fs::perms(0666 & ~umask) : fs::status(ResultReport::fileName).permissions();
                const bool switchUser = asNobody && ::geteuid() == 0;
                ASSERT_TRUE(!switchUser || (!::setegid(65534) && !::seteuid(65534)));
                const Reaction reaction = s.command(IdSaveResult);
                ASSERT_TRUE(!switchUser || (!::seteuid(0) && !::setegid(0))); // to read it all
                const std::string named = "\nOrdner: " + (folder ? own / folder : own).string() + help;
                const Message expected = reason ? Message{"Fehler: Speichern", refused + reason + named, true} : saved;
                EXPECT_EQ(reaction.message, expected);
                EXPECT_EQ(reason ? listing(work.path) : readFile(ResultReport::fileName), reason ? before : zeros);
                EXPECT_EQ(fs::is_symlink(ResultReport::fileName), wasLink);
                if (!reason) {
                    EXPECT_EQ(names(), kept); // no temporary file, also where the replace was refused
                    EXPECT_EQ(fs::status(ResultReport::fileName).permissions(), mode);
                }
                EXPECT_TRUE(s.running()); // the run goes on
            }();
            std::fflush(stdout);
            ::_exit(failures() != failed ? 1 : prepared ? 0 : 2);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 1) << "failed or crashed: " << status;
        needRoot += WIFEXITED(status) && WEXITSTATUS(status) == 2;
    }
    EXPECT_EQ(readFile("/proc/self/mounts").find(real.string()), std::string::npos); // no row's mount left
    if (needRoot)
        GTEST_SKIP() << "the other rows passed; " << needRoot
                     << " need root, and mounts of their own: another user's report, full and read-only file systems";
}

#endif

#ifndef _WIN32
// A name longer than the file system takes (no row: a link to it would break every listing).
TEST(Session, SavePathTooLong)
{
    TempFolder work;
    const std::string folder = std::string(300, 'x');
    EXPECT_EQ(SaveMessage::about(AtomicFile::replace(folder + "/mc_result.txt", "neu")).text,
              refused + "Der Pfad ist zu lang.\nOrdner: "
                  + (fs::current_path() / "xxxxxxxxxxxxxxxxxxxxxxxxxxxx").string().substr(0, 29) + "…"
                  + std::string(30, 'x') + "\nStarten Sie das Programm aus einem Ordner mit kürzerem Pfad.");
    EXPECT_TRUE(fs::is_empty("."));
}

#endif

} // namespace
