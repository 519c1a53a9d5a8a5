#include "mainloop.h"

#include "appstate.h"
#include "mainwindow.h"
#include "shotpane.h"

#include <QCoreApplication>

MainLoop::MainLoop(AppState &state, MainWindow &window)
    : m_state(state)
    , m_window(window)
{
}

void MainLoop::drain(bool mayWait)
{
    const bool wait = mayWait && !m_window.paintsPending();
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    // Paints come last in a drain, after every other waiting event.
    m_window.servePendingPaints();
}

bool MainLoop::pass()
{
    if (m_state.quitRequested)
        return false;
    Simulation &simulation = m_state.simulation;
    drain(!simulation.running());
    if (simulation.running()) {
        simulation.shoot(m_state.body);
        m_state.colour.advance();
        m_window.shotPane().requestPaintFromLoop();
        simulation.applyStopRule(m_state.pi);
    }
    return true;
}

int MainLoop::run()
{
    while (pass()) {
    }
    return 0;
}
