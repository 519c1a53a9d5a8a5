#include "commandid.h"
#include "mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <cstdio>
#include <memory>

// Linked with the program's own main; once its loop drains its first events, chooses "Ergebnis speichern",
// or started with "texts" prints the actions of a field's context menu, as Qt names them there, and quits.
static void chooseOnStart()
{
    QTimer::singleShot(0, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *program = qobject_cast<MainWindow *>(window)) {
                if (!QCoreApplication::arguments().contains(QLatin1String("texts")))
                    return program->command(IdSaveResult);
                QLineEdit field; // as in the settings
                const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
                for (const QAction *action : menu->actions())
                    std::printf("%s|", qPrintable(action->text()));
                program->command(IdQuit);
            }
    });
}
Q_COREAPP_STARTUP_FUNCTION(chooseOnStart)
