#include "settingsdialog.h"

#include "dialogflags.h"
#include "dialogunits.h"
#include "digitkeyfilter.h"
#include "messagebox.h"
#include "modaldialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SettingsDialog::SettingsDialog(Session &session, QWidget *parent)
    : QDialog(parent, DialogFlags::make(true))
    , m_form(session)
{
    setWindowTitle(QString::fromUtf8(SettingsForm::title));
    setModal(true);
    createControls();
    showValues();
    ModalDialog::centreOnScreen(this);
}

void SettingsDialog::createControls()
{
    using Kind = DialogControl::Kind;
    setFont(DialogUnits::dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(SettingsForm::width, SettingsForm::height));

    auto *digitsOnly = new DigitKeyFilter(this);
    QWidget *previous = nullptr;
    for (const DialogControl &control : SettingsForm::controls) {
        const QString text = QString::fromUtf8(control.text);
        const auto [x, y, w, h] = control.units;
        QWidget *widget = nullptr;
        switch (control.kind) {
        case Kind::Edit: {
            auto *field = new QLineEdit(this);
            field->setGeometry(units.toPixels(x, y, w, h));
            if (control.maxLength > 0)
                field->setMaxLength(control.maxLength);
            if (control.digitsOnly)
                field->installEventFilter(digitsOnly);
            m_fields.insert(control.id, field);
            widget = field;
            break;
        }
        case Kind::CheckBox:
            m_autoStop = new QCheckBox(text, this);
            units.placeText(m_autoStop, x, y, w, h);
            connect(m_autoStop, &QCheckBox::toggled, this, &SettingsDialog::applyMode);
            widget = m_autoStop;
            break;
        case Kind::DefaultButton:
        case Kind::Button: {
            auto *button = new QPushButton(text, this);
            button->setGeometry(units.toPixels(x, y, w, h));
            button->setDefault(control.kind == Kind::DefaultButton);
            if (control.id == SettingsForm::Ok)
                connect(button, &QPushButton::clicked, this, &SettingsDialog::storeValues);
            else
                connect(button, &QPushButton::clicked, this, &SettingsDialog::reject);
            widget = button;
            break;
        }
        case Kind::GroupBox: {
            auto *box = new QGroupBox(text, this);
            box->setGeometry(units.toPixels(x, y, w, h));
            // Late in the tab order but beneath the fields it frames, or it would take their clicks.
            box->lower();
            break;
        }
        case Kind::Label: {
            auto *label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            // A label's buddy field takes the label's text as its name for screen readers.
            label->setBuddy(m_fields.value(control.buddy));
            units.placeText(label, x, y, w, h);
            // A field between two labels ("mindestens … Durchläufe") is named by both.
            if (QLineEdit *field = m_fields.value(control.buddy))
                field->setAccessibleName((field->accessibleName() + u' ' + text).trimmed());
            break;
        }
        case Kind::Icon:
            break;
        }
        if (widget) {
            widget->setObjectName(QLatin1String(control.name));
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
    // Qt tells each buddy label as a relation of its own, of which Orca reads only the
    // first: a field between two labels keeps none, its name says both words.
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label->buddy() && label->buddy()->accessibleName() != label->text())
            label->setBuddy(nullptr);
    }
}

void SettingsDialog::showValues()
{
    const SettingsForm::Entries shown = m_form.shown();
    m_fields[SettingsForm::TargetShots]->setText(QString::fromStdString(shown.targetShots));
    m_fields[SettingsForm::Dimensions]->setText(QString::fromStdString(shown.dimensions));
    m_fields[SettingsForm::Radius]->setText(QString::fromStdString(shown.radius));
    m_fields[SettingsForm::Threshold]->setText(QString::fromStdString(shown.threshold));
    m_fields[SettingsForm::MinShots]->setText(QString::fromStdString(shown.minShots));
    m_autoStop->setChecked(shown.autoStop);
    applyMode(shown.autoStop);
    const int first = SettingsForm::firstFocus(shown.autoStop);
    if (first == SettingsForm::AutoStop)
        m_autoStop->setFocus();
    else
        m_fields[first]->setFocus();
}

void SettingsDialog::applyMode(bool automatic)
{
    for (auto field = m_fields.cbegin(); field != m_fields.cend(); ++field)
        field.value()->setEnabled(SettingsForm::enabled(field.key(), automatic));
}

void SettingsDialog::storeValues()
{
    const auto text = [this](int id) { return m_fields[id]->text().toStdString(); };
    const auto refusal = m_form.accept({
        .targetShots = text(SettingsForm::TargetShots),
        .autoStop = m_autoStop->isChecked(),
        .threshold = text(SettingsForm::Threshold),
        .minShots = text(SettingsForm::MinShots),
        .radius = text(SettingsForm::Radius),
        .dimensions = text(SettingsForm::Dimensions),
    });
    if (!refusal) {
        accept();
        return;
    }
    MessageBox::show(refusal->warning, this);
    // The field to correct takes the keyboard, its value selected, so that a
    // screen reader reads what is to be corrected.
    QLineEdit *field = m_fields.value(refusal->field);
    if (field && field->isEnabled()) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}
