#pragma once

#include "session.h"
#include "sessionstate.h"
#include "settingsform.h"

#include <functional>
#include <tuple>

// Changes what the settings dialog shows and presses OK, as a user would.
inline void configure(Session &session, const std::function<void(SettingsForm::Entries &)> &change)
{
    SettingsForm form(session);
    SettingsForm::Entries entries = form.shown();
    change(entries);
    form.accept(entries);
}

// A manual run to the given number of points, of a body of the given radius.
inline void manual(Session &session, const char *target, const char *radius = "200")
{
    configure(session, [&](SettingsForm::Entries &e) {
        e.autoStop = false;
        e.targetShots = target;
        e.radius = radius;
    });
}

// What the session holds: count, dimensions, radius, threshold, minimum, whether automatic.
using Stored = std::tuple<double, int, int, double, int, bool>;

inline Stored stored(const Session &s)
{
    const Simulation &sim = s.state().simulation;
    return {sim.targetShots(), s.state().body.dimensions(), s.state().body.radius(), sim.threshold(), sim.minShots(),
            sim.autoStop()};
}
