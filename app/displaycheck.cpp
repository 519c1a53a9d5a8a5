#include "displaycheck.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace DisplayCheck {

namespace {

constexpr int exitNoDisplay = 2;

void report(const char *why)
{
    std::fprintf(stderr, "monte-carlo: Keine grafische Anzeige erreichbar (%s). "
                         "Das Programm braucht eine Desktop-Sitzung.\n", why);
    std::fflush(stderr);
    std::_Exit(exitNoDisplay);
}

// While the platform starts, its warnings only lead up to the fatal message.
void handler(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        report("die Plattform ließ sich nicht starten");
}

} // namespace

void install()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsServer = platform.isEmpty() || platform.startsWith("xcb")
        || platform.startsWith("wayland");
    if (needsServer && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        report("DISPLAY ist nicht gesetzt");
    qInstallMessageHandler(handler);
}

void release()
{
    qInstallMessageHandler(nullptr);
}

} // namespace DisplayCheck
