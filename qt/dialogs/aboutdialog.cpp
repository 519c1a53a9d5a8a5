#include "aboutdialog.h"

#include "aboutbox.h"
#include "appicon.h"
#include "dialogflags.h"
#include "dialogunits.h"
#include "modaldialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The icon is shown at its real size, like a static icon control with SS_REALSIZEIMAGE.
constexpr int IconPixels = 32;

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, DialogFlags::make(false))
{
    using Kind = DialogControl::Kind;
    setWindowTitle(QString::fromUtf8(AboutBox::title));
    setModal(true);
    setFont(DialogUnits::dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(AboutBox::width, AboutBox::height));

    QPushButton *ok = nullptr;
    for (const DialogControl &control : AboutBox::controls) {
        const QString text = QString::fromUtf8(control.text);
        const auto [x, y, w, h] = control.units;
        switch (control.kind) {
        case Kind::DefaultButton:
        case Kind::Button:
            ok = new QPushButton(text, this);
            ok->setObjectName(QLatin1String(control.name));
            ok->setGeometry(units.toPixels(x, y, w, h));
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &AboutDialog::accept);
            break;
        case Kind::Icon: {
            auto *icon = new QLabel(this);
            icon->setObjectName(QLatin1String(control.name));
            icon->setPixmap(AppIcon::icon().pixmap(IconPixels, IconPixels));
            icon->setGeometry(QRect(units.toPixels(x, y, w, h).topLeft(), QSize(IconPixels, IconPixels)));
            break;
        }
        case Kind::GroupBox:
            (new QGroupBox(text, this))->setGeometry(units.toPixels(x, y, w, h));
            break;
        case Kind::Label: {
            auto *label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            units.placeText(label, x, y, w, h);
            break;
        }
        case Kind::Edit:
        case Kind::CheckBox:
            break;
        }
    }
    // Only the button takes the focus.
    ok->setFocus();
    ModalDialog::centreOnScreen(this);
}

void AboutDialog::reject()
{
}
