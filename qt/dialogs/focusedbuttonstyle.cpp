#include "focusedbuttonstyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace {
// Logical pixels: two screen pixels at least from scale 2 on.
constexpr int frameWidth = 1;
} // namespace

FocusedButtonStyle *FocusedButtonStyle::instance()
{
    static FocusedButtonStyle *const style = [] {
        auto *made = new FocusedButtonStyle;
        made->setParent(qApp);
        return made;
    }();
    return style;
}

void FocusedButtonStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    painter->save();
    const QColor ink = option->palette.color(QPalette::ButtonText);
    // Clear of the style's own outline, which marks the default button.
    const QRect frame = subElementRect(SE_PushButtonFocusRect, option, widget).adjusted(1, 1, -1, -1);
    painter->fillRect(QRect(frame.left(), frame.top(), frame.width(), frameWidth), ink);
    painter->fillRect(QRect(frame.left(), frame.bottom() - frameWidth + 1, frame.width(), frameWidth), ink);
    painter->fillRect(QRect(frame.left(), frame.top(), frameWidth, frame.height()), ink);
    painter->fillRect(QRect(frame.right() - frameWidth + 1, frame.top(), frameWidth, frame.height()), ink);
    painter->restore();
}
