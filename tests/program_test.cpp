#include "program.h"
#include "resultreport.h"

#include <clocale>
#include <tuple>

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
                + (p.session.running() ? " run" : "") + (p.session.quitRequested() ? " quit" : "");
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
    manual(p.session, "3");
    p.post(IdStart);
    p.loop.pass(); // started in the drain, shot 1 at (-159, -133) in the same pass, not yet plotted
    EXPECT_EQ(std::tuple(p.session.state().simulation.shots(), p.pixel(51, 77)), std::tuple(1.0, white));
    p.loop.pass();
    EXPECT_EQ(p.pixel(51, 77), 0x030000u);
    p.loop.pass(); // shot 3 stops the run; shot 2 at (134, -100) is drawn
    EXPECT_EQ(std::tuple(p.session.running(), p.pixel(344, 110)), std::tuple(false, 0x060000u));

    configure(p.session, [](SettingsForm::Entries &e) { e.targetShots = "1e9"; });
    p.run(5);
    EXPECT_EQ(p.pixel(10, 10), black); // the figure stays
    p.post(IdQuit); // the pass that quits still shoots, the next one ends the loop
    EXPECT_TRUE(p.loop.pass());
    EXPECT_FALSE(p.loop.pass());
    EXPECT_EQ(p.session.state().simulation.shots(), 6.0);
    configure(p.session, [](SettingsForm::Entries &e) { e.radius = "100"; });
    p.window.command(IdStop);
    p.window.servePendingPaints(); // the old square goes
    EXPECT_EQ(QList({p.pixel(409, 409), p.pixel(209, 209)}), QList({white, black}));
}

// Each text's top at lineHeight * line + 10: the page drawn again there gives the same pixels.
TEST(Program, StatusPageRowsAtTheirPlaces)
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
        painter.drawText(QRect(x, lineHeight * line + 10, 1024, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(text));
    painter.end();
    EXPECT_TRUE(shown == expected);
}

// The default run, which ends by itself, shown and saved through the menu under a German locale; its box
// confirms. At its end the empty figure covers its points, and none is drawn over the figure afterwards.
TEST(Program, DefaultRunShownAndSavedUnderAGermanLocale)
{
    TempFolder work;
    Program p;
    EXPECT_STREQ(std::localeconv()->decimal_point, ",") << "LC_ALL=de_DE.UTF-8 is not in effect";
    p.run();
    p.loop.pass(); // the circle's top, inside it, and beside it in the square's corner
    EXPECT_EQ(QList({p.pixel(210, 10), p.pixel(210, 210), p.pixel(14, 14)}), QList({black, white, white}));
    EXPECT_EQ(p.points(black).size(), 0); // no shot drawn over the figure
    p.window.tickTimer().start();
    p.passes(3);
    EXPECT_EQ(p.points(black).size(), 0) << "after the end";
    p.window.tick();
    p.answering([&] { p.window.command(IdSaveResult); });
    EXPECT_EQ(p.boxes, QStringList{"Ergebnis gespeichert.|Auswertung in Datei 'mc_result.txt' gespeichert."});
    EXPECT_EQ(readFile(ResultReport::fileName),
              reportBytes("125749.94799", "33649", "26446", "78.5937174953", "0.0000050000", "3.143748699812773"));
}

} // namespace
