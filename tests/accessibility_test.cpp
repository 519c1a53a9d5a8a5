#include "program.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// Text changes of the focused status pane, and the descriptions told: "statusPane: <its description>" or "shotPane".
std::vector<std::tuple<int, std::string, std::string>> told;
QStringList described;

// Offscreen no screen reader turns accessibility on: the test does, with a handler that keeps what is told.
void listen()
{
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (const auto *update = dynamic_cast<QAccessibleTextUpdateEvent *>(event))
            told.emplace_back(update->changePosition(), update->textRemoved().toStdString(),
                              update->textInserted().toStdString());
        if (event->type() == QAccessible::DescriptionChanged)
            described << event->object()->objectName() + ": " + event->accessibleInterface()->text(QAccessible::Description);
    });
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
}

// The panes are named and read out; a changed page of the focused pane tells the screen reader where its text
// changed, what went and what came, an unfocused one nothing; the figure says how many points it shows.
TEST(Accessibility, PanesAreNamedReadAndTellWhatChanged)
{
    listen();
    Program p;
    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(&p.window.statusPane());
    QAccessibleInterface *shots = QAccessible::queryAccessibleInterface(&p.window.shotPane());
    EXPECT_EQ(std::tuple(status->text(QAccessible::Name), status->role(), shots->text(QAccessible::Name),
                         shots->role(), shots->text(QAccessible::Description)),
              std::tuple(QString("Statistik"), QAccessible::EditableText, QString("Schussbild"), QAccessible::Graphic,
                         QString("Quadrat mit Kreis, Radius 200 px, kein Durchlauf aktiv, keine Punkte gezeichnet")));
    const QAccessibleTextInterface *page = status->textInterface();
    EXPECT_TRUE(page->text(0, page->characterCount()).startsWith("Körperinformationen:\nRadius: 200 px\n"));

    EXPECT_TRUE(status->state().readOnly && status->state().focusable);
    p.window.statusPane().clearFocus();
    QTest::keyClick(&p.window, Qt::Key_Tab); // from the menu bar's window to the pane
    ASSERT_TRUE(p.window.statusPane().hasFocus());

    told.clear();
    p.session.command(IdStart);
    p.loop.pass(); // one shot, a miss: its variance is NaN; the count stands 135 characters in
    p.window.tick(); // served by the next pass, which fires one shot more, not yet plotted
    p.loop.pass();
    EXPECT_EQ(told, decltype(told)({{135, "0\ngetroffen (m): 0\nWahrscheinl. (p): 0.00000 %\nVarianz: 0.0000000000",
                                     "1\ngetroffen (m): 0\nWahrscheinl. (p): 0.00000 %\nVarianz: nan"}}));
    EXPECT_TRUE(shots->text(QAccessible::Description).endsWith(", Durchlauf aktiv, 1 Punkt gezeichnet"));
    p.window.statusPane().clearFocus();
    p.window.tick();
    p.loop.pass();
    EXPECT_EQ(told.size(), 1u); // nothing more while unfocused
}

// Each character's box lies where the page draws it, and a point in the box finds it again.
TEST(Accessibility, StatusCharactersAtTheirDrawnPlaces)
{
    Program p;
    QAccessibleTextInterface *page = QAccessible::queryAccessibleInterface(&p.window.statusPane())->textInterface();
    const QPoint origin = p.window.statusPane().mapToGlobal(QPoint(0, 0));
    const int lineHeight = p.window.statusPane().lineHeight();
    const struct { const char *text; int x, line; } rows[] = {
        {"Körperinformationen:", 10, 0},
        {"Radius:", 20, 2},
        {"200 px", 140, 2},
        {"PI = 4", 20, 16},
    };
    const QString text = page->text(0, page->characterCount());
    for (const auto &row : rows) {
        const QRect box = page->characterRect(int(text.indexOf(QString::fromUtf8(row.text)))).translated(-origin);
        EXPECT_EQ(box.topLeft(), QPoint(row.x, lineHeight * row.line + 10)) << row.text;
    }
    for (int offset = 0; offset < text.size(); ++offset) {
        const QRect box = page->characterRect(offset);
        ASSERT_TRUE(!box.isEmpty() && page->offsetAtPoint(box.center()) == offset) << offset;
    }
}

// Up and Down move the caret a line, Home and End within it; a screen reader is told where it stands.
TEST(Accessibility, StatusCaretMovesByLine)
{
    Program p;
    QAccessibleTextInterface *page = QAccessible::queryAccessibleInterface(&p.window.statusPane())->textInterface();
    const struct { Qt::Key key; const char *line; int column; } rows[] = {
        {Qt::Key_Up, "Körperinformationen:\n", 0}, // stays on the first line
        {Qt::Key_Down, "Radius: 200 px\n", 0},
        {Qt::Key_End, "Radius: 200 px\n", 14},
        {Qt::Key_Down, "Seitenlänge: 400 px\n", 0},
        {Qt::Key_Left, "Radius: 200 px\n", 14},
        {Qt::Key_Home, "Radius: 200 px\n", 0},
        {Qt::Key_Up, "Körperinformationen:\n", 0},
    };
    for (const auto &row : rows) {
        QTest::keyClick(&p.window.statusPane(), row.key);
        int start = 0, end = 0;
        const QString line = page->textAtOffset(page->cursorPosition(), QAccessible::LineBoundary, &start, &end);
        EXPECT_EQ(std::pair(line.toStdString(), page->cursorPosition() - start), std::pair(std::string(row.line), row.column));
    }
}

// Start and Stop are told as the status pane's description; the figure drawn anew is told too.
TEST(Accessibility, RunStartAndEndTold)
{
    listen();
    Program p;
    described.clear();
    p.post(IdStart);
    p.passes(3);
    p.post(IdStop);
    p.passes(3);
    EXPECT_EQ(described.join(u'|').toStdString(),
              "statusPane: Durchlauf gestartet.|statusPane: Durchlauf beendet: 3 Punkte geschossen, 2 Treffer, "
              "Pi 2.666666666666667.|shotPane: Quadrat mit Kreis, Radius 200 px, kein Durchlauf aktiv, keine Punkte gezeichnet");
}

// F10 opens the menu bar at its first item; dividers are separators; after a dialog the keyboard is back.
TEST(Accessibility, MenuBarAndFocusAfterDialogs)
{
    Program p;
    QTest::keyClick(&p.window, Qt::Key_F10);
    QMenuBar *bar = p.window.menuBar();
    p.settle();
    EXPECT_TRUE(bar->hasFocus() && bar->activeAction() == bar->actions().first());
    QAccessibleInterface *items = QAccessible::queryAccessibleInterface(bar);
    EXPECT_EQ(std::pair(items->child(0)->role(), items->child(1)->role()), std::pair(QAccessible::MenuItem, QAccessible::Separator));
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton *>()->click(); });
    p.window.command(IdAbout);
    p.settle();
    EXPECT_EQ(QApplication::focusWidget(), &p.window.statusPane());
}

} // namespace
