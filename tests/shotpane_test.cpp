// The shot pane through what a desktop does to the window during a run: it keeps every point and the figure,
// and tells a screen reader the points its picture holds. (Minimised, a Qt pane keeps its size.)

#include "program.h"

#include <QAccessible>

namespace {

QString description(ShotPane &pane)
{
    return QAccessible::queryAccessibleInterface(&pane)->text(QAccessible::Description);
}

} // namespace

// Radius 370 on 1280 x 800: the figure fits the pane, but not on 1024 x 768, whose pane is 615 pixels wide.
TEST(ShotPane, KeepsEveryPointThroughASmallerScreen)
{
    Program p;
    manual(p.session, "1000000", "370");
    p.window.setGeometry(0, 0, 1280, 800);
    p.settle();
    p.window.command(IdStart);
    p.passes(20000);
    p.settle();
    const auto before = p.points();
    ASSERT_GT(before.size(), 15000);
    p.window.setGeometry(0, 0, 1024, 768);
    p.settle();
    p.window.setGeometry(0, 0, 1280, 800);
    p.settle();
    EXPECT_TRUE(p.points() == before) << "a smaller screen and back";
}

// The settings closed during a run erase the picture: it holds the latest point alone, and says so.
TEST(ShotPane, TellsThePointsItHolds)
{
    Program p;
    manual(p.session, "1000");
    p.window.command(IdStart);
    p.passes(50);
    p.settle();
    EXPECT_TRUE(description(p.window.shotPane()).endsWith("Durchlauf aktiv, 50 Punkte gezeichnet"));
    p.settings([](SettingsDialog &) {});
    p.settle();
    ASSERT_TRUE(p.session.running());
    EXPECT_EQ(p.points().size(), 1);
    EXPECT_TRUE(description(p.window.shotPane()).endsWith("Durchlauf aktiv, 1 Punkt gezeichnet"))
        << description(p.window.shotPane()).toStdString();
}
