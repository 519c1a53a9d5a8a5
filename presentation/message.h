#pragma once

#include <string>

// A message box: caption and text in UTF-8 ("\n" breaks the line), an OK
// button, and the warning or the information icon.
struct Message
{
    std::string caption;
    std::string text;
    bool warning = false;

    bool operator==(const Message &) const = default;
};
