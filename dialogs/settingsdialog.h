#pragma once

#include <QDialog>

class Body;
class Simulation;

// Placeholder until the settings dialog lands.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    SettingsDialog(Body &body, Simulation &simulation, QWidget *parent = nullptr);

private:
    Body &m_body;
    Simulation &m_simulation;
};
