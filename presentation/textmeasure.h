#pragma once

#include <string_view>

// The sizes of text in the font a front end draws the status page in, in the
// pixels of its picture: what the layer needs to say where each character lies.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;

    // How far the UTF-8 text advances.
    virtual int width(std::string_view text) const = 0;
    // A text's cell from top to bottom.
    virtual int height() const = 0;
    // From one page line's top to the next.
    virtual int lineHeight() const = 0;
};
