#pragma once

#include "message.h"

#include <string>

// A dialog on screen as the layer drives it: each front end implements these
// calls with its toolkit's controls, found by their ids in the dialog's table.
// Texts are UTF-8.
class DialogPort
{
public:
    virtual ~DialogPort() = default;

    // A field's text.
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string &text) = 0;
    // A check box.
    virtual bool checked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    virtual void enable(int id, bool enabled) = 0;
    // Gives the control the keyboard; selectAll selects the whole text of a field.
    virtual void focus(int id) = 0;
    virtual void selectAll(int id) = 0;
    // A modal box over the dialog; returns once it is closed.
    virtual void warn(const Message &message) = 0;
    // Closes the dialog, with OK or cancelled.
    virtual void end(bool accepted) = 0;
};
