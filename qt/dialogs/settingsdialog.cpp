#include "settingsdialog.h"

#include "dialogflags.h"
#include "modaldialog.h"
#include "spokentext.h"

#include <QAbstractButton>
#include <QLabel>

SettingsDialog::SettingsDialog(Session &session, QWidget *parent)
    : QDialog(parent, DialogFlags::make(SettingsForm::closeBox))
    , m_form(session)
    , m_widgets(*this, SettingsForm::title, SettingsForm::width, SettingsForm::height, SettingsForm::controls)
{
    nameFields();
    m_form.open(m_widgets);
    connect(m_widgets.button(SettingsForm::AutoStop), &QAbstractButton::toggled, this,
            [this] { SettingsForm::toggled(m_widgets); });
    connect(m_widgets.button(SettingsForm::Ok), &QAbstractButton::clicked, this, [this] { m_form.ok(m_widgets); });
    connect(m_widgets.button(SettingsForm::Cancel), &QAbstractButton::clicked, this,
            [this] { SettingsForm::cancel(m_widgets); });
    ModalDialog::centreOnScreen(this);
}

void SettingsDialog::nameFields()
{
    for (std::size_t row = 0; row < SettingsForm::controls.size(); ++row) {
        const DialogControl &control = SettingsForm::controls[row];
        if (control.kind == DialogControl::Kind::CheckBox)
            m_widgets.control(control.id)->setAccessibleName(QString::fromUtf8(SettingsForm::fieldName(control.id)));
        const int buddy = control.buddy;
        if (control.kind != DialogControl::Kind::Label || !buddy)
            continue;
        auto *label = static_cast<QLabel *>(m_widgets.at(row));
        QWidget *field = m_widgets.control(buddy);
        const std::string name = SettingsForm::fieldName(buddy);
        field->setAccessibleName(QString::fromUtf8(name));
        // Qt tells each buddy label as a relation of its own, of which Orca reads only the
        // first, and reads it for the field: a field between two labels keeps none, its
        // name says both words, and a label is named as read aloud, without its colon.
        if (name == SpokenText::read(control.text)) {
            label->setAccessibleName(QString::fromUtf8(name));
            label->setBuddy(field);
        }
    }
}
