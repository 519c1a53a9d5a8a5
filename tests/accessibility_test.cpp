#include "program.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// The panes are named and read out; a changed page tells the screen reader where its text changed,
// what went and what came; the figure says how many points it shows.
TEST(Accessibility, PanesAreNamedReadAndTellWhatChanged)
{
    static std::vector<std::tuple<int, std::string, std::string>> told;
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (const auto *update = dynamic_cast<QAccessibleTextUpdateEvent *>(event))
            told.emplace_back(update->changePosition(), update->textRemoved().toStdString(),
                              update->textInserted().toStdString());
    });
    // No screen reader turns accessibility on offscreen: the test does, for the rest of this executable.
    QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    platform->setActive(true);
    Program p;
    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(&p.window.statusPane());
    QAccessibleInterface *shots = QAccessible::queryAccessibleInterface(&p.window.shotPane());
    EXPECT_EQ(std::tuple(status->text(QAccessible::Name), status->role(), shots->text(QAccessible::Name),
                         shots->role(), shots->text(QAccessible::Description)),
              std::tuple(QString("Statistik"), QAccessible::StaticText, QString("Schussbild"), QAccessible::Graphic,
                         QString("Quadrat mit Kreis, Radius 200 px, kein Durchlauf aktiv, keine Punkte gezeichnet")));
    const QAccessibleTextInterface *page = status->textInterface();
    EXPECT_TRUE(page->text(0, page->characterCount()).startsWith("Körperinformationen:\nRadius: 200 px\n"));

    told.clear();
    p.session.command(IdStart);
    p.loop.pass(); // one shot, a miss: its variance is NaN; the count stands 135 characters in
    p.window.tick(); // served by the next pass, which fires one shot more, not yet plotted
    p.loop.pass();
    EXPECT_EQ(told, decltype(told)({{135, "0\ngetroffen (m): 0\nWahrscheinl. (p): 0.00000 %\nVarianz: 0.0000000000",
                                     "1\ngetroffen (m): 0\nWahrscheinl. (p): 0.00000 %\nVarianz: nan"}}));
    EXPECT_TRUE(shots->text(QAccessible::Description).endsWith(", Durchlauf aktiv, 1 Punkt gezeichnet"));
}

} // namespace
