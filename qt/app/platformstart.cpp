#include "platformstart.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace PlatformStart {

namespace {

constexpr int exitNoDisplay = 2;

// The platform asked for: the first of QT_QPA_PLATFORM's choices, without its options.
QString requestedPlatform()
{
    return qEnvironmentVariable("QT_QPA_PLATFORM").section(u';', 0, 0).section(u':', 0, 0);
}

bool needsServer(const QString &platform)
{
    return platform.isEmpty() || platform.startsWith(QLatin1String("xcb"))
        || platform.startsWith(QLatin1String("wayland"));
}

// Whether a platform plugin of that name is installed, whether or not it started.
bool installed(const QString &platform)
{
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        QDirIterator plugins(folder + QLatin1String("/platforms"), QDir::Files);
        while (plugins.hasNext()) {
            const QJsonArray keys = QPluginLoader(plugins.next()).metaData()
                                        .value(QLatin1String("MetaData")).toObject()
                                        .value(QLatin1String("Keys")).toArray();
            if (keys.contains(platform))
                return true;
        }
    }
    return false;
}

[[noreturn]] void fail(const QString &line)
{
    std::fprintf(stderr, "monte-carlo: %s\n", qPrintable(line));
    std::fflush(stderr);
    std::_Exit(exitNoDisplay);
}

[[noreturn]] void noDisplay(const QString &why)
{
    fail(QStringLiteral("Keine grafische Anzeige erreichbar (%1). "
                        "Das Programm braucht eine Desktop-Sitzung.").arg(why));
}

// While the platform starts, Qt's messages go to standard error as Qt prints
// them, whatever logging the desktop set up; its fatal one gets our line after it.
void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type != QtFatalMsg)
        return;
    const QString platform = requestedPlatform();
    if (needsServer(platform) && (platform.isEmpty() || installed(platform)))
        noDisplay(platform.isEmpty() ? QStringLiteral("keine Verbindung zur Anzeige")
                                     : QStringLiteral("die Plattform „%1“ bekam keine Verbindung zur Anzeige")
                                           .arg(platform));
    fail(QStringLiteral("Die Qt-Plattform „%1“ ließ sich nicht starten.").arg(platform));
}

} // namespace

void install()
{
    if (needsServer(requestedPlatform()) && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        noDisplay(QStringLiteral("weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt"));
    qInstallMessageHandler(handler);
}

void release()
{
    qInstallMessageHandler(nullptr);
}

} // namespace PlatformStart
