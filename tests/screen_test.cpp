#include "program.h"
#include "screenfollower.h"

#include <qpa/qplatformnativeinterface.h>

// Runs on the offscreen platform with the screens of screens.json: "wide",
// 1920 x 1080 at scale 1, and "sharp", 1366 x 768 at scale 2. A screen changes
// as a projector, a dock or a monitor would change it.
namespace {

// split: where the status pane starts, right - trunc(right / 2.5).
struct Screen { const char *name; int width, height; double scale; int split; };

void setScreens(std::initializer_list<Screen> screens)
{
    QJsonArray list;
    int x = 0;
    for (const Screen &s : screens)
        list.append(QJsonObject{{"name", s.name}, {"x", std::exchange(x, x + s.width)}, {"y", 0},
                                {"width", s.width}, {"height", s.height}, {"dpr", s.scale}});
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto set = reinterpret_cast<void (*)(const QJsonObject &, QPlatformNativeInterface *)>(
        native->nativeResourceForIntegration("setConfiguration"));
    set(QJsonObject{{"screens", list}}, native);
}

const Screen wide{"wide", 1920, 1080, 1, 1152}, sharp{"sharp", 1366, 768, 2, 820};

// "wide" becomes screen, "sharp" stays, and the program takes the change in.
void change(Program &p, const Screen &screen) { setScreens({screen, sharp}); p.settle(); }

QScreen *named(const char *name)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String(name))
            return screen;
    return nullptr;
}

// The window covers its screen; the panes are laid out for its client area.
void expectLayout(MainWindow &window, const Screen &screen)
{
    const QScreen *on = window.screen();
    ASSERT_EQ(on->name().toStdString(), screen.name);
    EXPECT_EQ(window.geometry(), on->geometry());
    const int right = screen.width, bottom = screen.height - window.menuBar()->height(), split = screen.split;
    EXPECT_EQ(window.clientSize(), QSize(right, bottom));
    EXPECT_EQ(window.shotPane().geometry(), QRect(0, 0, split, bottom));
    EXPECT_EQ(window.statusPane().geometry(), QRect(split, 0, right, bottom));
    EXPECT_EQ(window.statusPane().image().devicePixelRatio(), screen.scale);
    EXPECT_EQ(window.statusPane().extent(), QSize(right - split, bottom));
}

// The shots on the shot pane: each logical pixel neither white nor black,
// with its colour taken from its middle.
QMap<std::pair<int, int>, QRgb> shots(ShotPane &pane)
{
    const QImage &image = pane.image();
    const PixelGrid &grid = pane.grid();
    QMap<std::pair<int, int>, QRgb> shots;
    for (int y = 0; grid.centre(y) < image.height(); ++y)
        for (int x = 0; grid.centre(x) < image.width(); ++x)
            if (const QRgb c = image.pixel(grid.centre(x), grid.centre(y)) & 0xFFFFFF; c && c != 0xFFFFFF)
                shots[{x, y}] = c;
    return shots;
}

} // namespace

// A manual run goes on through every change and ends as it would have without
// one; the points and the figure stay where they were, and at scale 2 the
// square's edges and the shots are whole blocks of screen pixels.
TEST(Screen, FollowsSizeAndScaleWithoutLosingAnything)
{
    setScreens({wide, sharp});
    for (const char *name : {"sharp", "wide"}) { // where the pointer is at start
        QCursor::setPos(named(name)->geometry().center());
        EXPECT_EQ(ScreenFollower::startScreen(), named(name));
    }
    Program reference(named("wide")), p(named("wide"));
    for (Program *run : {&reference, &p}) {
        run->state.simulation.setAutoStop(false);
        run->state.simulation.setTargetShots(3000);
        run->window.command(IdStart);
    }
    reference.passes(3000);
    reference.window.tick();

    expectLayout(p.window, wide);
    p.passes(1000);
    p.settle();
    const auto before = shots(p.window.shotPane());
    ASSERT_GT(before.size(), 900);
    p.window.windowHandle()->setScreen(named("sharp")); // moved to the other monitor
    p.settle();
    expectLayout(p.window, sharp);
    EXPECT_EQ(shots(p.window.shotPane()), before);
    const QImage &image = p.window.shotPane().image();
    // Edges two screen pixels thick at the top, left and right; a shot a 2 x 2 block.
    const auto dark = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; };
    EXPECT_EQ(QList({dark(30, 19), dark(30, 20), dark(30, 21), dark(30, 22)}), QList({false, true, true, false}));
    EXPECT_EQ(QList({dark(19, 30), dark(20, 30), dark(21, 30), dark(22, 30)}), QList({false, true, true, false}));
    EXPECT_EQ(QList({dark(817, 30), dark(818, 30), dark(819, 30), dark(820, 30)}), QList({false, true, true, false}));
    const int x = 2 * p.window.shotPane().toPane(p.state.simulation.shotX());
    const int y = 2 * p.window.shotPane().toPane(p.state.simulation.shotY());
    EXPECT_EQ(image.pixel(x + 1, y + 1), image.pixel(x, y));

    p.passes(1000);
    change(p, {"wide", 1024, 768, 1, 615}); // the monitor unplugged for a projector
    p.window.windowHandle()->setScreen(named("wide"));
    p.settle();
    expectLayout(p.window, {"wide", 1024, 768, 1, 615});
    change(p, {"wide", 1080, 1920, 1, 648}); // turned to portrait
    expectLayout(p.window, {"wide", 1080, 1920, 1, 648});
    EXPECT_EQ(p.window.shotPane().extent(), QSize(411, 411)); // no picture beyond the figure
    p.passes(1000);
    p.window.tick();
    EXPECT_FALSE(p.state.simulation.running());
    const auto report = [](const Program &run) { // every value the saved report holds
        const Simulation &s = run.state.simulation;
        return std::tuple(s.shots(), s.hits(), s.hitRatio(), s.variance(), run.state.body.volume(), run.state.pi.value());
    };
    EXPECT_EQ(report(p), report(reference));
    setScreens({wide, sharp});
}

// While the window is idle a smaller screen cuts the shot pane; grown again it
// shows the whole figure, and the status page is drawn at its places at once.
// A settings dialog open during a change stays whole on the new screen and
// keeps the keyboard.
TEST(Screen, IdleAndWithTheSettingsOpen)
{
    setScreens({wide, sharp});
    Program p(named("wide"));
    p.state.body.setRadius(370);
    p.window.command(IdStop);
    p.settle();
    const QImage figure = p.window.shotPane().image().copy();
    change(p, {"wide", 640, 480, 1, 384});
    expectLayout(p.window, {"wide", 640, 480, 1, 384});
    change(p, wide);
    EXPECT_TRUE(p.window.shotPane().image() == figure);

    p.settings([&](SettingsDialog &dialog) {
        change(p, {"wide", 800, 600, 1, 480});
        EXPECT_TRUE(dialog.screen()->availableGeometry().contains(dialog.frameGeometry())) << dialog.x() << "," << dialog.y();
        QLineEdit *radius = Program::child(dialog, "radius");
        radius->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "12"); // too large: OK warns, Abbrechen closes
        EXPECT_TRUE(radius->text().endsWith("12"));
    });
    p.settle();
    expectLayout(p.window, {"wide", 800, 600, 1, 480});
    EXPECT_EQ(p.window.shotPane().extent(), QSize(751, 751)); // the erase keeps what is hidden
    setScreens({wide, sharp});
}
