// The shot pane through what a desktop does to the window during a run: it keeps every point and the figure,
// and tells a screen reader the points its picture holds. (Minimised, a Qt pane keeps its size.)

#include "program.h"

#include <QAccessible>

namespace {

// The logical pixels that are not white, with their colours taken from their middles.
QMap<std::pair<int, int>, QRgb> picture(ShotPane &pane)
{
    const QImage &image = pane.image();
    const PixelGrid &grid = pane.grid();
    QMap<std::pair<int, int>, QRgb> drawn;
    for (int y = 0; grid.centre(y) < image.height(); ++y)
        for (int x = 0; grid.centre(x) < image.width(); ++x)
            if (const QRgb c = image.pixel(grid.centre(x), grid.centre(y)) & 0xFFFFFF; c != 0xFFFFFF)
                drawn[{x, y}] = c;
    return drawn;
}

QString description(ShotPane &pane)
{
    return QAccessible::queryAccessibleInterface(&pane)->text(QAccessible::Description);
}

} // namespace

// Radius 370 on 1280 x 800: the figure fits the pane, but not on 1024 x 768, whose pane is 615 pixels wide.
TEST(ShotPane, KeepsEveryPointThroughASmallerScreen)
{
    Program p;
    configure(p.session, [](SettingsForm::Entries &e) {
        e.autoStop = false;
        e.targetShots = "1000000";
        e.radius = "370";
    });
    p.window.setGeometry(0, 0, 1280, 800);
    p.settle();
    p.window.command(IdStart);
    p.passes(20000);
    p.settle();
    const auto before = picture(p.window.shotPane());
    ASSERT_GT(before.size(), 15000);
    p.window.setGeometry(0, 0, 1024, 768);
    p.settle();
    p.window.setGeometry(0, 0, 1280, 800);
    p.settle();
    EXPECT_TRUE(picture(p.window.shotPane()) == before) << "a smaller screen and back";
}

// The settings closed during a run erase the picture: it holds the latest point alone, and says so.
TEST(ShotPane, TellsThePointsItHolds)
{
    Program p;
    configure(p.session, [](SettingsForm::Entries &e) {
        e.autoStop = false;
        e.targetShots = "1000";
    });
    p.window.command(IdStart);
    p.passes(50);
    p.settle();
    EXPECT_TRUE(description(p.window.shotPane()).endsWith("Durchlauf aktiv, 50 Punkte gezeichnet"));
    p.settings([](SettingsDialog &) {});
    p.settle();
    ASSERT_TRUE(p.session.running());
    EXPECT_EQ(picture(p.window.shotPane()).size(), 1);
    EXPECT_TRUE(description(p.window.shotPane()).endsWith("Durchlauf aktiv, 1 Punkt gezeichnet"))
        << description(p.window.shotPane()).toStdString();
}
