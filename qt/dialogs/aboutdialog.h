#pragma once

#include <QDialog>

// Program information: icon, version, where the documentation lives, release
// month. Only its OK button closes it (Enter or Space while it has the focus);
// it has no close box and Escape is ignored.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

public slots:
    // Escape, the window manager's close request and any other cancel are ignored.
    void reject() override;
};
