#include "program.h"
#include "screenfollower.h"

#include <qpa/qplatformnativeinterface.h>

#include <tuple>
#include <utility>

// Runs on the offscreen platform with the screens of screens.json: "wide", 1920 x 1080 at scale 1, and "sharp",
// 1366 x 768 at scale 2. A screen changes as a projector, a dock or a monitor would change it.
namespace {

// split: where the status pane starts, right - trunc(right / 2.5).
struct Screen { const char *name; int width, height; double scale; int split; };

void setScreens(const QList<Screen> &screens)
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
    EXPECT_EQ(window.shotPane().geometry(), QRect(0, 0, split, bottom));
    EXPECT_EQ(window.statusPane().geometry(), QRect(split, 0, right, bottom));
    EXPECT_EQ(window.statusPane().extent(), QSize(right - split, bottom));
}

} // namespace

// A manual run goes on through a move to a screen of another scale and ends as it would have without one; the
// points stay where they were, and the square is drawn anew with edges that are whole blocks of screen pixels.
TEST(Screen, FollowsTheScaleWithoutLosingAnything)
{
    setScreens({wide, sharp});
    for (const char *name : {"sharp", "wide"}) { // where the pointer is at start
        QCursor::setPos(named(name)->geometry().center());
        EXPECT_EQ(ScreenFollower::startScreen(), named(name));
    }
    Program p(named("wide"));
    const Simulation &s = p.session.state().simulation;
    manual(p.session, "3000");
    p.window.command(IdStart);
    p.passes(1000);
    p.settle();
    const auto before = p.points(0);
    ASSERT_GT(before.size(), 900);
    p.window.windowHandle()->setScreen(named("sharp")); // moved to the other monitor
    p.settle();
    expectLayout(p.window, sharp);
    EXPECT_EQ(p.points(0), before);
    const QImage &image = p.window.shotPane().image();
    const auto dark = [&](int y) { return (image.pixel(30, y) & 0xFFFFFF) == 0; };
    EXPECT_EQ(QList({dark(19), dark(20), dark(21), dark(22)}), QList({false, true, true, false})) << "the top edge";
    p.passes(2000);
    EXPECT_EQ(std::tuple(s.running(), s.shots(), s.hits()), std::tuple(false, 3000.0, 2346.0)); // as without a move
}

// A projector takes the place of the monitor while the window is idle and the settings are open: the dialog
// stays whole on the new screen and keeps the keyboard, and the erase on closing it keeps the picture of what
// the smaller screen hides, the whole figure.
TEST(Screen, IdleAndWithTheSettingsOpen)
{
    setScreens({wide, sharp});
    Program p(named("wide"));
    configure(p.session, [](SettingsForm::Entries &e) { e.radius = "370"; });
    p.window.command(IdStop);
    p.settle();
    EXPECT_EQ(p.window.shotPane().extent(), QSize(751, 751)); // no picture beyond the figure
    const Screen projector{"wide", 1024, 768, 1, 615};
    p.settings([&](SettingsDialog &dialog) {
        setScreens({projector, sharp});
        p.settle();
        const QRect area = dialog.screen()->availableGeometry();
        EXPECT_TRUE(area.contains(dialog.frameGeometry())) << dialog.x() << "," << dialog.y();
        QLineEdit *radius = Program::child(dialog, "radius");
        radius->setFocus();
        QTest::keyClick(radius, Qt::Key_End); // a value set leaves the caret at its start, as in a Windows edit
        QTest::keyClicks(QApplication::focusWidget(), "12"); // too large: OK warns, Abbrechen closes
        EXPECT_TRUE(radius->text().endsWith("12"));
    });
    p.settle();
    expectLayout(p.window, projector);
    EXPECT_EQ(p.window.shotPane().extent(), QSize(751, 751)); // nor less: the erase keeps what is hidden
}
