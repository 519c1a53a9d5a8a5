#include "commandid.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

// Linked with the program's own main: chooses "Ergebnis speichern" from the
// menu as soon as the main loop drains its first events.
static void chooseSaveOnStart()
{
    QTimer::singleShot(0, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            for (QAction *action : window->findChildren<QAction *>())
                if (action->data().toInt() == IdSaveResult)
                    action->trigger();
    });
}
Q_COREAPP_STARTUP_FUNCTION(chooseSaveOnStart)
