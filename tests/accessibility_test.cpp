#include "program.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// Text changes of the focused status pane; the news shown and the descriptions told ("shotPane: <its description>").
std::vector<std::tuple<int, std::string, std::string>> told;
QStringList described;
int caretTold = -1; // where the last caret move told put it
QStringList fieldsTold; // "focus radius", "selection radius 0-3": the focus and selections told of line edits

QAccessibleInterface *face(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
// Where the attribute run at the last character starts and ends before the text's end: Orca reads by runs.
std::pair<int, int> lastRun(QAccessibleTextInterface *t)
{
    int start = -1, end = -1;
    t->attributes(t->characterCount() - 1, &start, &end);
    return {start, t->characterCount() - end};
}

// Offscreen no screen reader turns accessibility on: the test does, with a handler that keeps what is told.
void listen()
{
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (const auto *update = dynamic_cast<QAccessibleTextUpdateEvent *>(event))
            told.emplace_back(update->changePosition(), update->textRemoved().toStdString(), update->textInserted().toStdString());
        else if (const auto *caret = dynamic_cast<QAccessibleTextCursorEvent *>(event))
            caretTold = caret->cursorPosition();
        if (qobject_cast<QLineEdit *>(event->object()) && event->type() == QAccessible::Focus)
            fieldsTold << "focus " + event->object()->objectName();
        if (const auto *selection = dynamic_cast<QAccessibleTextSelectionEvent *>(event))
            fieldsTold << QString("selection %1 %2-%3").arg(event->object()->objectName()).arg(selection->selectionStart()).arg(selection->selectionEnd());
        if (event->type() == QAccessible::DescriptionChanged)
            described << event->object()->objectName() + ": " + event->accessibleInterface()->text(QAccessible::Description);
        if (event->type() == QAccessible::ObjectShow && event->accessibleInterface()->role() == QAccessible::Notification)
            described << "news: " + event->accessibleInterface()->text(QAccessible::Name);
    });
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
}

// The panes are named and described, the status pane by how to read on; a changed page of the focused pane
// tells where its text changed, what went and what came, an unfocused one nothing.
TEST(Accessibility, PanesAreNamedReadAndTellWhatChanged)
{
    listen();
    Program p;
    QAccessibleInterface *status = face(&p.window.statusPane()), *shots = face(&p.window.shotPane());
    EXPECT_EQ(std::tuple(status->text(QAccessible::Name), status->role(), shots->text(QAccessible::Name), shots->role()),
              std::tuple(QString("Statistik"), QAccessible::EditableText, QString("Schussbild"), QAccessible::Graphic));
    EXPECT_EQ(status->text(QAccessible::Description), "Pfeiltasten lesen weiter"); // not the whole page at each arrival
    EXPECT_TRUE(status->state().readOnly && status->state().focusable && lastRun(status->textInterface()) == std::pair(0, 0));
    EXPECT_EQ(p.window.statusPane().grab().toImage().pixel(3, 3), qRgb(255, 255, 255)); // its frame before any key
    p.window.statusPane().clearFocus();
    QTest::keyClick(&p.window, Qt::Key_Tab); // from the menu bar's window to the pane
    ASSERT_TRUE(p.window.statusPane().hasFocus());
    QTest::keyClick(&p.window, Qt::Key_Tab); // on to the shot pane: its black frame, the figure's white untinted
    const QImage seen = p.window.shotPane().grab().toImage();
    EXPECT_EQ(std::pair(seen.pixel(3, 2), seen.pixel(200, 200)), std::pair(qRgb(0, 0, 0), qRgb(255, 255, 255)));
    QTest::keyClick(&p.window, Qt::Key_Backtab);
    ASSERT_TRUE(p.window.statusPane().hasFocus());

    told.clear();
    p.session.command(IdStart);
    p.loop.pass(); // one shot, a miss: its variance is NaN; the count stands 140 characters in
    p.window.tick(); // served by the next pass, which fires one shot more, not yet plotted
    p.loop.pass();
    EXPECT_EQ(told, decltype(told)({{140, "0\ngetroffen m 0\nWahrscheinlichkeit p 0,00000 Prozent\nVarianz 0,0000000000",
                                     "1\ngetroffen m 0\nWahrscheinlichkeit p 0,00000 Prozent\nVarianz nan"}}));
    p.window.statusPane().clearFocus();
    p.window.tick(); // a change withheld during the run, which a focused pane tells at rest
    p.loop.pass();
    p.window.command(IdStop);
    p.loop.pass();
    EXPECT_EQ(told.size(), 1u) << "told while unfocused";
}

// Each character's box lies where the page draws it, and a point in the box finds it again.
TEST(Accessibility, StatusCharactersAtTheirDrawnPlacesReadByCaret)
{
    listen();
    Program p;
    QAccessibleTextInterface *page = face(&p.window.statusPane())->textInterface();
    const QPoint origin = p.window.statusPane().mapToGlobal(QPoint(0, 0));
    const int lineHeight = p.window.statusPane().lineHeight();
    // Where the layer places each text is its own rule; here the pane's font and place carry it to the screen.
    const struct { const char *text; int x, line; } rows[] = {
        {"Radius", 20, 2},
        {"Pi gleich 4", 20, 16},
    };
    const QString text = page->text(0, page->characterCount());
    for (const auto &row : rows) {
        const int offset = int(text.indexOf(QString::fromUtf8(row.text)));
        const QRect box = page->characterRect(offset);
        EXPECT_EQ(box.topLeft() - origin, QPoint(row.x, lineHeight * row.line + 10)) << row.text;
        EXPECT_EQ(page->offsetAtPoint(box.center()), offset) << row.text;
    }
    // Each arrow, Home and End moves the caret as the layer says; a screen reader is told where it stands.
    const struct { Qt::Key key; const char *line; int column; bool told; } keys[] = {
        {Qt::Key_Up, "Körperinformationen\n", 0, false}, // stays on the first line
        {Qt::Key_Down, "Radius 200 Pixel\n", 0, true},
        {Qt::Key_End, "Radius 200 Pixel\n", 16, true},
        {Qt::Key_Right, "Seitenlänge 400 Pixel\n", 0, true},
        {Qt::Key_Left, "Radius 200 Pixel\n", 16, true},
        {Qt::Key_Home, "Radius 200 Pixel\n", 0, true},
    };
    for (const auto &row : keys) {
        caretTold = -1;
        QTest::keyClick(&p.window.statusPane(), row.key);
        int start = 0, end = 0;
        const QString line = page->textAtOffset(page->cursorPosition(), QAccessible::LineBoundary, &start, &end);
        EXPECT_EQ(std::pair(line.toStdString(), page->cursorPosition() - start), std::pair(std::string(row.line), row.column));
        EXPECT_EQ(caretTold, row.told ? page->cursorPosition() : -1) << row.line;
    }
}

// A run's start and its end by the stop rule are shown as news; the figure drawn anew is told too.
TEST(Accessibility, RunStartAndEndTold)
{
    listen();
    Program p;
    described.clear();
    p.run();
    p.settle();
    EXPECT_EQ(described.join(u'|').toStdString(),
              "news: Durchlauf gestartet.|news: Durchlauf beendet, 33.649 Punkte geschossen, 26.446 Treffer, Pi "
              "3,143748699812773.|shotPane: Quadrat mit Kreis, Radius 200 Pixel, kein Durchlauf aktiv, keine Punkte gezeichnet");
}

// A field is read whole and related to its label, named without its colon, which a reader speaks as a word; one
// between two labels to none, as Orca reads only one. (The fields' names are the settings suite's.)
TEST(Accessibility, SettingsFieldsNamedByTheirLabels)
{
    Program p;
    p.settings([](SettingsDialog &dialog) {
        const struct { const char *field; QString labels; } rows[] = {
            {"radius", "Radius"},
            {"minShots", ""},
        };
        for (const auto &row : rows) {
            QAccessibleInterface *field = face(Program::child(dialog, row.field));
            QStringList labels;
            for (const auto &[label, relation] : field->relations(QAccessible::Label))
                labels << label->text(QAccessible::Name);
            EXPECT_EQ(std::pair(labels.join(u'|'), lastRun(field->textInterface())), std::pair(row.labels, std::pair(0, 0)))
                << row.field;
        }
    });
}

// A field the keyboard reaches is told once, by its focus, with its value selected; the selection made on the way
// in or left on the way out is not told besides (a screen reader read the value twice), one made in the field is.
TEST(Accessibility, SettingsFieldToldOnceWhenReached)
{
    listen();
    Program p;
    p.settings([](SettingsDialog &dialog) {
        QApplication::setActiveWindow(&dialog);
        Program::child(dialog, "threshold")->setFocus(Qt::TabFocusReason);
        fieldsTold.clear();
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Left, Qt::ShiftModifier);
        EXPECT_EQ(fieldsTold.join(" | ").toStdString(), "focus minShots | selection minShots 0-1");
        EXPECT_EQ(Program::child(dialog, "minShots")->selectedText(), "5");
        Program::enter(dialog, "radius", "99999");
        fieldsTold.clear();
    });
    EXPECT_EQ(fieldsTold.filter("radius").join(" | ").toStdString(), "focus radius") << "after the warning";
}

// F10 and a lone Alt open the menu bar, but not a key delivered again by the screen reader's bridge, which has no
// time stamp; dividers are separators, "?" is named; after the menu bar and a dialog the keyboard is back.
TEST(Accessibility, MenuBarAndFocusAfterDialogs)
{
    listen();
    Program p;
    QMenuBar *bar = p.window.menuBar();
    const struct { const char *name; Qt::Key key; ulong time; bool opens; } rows[] = {
        {"F10", Qt::Key_F10, 0, true},
        {"Alt again from the bridge", Qt::Key_Alt, 0, false},
        {"Alt", Qt::Key_Alt, 7, true},
    };
    // A key as the window system delivers it, with its time stamp, or as the bridge delivers it again, without.
    const auto press = [](QWidget *widget, Qt::Key key, ulong time) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, type == QEvent::KeyPress && key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
            event.setTimestamp(time);
            QApplication::sendEvent(widget, &event);
        }
    };
    for (const auto &row : rows) {
        p.window.statusPane().setFocus();
        press(&p.window.statusPane(), row.key, row.time);
        p.settle();
        EXPECT_EQ(bar->hasFocus() && bar->activeAction() == bar->actions().first(), row.opens) << row.name;
    }
    QAccessibleInterface *about = face(bar)->child(9); // "&?"
    EXPECT_EQ(std::tuple(face(bar)->child(0)->role(), face(bar)->child(1)->role(), about->role(), about->text(QAccessible::Name)),
              std::tuple(QAccessible::MenuItem, QAccessible::Separator, QAccessible::MenuItem, QString("Über Monte Carlo")));
    // Whichever key entered the menu bar, the keyboard is back in the pane it came from, not stranded there.
    const struct { const char *name; Qt::Key enter, leave; int item; QWidget *pane; } back[] = {
        {"F10 and Escape", Qt::Key_F10, Qt::Key_Escape, 0, &p.window.shotPane()},
        {"F10 and Enter on Stop", Qt::Key_F10, Qt::Key_Return, 3, &p.window.shotPane()},
        {"F10 again", Qt::Key_F10, Qt::Key_F10, 0, &p.window.statusPane()},
        {"Alt and Enter on Stop", Qt::Key_Alt, Qt::Key_Return, 3, &p.window.shotPane()},
    };
    for (const auto &row : back) {
        row.pane->setFocus();
        press(row.pane, row.enter, 7);
        p.settle();
        bar->setActiveAction(bar->actions().at(row.item));
        QTest::keyClick(bar, row.leave);
        p.settle();
        EXPECT_EQ(QApplication::focusWidget(), row.pane) << row.name;
    }
    p.window.statusPane().setFocus();
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton *>()->click(); });
    p.window.command(IdAbout);
    p.settle();
    EXPECT_EQ(QApplication::focusWidget(), &p.window.statusPane());
}

} // namespace
