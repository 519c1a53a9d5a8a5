#pragma once

#include <QMenuBar>

// The menu bar, deaf in its Alt handling to the copies of keys that Qt's screen
// reader bridge delivers again. The bridge holds each key back until the reader
// lets it pass, after the menu bar saw it as it came, and loses or reorders some:
// a copied Alt would arm the menu bar anew and its copied release open it, so that
// Alt+S left the menu bar active; a copied earlier key would disarm a real Alt.
class MenuBar : public QMenuBar
{
    Q_OBJECT
public:
    using QMenuBar::QMenuBar;

    bool eventFilter(QObject *watched, QEvent *event) override;
};
