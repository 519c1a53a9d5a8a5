#pragma once

#include <QProxyStyle>

// The desktop's style, but a push button with the keyboard shows a solid frame
// in its text colour inside its edge, whatever moved the keyboard there: Qt's
// styles mark focus on a button as they mark the default button, so a focused
// button looked like the default one.
class FocusedButtonStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // The one instance, owned by the application.
    static FocusedButtonStyle *instance();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;

private:
    FocusedButtonStyle() = default;
};
