#pragma once

#include "dialogport.h"

// A dialog of the page (settings or about) as the layer drives it: each call
// goes to the page's dialog element and its controls, found by their ids.
class WebDialog : public DialogPort
{
public:
    // The dialog element's id in the page.
    explicit WebDialog(const char *element)
        : m_element(element)
    {
    }

    std::string text(int id) const override;
    void setText(int id, const std::string &text) override;
    bool checked(int id) const override;
    void setChecked(int id, bool checked) override;
    void enable(int id, bool enabled) override;
    void focus(int id) override;
    void selectAll(int id) override;
    // A page cannot wait for a box: the box opens over the dialog, and the
    // dialog's next focus and selection wait until it is closed.
    void warn(const Message &message) override;
    void end(bool accepted) override;

private:
    const char *m_element;
};
