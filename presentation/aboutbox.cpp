#include "aboutbox.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

namespace AboutBox {

std::string spokenText()
{
    std::vector<const DialogControl *> texts;
    for (const DialogControl &control : controls) {
        if (control.kind == Kind::Label || control.kind == Kind::GroupBox)
            texts.push_back(&control);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const DialogControl *a, const DialogControl *b) {
        return std::tie(a->units.y, a->units.x) < std::tie(b->units.y, b->units.x);
    });
    std::string spoken;
    for (const DialogControl *text : texts) {
        const std::string_view words = text->text;
        const bool goesOn = !words.empty() && words.front() >= 'a' && words.front() <= 'z';
        if (!spoken.empty())
            spoken += goesOn || spoken.back() == '.' ? " " : ". ";
        spoken += words;
    }
    if (!spoken.empty() && spoken.back() != '.')
        spoken += '.';
    return spoken;
}

void open(DialogPort &dialog)
{
    dialog.focus(okId);
}

void ok(DialogPort &dialog)
{
    dialog.end(true);
}

void cancel(DialogPort &)
{
}

} // namespace AboutBox
