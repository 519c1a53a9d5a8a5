#include "digitkeyfilter.h"

#include <QKeyEvent>

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Ctrl and Ctrl+Shift carry shortcuts such as Ctrl+V and type no
        // character; with Alt, AltGr or Meta a line edit types the key's text.
        const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
        const bool shortcut =
            held == Qt::ControlModifier || held == (Qt::ControlModifier | Qt::ShiftModifier);
        for (const QChar c : key->text()) {
            // Control characters (Backspace, Return …) are editing keys; format
            // characters such as a zero-width joiner are typed even with Ctrl.
            const bool typed = c.category() == QChar::Other_Format || (c.isPrint() && !shortcut);
            if (typed && !(c >= u'0' && c <= u'9'))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
