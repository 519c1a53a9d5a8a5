#pragma once

#include <QMainWindow>
#include <QTimer>

struct AppState;
class QScreen;
class ScreenFollower;
class ShotPane;
class StatusPane;

// The full-screen main window: its menu bar of ten plain commands, the shot
// pane on the left and the status pane on the right, laid out anew whenever
// the client area changes size; and the 20 Hz tick that refreshes the run's
// derived values for the status pane.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppState &state);

    // Shows the window full screen on that screen, and keeps it covering
    // whatever screen it is on from then on.
    void showOn(QScreen *screen);

    QSize clientSize() const;

    // x where the status pane begins: right - trunc(right / 2.5).
    static int paneSplit(int right);

    // Carries out the menu command with this id; every other id is ignored.
    void command(int id);

    ShotPane &shotPane() { return *m_shotPane; }
    StatusPane &statusPane() { return *m_statusPane; }

    bool paintsPending() const;
    void servePendingPaints();

    // Refreshes variance, ratio, pi and volume and asks the status pane for
    // its page; the tick timer calls it every 50 ms.
    void tick();
    QTimer &tickTimer() { return m_tickTimer; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addCommand(const QString &label, int id);
    void requestQuit();
    void saveResult();
    void stop();
    void eraseBothPanes();
    void layoutPanes();

    AppState &m_state;
    ShotPane *m_shotPane = nullptr;
    StatusPane *m_statusPane = nullptr;
    QTimer m_tickTimer;
    ScreenFollower *m_follower = nullptr;
};
