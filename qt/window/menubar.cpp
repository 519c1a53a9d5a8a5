#include "menubar.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>

#include <utility>

MenuBar::MenuBar(QWidget *parent)
    : QMenuBar(parent)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (now == this && old)
            m_cameFrom = old;
    });
}

void MenuBar::enter()
{
    if (hasFocus()) {
        leave();
        return;
    }
    // Qt enters the menu bar on a lone Alt only and offers no call for it.
    setFocus(Qt::MenuBarFocusReason);
    setActiveAction(actions().first());
}

bool MenuBar::leave()
{
    if (!hasFocus())
        return false;
    setActiveAction(nullptr);
    handBack(std::exchange(m_cameFrom, nullptr));
    return !hasFocus();
}

void MenuBar::handBack(QWidget *to)
{
    if (to)
        to->setFocus(Qt::MenuBarFocusReason);
    else if (hasFocus())
        focusNextChild();
}

void MenuBar::keyPressEvent(QKeyEvent *event)
{
    const bool escaped = event->key() == Qt::Key_Escape && hasFocus();
    const QPointer<QWidget> back = m_cameFrom;
    QMenuBar::keyPressEvent(event);
    // Escape clears the active item and would leave the keyboard here with nothing shown or said, or hand it
    // to where Qt's own Alt last found it.
    if (escaped) {
        m_cameFrom = nullptr;
        handBack(back);
    }
}

bool MenuBar::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
    // A copy has no time stamp; the key as it came has the window system's.
    if (key && QAccessible::isActive() && static_cast<QKeyEvent *>(event)->timestamp() == 0)
        return false;
    return QMenuBar::eventFilter(watched, event);
}
