#pragma once

#include "advance.h"
#include "reaction.h"
#include "repaint.h"

#include <memory>
#include <optional>

class Clock;
class ReportSink;
class SettingsForm;
struct SessionState;

// One program session: the measured body, the run and its estimate of pi, the
// colour of the next shot and whether quitting was asked for, created once at
// start-up. The front end drains its events, then calls pass(); its 50 ms
// timer calls tick(); its menu calls command(). Each step answers what to
// repaint. Only the settings form changes the run's parameters.
class Session
{
public:
    // Saved reports go to the file in the working folder (ReportFile).
    Session();
    // Saved reports go to the given sink, which outlives the session.
    explicit Session(ReportSink &reports);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The core's objects, for the layer's own classes; a front end cannot use them.
    const SessionState &state() const { return *m_state; }
    bool running() const;
    bool quitRequested() const { return m_quitRequested; }

    // The rest of a pass after the drain: while a run is active one shot, the
    // colour advanced, the plot asked for, then the stop rule.
    Repaint pass();

    // The 20 Hz refresh: in manual mode the variance (from the ratio of the
    // previous refresh), then the ratio; pi; the body's volume; then the page.
    Repaint tick();

    // For a front end without a blocking drain: passes for the given
    // milliseconds of the clock, or until the run ends, each preceded by the
    // tick when 50 ms have passed since the last, as a desktop's drain
    // delivers its timer. Idle it runs only a tick that is due. A tick that
    // came late is one tick, as a desktop's timer coalesces them.
    Advance advance(double milliseconds, Clock &clock);

    // The menu command with this id; every other id does nothing.
    Reaction command(int id);

    // Both panes from scratch: at the window's first display, and when the
    // settings dialog closed, whatever ended it.
    Repaint everything() const { return {true, true, true}; }

    // Closed by the desktop or ended by a signal, as "&Beenden" ends it.
    void requestQuit() { m_quitRequested = true; }

private:
    friend class SettingsForm;
    // For the settings form, the one place that changes the run's parameters.
    SessionState &changeable() { return *m_state; }

    // Hands the report's bytes to the sink and words how it went.
    Message save() const;

    ReportSink *m_reports;
    std::unique_ptr<SessionState> m_state;
    bool m_quitRequested = false;
    // When advance runs the next tick, on its clock; set by its first call.
    std::optional<double> m_tickDue;
};
