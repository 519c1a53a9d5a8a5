#include "aboutdialog.h"
#include "contrast.h"
#include "program.h"

namespace {

// Text typed (through the key filter) or pasted into one field after the number of points "123" and the
// dimensions "3"; OK hands the fields to the form, whose warning comes as a box and keeps the dialog open,
// the keyboard back in it when the box closes (Program::settings checks).
TEST(Settings, TypedAndPastedIntoTheFields)
{
    const QString large = "!Fehler Radius|Radius zu groß!\nRadius darf maximal 32000 betragen.";
    using enum Program::Entry;
    const struct { const char *field; Program::Entry how; QString text, shown, warning; Stored stored; } rows[] = {
        {"targetShots", Alt, "abc-5 7", "57", "", {57, 3, 200, 5e-6, 50, false}}, // filtered with Alt held too
        {"minShots", Typed, "-5", "5", "", {123, 3, 200, 5e-6, 5, true}},
        {"radius", Pasted, "32001999", "32001", large, {123, 3, 200, 5e-6, 50, true}}, // five characters at most
        {"dimensions", CtrlAlt, "a-100", "10", "", {123, 10, 200, 5e-6, 50, true}}, // with AltGr held; two at most
        {"dimensions", Pasted, "+5", {}, "", {123, 5, 200, 5e-6, 50, true}}, // pasted text is not filtered
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.field) + " " + row.text.left(20).toStdString());
        const std::string field = row.field;
        Program p;
        const bool stayedOpen = p.settings([&](SettingsDialog &d) {
            EXPECT_EQ(d.focusWidget()->objectName(), QLatin1String("autoStop")); // the first enabled control
            Program::child(d, "targetShots")->setText(QStringLiteral("123")); // disabled: it takes no keys
            Program::enter(d, "dimensions", QStringLiteral("3"));
            if (field == "targetShots") // to manual mode, which enables the number of points only
                QTest::keyClick(Program::child<QCheckBox>(d, "autoStop"), Qt::Key_Space);
            EXPECT_EQ(Program::child(d, "minShots")->isEnabled() + Program::child(d, "threshold")->isEnabled()
                          + !Program::child(d, "targetShots")->isEnabled(), field == "targetShots" ? 0 : 3);
            Program::enter(d, row.field, row.text, row.how);
            EXPECT_EQ(Program::child(d, row.field)->text(), row.shown.isNull() ? row.text : row.shown);
        });
        EXPECT_EQ(std::pair(stayedOpen, p.boxes.join(u'\n').toStdString()),
                  std::pair(!row.warning.isEmpty(), row.warning.toStdString()));
        EXPECT_EQ(stored(p.session), row.stored);
    }
}

// The eight controls in tab order from the number of points, as a screen reader names them by their labels or
// their own texts; each the widget at its own centre, the group boxes lying beneath.
TEST(Settings, ControlsInTabOrderAboveTheGroupBoxesAndNamed)
{
    Session session;
    SettingsDialog dialog(session);
    QStringList spoken;
    for (QWidget *control = Program::child<QWidget>(dialog, "targetShots"); spoken.size() < 8;
         control = control->nextInFocusChain()) {
        spoken << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        EXPECT_EQ(dialog.childAt(control->geometry().center()), control) << spoken.last().toStdString();
    }
    EXPECT_EQ(spoken.join(u'|').toStdString(), "Anzahl der zu schießenden Punkte|automatisch festlegen über Varianz|"
                                               "Abbruchwert|mindestens Durchläufe|Radius|Dimensionen|OK|Abbrechen");
}

// A field's value shown from its start however narrow the field: a high-contrast style cut the threshold's "0".
TEST(Settings, FieldsShowTheirValuesFromTheStart)
{
    Session session;
    SettingsDialog dialog(session);
    auto *threshold = Program::child<QLineEdit>(dialog, "threshold");
    EXPECT_EQ(std::pair(threshold->text(), threshold->cursorPosition()), std::pair(QString("0.0000050000"), 0));
}

// The default button with the keyboard differs from itself without it by a frame that stands out at least 3:1,
// nearly all the way round: the style alone marks both alike.
TEST(Settings, FocusedButtonToldFromTheDefaultOne)
{
    Session session;
    SettingsDialog dialog(session);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto *ok = Program::child<QPushButton>(dialog, "okButton");
    Program::child(dialog, "radius")->setFocus(Qt::TabFocusReason);
    const QImage unfocused = ok->grab().toImage();
    ok->setFocus(Qt::TabFocusReason);
    const QImage focused = ok->grab().toImage();
    ASSERT_TRUE(ok->isDefault() && ok->hasFocus());
    int changed = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            changed += Contrast::ratio(focused.pixel(x, y) & 0xffffff, unfocused.pixel(x, y) & 0xffffff) >= Contrast::seen;
    EXPECT_GE(changed, 3 * (ok->width() + ok->height()) / 2);
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
