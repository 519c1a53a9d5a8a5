#include "messagebox.h"

#include "dialogflags.h"
#include "message.h"
#include "modaldialog.h"

#include <QMessageBox>

namespace MessageBox {

void show(const Message &message, QWidget *owner)
{
    QMessageBox box(message.warning ? QMessageBox::Warning : QMessageBox::Information,
                    QString::fromStdString(message.caption), QString::fromStdString(message.text),
                    QMessageBox::Ok, owner);
    box.setWindowFlags(DialogFlags::make(true));
    box.setTextFormat(Qt::PlainText);
    ModalDialog::exec(box);
}

} // namespace MessageBox
