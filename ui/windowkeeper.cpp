#include "windowkeeper.h"

#include "waylandsurface.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

WindowKeeper::WindowKeeper(QWidget &mainWindow)
    : QObject(&mainWindow)
    , m_mainWindow(mainWindow)
{
    qApp->installEventFilter(this);
}

bool WindowKeeper::eventFilter(QObject *watched, QEvent *event)
{
    auto *dialog = qobject_cast<QDialog *>(watched);
    const bool isDialog = dialog && dialog->isWindow();
    switch (event->type()) {
    case QEvent::Show:
        // Styles draw focus frames only once the keyboard has moved the focus;
        // dialogs here are opened and worked from the keyboard.
        if (isDialog)
            dialog->setAttribute(Qt::WA_KeyboardFocusChange);
        break;
    case QEvent::WindowDeactivate:
        // Sent while a hidden dialog gives up the keyboard, before its window goes.
        if (isDialog && dialog->isHidden())
            WaylandSurface::unmap(dialog->windowHandle());
        break;
    case QEvent::Hide:
        // Without a window manager nobody else hands the keyboard back.
        if (isDialog)
            QTimer::singleShot(0, this, &WindowKeeper::returnFocus);
        break;
    case QEvent::WindowStateChange: {
        // Some window managers iconify a modal dialog together with its
        // full-screen owner: the user would face an empty screen that takes no keys.
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow() && widget->isMinimized()
            && QApplication::activeModalWidget())
            QTimer::singleShot(0, this, &WindowKeeper::restoreWindows);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void WindowKeeper::returnFocus()
{
    QWidget *target = QApplication::activeModalWidget();
    if (!target)
        target = &m_mainWindow;
    if (!target->isVisible())
        return;
    target->raise();
    target->activateWindow();
}

void WindowKeeper::restoreWindows()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (m_mainWindow.isMinimized())
        m_mainWindow.setWindowState(Qt::WindowFullScreen);
    m_mainWindow.show();
    if (modal->isMinimized())
        modal->setWindowState(modal->windowState() & ~Qt::WindowMinimized);
    modal->show();
    modal->raise();
    modal->activateWindow();
}
