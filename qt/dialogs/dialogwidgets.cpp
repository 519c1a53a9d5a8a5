#include "dialogwidgets.h"

#include "appicon.h"
#include "dialogunits.h"
#include "digitkeyfilter.h"
#include "focusedbuttonstyle.h"
#include "messagebox.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The icon is shown at its real size, like a static icon control with SS_REALSIZEIMAGE.
constexpr int IconPixels = 32;

bool takesFocus(DialogControl::Kind kind)
{
    using Kind = DialogControl::Kind;
    return kind == Kind::Edit || kind == Kind::CheckBox || kind == Kind::DefaultButton || kind == Kind::Button;
}

} // namespace

DialogWidgets::DialogWidgets(QDialog &dialog, const char *title, int width, int height,
                             std::span<const DialogControl> table)
    : m_dialog(dialog)
    , m_table(table)
{
    dialog.setWindowTitle(QString::fromUtf8(title));
    dialog.setModal(true);
    dialog.setFont(DialogUnits::dialogFont());
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.toPixels(width, height));
    create(units);
}

void DialogWidgets::create(const DialogUnits &units)
{
    using Kind = DialogControl::Kind;
    DigitKeyFilter *digitsOnly = nullptr;
    m_widgets.assign(m_table.size(), nullptr);
    // Qt's focus chain, and so the tab order, follows creation: the controls that
    // take the keyboard first, in table order, or the labels between them would
    // stand in the chain.
    std::vector<std::size_t> rows;
    for (const bool focusable : {true, false}) {
        for (std::size_t row = 0; row < m_table.size(); ++row) {
            if (takesFocus(m_table[row].kind) == focusable)
                rows.push_back(row);
        }
    }
    for (const std::size_t row : rows) {
        const DialogControl &control = m_table[row];
        const QString text = QString::fromUtf8(control.text);
        const auto [x, y, w, h] = control.units;
        QWidget *widget = nullptr;
        switch (control.kind) {
        case Kind::Edit: {
            auto *field = new QLineEdit(&m_dialog);
            field->setGeometry(units.toPixels(x, y, w, h));
            if (control.maxLength > 0)
                field->setMaxLength(control.maxLength);
            if (control.digitsOnly) {
                if (!digitsOnly)
                    digitsOnly = new DigitKeyFilter(&m_dialog);
                field->installEventFilter(digitsOnly);
            }
            widget = field;
            break;
        }
        case Kind::CheckBox:
            widget = new QCheckBox(text, &m_dialog);
            units.placeText(widget, x, y, w, h);
            break;
        case Kind::DefaultButton:
        case Kind::Button: {
            auto *button = new QPushButton(text, &m_dialog);
            button->setGeometry(units.toPixels(x, y, w, h));
            button->setDefault(control.kind == Kind::DefaultButton);
            button->setStyle(FocusedButtonStyle::instance());
            widget = button;
            break;
        }
        case Kind::GroupBox:
            widget = new QGroupBox(text, &m_dialog);
            widget->setGeometry(units.toPixels(x, y, w, h));
            // Beneath the controls it frames, or it would take their clicks.
            widget->lower();
            break;
        case Kind::Label: {
            auto *label = new QLabel(text, &m_dialog);
            label->setTextFormat(Qt::PlainText);
            units.placeText(label, x, y, w, h);
            widget = label;
            break;
        }
        case Kind::Icon: {
            auto *icon = new QLabel(&m_dialog);
            icon->setPixmap(AppIcon::icon().pixmap(IconPixels, IconPixels));
            icon->setGeometry(QRect(units.toPixels(x, y, w, h).topLeft(), QSize(IconPixels, IconPixels)));
            widget = icon;
            break;
        }
        }
        widget->setObjectName(QLatin1String(control.name));
        m_widgets[row] = widget;
    }
}

QWidget *DialogWidgets::control(int id) const
{
    for (std::size_t row = 0; row < m_table.size(); ++row) {
        if (m_table[row].id == id)
            return m_widgets[row];
    }
    return nullptr;
}

QLineEdit *DialogWidgets::field(int id) const
{
    return qobject_cast<QLineEdit *>(control(id));
}

QAbstractButton *DialogWidgets::button(int id) const
{
    return qobject_cast<QAbstractButton *>(control(id));
}

std::string DialogWidgets::text(int id) const
{
    return field(id)->text().toStdString();
}

void DialogWidgets::setText(int id, const std::string &text)
{
    field(id)->setText(QString::fromStdString(text));
    // A value wider than its field, as "0.0000050000" in a style with wide margins, shows from its start, not its end.
    field(id)->setCursorPosition(0);
}

bool DialogWidgets::checked(int id) const
{
    return button(id)->isChecked();
}

void DialogWidgets::setChecked(int id, bool checked)
{
    button(id)->setChecked(checked);
}

void DialogWidgets::enable(int id, bool enabled)
{
    control(id)->setEnabled(enabled);
}

void DialogWidgets::focus(int id)
{
    control(id)->setFocus(Qt::OtherFocusReason);
}

void DialogWidgets::selectAll(int id)
{
    field(id)->selectAll();
}

void DialogWidgets::warn(const Message &message)
{
    MessageBox::show(message, &m_dialog);
}

void DialogWidgets::end(bool accepted)
{
    m_dialog.done(accepted ? QDialog::Accepted : QDialog::Rejected);
}
