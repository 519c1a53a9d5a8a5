#pragma once

#include <QDialog>

class Body;
class Simulation;
class QCheckBox;
class QLineEdit;

// Edits the run's parameters in place: shows the current values of the
// simulation and the body when it opens, and on OK checks the fields one by one
// and stores each as soon as it has passed, stopping with a warning at the first
// that fails. Nothing is kept in the dialog itself.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    SettingsDialog(Body &body, Simulation &simulation, QWidget *parent = nullptr);

    // Counts step by 1.0; above 2^53 adding one no longer changes a double, so a
    // larger target could never be reached and a manual run would never stop.
    static constexpr double MaxTargetShots = 9007199254740992.0;
    // The shot generator draws a coordinate from 2r values of 0 ... 32767.
    static constexpr int MinRadius = 1;
    static constexpr int MaxRadius = 32000;
    static constexpr int MinDimensions = 1;

private:
    void createControls();
    void showValues();
    void applyMode(bool automatic);
    void storeValues();
    void warn(const QString &text, const QString &caption);

    Body &m_body;
    Simulation &m_simulation;

    QLineEdit *m_targetShots = nullptr;
    QCheckBox *m_autoStop = nullptr;
    QLineEdit *m_threshold = nullptr;
    QLineEdit *m_minShots = nullptr;
    QLineEdit *m_radius = nullptr;
    QLineEdit *m_dimensions = nullptr;
};
