#include "program.h"

#include <clocale>
#include <sys/mount.h>
#include <tuple>
#include <unistd.h>

namespace {

const QRgb black = 0x000000, white = 0xFFFFFF;

// Each menu item in turn: what it opens ("x": with a close box), whether a run is active, whether it quits.
// Every dialog and box has no minimise or maximise, shows focus frames and hands the keyboard back.
TEST(Program, MenuItems)
{
    TempFolder work;
    Program p;
    const auto windowActive = [&] { return QApplication::activeWindow() == &p.window; };
    ASSERT_TRUE(QTest::qWaitFor(windowActive));
    QString opened;
    QTimer closer;
    closer.callOnTimeout([&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || QApplication::activeWindow() != dialog)
            return;
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_EQ(flags & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint), Qt::CustomizeWindowHint);
        EXPECT_TRUE(dialog->testAttribute(Qt::WA_KeyboardFocusChange));
        opened = dialog->windowTitle() + (flags & Qt::WindowCloseButtonHint ? " x" : "");
        dialog->done(0);
    });
    closer.start(0);
    QStringList chosen;
    for (QAction *item : p.window.menuBar()->actions()) {
        opened.clear();
        item->trigger();
        EXPECT_TRUE(QTest::qWaitFor(windowActive)) << item->text().toStdString();
        chosen << item->text() + (item->menu() ? "+menu:" : ":") + opened
                + (p.state.simulation.running() ? " run" : "") + (p.state.quitRequested ? " quit" : "");
    }
    EXPECT_EQ(chosen.join(u',').toStdString(),
              "&Einstellungen:Einstellungen x,|:,&Start: run,Sto&p:,|:,"
              "Er&gebnis speichern:Ergebnis gespeichert. x,|:,&Beenden: quit,|: quit,&?:about Monte-Carlo quit");
}

// With no run a pass waits for the next event. A pass drains the queue, shoots, advances the colour,
// asks for the plot and applies the stop rule; the plot is drawn at the next drain, when the run may
// have ended. Start restarts the counts, not the picture; Stop draws the figure anew.
TEST(Program, PassOrder)
{
    Program p;
    p.window.tickTimer().start(); // the 50 ms tick wakes an idle loop a few times
    int passes = 0;
    for (const QDeadlineTimer idle(300); !idle.hasExpired(); ++passes)
        p.loop.pass();
    EXPECT_LT(passes, 100);
    p.window.tickTimer().stop();
    p.state.simulation.setAutoStop(false);
    p.state.simulation.setTargetShots(3);
    p.post(IdStart);
    p.loop.pass(); // started in the drain, shot 1 at (-159, -133) in the same pass, not yet plotted
    EXPECT_EQ(std::tuple(p.state.simulation.shots(), p.pixel(51, 77)), std::tuple(1.0, white));
    p.loop.pass();
    EXPECT_EQ(p.pixel(51, 77), 0x030000u);
    p.window.tick();
    EXPECT_TRUE(p.page().contains(QLatin1String(" 7,10:Monte-Carlo-Simulation:    (66 %)+8 "))); // 2 of 3, truncated
    p.loop.pass(); // shot 3 stops the run; shot 2 at (134, -100) is drawn
    EXPECT_EQ(std::tuple(p.state.simulation.running(), p.pixel(344, 110)), std::tuple(false, 0x060000u));
    p.loop.pass(); // the stopping shot is not plotted: the figure covers all
    EXPECT_EQ(std::tuple(p.state.simulation.shots(), p.pixel(51, 77)), std::tuple(3.0, white));

    p.state.simulation.setTargetShots(1e9);
    p.run(5);
    EXPECT_EQ(p.pixel(10, 10), black); // the figure stays
    p.post(IdQuit); // the pass that quits still shoots, the next one ends the loop
    EXPECT_TRUE(p.loop.pass());
    EXPECT_FALSE(p.loop.pass());
    EXPECT_EQ(p.state.simulation.shots(), 6.0);
    p.state.body.setRadius(100);
    p.window.command(IdStop);
    p.window.servePendingPaints(); // the old square goes
    EXPECT_EQ(QList({p.pixel(409, 409), p.pixel(209, 209)}), QList({white, black}));
}

// Each text's top at lineHeight * line + 10: the page drawn again there gives the same pixels. 269 integer
// digits of a volume fit the 299-character buffer beside "  px^99", 270 turn scientific.
TEST(Program, StatusPageRowsLongVolumesAndNoPiBeyondTwoDimensions)
{
    Program p;
    StatusPane &pane = p.window.statusPane();
    const QImage &shown = pane.image();
    QImage expected = shown.copy();
    expected.fill(Qt::black);
    QPainter painter(&expected);
    painter.setFont(pane.font());
    painter.setPen(Qt::white);
    const int lineHeight = QFontMetrics(pane.font()).lineSpacing();
    for (const auto &[line, x, text] : pane.shownPage())
        painter.drawText(QRect(x, lineHeight * line + 10, 1024, lineHeight), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    EXPECT_TRUE(shown == expected);
    p.state.body.setDimensions(99);
    for (const auto &[radius, volume] : {std::pair(260, "7661\\d{265}\\.000"), std::pair(261, "1\\.120e\\+269")}) {
        p.state.body.setRadius(radius);
        p.state.body.updateVolume(1.0);
        EXPECT_TRUE(p.page().contains(QRegularExpression(QString(" 5,140:%1  px\\^99\\+19 ").arg(volume)))) << radius;
    }
    EXPECT_TRUE(p.page().endsWith(QStringLiteral(" 17,20:Berechnung nur bei 2 Dimensionen möglich")));
}

// Writes size bytes to name (none: it is there already) and gives it mode.
bool put(const fs::path &name, int mode, int size = 7)
{
    if (size >= 0)
        std::ofstream(name) << std::string(size, 'x');
    fs::permissions(name, fs::perms(mode));
    return true;
}

bool linked(const char *target, const char *name) { return ::symlink(target, name) == 0; }

// A 16 KiB file system mounted on the working folder and entered (root only): full, or read-only with a report.
bool mounted(bool readOnly)
{
    if (::geteuid() != 0 || ::mount("tmpfs", ".", "tmpfs", 0, "size=16k") != 0)
        return false;
    fs::current_path(fs::current_path()); // into the mounted one
    put(readOnly ? ResultReport::fileName : "filler", 0644, readOnly ? 7 : 65536);
    EXPECT_EQ(readOnly ? ::mount(nullptr, ".", nullptr, MS_REMOUNT | MS_RDONLY, nullptr) : 0, 0);
    return true; // mounted: the row runs, and its file system goes after it
}

// The default run shown and saved. Then saves during a run: a refused one warns with the
// reason and changes nothing, an allowed one writes in place or through links; the run goes on.
TEST(Program, DefaultRunShownAndSavedUnderAGermanLocale)
{
    const QString saved = "Ergebnis gespeichert.|Auswertung in Datei 'mc_result.txt' gespeichert.";
    const std::string zeros = reportBytes("0.00000", "0", "0", "0.0000000000", "-0.0000000000", "0.000000000000000");
    TempFolder work;
    Program p;
    EXPECT_STREQ(std::localeconv()->decimal_point, ",") << "LC_ALL=de_DE.UTF-8 is not in effect";
    p.run();
    p.loop.pass(); // the circle's top, inside it, and beside it in the square's corner
    EXPECT_EQ(QList({p.pixel(210, 10), p.pixel(210, 210), p.pixel(14, 14)}), QList({black, white, white}));
    EXPECT_EQ(p.state.colour.rgb() & 0xFFFFFF, 0x458D0Cu); // red 69, green 141, blue 12
    p.window.tick();
    EXPECT_EQ(p.page(), "0,10:Körperinformationen: 2,20:Radius: 3,20:Seitenlänge: 4,20:Dimensionen: 5,20:Kreisfläche: "
                        "2,140:200  px+10 3,140:400  px+10 4,140:2+13 5,140:125749.948  px^2+19 "
                        "7,10:Monte-Carlo-Simulation:+19 9,20:geschossen (n): 10,20:getroffen (m): "
                        "11,20:Wahrscheinl. (p): 12,20:Varianz: 9,140:33649+14 10,140:26446+14 11,140:78.59372 %+11 "
                        "12,140:0.0000050000+14 14,10:Berechnung von PI: 16,20:PI = 4 * (m / n) "
                        "17,20:3.143748699812773+13");
    p.answering([&] { p.window.command(IdSaveResult); });
    EXPECT_EQ(readFile(ResultReport::fileName),
              reportBytes("125749.94799", "33649", "26446", "78.5937174953", "0.0000050000", "3.143748699812773"));
    fs::permissions(ResultReport::fileName, fs::perms(0640)); // a replaced report keeps its mode
    p.state.simulation.setAutoStop(false);
    p.state.simulation.start(); // a manual tick with no shot: the variance is a negative zero
    p.window.tick();
    EXPECT_TRUE(p.page().contains(QLatin1String(" 12,140:0.0000000000+14 "))); // shown without its sign
    p.answering([&] { p.window.command(IdSaveResult); });
    EXPECT_EQ(readFile(ResultReport::fileName), zeros); // saved with it
    EXPECT_EQ(fs::status(ResultReport::fileName).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1); // no temporary left

    // Each in a folder of its own: what is there, whether user nobody saves (folder permissions do not
    // stop root), and the warning's reason, or none if the report is written (through the links, if any).
    const struct { bool (*prepare)(); bool asNobody; const char *reason; } rows[] = {
        {[] { return put("mc_result.txt", 0444); }, false, "Die vorhandene Datei ist schreibgeschützt."},
        {[] { return fs::create_directories("mc_result.txt/inside"); }, false,
         "Unter diesem Namen besteht bereits ein Ordner."},
        {[] { return fs::remove(fs::current_path()); }, false, "Der Arbeitsordner ist nicht mehr vorhanden."},
        {[] { return linked("gone/report.txt", "mc_result.txt"); }, false,
         "Der Ordner des Verknüpfungsziels ist nicht vorhanden."},
        {[] { return ::geteuid() == 0 && put(ResultReport::fileName, 0644) && put(".", 0777, -1); }, true,
         "Keine Schreibberechtigung für die vorhandene Datei."}, // root's report
        {[] { return put(".", 0555, -1); }, true, "Keine Schreibberechtigung im Arbeitsordner."},
        {[] { return mounted(false); }, false, "Der Datenträger ist voll."},
        {[] { return mounted(true); }, false, "Das Dateisystem ist schreibgeschützt."},
        // Written in place: over a longer report in a locked folder, and over root's report in a sticky one.
        {[] { return put("mc_result.txt", 0666, 999) && put(".", 0555, -1); }, true, nullptr},
        {[] { return put("mc_result.txt", 0666) && put(".", 01777, -1); }, true, nullptr},
        // A chain of links, each relative to its own folder; a link to a report not yet there.
        {[] { return fs::create_directory("sub") && put("sub/report", 0644) && linked("report", "sub/a")
                     && linked("sub/a", "mc_result.txt"); }, false, nullptr},
        {[] { return linked("sub/report", "mc_result.txt") && fs::create_directory("sub"); }, false, nullptr},
    };
    fs::permissions(work.path, fs::perms(0755));
    int row = 0, needRoot = 0;
    for (const auto &[prepare, asNobody, reason] : rows) {
        SCOPED_TRACE(++row);
        fs::create_directory(work.path / std::to_string(row));
        fs::current_path(work.path / std::to_string(row));
        if (!prepare()) { // only root can make another user's report or mount a file system
            EXPECT_NE(::geteuid(), 0u) << "not prepared";
            ++needRoot;
            continue;
        }
        const std::string before = listing(work.path);
        const bool wasLink = fs::is_symlink(ResultReport::fileName);
        const bool switchUser = asNobody && ::geteuid() == 0;
        ASSERT_TRUE(!switchUser || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
        p.boxes.clear();
        p.answering([&] { p.window.command(IdSaveResult); });
        ASSERT_TRUE(!switchUser || (::seteuid(0) == 0 && ::setegid(0) == 0));
        EXPECT_EQ(p.boxes, QStringList{reason ? "!Fehler: Speichern|Auswertung konnte nicht in Datei 'mc_result.txt' "
                                                "gespeichert werden.\n" + QString::fromUtf8(reason) : saved});
        EXPECT_EQ(reason ? listing(work.path) : readFile(ResultReport::fileName), reason ? before : zeros);
        EXPECT_EQ(fs::is_symlink(ResultReport::fileName), wasLink);
        EXPECT_TRUE(p.state.simulation.running()); // the run goes on
        fs::current_path(work.path);
        ::umount2((work.path / std::to_string(row)).c_str(), MNT_DETACH); // the row's own file system, if any
    }
    if (needRoot)
        GTEST_SKIP() << "the other rows passed; " << needRoot
                     << " need root: another user's report, full and read-only file systems";
}

} // namespace
