#include "screenfollower.h"

#include <QCursor>
#include <QGuiApplication>
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
}

QScreen *ScreenFollower::startScreen()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}
