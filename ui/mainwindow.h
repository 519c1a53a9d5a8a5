#pragma once

#include <QMainWindow>

struct AppState;
class ShotPane;
class StatusPane;

// The full-screen main window: its menu bar of ten plain commands, the shot
// pane on the left and the status pane on the right.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The panes are laid out once, for the client area of a window of
    // screenSize: the whole screen less the menu bar.
    MainWindow(AppState &state, const QSize &screenSize);

    QSize clientSize() const;

    // x where the status pane begins: right - trunc(right / 2.5).
    static int paneSplit(int right);

    // Carries out the menu command with this id; every other id is ignored.
    void command(int id);

    ShotPane &shotPane() { return *m_shotPane; }
    StatusPane &statusPane() { return *m_statusPane; }

    bool paintsPending() const;
    void servePendingPaints();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void addCommand(const QString &label, int id);
    void requestQuit();
    void saveResult();
    void stop();
    void eraseBothPanes();

    AppState &m_state;
    ShotPane *m_shotPane = nullptr;
    StatusPane *m_statusPane = nullptr;
};
