#include "appstate.h"
#include "commandid.h"
#include "mainloop.h"
#include "mainwindow.h"
#include "settingsdialog.h"
#include "statuspane.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <ostream>

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.left(80).toStdString() << (text.size() > 80 ? "…\"" : "\"");
}

namespace {

// Passes a run may take before the test stops it; every run that would need more is
// stopped by the menu command after exactly this many shots.
constexpr int passBudget = 400;
constexpr double maxTarget = 9007199254740992.0; // 2^53
constexpr double runsOn = 0;                      // stopped after passBudget shots
constexpr double anyCount = -1;                   // stops by itself, count not pinned

enum class Entry { Type, Paste, Alt, CtrlAlt, CtrlV }; // Alt: letters typed with Alt held

struct Row
{
    const char *name;
    Entry entry;
    QString text;
    QString shown;       // the field's text before OK; null when it is the text entered
    const char *warning; // caption of the warning, "" for none
    double stored;       // the field's value once the dialog has closed
    double stopsAt;      // shots of the following run, or runsOn / anyCount
};

// Answers every message box that comes up while it lives: records it, presses OK.
class BoxAnswerer
{
public:
    BoxAnswerer()
    {
        m_timer.callOnTimeout([this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            captions.append(box->windowTitle());
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(0);
    }
    QStringList captions;

private:
    QTimer m_timer;
};

struct DialogSeen
{
    bool opened = false;
    QString shown;
    QStringList warnings;
    bool openAfterOk = false;
};

// Drives the settings dialog that the next command opens, as a user would: switch
// to manual mode if asked, enter the text, press OK, and cancel if it stays open.
void driveNextSettingsDialog(MainWindow &window, const char *field, bool manual, const Row &row,
                             DialogSeen &seen)
{
    QTimer::singleShot(0, &window, [&window, field, manual, &row, &seen] {
        auto *dialog = window.findChild<SettingsDialog *>();
        if (!dialog)
            return;
        seen.opened = QApplication::activeModalWidget() == dialog;
        auto *autoStop = dialog->findChild<QCheckBox *>(QStringLiteral("autoStop"));
        if (manual && autoStop->isChecked())
            QTest::keyClick(autoStop, Qt::Key_Space);
        auto *edit = dialog->findChild<QLineEdit *>(QLatin1String(field));
        edit->selectAll();
        if (row.entry == Entry::Paste) {
            edit->insert(row.text); // pasting sends no key events
        } else if (row.entry == Entry::CtrlV) {
            QApplication::clipboard()->setText(row.text);
            QTest::keyClick(edit, 'v', Qt::ControlModifier);
        } else {
            // Refused keys would leave a selection in place: delete it first.
            QTest::keyClick(edit, Qt::Key_Backspace);
            const Qt::KeyboardModifiers held = row.entry == Entry::Alt ? Qt::AltModifier
                : row.entry == Entry::CtrlAlt ? Qt::ControlModifier | Qt::AltModifier
                                              : Qt::NoModifier;
            for (const QChar c : row.text)
                QTest::keyClick(edit, c.toLatin1(), c.isDigit() ? Qt::NoModifier : held);
        }
        seen.shown = edit->text();
        {
            BoxAnswerer answerer;
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("okButton")),
                              Qt::LeftButton);
            seen.warnings = answerer.captions;
        }
        seen.openAfterOk = dialog->isVisible();
        if (seen.openAfterOk)
            dialog->findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    });
}

// Each row in a fresh program: enter the text through the settings dialog opened
// from the menu, check what it stored and warned, then start a run and see it end.
void checkRows(const char *field, bool manual, double (*value)(const AppState &),
               std::initializer_list<Row> rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        DialogSeen seen;
        AppState state;
        MainWindow window(state, QSize(1024, 768));
        MainLoop loop(state, window);

        driveNextSettingsDialog(window, field, manual, row, seen);
        window.command(IdSettings);
        ASSERT_TRUE(seen.opened);
        EXPECT_EQ(seen.shown, row.shown.isNull() ? row.text : row.shown);
        const QString warning = QLatin1String(row.warning);
        EXPECT_EQ(seen.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
        EXPECT_EQ(seen.openAfterOk, !warning.isEmpty());
        EXPECT_EQ(value(state), row.stored);
        // OK stores the mode last: a warning leaves the automatic default.
        EXPECT_EQ(state.simulation.autoStop(), !manual || !warning.isEmpty());

        window.command(IdStart);
        int passes = 0;
        while (state.simulation.running() && passes < passBudget) {
            ASSERT_TRUE(loop.pass());
            ++passes;
        }
        if (state.simulation.running())
            window.command(IdStop);
        window.statusPane().tick();
        window.servePendingPaints();

        const double shots = state.simulation.shots(), hits = state.simulation.hits();
        EXPECT_FALSE(state.simulation.running());
        if (row.stopsAt == anyCount) {
            EXPECT_GT(shots, 0.0);
            EXPECT_LE(shots, passBudget);
        } else {
            EXPECT_EQ(shots, row.stopsAt == runsOn ? passBudget : row.stopsAt);
        }
        EXPECT_GE(hits, 0.0);
        EXPECT_LE(hits, shots);
        EXPECT_TRUE(std::isfinite(state.pi.value()));
    }
}

const QString nines(99999, u'9');
const QString nines32767(32767, u'9'); // what a field without a set limit holds

const char *const anzahl = "Fehler: Anzahl";
const char *const radius = "Fehler: Radius";
const char *const dimensionen = "Fehler: Dimensionen";

// The number of points is read in manual mode, where the run stops at it.
TEST(BadInput, NumberOfPoints)
{
    checkRows("targetShots", true, [](const AppState &s) { return s.simulation.targetShots(); }, {
        {"empty", Entry::Type, "", {}, "", 0, 1},
        {"pasted blanks", Entry::Paste, "   ", {}, "", 0, 1},
        {"typed letters are refused", Entry::Type, "abc", "", "", 0, 1},
        {"typed minus and blank are refused", Entry::Type, "-5 7", "57", "", 57, 57},
        {"Alt+letter is refused", Entry::Alt, "1x2", "12", "", 12, 12},
        {"Ctrl+Alt+letter is refused", Entry::CtrlAlt, "1q2", "12", "", 12, 12},
        {"typed five digits", Entry::Type, "12345", {}, "", 12345, runsOn},
        {"pasted +5", Entry::Paste, "+5", {}, "", 5, 5},
        {"pasted -5 ends after one shot", Entry::Paste, "-5", {}, "", -5, 1},
        {"pasted --5", Entry::Paste, "--5", {}, "", 0, 1},
        {"pasted 123abc", Entry::Paste, "123abc", {}, "", 123, 123},
        {"pasted 12 34", Entry::Paste, "12 34", {}, "", 12, 12},
        {"pasted comma decimal", Entry::Paste, "0,5", {}, "", 0, 1},
        {"pasted point decimal", Entry::Paste, "2.5", {}, "", 2.5, 3},
        {"pasted 5e-6", Entry::Paste, "5e-6", {}, "", 0.000005, 1},
        {"pasted 1e300", Entry::Paste, "1e300", {}, anzahl, 50000, runsOn},
        {"pasted 1e400", Entry::Paste, "1e400", {}, anzahl, 50000, runsOn},
        {"pasted 99999 nines", Entry::Paste, nines, nines32767, anzahl, 50000, runsOn},
        {"2^53", Entry::Paste, "9007199254740992", {}, "", maxTarget, runsOn},
        {"2^53 + 1 reads as 2^53, its nearest double", Entry::Paste, "9007199254740993", {}, "",
         maxTarget, runsOn},
        {"2^53 + 2", Entry::Paste, "9007199254740994", {}, anzahl, 50000, runsOn},
    });
}

// The threshold field takes any characters; the automatic run stops once the
// variance is below it after more than 50 shots.
TEST(BadInput, Threshold)
{
    checkRows("threshold", false, [](const AppState &s) { return s.simulation.threshold(); }, {
        {"empty never stops", Entry::Type, "", {}, "", 0, runsOn},
        {"blanks", Entry::Type, "   ", {}, "", 0, runsOn},
        {"letters", Entry::Type, "abc", {}, "", 0, runsOn},
        {"nan is no number", Entry::Type, "nan", {}, "", 0, runsOn},
        {"inf is no number", Entry::Type, "inf", {}, "", 0, runsOn},
        {"+5 stops after the minimum", Entry::Type, "+5", {}, "", 5, 51},
        {"-5", Entry::Type, "-5", {}, "", -5, runsOn},
        {"--5", Entry::Type, "--5", {}, "", 0, runsOn},
        {"comma decimal", Entry::Type, "0,5", {}, "", 0, runsOn},
        {"5e-6", Entry::Type, "5e-6", {}, "", 0.000005, runsOn},
        {"1e400 is the largest double", Entry::Paste, "1e400", {}, "", DBL_MAX, 51},
        {"1e-400 is zero", Entry::Paste, "1e-400", {}, "", 0, runsOn},
        {"pasted 99999 nines", Entry::Paste, nines, nines32767, "", 1e299, 51},
    });
}

// Digits only as typed; the one integer field without a length limit.
TEST(BadInput, MinimumShots)
{
    checkRows("minShots", false, [](const AppState &s) { return 1.0 * s.simulation.minShots(); }, {
        {"typed letters are refused", Entry::Type, "abc", "", "", 0, anyCount},
        {"typed minus is refused", Entry::Type, "-5", "5", "", 5, anyCount},
        {"pasted -5", Entry::Paste, "-5", {}, "", -5, anyCount},
        {"pasted --5", Entry::Paste, "--5", {}, "", 0, anyCount},
        {"pasted +5", Entry::Paste, "+5", {}, "", 5, anyCount},
        {"pasted 12 34", Entry::Paste, "12 34", {}, "", 12, anyCount},
        {"pasted 1e300", Entry::Paste, "1e300", {}, "", 1, anyCount},
        {"int max", Entry::Paste, "2147483647", {}, "", INT_MAX, runsOn},
        {"int max + 1 clamps", Entry::Paste, "2147483648", {}, "", INT_MAX, runsOn},
        {"int min - 1 clamps", Entry::Paste, "-2147483649", {}, "", INT_MIN, anyCount},
        {"pasted 99999 nines", Entry::Paste, nines, nines32767, "", INT_MAX, runsOn},
    });
}

// Any characters, at most 5; 1 ... 32000 accepted.
TEST(BadInput, Radius)
{
    checkRows("radius", false, [](const AppState &s) { return 1.0 * s.body.radius(); }, {
        {"empty", Entry::Type, "", {}, radius, 200, runsOn},
        {"blanks", Entry::Type, "   ", {}, radius, 200, runsOn},
        {"letters", Entry::Type, "abc", {}, radius, 200, runsOn},
        {"+5", Entry::Type, "+5", {}, "", 5, runsOn},
        {"-5", Entry::Type, "-5", {}, radius, 200, runsOn},
        {"--5", Entry::Type, "--5", {}, radius, 200, runsOn},
        {"comma decimal below 1", Entry::Type, "0,5", {}, radius, 200, runsOn},
        {"5e-6 reads as 5", Entry::Type, "5e-6", {}, "", 5, runsOn},
        {"0", Entry::Type, "0", {}, radius, 200, runsOn},
        {"1", Entry::Type, "1", {}, "", 1, runsOn},
        {"32000", Entry::Type, "32000", {}, "", 32000, runsOn},
        {"32001", Entry::Type, "32001", {}, radius, 200, runsOn},
        {"99999", Entry::Type, "99999", {}, radius, 200, runsOn},
        {"a sixth character is refused", Entry::Type, "654321", "65432", radius, 200, runsOn},
        {"pasted 99999 nines", Entry::Paste, nines, "99999", radius, 200, runsOn},
    });
}

// Digits only as typed, at most 2; 1 ... 99 accepted. With one dimension every
// shot hits and with ten or more none does: either way the run stops after 51.
TEST(BadInput, Dimensions)
{
    checkRows("dimensions", false, [](const AppState &s) { return 1.0 * s.body.dimensions(); }, {
        {"empty", Entry::Type, "", {}, dimensionen, 2, runsOn},
        {"typed letters are refused", Entry::Type, "abc", "", dimensionen, 2, runsOn},
        {"typed minus is refused", Entry::Type, "-5", "5", "", 5, runsOn},
        {"Alt+X is refused", Entry::Alt, "1x2", "12", "", 12, 51},
        {"Ctrl+V pastes unfiltered", Entry::CtrlV, "+5", {}, "", 5, runsOn},
        {"0", Entry::Type, "0", {}, dimensionen, 2, runsOn},
        {"00", Entry::Type, "00", {}, dimensionen, 2, runsOn},
        {"1", Entry::Type, "1", {}, "", 1, 51},
        {"99", Entry::Type, "99", {}, "", 99, 51},
        {"a third digit is refused", Entry::Type, "100", "10", "", 10, 51},
        {"pasted -5", Entry::Paste, "-5", {}, dimensionen, 2, runsOn},
        {"pasted +5", Entry::Paste, "+5", {}, "", 5, runsOn},
        {"pasted comma decimal", Entry::Paste, "0,5", "0,", dimensionen, 2, runsOn},
        {"pasted blank", Entry::Paste, " 1", {}, "", 1, 51},
        {"pasted 1e", Entry::Paste, "1e300", "1e", "", 1, 51},
        {"pasted 99999 nines", Entry::Paste, nines, "99", "", 99, 51},
    });
}

} // namespace
