#pragma once

#include <QMenuBar>
#include <QPointer>

// The menu bar, which hands the keyboard back to where it came from, and is deaf
// in its Alt handling to the copies of keys that Qt's screen reader bridge
// delivers again. The bridge holds each key back until the reader lets it pass,
// after the menu bar saw it as it came, and loses or reorders some: a copied Alt
// would arm the menu bar anew and its copied release open it, so that Alt+S left
// the menu bar active; a copied earlier key would disarm a real Alt.
class MenuBar : public QMenuBar
{
    Q_OBJECT
public:
    explicit MenuBar(QWidget *parent);

    // The menu bar takes the keyboard with its first item active, as after Alt;
    // entered again, as by F10 a second time, it hands it back.
    void enter();
    // The keyboard back where it was before the menu bar took it, if the menu
    // bar has it; true if it moved.
    bool leave();

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The keyboard to that widget, or on from the menu bar if none.
    void handBack(QWidget *to);

    // Qt returns the keyboard after its own Alt's Escape only, not after F10 nor an item chosen.
    QPointer<QWidget> m_cameFrom;
};
