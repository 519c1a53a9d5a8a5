#pragma once

#include "panecolours.h"

#include <QMainWindow>
#include <QTimer>

struct Reaction;
struct Repaint;
class QAction;
class QScreen;
class Session;
class ScreenFollower;
class ShotPane;
class StatusPane;

// The full-screen main window: the layer's menu bar, the shot pane on the left
// and the status pane on the right, laid out anew whenever the client area
// changes size, and the 20 Hz timer. It hands commands and ticks to the
// session and does what the session answers.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(Session &session);

    // Shows the window full screen on that screen, and keeps it covering
    // whatever screen it is on from then on.
    void showOn(QScreen *screen);

    QSize clientSize() const;

    // Carries out the menu command with this id; every other id is ignored.
    void command(int id);

    // Asks the panes for what the session said to repaint.
    void repaint(const Repaint &repaint);

    ShotPane &shotPane() { return *m_shotPane; }
    StatusPane &statusPane() { return *m_statusPane; }

    bool paintsPending() const;
    void servePendingPaints();

    // The session's tick; the tick timer calls it every 50 ms.
    void tick();
    QTimer &tickTimer() { return m_tickTimer; }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addCommand(const QString &label, int id);
    // F10: the menu bar with its first item active, as after Alt; F10 again leaves it.
    void enterMenuBar();
    void skipDivider(QAction *action);
    // Tells a screen reader the sentence as news, wherever the keyboard is.
    void announce(const QString &sentence);
    void layoutPanes();
    // Both panes in the colours the desktop's palette asks for now.
    void followPalette();

    Session &m_session;
    ShotPane *m_shotPane = nullptr;
    StatusPane *m_statusPane = nullptr;
    QTimer m_tickTimer;
    ScreenFollower *m_follower = nullptr;
    qsizetype m_lastHovered = -1;
    PaneColours m_colours;
};
