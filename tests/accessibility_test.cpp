#include "appstate.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "settingsdialog.h"
#include "shotpane.h"
#include "statuspane.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <gtest/gtest.h>

static QAccessibleInterface *reader(QObject *o) { return QAccessible::queryAccessibleInterface(o); }

TEST(Accessibility, PanesAreNamedAndReadTheirContents)
{
    AppState state;
    MainWindow window(state);
    window.setGeometry(0, 0, 1024, 768);
    window.show();
    MainLoop loop(state, window);
    loop.pass();
    auto *status = reader(&window.statusPane()), *shots = reader(&window.shotPane());
    const auto id = [](auto *i) { return std::pair(i->text(QAccessible::Name), i->role()); };
    EXPECT_EQ(id(status), std::pair(QString("Statistik"), QAccessible::StaticText));
    EXPECT_EQ(id(shots), std::pair(QString("Schussbild"), QAccessible::Graphic));
    const auto page = [t = status->textInterface()] { return t->text(0, t->characterCount()); };
    EXPECT_TRUE(page().startsWith("Körperinformationen:\nRadius: 200 px\n")) << qPrintable(page());
    EXPECT_EQ(shots->text(QAccessible::Description),
              "Quadrat mit Kreis, Radius 200 px, kein Durchlauf aktiv, keine Punkte gezeichnet");

    // A tick's page is served by the next pass, which fires one shot more (not yet plotted).
    state.simulation.start();
    for (const auto &[passes, n] : {std::pair{100, 100}, std::pair{50, 151}}) {
        for (int i = 0; i < passes; ++i)
            loop.pass();
        window.tick();
        loop.pass();
        EXPECT_TRUE(page().contains(QString("\ngeschossen (n): %1\n").arg(n)));
        EXPECT_TRUE(shots->text(QAccessible::Description)
                        .endsWith(QString(", Durchlauf aktiv, %1 Punkte gezeichnet").arg(n)));
    }
}

TEST(Accessibility, SettingsFieldsAreNamedAfterTheirLabels)
{
    AppState state;
    SettingsDialog dialog(state.body, state.simulation, nullptr);
    const std::pair<const char *, const char *> rows[] = {
        {"targetShots", "Anzahl der zu schießenden Punkte:"}, {"threshold", "Abbruchwert:"},
        {"minShots", "mindestens"}, {"radius", "Radius:"}, {"dimensions", "Dimensionen:"}};
    for (const auto &[field, name] : rows)
        EXPECT_EQ(reader(dialog.findChild<QWidget *>(field))->text(QAccessible::Name), name);
}

// A changed page tells the screen reader where its text changed, what went and what came.
TEST(Accessibility, StatusPaneTellsWhereThePageChanged)
{
    static std::vector<std::tuple<int, std::string, std::string>> told;
    const auto previous = QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (const auto *update = dynamic_cast<QAccessibleTextUpdateEvent *>(event))
            told.emplace_back(update->changePosition(), update->textRemoved().toStdString(), update->textInserted().toStdString());
    });
    // No screen reader turns accessibility on offscreen: the test does.
    QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    platform->setActive(true);
    AppState state;
    MainWindow window(state);
    window.setGeometry(0, 0, 1024, 768);
    window.show();
    MainLoop loop(state, window);
    loop.pass();
    told.clear();
    state.simulation.start();
    loop.pass(); // one shot, a miss: its variance is NaN; the count stands 135 characters in
    window.tick();
    loop.pass();
    QAccessible::installUpdateHandler(previous);
    platform->setActive(false);
    EXPECT_EQ(told, decltype(told)({{135, "0\ngetroffen (m): 0\nWahrscheinl. (p): 0.00000 %\nVarianz: 0.0000000000",
                                     "1\ngetroffen (m): 0\nWahrscheinl. (p): 0.00000 %\nVarianz: nan"}}));
}
