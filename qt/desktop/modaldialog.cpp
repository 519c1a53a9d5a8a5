#include "modaldialog.h"

#include "waylandsurface.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>
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
        if (QWindow *top = owner ? owner->window()->windowHandle() : nullptr) {
            connect(top, &QWindow::screenChanged, this, &Guard::followScreen);
            followScreen(top->screen());
        }
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
    // A screen that changes under an open dialog (a projector, a dock) must
    // not leave part of it, its buttons perhaps, off the screen.
    void followScreen(QScreen *screen)
    {
        if (m_screen)
            disconnect(m_screen, nullptr, this, nullptr);
        m_screen = screen;
        if (screen)
            connect(screen, &QScreen::availableGeometryChanged, this, &Guard::keepOnScreen);
        keepOnScreen();
    }

    void keepOnScreen()
    {
        // After the owner has followed the screen, which may have taken the keyboard.
        QTimer::singleShot(0, this, [this] {
            if (!m_screen || !m_dialog.isVisible())
                return;
            if (!m_screen->availableGeometry().contains(m_dialog.frameGeometry()))
                ModalDialog::centreOnScreen(&m_dialog);
            if (QApplication::activeModalWidget() == &m_dialog) {
                m_dialog.raise();
                m_dialog.activateWindow();
            }
        });
    }

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
    QPointer<QScreen> m_screen;
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

void centreOnScreen(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget();
    const QScreen *screen = owner ? owner->window()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = dialog->frameGeometry().size();
    dialog->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace ModalDialog
