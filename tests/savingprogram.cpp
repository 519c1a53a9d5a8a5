#include "commandid.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Linked with the program's own main: chooses "Ergebnis speichern" as soon as the main loop drains its first events.
static void chooseSaveOnStart()
{
    QTimer::singleShot(0, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *program = qobject_cast<MainWindow *>(window))
                program->command(IdSaveResult);
    });
}
Q_COREAPP_STARTUP_FUNCTION(chooseSaveOnStart)
