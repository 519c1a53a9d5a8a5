#include "mainloop.h"

#include "mainwindow.h"
#include "repaint.h"
#include "session.h"
#include "shotpane.h"

#include <QCoreApplication>

MainLoop::MainLoop(Session &session, MainWindow &window)
    : m_session(session)
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
    if (m_session.quitRequested())
        return false;
    drain(!m_session.running());
    // The plot is served by the loop itself after its next drain: posting an
    // event costs more than a whole pass.
    const Repaint repaint = m_session.pass();
    if (repaint.shotPane)
        m_window.shotPane().requestPaintFromLoop();
    // The run that ended by its stop rule is told as one stopped from the menu.
    if (repaint.announce)
        m_window.repaint({.announce = true});
    return true;
}

int MainLoop::run()
{
    while (pass()) {
    }
    return 0;
}
