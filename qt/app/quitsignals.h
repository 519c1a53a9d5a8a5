#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Ends the program on SIGTERM, SIGINT and SIGHUP the way closing its window
// does. The handler only writes to a pipe; the event loop reads it once the
// work under way (a save) has returned, ends any open dialog and closes the
// window, and the main loop ends. Signals ignored at start stay ignored.
class QuitSignals : public QObject
{
public:
    explicit QuitSignals(QWidget &window);
    ~QuitSignals() override;

private:
    void quit();

    QWidget &m_window;
    int m_readEnd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
