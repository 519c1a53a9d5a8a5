#pragma once

#include "dialogwidgets.h"

#include <QDialog>

// Program information from the layer's about box. Only its OK button closes it
// (Enter or Space while it has the focus); it has no close box and Escape is
// ignored.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

public slots:
    // Escape, the window manager's close request and any other cancel go to the about box.
    void reject() override;

private:
    DialogWidgets m_widgets;
};
