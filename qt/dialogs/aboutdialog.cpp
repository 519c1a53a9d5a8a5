#include "aboutdialog.h"

#include "appicon.h"
#include "dialogflags.h"
#include "dialogunits.h"
#include "modaldialog.h"
#include "release.h"

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
    setWindowTitle(QStringLiteral("about Monte-Carlo"));
    setModal(true);
    setFont(DialogUnits::dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(186, 103));

    // Template order; only the button takes the focus.
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(units.toPixels(35, 82, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutDialog::accept);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(AppIcon::icon().pixmap(IconPixels, IconPixels));
    icon->setGeometry(QRect(units.toPixels(7, 22, 20, 20).topLeft(), QSize(IconPixels, IconPixels)));

    auto *box = new QGroupBox(QStringLiteral("Monte Carlo"), this);
    box->setGeometry(units.toPixels(35, 7, 144, 71));

    auto label = [&](const QString &text, int x, int y, int w, int h) {
        auto *staticText = new QLabel(text, this);
        staticText->setTextFormat(Qt::PlainText);
        units.placeText(staticText, x, y, w, h);
    };
    label(QString::fromUtf8(Release::versionText), 42, 23, 89, 8);
    // The documentation installed with the program is its home.
    label(QString::fromUtf8(Release::docDir), 42, 34, 68, 8);
    label(QString::fromUtf8(Release::monthText), 135, 88, 44, 8);
    label(QStringLiteral("Eine Programmbeschreibung sowie Hilfe"), 41, 51, 127, 8);
    label(QStringLiteral("befinden sich auf der Homepage."), 41, 63, 106, 8);

    ok->setFocus();
    ModalDialog::centreOnScreen(this);
}

void AboutDialog::reject()
{
}
