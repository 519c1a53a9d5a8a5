#pragma once

class MainWindow;
class Session;

// The program's loop: each pass drains the event queue once and then hands the
// rest of the pass to the session, which shoots while a run is active. With no
// run active the drain waits for the next event instead of polling.
class MainLoop
{
public:
    MainLoop(Session &session, MainWindow &window);

    // One pass; false, without draining, once quitting was requested.
    bool pass();

    // Passes until quitting was requested; the exit code.
    int run();

    // The drain alone, as the first step of a pass; waits only when told to
    // and when nothing else is due.
    void drain(bool mayWait);

private:
    Session &m_session;
    MainWindow &m_window;
};
