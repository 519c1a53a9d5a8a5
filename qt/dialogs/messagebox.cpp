#include "messagebox.h"

#include "dialogflags.h"
#include "focusedbuttonstyle.h"
#include "message.h"
#include "modaldialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace MessageBox {

void show(const Message &message, QWidget *owner)
{
    QMessageBox box(message.warning ? QMessageBox::Warning : QMessageBox::Information,
                    QString::fromStdString(message.caption), QString::fromStdString(message.text),
                    QMessageBox::Ok, owner);
    box.setWindowFlags(DialogFlags::make(true));
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setStyle(FocusedButtonStyle::instance());
    ModalDialog::exec(box);
}

} // namespace MessageBox
