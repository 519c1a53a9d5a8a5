#include "aboutdialog.h"

#include "aboutbox.h"
#include "dialogflags.h"
#include "modaldialog.h"

#include <QAbstractButton>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, DialogFlags::make(AboutBox::closeBox))
    , m_widgets(*this, AboutBox::title, AboutBox::width, AboutBox::height, AboutBox::controls)
{
    connect(m_widgets.button(AboutBox::okId), &QAbstractButton::clicked, this, [this] { AboutBox::ok(m_widgets); });
    // A screen reader reads the whole text as the dialog opens, not its first line only.
    setAccessibleDescription(QString::fromStdString(AboutBox::spokenText()));
    AboutBox::open(m_widgets);
    ModalDialog::centreOnScreen(this);
}

void AboutDialog::reject()
{
    AboutBox::cancel(m_widgets);
}
