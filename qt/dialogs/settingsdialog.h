#pragma once

#include "settingsform.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QLineEdit;
class Session;

// The settings form on screen: its controls from the form's template, the
// values it shows, the mode's enabling, and OK through the form, whose warning
// keeps the dialog open.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(Session &session, QWidget *parent = nullptr);

private:
    void createControls();
    void showValues();
    void applyMode(bool automatic);
    void storeValues();

    SettingsForm m_form;
    QMap<int, QLineEdit *> m_fields; // by control id
    QCheckBox *m_autoStop = nullptr;
};
