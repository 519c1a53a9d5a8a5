#include "digitkeyfilter.h"

#include <QKeyEvent>

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Shortcuts such as Ctrl+V paste; they are not typing.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return QObject::eventFilter(watched, event);
        for (const QChar c : key->text()) {
            // Control characters (Backspace, Return …) are editing keys.
            if (c.isPrint() && !(c >= u'0' && c <= u'9'))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
