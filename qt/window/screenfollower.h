#pragma once

#include <QObject>
#include <QPointer>

class QScreen;
class QWidget;

// Keeps a full-screen window on the whole of its screen while that screen
// changes: a projector or dock switches its mode, a monitor goes, the window
// is moved to another screen or the screen's scale changes. Window managers
// resize a full-screen window themselves; without one nobody else does.
class ScreenFollower : public QObject
{
    Q_OBJECT
public:
    // Call once the window is shown, so that it has a native window to follow.
    explicit ScreenFollower(QWidget &window);

    // The window covers the screen it is on now.
    void cover();

    // Where the desktop launched the program: the screen under the pointer,
    // else the primary one.
    static QScreen *startScreen();

private:
    void follow(QScreen *screen);

    QWidget &m_window;
    QPointer<QScreen> m_screen;
};
