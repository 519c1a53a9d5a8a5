#include "aboutdialog.h"
#include "program.h"

namespace {

// Text typed (through the key filter) or pasted into one field after the number of points "123" and the
// dimensions "3": OK checks number, dimensions, radius in this order, storing each that passed until a warning.
TEST(Settings, OkChecksInOrderAndBadInput)
{
    const QString dims = "!Fehler: Dimensionen|Dimensionen zu klein!\nMindestens 1 Dimension verwenden.";
    const QString large = "!Fehler: Radius|Radius zu groß!\nRadius darf maximal 32000 betragen.";
    const QString small = "!Fehler: Radius|Radius zu klein!\nRadius muss mindestens 1 betragen.";
    const QString count = "!Fehler: Anzahl|Anzahl zu groß!\nHöchstens 9007199254740992 Punkte verwenden.";
    const QString nines(99999, u'9');
    using enum Program::Entry;
    struct Row { const char *field; Program::Entry how; QString text, shown, warning; double stored; };
    const Row rows[] = {
        {"targetShots", Typed, "abc-5 7", "57", "", 57},
        {"targetShots", Alt, "1x2", "12", "", 12},
        {"targetShots", Pasted, "0,5", {}, "", 0},
        {"targetShots", Pasted, "9007199254740992", {}, "", 9007199254740992.0},
        {"targetShots", Pasted, "9007199254740994", {}, count, 50000},
        {"targetShots", Pasted, "1e400", {}, count, 50000},
        {"threshold", Pasted, nines, QString(32767, u'9'), "", 1e299}, // cut to the buffer's 299
        {"minShots", Typed, "-5", "5", "", 5},
        {"minShots", Pasted, "\t \t12", {}, "", 12}, // leading tabs and blanks skipped
        {"minShots", Pasted, "2147483648", {}, "", INT_MAX}, // clamped to the int range
        {"minShots", Pasted, "-99999999999999999999", {}, "", INT_MIN},
        {"radius", Typed, "", {}, small, 200},
        {"radius", Typed, "32000", {}, "", 32000},
        {"radius", Typed, "32001", {}, large, 200},
        {"radius", Pasted, nines, "99999", large, 200},
        {"dimensions", CtrlAlt, "1q2", "12", "", 12},
        {"dimensions", CtrlV, "+5", {}, "", 5},
        {"dimensions", Typed, "00", {}, dims, 2},
        {"dimensions", Typed, "a-100", "10", "", 10}, // two digits at most
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.field) + " " + row.text.left(20).toStdString());
        const std::string field = row.field;
        Program p;
        const bool stayedOpen = p.settings([&](SettingsDialog &d) {
            EXPECT_EQ(d.focusWidget()->objectName(), QLatin1String("autoStop")); // the first enabled control
            Program::enter(d, "targetShots", QStringLiteral("123"), Pasted);
            Program::enter(d, "dimensions", QStringLiteral("3"));
            if (field == "targetShots") // to manual mode, which enables the number of points only
                QTest::keyClick(Program::child<QCheckBox>(d, "autoStop"), Qt::Key_Space);
            EXPECT_EQ(Program::child(d, "minShots")->isEnabled() + Program::child(d, "threshold")->isEnabled()
                          + !Program::child(d, "targetShots")->isEnabled(), field == "targetShots" ? 0 : 3);
            Program::enter(d, row.field, row.text, row.how);
            EXPECT_EQ(Program::child(d, row.field)->text(), row.shown.isNull() ? row.text : row.shown);
        });
        EXPECT_EQ(stayedOpen, !row.warning.isEmpty());
        EXPECT_EQ(p.boxes, row.warning.isEmpty() ? QStringList() : QStringList{row.warning});
        const Simulation &s = p.state.simulation;
        const std::map<std::string, std::pair<double, double>> stored = { // value, and what it is unless entered
            {"targetShots", {s.targetShots(), 123}}, {"threshold", {s.threshold(), 0.000005}},
            {"minShots", {s.minShots(), 50}}, {"radius", {p.state.body.radius(), 200}},
            {"dimensions", {p.state.body.dimensions(), row.warning == count ? 2 : 3}}};
        for (const auto &[name, values] : stored)
            EXPECT_EQ(values.first, name == field ? row.stored : values.second) << name;
        EXPECT_EQ(s.autoStop(), field != "targetShots" || !row.warning.isEmpty()); // the mode is stored last
        p.run(400); // runs with what was stored
    }
}

// The controls in tab order, each the widget at its own centre (the group boxes lie beneath) and
// named for a screen reader by its label or its own text.
TEST(Settings, ControlsInTabOrderAboveTheGroupBoxesAndNamed)
{
    AppState state;
    SettingsDialog dialog(state.body, state.simulation);
    const std::pair<const char *, const char *> rows[] = {
        {"targetShots", "Anzahl der zu schießenden Punkte:"}, {"autoStop", "automatisch festlegen (über Varianz)"},
        {"threshold", "Abbruchwert:"}, {"minShots", "mindestens"}, {"radius", "Radius:"},
        {"dimensions", "Dimensionen:"}, {"okButton", "OK"}, {"cancelButton", "Abbrechen"}};
    QWidget *control = Program::child<QWidget>(dialog, "targetShots");
    for (const auto &[name, spoken] : rows) {
        EXPECT_EQ(control->objectName().toStdString(), name);
        EXPECT_EQ(dialog.childAt(control->geometry().center()), control) << name;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), spoken);
        control = control->nextInFocusChain();
    }
}

TEST(About, OnlyItsOkButtonClosesIt)
{
    AboutDialog dialog;
    dialog.show();
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(!dialog.close() && dialog.isVisible());
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
    EXPECT_EQ(dialog.isVisible() ? -1 : dialog.result(), QDialog::Accepted);
}

} // namespace
