#include "quitsignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};
int writeEnd = -1;

void note(int)
{
    const int saved = errno;
    const char byte = 0;
    (void)!::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(QWidget &window)
    : m_window(window)
{
    int ends[2];
    // Without the pipe the signals keep their default: an immediate end.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readEnd = ends[0];
    writeEnd = ends[1];
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::quit);
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : quitSignals) {
        struct sigaction previous {};
        if (::sigaction(number, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    if (m_readEnd < 0)
        return;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (const int number : quitSignals) {
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == note)
            ::sigaction(number, &standard, nullptr);
    }
    delete m_notifier;
    ::close(writeEnd);
    ::close(m_readEnd);
    writeEnd = -1;
}

void QuitSignals::quit()
{
    char bytes[16];
    while (::read(m_readEnd, bytes, sizeof bytes) > 0) {
    }
    // A modal dialog's own loop would otherwise wait for the user.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QDialog *>(widget); dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    }
    m_window.close();
}
