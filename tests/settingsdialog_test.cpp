#include "settingsdialog.h"

#include "body.h"
#include "dialogunits.h"
#include "piestimate.h"
#include "shotgenerator.h"
#include "simulation.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <ostream>

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

class SettingsDialogTest : public ::testing::Test
{
protected:
    // Shown rather than exec()'d, so that the test can drive it; it is modal all the same.
    SettingsDialog &open()
    {
        m_dialog = std::make_unique<SettingsDialog>(body, simulation, nullptr);
        m_dialog->show();
        return *m_dialog;
    }
    void resetToDefaults()
    {
        simulation.setAutoStop(true);
        simulation.setTargetShots(50000.0);
        simulation.setThreshold(0.000005);
        simulation.setMinShots(50);
        body.setRadius(200);
        body.setDimensions(2);
    }
    template<typename T = QLineEdit>
    T *child(const char *name) const { return m_dialog->findChild<T *>(QLatin1String(name)); }

    // Select all, then type: typed keys go through the field's key filter.
    void type(const char *name, const QString &text)
    {
        child(name)->selectAll();
        QTest::keyClicks(child(name), text);
        if (text.isEmpty())
            QTest::keyClick(child(name), Qt::Key_Backspace);
    }
    // Pasting inserts the text without any key event.
    void paste(const char *name, const QString &text)
    {
        child(name)->selectAll();
        child(name)->insert(text);
    }

    // Clicks OK; returns "caption|text" of the warning it raised (after closing
    // it), or an empty string when none came up.
    QString clickOk()
    {
        QString seen;
        QTimer::singleShot(0, [&seen, this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                EXPECT_EQ(box->parentWidget(), m_dialog.get());
                seen = box->windowTitle() + u'|' + box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        QTest::mouseClick(child<QPushButton>("okButton"), Qt::LeftButton);
        QCoreApplication::processEvents();
        return seen;
    }

    ShotGenerator generator;
    Simulation simulation{generator};
    Body body;

private:
    std::unique_ptr<SettingsDialog> m_dialog;
};

} // namespace

TEST_F(SettingsDialogTest, OpensWithTheCurrentValuesModeAndFocus)
{
    struct Case {
        const char *name;
        bool autoStop;
        double target, threshold;
        int minShots;
        QStringList shown; // targetShots, threshold, minShots, radius, dimensions
        const char *focus;
    };
    const Case cases[] = {
        {"defaults", true, 50000.0, 0.000005, 50, {"50000", "0.0000050000", "50", "200", "2"}, "autoStop"},
        {"manual mode, rounded target, tiny threshold", false, 12.7, 0.00000000004, -3,
         {"13", "0.0000000000", "-3", "200", "2"}, "targetShots"},
        {"huge values stay within the buffer", true, 1e300, 1e300, INT_MIN,
         {"1e+300", "1e+300", "-2147483648", "200", "2"}, "autoStop"},
    };
    const char *fields[] = {"targetShots", "threshold", "minShots", "radius", "dimensions"};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        simulation.setAutoStop(c.autoStop);
        simulation.setTargetShots(c.target);
        simulation.setThreshold(c.threshold);
        simulation.setMinShots(c.minShots);
        SettingsDialog &dialog = open();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(child(fields[i])->text(), c.shown[i]) << fields[i];
        EXPECT_EQ(child<QCheckBox>("autoStop")->isChecked(), c.autoStop);
        EXPECT_EQ(child("targetShots")->isEnabled(), !c.autoStop);
        EXPECT_EQ(child("threshold")->isEnabled(), c.autoStop);
        EXPECT_EQ(child("minShots")->isEnabled(), c.autoStop);
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), QLatin1String(c.focus));
    }
}

TEST_F(SettingsDialogTest, TogglingThenCancellingStoresNothing)
{
    const std::pair<const char *, void (*)(SettingsDialog &)> cases[] = {
        {"Abbrechen", [](SettingsDialog &d) { d.findChild<QPushButton *>("cancelButton")->click(); }},
        {"Escape", [](SettingsDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](SettingsDialog &d) { d.close(); }},
    };
    for (const auto &[name, cancel] : cases) {
        SCOPED_TRACE(name);
        SettingsDialog &dialog = open();
        QTest::keyClick(child<QCheckBox>("autoStop"), Qt::Key_Space);
        EXPECT_TRUE(child("targetShots")->isEnabled());
        EXPECT_FALSE(child("threshold")->isEnabled());
        EXPECT_FALSE(child("minShots")->isEnabled());
        type("targetShots", QStringLiteral("77"));
        type("radius", QStringLiteral("10"));
        cancel(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(simulation.autoStop());
        EXPECT_EQ(simulation.targetShots(), 50000.0);
        EXPECT_EQ(body.radius(), 200);
    }
}

TEST_F(SettingsDialogTest, FailedCheckWarnsAfterStoringTheFieldsBeforeIt)
{
    const QString dims = QStringLiteral("Fehler: Dimensionen|Dimensionen zu klein!\nMindestens 1 Dimension verwenden.");
    const QString large = QStringLiteral("Fehler: Radius|Radius zu groß!\nRadius darf maximal 32000 betragen.");
    const QString small = QStringLiteral("Fehler: Radius|Radius zu klein!\nRadius muss mindestens 1 betragen.");
    const QString count = QStringLiteral("Fehler: Anzahl|Anzahl zu groß!\nHöchstens 9007199254740992 Punkte verwenden.");
    struct Case {
        const char *name, *target, *dimensions, *radius;
        QString warning;
        double storedTarget;
        int storedDimensions;
    };
    const Case cases[] = {
        {"dimensions 0", "777", "0", "50", dims, 777.0, 2},
        {"dimensions 00", "777", "00", "50", dims, 777.0, 2},
        {"dimensions empty", "777", "", "50", dims, 777.0, 2},
        {"radius 32001", "777", "5", "32001", large, 777.0, 5},
        {"radius 0", "777", "5", "0", small, 777.0, 5},
        {"radius -5", "777", "5", "-5", small, 777.0, 5},
        {"radius abc", "777", "5", "abc", small, 777.0, 5},
        {"pasted target 1e300", "1e300", "5", "50", count, 50000.0, 2},
        {"target 2^53 + 2 is never reached", "9007199254740994", "5", "50", count, 50000.0, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        resetToDefaults();
        SettingsDialog &dialog = open();
        paste("targetShots", QLatin1String(c.target));
        type("dimensions", QLatin1String(c.dimensions));
        type("radius", QLatin1String(c.radius));
        type("threshold", QStringLiteral("0.5"));

        EXPECT_EQ(clickOk(), c.warning);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(child("radius")->text(), QLatin1String(c.radius));
        EXPECT_EQ(body.radius(), 200);
        EXPECT_EQ(simulation.threshold(), 0.000005);
        // Cancelling now keeps what the failed OK stored.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(simulation.targetShots(), c.storedTarget);
        EXPECT_EQ(body.dimensions(), c.storedDimensions);
    }
}

TEST_F(SettingsDialogTest, TenDimensionsThroughTheDialogStopAfter51ShotsWithoutHit)
{
    open();
    type("dimensions", QStringLiteral("10"));
    ASSERT_EQ(clickOk(), QString());

    PiEstimate pi;
    simulation.start();
    while (simulation.running() && simulation.shots() < 1000.0) {
        simulation.shoot(body);
        simulation.applyStopRule(pi);
    }
    EXPECT_EQ(simulation.shots(), 51.0);
    EXPECT_EQ(simulation.hits(), 0.0);
}

TEST_F(SettingsDialogTest, ControlsSitAtTheirRectanglesInTabOrderAndTextsFit)
{
    struct Case {
        const char *name;
        int x, y, w, h;
    };
    const Case cases[] = {
        {"targetShots", 13, 33, 114, 14}, {"autoStop", 13, 53, 130, 10},
        {"threshold", 72, 66, 56, 12},    {"minShots", 63, 84, 29, 12},
        {"radius", 40, 129, 35, 12},      {"dimensions", 147, 129, 31, 12},
        {"okButton", 7, 157, 50, 14},     {"cancelButton", 142, 157, 50, 14},
    };
    simulation.setAutoStop(false);
    SettingsDialog &dialog = open();
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), units.toPixels(199, 178));
    QWidget *next = child<QWidget>("targetShots");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto *control = child<QWidget>(c.name);
        EXPECT_EQ(control, next);
        // The check box may grow to fit its text and indicator.
        EXPECT_TRUE(control->geometry().contains(units.toPixels(c.x, c.y, c.w, c.h)));
        // The group boxes framing the fields must not take their clicks.
        EXPECT_EQ(dialog.childAt(control->geometry().center()), control);
        do
            next = next->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus);
    }
    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
        EXPECT_TRUE(dialog.rect().contains(label->geometry()));
    }
}
