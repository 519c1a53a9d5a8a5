#pragma once

#include "dialogport.h"

#include <windows.h>

// The port through which the layer runs a dialog made from a template: its
// controls found by their ids.
class DialogWindow : public DialogPort
{
public:
    explicit DialogWindow(HWND dialog)
        : m_dialog(dialog)
    {
    }

    std::string text(int id) const override;
    void setText(int id, const std::string &text) override;
    bool checked(int id) const override;
    void setChecked(int id, bool checked) override;
    void enable(int id, bool enabled) override;
    void focus(int id) override;
    void selectAll(int id) override;
    void warn(const Message &message) override;
    void end(bool accepted) override;

private:
    HWND m_dialog;
};
