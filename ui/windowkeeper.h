#pragma once

#include <QObject>

class QWidget;

// Keeps the main window and its dialogs usable on any desktop, with or
// without a window manager: a dialog or box shows its focus frame from the
// start, the window below gets the keyboard back when it closes, and a
// window iconified while a modal dialog is open comes straight back.
class WindowKeeper : public QObject
{
    Q_OBJECT
public:
    // Watches every window of the application; mainWindow receives the
    // keyboard after the last dialog closes.
    explicit WindowKeeper(QWidget &mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void returnFocus();
    void restoreWindows();

    QWidget &m_mainWindow;
};
