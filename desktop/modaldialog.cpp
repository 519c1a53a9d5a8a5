#include "modaldialog.h"

#include "waylandsurface.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

// Watches the dialog and the window that owns it; lives as long as the dialog,
// since the keyboard may leave a hidden dialog only after exec() returned.
class Guard : public QObject
{
public:
    Guard(QDialog &dialog, QWidget *owner)
        : QObject(&dialog)
        , m_dialog(dialog)
        , m_owner(owner)
    {
        dialog.installEventFilter(this);
        if (owner)
            owner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == &m_dialog) {
            // Styles draw focus frames only once the keyboard has moved the
            // focus; dialogs here are opened and worked from the keyboard.
            m_dialog.setAttribute(Qt::WA_KeyboardFocusChange);
        } else if (event->type() == QEvent::WindowDeactivate && watched == &m_dialog
            && m_dialog.isHidden()) {
            // Sent while a hidden dialog gives up the keyboard, before its window goes.
            WaylandSurface::unmap(m_dialog.windowHandle());
        } else if (event->type() == QEvent::WindowStateChange && m_dialog.isVisible()
                   && static_cast<QWidget *>(watched)->isMinimized()) {
            // Some window managers iconify a modal dialog together with its
            // full-screen owner: the user would face an empty screen that takes no keys.
            QTimer::singleShot(0, this, [this] { restore(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void restore()
    {
        QWidget *top = m_owner ? m_owner->window() : nullptr;
        if (top && top->isMinimized())
            top->setWindowState((top->windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
        if (top)
            top->show();
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            modal = &m_dialog;
        if (modal->isMinimized())
            modal->setWindowState(modal->windowState() & ~Qt::WindowMinimized);
        modal->show();
        modal->raise();
        modal->activateWindow();
    }

    QDialog &m_dialog;
    QWidget *m_owner;
};

} // namespace

namespace ModalDialog {

int exec(QDialog &dialog)
{
    QWidget *owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    new Guard(dialog, owner);
    const int result = dialog.exec();
    // Without a window manager nobody else hands the keyboard back: to the
    // dialog still open below this one, or else to the owner.
    QTimer::singleShot(0, qApp, [owner = QPointer<QWidget>(owner)] {
        QWidget *target = QApplication::activeModalWidget();
        if (!target)
            target = owner;
        if (!target || !target->isVisible())
            return;
        target->raise();
        target->activateWindow();
    });
    return result;
}

} // namespace ModalDialog
