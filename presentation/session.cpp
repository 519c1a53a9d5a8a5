#include "session.h"

#include "clock.h"
#include "commandid.h"
#include "pace.h"
#include "reportfile.h"
#include "resultreport.h"
#include "savemessage.h"
#include "sessionstate.h"

Repaint Session::pass()
{
    Simulation &simulation = m_state->simulation;
    if (!simulation.running())
        return {};
    simulation.shoot(m_state->body);
    m_state->colour.advance();
    simulation.applyStopRule(m_state->pi);
    return {.shotPane = true, .announce = !simulation.running()};
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
    , m_state(std::make_unique<SessionState>())
{
}

Session::~Session() = default;

bool Session::running() const
{
    return m_state->simulation.running();
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
        if (!running() || !(now - start < milliseconds))
            return done;
        merge(done.repaint, pass());
        if (const auto plot = ShotPicture::plot(*this))
            done.plots.push_back(*plot);
    }
}

Repaint Session::tick()
{
    Simulation &simulation = m_state->simulation;
    if (!simulation.autoStop()) {
        simulation.updateVariance();
        simulation.updateHitRatio();
    }
    m_state->pi.update(simulation.hits(), simulation.shots());
    m_state->body.updateVolume(simulation.hitRatio());
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
        m_state->simulation.start();
        return {.repaint = {.announce = true}};
    case IdSettings:
        return {.open = Reaction::Window::Settings};
    case IdStop: {
        const bool wasRunning = running();
        m_state->simulation.stop(m_state->pi);
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
    const Body &body = m_state->body;
    const Simulation &simulation = m_state->simulation;
    const RunSummary summary{
        .radius = body.radius(),
        .dimensions = body.dimensions(),
        .volume = body.volume(),
        .shots = simulation.shots(),
        .hits = simulation.hits(),
        .hitRatio = simulation.hitRatio(),
        .variance = simulation.variance(),
        .pi = m_state->pi.value(),
    };
    return SaveMessage::about(m_reports->deliver(ResultReport::compose(summary)));
}
