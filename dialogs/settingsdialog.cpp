#include "settingsdialog.h"

SettingsDialog::SettingsDialog(Body &body, Simulation &simulation, QWidget *parent)
    : QDialog(parent)
    , m_body(body)
    , m_simulation(simulation)
{
    setWindowTitle(QStringLiteral("Einstellungen"));
}
