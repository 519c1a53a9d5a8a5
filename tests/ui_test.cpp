#include "appstate.h"
#include "commandid.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "shotcolour.h"
#include "shotpane.h"
#include "statuspage.h"
#include "statuspane.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const QRgb black = 0x000000;
const QRgb white = 0xFFFFFF;

// A fresh process: its state, its window for a 1024 x 768 screen, its loop.
class Program : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(state, QSize(1024, 768));
        loop = std::make_unique<MainLoop>(state, *window);
        loop->pass(); // serves the first paints
    }

    // Posts a command the way a menu click arrives: served at the next drain.
    void postCommand(int id)
    {
        QMetaObject::invokeMethod(window.get(), [this, id] { window->command(id); },
                                  Qt::QueuedConnection);
    }

    QRgb shotPixel(int x, int y) const { return window->shotPane().image().pixel(x, y) & 0xFFFFFF; }

    // Answers the next modal box: records what it showed, then presses OK.
    struct BoxSeen
    {
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool shown = false;
    };
    static void answerNextBox(BoxSeen &seen)
    {
        QTimer::singleShot(0, [&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = {box->windowTitle(), box->text(), box->icon(), true};
            box->accept();
        });
    }

    AppState state;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainLoop> loop;
};

TEST(ShotColour, CyclesRedThenGreenThenBlue)
{
    struct Row { int shots, red, green, blue; };
    const Row rows[] = {{1, 3, 0, 0}, {85, 255, 0, 0}, {86, 0, 3, 0}, {7396, 0, 0, 3},
                        {86 * 86 * 86, 0, 0, 0}};
    for (const Row &row : rows) {
        ShotColour colour;
        for (int i = 0; i < row.shots; ++i)
            colour.advance();
        EXPECT_EQ(colour.red, row.red) << row.shots;
        EXPECT_EQ(colour.green, row.green) << row.shots;
        EXPECT_EQ(colour.blue, row.blue) << row.shots;
    }
    ShotColour first;
    first.advance();
    EXPECT_EQ(first.rgb() & 0xFFFFFF, 0x030000u); // red 3 as a pixel
}

TEST(MainWindowLayout, PaneSplit)
{
    struct Row { int right, split; };
    for (const Row row : {Row{640, 384}, Row{800, 480}, Row{1023, 614}, Row{1024, 615},
                          Row{1366, 820}, Row{1920, 1152}})
        EXPECT_EQ(MainWindow::paneSplit(row.right), row.split) << row.right;
}

TEST_F(Program, MenuHasTenPlainItemsWithTheirIds)
{
    const QList<QAction *> actions = window->menuBar()->actions();
    const QStringList labels = {"&Einstellungen", "|", "&Start", "Sto&p", "|",
                                "Er&gebnis speichern", "|", "&Beenden", "|", "&?"};
    const QList<int> ids = {40009, 40007, 40004, 40010, 40005, 40013, 40008, 40002, 40006, 40012};
    ASSERT_EQ(actions.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(actions[i]->text(), labels[i]);
        EXPECT_EQ(actions[i]->data().toInt(), ids[i]);
        EXPECT_EQ(actions[i]->menu(), nullptr);
    }
}

TEST_F(Program, PanesSplitTheClientArea)
{
    const QSize client = window->clientSize();
    const int split = MainWindow::paneSplit(1024);
    EXPECT_EQ(window->shotPane().geometry(), QRect(0, 0, split, client.height()));
    EXPECT_EQ(window->statusPane().geometry(), QRect(split, 0, 1024, client.height()));
    EXPECT_LT(client.height(), 768);
}

TEST_F(Program, StartDispatchedInADrainShootsInTheSamePass)
{
    postCommand(IdStart);
    ASSERT_TRUE(loop->pass());
    EXPECT_TRUE(state.simulation.running());
    EXPECT_EQ(state.simulation.shots(), 1.0);
    EXPECT_EQ(state.colour.red, 3);
    // The first shot (-159, -133) is plotted at the next drain, in red 3.
    EXPECT_EQ(shotPixel(51, 77), white);
    loop->pass();
    EXPECT_EQ(shotPixel(51, 77), 0x030000u);
}

TEST_F(Program, StoppingShotIsCountedButNeverPlotted)
{
    state.simulation.setAutoStop(false);
    state.simulation.setTargetShots(3);
    postCommand(IdStart);
    loop->pass(); // shot 1
    loop->pass(); // shot 1 plotted, shot 2
    loop->pass(); // shot 2 plotted, shot 3 stops the run
    EXPECT_FALSE(state.simulation.running());
    EXPECT_EQ(state.simulation.shots(), 3.0);
    const int x = state.body.toScreen(state.simulation.shotX());
    const int y = state.body.toScreen(state.simulation.shotY());
    EXPECT_EQ(shotPixel(51, 77), 0x030000u);
    loop->pass(); // the last request finds no run: the figure covers the points
    EXPECT_NE(shotPixel(x, y), 0x090000u);
    EXPECT_EQ(shotPixel(51, 77), white);
    EXPECT_EQ(state.colour.red, 9); // no pass without a run advances the colour
}

TEST_F(Program, QuitDuringARunStillFiresThePassShot)
{
    postCommand(IdStart);
    loop->pass();
    postCommand(IdQuit);
    EXPECT_TRUE(loop->pass());
    EXPECT_EQ(state.simulation.shots(), 2.0);
    EXPECT_FALSE(loop->pass());
    EXPECT_EQ(state.simulation.shots(), 2.0);
}

TEST_F(Program, DesktopCloseEndsTheLoop)
{
    window->close();
    EXPECT_FALSE(loop->pass());
    EXPECT_EQ(loop->run(), 0);
}

TEST_F(Program, FirstAutomaticRunThroughTheLoop)
{
    postCommand(IdStart);
    while (loop->pass() && state.simulation.running()) {
    }
    EXPECT_EQ(state.simulation.shots(), 33649.0);
    EXPECT_EQ(state.simulation.hits(), 26446.0);
    EXPECT_EQ(state.pi.value(), 3.143748699812773);
}

TEST_F(Program, FigureAfterStopRuleAndAfterStop)
{
    const auto expectEmptyFigure = [this] {
        EXPECT_EQ(shotPixel(10, 10), black);    // the square's corner
        EXPECT_EQ(shotPixel(409, 409), black);  // right and bottom bounds exclusive
        EXPECT_EQ(shotPixel(410, 410), white);
        EXPECT_EQ(shotPixel(210, 10), black);   // the circle touches the top side
        EXPECT_EQ(shotPixel(210, 210), white);
        EXPECT_EQ(shotPixel(14, 14), white);    // between circle and corner
    };
    expectEmptyFigure();

    state.body.setDimensions(1); // stops by the rule after 51 shots on row 210
    postCommand(IdStart);
    while (loop->pass() && state.simulation.running()) {
    }
    loop->pass();
    expectEmptyFigure();

    state.simulation.setThreshold(0); // never stops by itself
    postCommand(IdStart);
    for (int i = 0; i < 500; ++i)
        loop->pass();
    postCommand(IdStop);
    loop->pass();
    expectEmptyFigure();
    EXPECT_FALSE(state.simulation.running());
}

TEST_F(Program, ShotsLandOnTheSquaresCornerPixels)
{
    // Radius 1: every shot is one of the four corners of a 2 x 2 square.
    state.body.setRadius(1);
    postCommand(IdStop); // redraws the figure at the new radius: four outline pixels
    loop->pass();
    for (int x : {10, 11})
        for (int y : {10, 11})
            EXPECT_EQ(shotPixel(x, y), black);
    EXPECT_EQ(shotPixel(12, 12), white);
    postCommand(IdStart);
    loop->pass();
    bool sawTopLeft = false, sawBottomRight = false;
    for (int i = 0; i < 20 && !(sawTopLeft && sawBottomRight); ++i) {
        const int x = state.simulation.shotX(), y = state.simulation.shotY();
        loop->pass();
        const QRgb pixel = shotPixel(state.body.toScreen(x), state.body.toScreen(y));
        EXPECT_NE(pixel, white);
        if (x == -1 && y == -1) {
            sawTopLeft = true;
            EXPECT_NE(shotPixel(10, 10), black);
        }
        if (x == 0 && y == 0) {
            sawBottomRight = true;
            EXPECT_NE(shotPixel(11, 11), black);
        }
    }
    EXPECT_TRUE(sawTopLeft && sawBottomRight);
}

TEST_F(Program, CentrePixelBeforeTheFirstShot)
{
    state.simulation.start();
    window->shotPane().requestPaint(false);
    window->servePendingPaints();
    EXPECT_NE(shotPixel(210, 210), white);
}

TEST_F(Program, DividersAndUnknownIdsChangeNothing)
{
    postCommand(IdStart);
    loop->pass();
    loop->pass();
    const double shots = state.simulation.shots();
    window->servePendingPaints();
    for (int id : {40003, 40005, 40006, 40007, 40008, 40011, 40001, 40014, 0, -1, 65536 + IdQuit}) {
        window->command(id);
        EXPECT_FALSE(window->paintsPending()) << id;
    }
    EXPECT_TRUE(state.simulation.running());
    EXPECT_FALSE(state.quitRequested);
    EXPECT_EQ(state.simulation.shots(), shots);
}

TEST_F(Program, TickRefreshesDerivedValuesAndDrawsWhiteOnBlack)
{
    state.simulation.setAutoStop(false);
    state.simulation.start();
    for (int i = 0; i < 2; ++i)
        state.simulation.shoot(state.body);
    window->statusPane().tick();
    // Manual mode: the variance rests on the ratio of the previous refresh.
    EXPECT_EQ(state.simulation.variance(), 0.0);
    EXPECT_EQ(state.simulation.hitRatio(), 0.5);
    EXPECT_EQ(state.pi.value(), 2.0);
    EXPECT_EQ(state.body.volume(), 80000.0);
    window->servePendingPaints();

    const QImage &image = window->statusPane().image();
    const int lineHeight = window->statusPane().lineHeight();
    ASSERT_GT(lineHeight, 0);
    int whitePixels = 0;
    for (int y = 10 + 9 * lineHeight; y < 10 + 10 * lineHeight; ++y)
        for (int x = 140; x < 260; ++x)
            whitePixels += (image.pixel(x, y) & 0xFFFFFF) != black;
    EXPECT_GT(whitePixels, 5); // the count 2
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, black);
}

QString textAt(const std::vector<StatusPage::Text> &texts, int line, int x)
{
    for (const auto &text : texts)
        if (text.line == line && text.x == x)
            return text.text;
    return QStringLiteral("<none>");
}

TEST_F(Program, PageRightAfterStartUp)
{
    window->statusPane().tick();
    const auto texts = StatusPage::texts(state.body, state.simulation, state.pi);
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(textAt(texts, 0, 10), QStringLiteral("Körperinformationen:"));
    EXPECT_EQ(textAt(texts, 2, 140), QStringLiteral("200  px          "));
    EXPECT_EQ(textAt(texts, 3, 140), QStringLiteral("400  px          "));
    EXPECT_EQ(textAt(texts, 4, 140), QStringLiteral("2             "));
    EXPECT_EQ(textAt(texts, 5, 140), QStringLiteral("0.000  px^2                   "));
    EXPECT_EQ(textAt(texts, 7, 10), QStringLiteral("Monte-Carlo-Simulation:                   "));
    EXPECT_EQ(textAt(texts, 9, 140), QStringLiteral("0              "));
    EXPECT_EQ(textAt(texts, 10, 140), QStringLiteral("0              "));
    EXPECT_EQ(textAt(texts, 11, 140), QStringLiteral("0.00000 %           "));
    EXPECT_EQ(textAt(texts, 12, 140), QStringLiteral("0.0000000000              "));
    EXPECT_EQ(textAt(texts, 17, 20), QStringLiteral("0.000000000000000             "));
    EXPECT_EQ(textAt(texts, 16, 20), QStringLiteral("PI = 4 * (m / n)"));
}

TEST_F(Program, ManualHeadlineTruncatesThePercentage)
{
    state.simulation.setAutoStop(false);
    state.simulation.setTargetShots(100);
    state.simulation.start();
    int shots = 0;
    for (const auto &[target, expected] : std::vector<std::pair<int, const char *>>{
             {29, "Monte-Carlo-Simulation:    (28 %)        "},
             {57, "Monte-Carlo-Simulation:    (56 %)        "},
             {58, "Monte-Carlo-Simulation:    (57 %)        "},
             {100, "Monte-Carlo-Simulation:    (100 %)        "}}) {
        for (; shots < target; ++shots)
            state.simulation.shoot(state.body);
        EXPECT_EQ(textAt(StatusPage::texts(state.body, state.simulation, state.pi), 7, 10),
                  QString::fromLatin1(expected));
    }
}

TEST(StatusPage, EdgeValuesStayReadableAndBounded)
{
    ShotGenerator generator;
    Simulation simulation(generator);
    PiEstimate pi;
    Body body;
    body.setDimensions(3);
    EXPECT_EQ(textAt(StatusPage::texts(body, simulation, pi), 17, 20),
              QStringLiteral("Berechnung nur bei 2 Dimensionen möglich"));

    // 64000^64, about 4 * 10^307, needs more than the text buffer: scientific instead.
    body.setRadius(32000);
    body.setDimensions(64);
    body.updateVolume(1.0);
    const QString volume = textAt(StatusPage::texts(body, simulation, pi), 5, 140);
    EXPECT_TRUE(volume.startsWith(QStringLiteral("3.940e+307  px^64 "))) << volume.toStdString();
    EXPECT_LE(volume.size(), StatusPage::maxTextLength);
    body.setDimensions(99);
    body.updateVolume(1.0);
    EXPECT_TRUE(textAt(StatusPage::texts(body, simulation, pi), 5, 140).startsWith(QStringLiteral("inf  px^99")));

    // Shots 1 gives a NaN variance; no shot a negative zero.
    simulation.setAutoStop(false);
    simulation.start();
    simulation.updateVariance();
    EXPECT_EQ(textAt(StatusPage::texts(body, simulation, pi), 12, 140),
              QStringLiteral("0.0000000000              "));
    simulation.shoot(body);
    simulation.updateVariance();
    EXPECT_EQ(textAt(StatusPage::texts(body, simulation, pi), 12, 140),
              QStringLiteral("nan              "));
    for (const auto &text : StatusPage::texts(body, simulation, pi))
        EXPECT_LE(text.text.size(), StatusPage::maxTextLength);
}

TEST_F(Program, GermanLocaleKeepsThePoint)
{
    // The tests run under LC_ALL=de_DE.UTF-8, which QApplication applied.
    char probe[8];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    if (std::string(probe) != "0,5")
        GTEST_SKIP() << "no German locale in effect";
    state.simulation.start();
    state.simulation.shoot(state.body);
    state.simulation.shoot(state.body);
    state.simulation.stop(state.pi);
    window->statusPane().tick();
    const auto texts = StatusPage::texts(state.body, state.simulation, state.pi);
    EXPECT_EQ(textAt(texts, 11, 140), QStringLiteral("50.00000 %           "));
    EXPECT_EQ(textAt(texts, 17, 20), QStringLiteral("2.000000000000000             "));
    EXPECT_EQ(textAt(texts, 5, 140), QStringLiteral("80000.000  px^2                   "));
}

// Saving goes to the working directory: each test gets a folder of its own.
class Saving : public Program
{
protected:
    void SetUp() override
    {
        Program::SetUp();
        previous = fs::current_path();
        char pattern[] = "/tmp/mc-save-XXXXXX";
        folder = ::mkdtemp(pattern);
        fs::current_path(folder);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    static std::string read(const char *name)
    {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path previous, folder;
};

TEST_F(Saving, SaveWritesTheReportAndConfirms)
{
    BoxSeen seen;
    answerNextBox(seen);
    window->command(IdSaveResult);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QStringLiteral("Ergebnis gespeichert."));
    EXPECT_EQ(seen.text, QStringLiteral("Auswertung in Datei 'mc_result.txt' gespeichert."));
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(read("mc_result.txt"), ResultReport::compose(200, 2, 0, 0, 0, 0, 0, 0));
}

} // namespace
