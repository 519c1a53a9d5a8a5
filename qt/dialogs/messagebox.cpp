#include "messagebox.h"

#include "dialogflags.h"
#include "focusedbuttonstyle.h"
#include "message.h"
#include "modaldialog.h"
#include "spokentext.h"

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
    // Named as read aloud: a reader speaks the caption's colon as a word.
    box.setAccessibleName(QString::fromUtf8(SpokenText::read(message.caption)));
    box.button(QMessageBox::Ok)->setStyle(FocusedButtonStyle::instance());
    ModalDialog::exec(box);
}

} // namespace MessageBox
