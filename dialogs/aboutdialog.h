#pragma once

#include <QDialog>

// Placeholder until the about dialog lands.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};
