// The layer's budget call against the passes one by one: shots per second of a
// manual run, each shot's plot collected, in frames of 16 ms of a steady clock;
// and what reading the clock once a pass costs. Without a toolkit, as a browser
// front end runs it.
//
//   advance_bench [seconds]   each way this long (default 2)

#include "clock.h"
#include "commandid.h"
#include "pace.h"
#include "session.h"
#include "settingsform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

struct SteadyClock : Clock
{
    double milliseconds() override
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
};

// A run that outlasts the measurement.
void startLongRun(Session &session)
{
    SettingsForm form(session);
    SettingsForm::Entries entries = form.shown();
    entries.autoStop = false;
    entries.targetShots = "9007199254740992";
    form.accept(entries);
    session.command(IdStart);
}

} // namespace

int main(int argc, char *argv[])
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    SteadyClock clock;

    Session bare;
    startLongRun(bare);
    const double bareStart = clock.milliseconds();
    long long barePasses = 0;
    while (clock.milliseconds() - bareStart < seconds * 1000) {
        for (int i = 0; i < 1000; ++i)
            bare.pass();
        barePasses += 1000;
    }
    const double bareRate = static_cast<double>(barePasses) / seconds;

    Session paced;
    startLongRun(paced);
    const double start = clock.milliseconds();
    long long plotted = 0;
    int frames = 0, ticks = 0;
    while (clock.milliseconds() - start < seconds * 1000) {
        const Advance frame = paced.advance(Pace::frameMilliseconds, clock);
        plotted += static_cast<long long>(frame.plots.size());
        ticks += frame.ticks;
        ++frames;
    }
    const double rate = static_cast<double>(plotted) / seconds;

    std::printf("passes one by one:      %12.0f shots/s\n", bareRate);
    std::printf("advance, 16 ms frames:  %12.0f shots/s (%.2f of one by one), %d frames, %.1f ticks/s\n", rate,
                rate / bareRate, frames, ticks / seconds);
    return 0;
}
