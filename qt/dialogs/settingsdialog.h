#pragma once

#include "dialogwidgets.h"
#include "settingsform.h"

#include <QDialog>

class Session;

// The settings form on screen: its widgets from the form's table, run by the
// form through them.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(Session &session, QWidget *parent = nullptr);

private:
    void nameFields();

    SettingsForm m_form;
    DialogWidgets m_widgets;
};
