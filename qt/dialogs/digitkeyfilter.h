#pragma once

#include <QObject>

// Lets only the digits 0 to 9 be typed into the line edits it watches, also with
// Alt or Ctrl+Alt held; editing keys, shortcuts and pasted text pass untouched,
// like a Windows ES_NUMBER field.
class DigitKeyFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
