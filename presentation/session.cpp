#include "session.h"

#include "clock.h"
#include "commandid.h"
#include "pace.h"
#include "reportfile.h"
#include "resultreport.h"
#include "savemessage.h"

Repaint Session::pass()
{
    if (!m_simulation.running())
        return {};
    m_simulation.shoot(m_body);
    m_colour.advance();
    m_simulation.applyStopRule(m_pi);
    return {.shotPane = true, .announce = !m_simulation.running()};
}

namespace {

ReportFile desktopFile;

void merge(Repaint &into, const Repaint &repaint)
{
    into.shotPane |= repaint.shotPane;
    into.statusPane |= repaint.statusPane;
    into.erase |= repaint.erase;
    into.announce |= repaint.announce;
}

} // namespace

Session::Session()
    : Session(desktopFile)
{
}

Session::Session(ReportSink &reports)
    : m_reports(&reports)
{
}

Advance Session::advance(double milliseconds, Clock &clock)
{
    Advance done;
    const double start = clock.milliseconds();
    if (!m_tickDue)
        m_tickDue = start + Pace::tickMilliseconds;
    for (double now = start;; now = clock.milliseconds()) {
        if (now >= *m_tickDue) {
            merge(done.repaint, tick());
            ++done.ticks;
            while (*m_tickDue <= now)
                *m_tickDue += Pace::tickMilliseconds;
        }
        // Written so that a budget that is no number runs no pass.
        if (!m_simulation.running() || !(now - start < milliseconds))
            return done;
        merge(done.repaint, pass());
        if (const auto plot = ShotPicture::plot(*this))
            done.plots.push_back(*plot);
    }
}

Repaint Session::tick()
{
    if (!m_simulation.autoStop()) {
        m_simulation.updateVariance();
        m_simulation.updateHitRatio();
    }
    m_pi.update(m_simulation.hits(), m_simulation.shots());
    m_body.updateVolume(m_simulation.hitRatio());
    return {.statusPane = true};
}

Reaction Session::command(int id)
{
    switch (id) {
    case IdQuit:
        m_quitRequested = true;
        return {};
    case IdStart:
        // The picture stays: the new run's points are drawn over it.
        m_simulation.start();
        return {.repaint = {.announce = true}};
    case IdSettings:
        return {.open = Reaction::Window::Settings};
    case IdStop: {
        const bool wasRunning = m_simulation.running();
        m_simulation.stop(m_pi);
        return {.repaint = {true, true, true, wasRunning}};
    }
    case IdAbout:
        return {.open = Reaction::Window::About};
    case IdSaveResult:
        return {.open = Reaction::Window::Message, .message = save()};
    default:
        return {};
    }
}

Message Session::save() const
{
    const RunSummary summary{
        .radius = m_body.radius(),
        .dimensions = m_body.dimensions(),
        .volume = m_body.volume(),
        .shots = m_simulation.shots(),
        .hits = m_simulation.hits(),
        .hitRatio = m_simulation.hitRatio(),
        .variance = m_simulation.variance(),
        .pi = m_pi.value(),
    };
    return SaveMessage::about(m_reports->deliver(ResultReport::compose(summary)));
}
