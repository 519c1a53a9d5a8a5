#include "screenfollower.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

ScreenFollower::ScreenFollower(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    QWindow *handle = window.windowHandle();
    connect(handle, &QWindow::screenChanged, this, &ScreenFollower::follow);
    follow(handle->screen());
}

void ScreenFollower::follow(QScreen *screen)
{
    if (m_screen)
        disconnect(m_screen, nullptr, this, nullptr);
    m_screen = screen;
    if (!screen)
        return;
    connect(screen, &QScreen::geometryChanged, this, &ScreenFollower::cover);
    cover();
}

void ScreenFollower::cover()
{
    if (!m_screen)
        return;
    const QRect area = m_screen->geometry();
    if (m_window.geometry() != area)
        m_window.setGeometry(area);
    if (!m_window.isFullScreen())
        m_window.showFullScreen();
    // A dialog or box open over the window keeps its place when the screen
    // shrinks, partly off it; window managers leave it there, so it is moved in.
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top == &m_window || !top->isVisible() || top->screen() != m_screen)
            continue;
        const QRect frame = top->frameGeometry();
        const QPoint inside(
            std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
            std::clamp(frame.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
        if (inside != frame.topLeft())
            top->move(inside);
    }
}
