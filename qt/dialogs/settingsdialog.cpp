#include "settingsdialog.h"

#include "body.h"
#include "dialogflags.h"
#include "dialogunits.h"
#include "digitkeyfilter.h"
#include "modaldialog.h"
#include "simulation.h"
#include "textconversion.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A field contributes what the shared text buffer can hold, the rest is cut off.
QString fieldText(const QLineEdit *field)
{
    return field->text().left(TextConversion::BufferSize - 1);
}

} // namespace

SettingsDialog::SettingsDialog(Body &body, Simulation &simulation, QWidget *parent)
    : QDialog(parent, DialogFlags::make(true))
    , m_body(body)
    , m_simulation(simulation)
{
    setWindowTitle(QStringLiteral("Einstellungen"));
    setModal(true);
    createControls();
    showValues();
    ModalDialog::centreOnScreen(this);
}

void SettingsDialog::createControls()
{
    setFont(DialogUnits::dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(199, 178));

    auto *digitsOnly = new DigitKeyFilter(this);
    auto edit = [&](const char *name, int x, int y, int w, int h, bool digits) {
        auto *field = new QLineEdit(this);
        field->setObjectName(QLatin1String(name));
        field->setGeometry(units.toPixels(x, y, w, h));
        if (digits)
            field->installEventFilter(digitsOnly);
        return field;
    };
    // A label's buddy field takes the label's text as its name for screen readers.
    auto label = [&](const QString &text, int x, int y, int w, int h, QWidget *buddy = nullptr) {
        auto *staticText = new QLabel(text, this);
        staticText->setTextFormat(Qt::PlainText);
        staticText->setBuddy(buddy);
        units.placeText(staticText, x, y, w, h);
    };
    // Group boxes come late in the tab order but must lie beneath the fields they
    // frame, or they would take the fields' mouse clicks.
    auto group = [&](const QString &title, int x, int y, int w, int h) {
        auto *box = new QGroupBox(title, this);
        box->setGeometry(units.toPixels(x, y, w, h));
        box->lower();
    };

    // Template order, which is the tab order.
    m_targetShots = edit("targetShots", 13, 33, 114, 14, true);
    m_autoStop = new QCheckBox(QStringLiteral("automatisch festlegen (über Varianz)"), this);
    m_autoStop->setObjectName(QStringLiteral("autoStop"));
    units.placeText(m_autoStop, 13, 53, 130, 10);
    m_threshold = edit("threshold", 72, 66, 56, 12, false);
    m_minShots = edit("minShots", 63, 84, 29, 12, true);
    m_radius = edit("radius", 40, 129, 35, 12, false);
    m_radius->setMaxLength(5);
    m_dimensions = edit("dimensions", 147, 129, 31, 12, true);
    m_dimensions->setMaxLength(2);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(units.toPixels(7, 157, 50, 14));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(units.toPixels(142, 157, 50, 14));

    group(QString(), 7, 7, 185, 103);
    label(QStringLiteral("Anzahl der zu schießenden Punkte:"), 14, 17, 113, 8, m_targetShots);
    group(QStringLiteral("Körper"), 7, 116, 185, 34);
    label(QStringLiteral("Dimensionen:"), 101, 132, 44, 8, m_dimensions);
    label(QStringLiteral("Radius:"), 13, 131, 25, 8, m_radius);
    label(QStringLiteral("Abbruchwert:"), 25, 68, 43, 8, m_threshold);
    label(QStringLiteral("mindestens"), 24, 87, 36, 8, m_minShots);
    label(QStringLiteral("Durchläufe"), 96, 87, 36, 8, m_minShots);

    QWidget::setTabOrder(m_targetShots, m_autoStop);
    QWidget::setTabOrder(m_autoStop, m_threshold);
    QWidget::setTabOrder(m_threshold, m_minShots);
    QWidget::setTabOrder(m_minShots, m_radius);
    QWidget::setTabOrder(m_radius, m_dimensions);
    QWidget::setTabOrder(m_dimensions, ok);
    QWidget::setTabOrder(ok, cancel);

    connect(m_autoStop, &QCheckBox::toggled, this, &SettingsDialog::applyMode);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::storeValues);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);
}

void SettingsDialog::showValues()
{
    using TextConversion::formatFixed;
    using TextConversion::formatInt;
    m_targetShots->setText(formatFixed(m_simulation.targetShots(), 0));
    m_dimensions->setText(formatInt(m_body.dimensions()));
    m_radius->setText(formatInt(m_body.radius()));
    m_threshold->setText(formatFixed(m_simulation.threshold(), 10));
    m_minShots->setText(formatInt(m_simulation.minShots()));

    const bool automatic = m_simulation.autoStop();
    m_autoStop->setChecked(automatic);
    applyMode(automatic);
    // The number of points is disabled in automatic mode and cannot take the focus.
    if (automatic)
        m_autoStop->setFocus();
    else
        m_targetShots->setFocus();
}

void SettingsDialog::applyMode(bool automatic)
{
    m_targetShots->setEnabled(!automatic);
    m_threshold->setEnabled(automatic);
    m_minShots->setEnabled(automatic);
}

void SettingsDialog::storeValues()
{
    using TextConversion::toDouble;
    using TextConversion::toInt;

    // Every field is read, enabled or not; each check stops before its store.
    const double targetShots = toDouble(fieldText(m_targetShots));
    if (targetShots > MaxTargetShots) {
        warn(QStringLiteral("Anzahl zu groß!\nHöchstens 9007199254740992 Punkte verwenden."),
             QStringLiteral("Fehler: Anzahl"));
        return;
    }
    m_simulation.setTargetShots(targetShots);

    const int dimensions = toInt(fieldText(m_dimensions));
    if (dimensions < MinDimensions) {
        warn(QStringLiteral("Dimensionen zu klein!\nMindestens 1 Dimension verwenden."),
             QStringLiteral("Fehler: Dimensionen"));
        return;
    }
    m_body.setDimensions(dimensions);

    const int radius = toInt(fieldText(m_radius));
    if (radius > MaxRadius) {
        warn(QStringLiteral("Radius zu groß!\nRadius darf maximal 32000 betragen."),
             QStringLiteral("Fehler: Radius"));
        return;
    }
    if (radius < MinRadius) {
        warn(QStringLiteral("Radius zu klein!\nRadius muss mindestens 1 betragen."),
             QStringLiteral("Fehler: Radius"));
        return;
    }
    m_body.setRadius(radius);

    m_simulation.setThreshold(toDouble(fieldText(m_threshold)));
    m_simulation.setMinShots(toInt(fieldText(m_minShots)));
    m_simulation.setAutoStop(m_autoStop->isChecked());
    accept();
}

void SettingsDialog::warn(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box.setWindowFlags(DialogFlags::make(true));
    box.setTextFormat(Qt::PlainText);
    ModalDialog::exec(box);
}
