#pragma once

struct AppState;
class MainWindow;

// The program's loop: each pass drains the event queue once and then, while a
// run is active, fires one shot, advances the colour, asks the shot pane to
// plot it and applies the stop rule. With no run active the drain waits for
// the next event instead of polling.
class MainLoop
{
public:
    MainLoop(AppState &state, MainWindow &window);

    // One pass; false, without draining, once quitting was requested.
    bool pass();

    // Passes until quitting was requested; the exit code.
    int run();

    // The drain alone, as the first step of a pass; waits only when told to
    // and when nothing else is due.
    void drain(bool mayWait);

private:
    AppState &m_state;
    MainWindow &m_window;
};
