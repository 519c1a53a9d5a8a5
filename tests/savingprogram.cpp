#include "commandid.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

// Linked with the program's own main: chooses "Ergebnis speichern" from the
// menu as soon as the main loop drains its first events.
static void chooseSaveOnStart()
{
    QTimer::singleShot(0, [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<QMainWindow *>(widget))
                for (QAction *action : window->menuBar()->actions())
                    if (action->data().toInt() == IdSaveResult)
                        action->trigger();
    });
}
Q_COREAPP_STARTUP_FUNCTION(chooseSaveOnStart)
