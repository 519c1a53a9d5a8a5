#include "spokentext.h"

#include <algorithm>
#include <array>
#include <utility>

namespace SpokenText {

namespace {

// Symbols and the abbreviation a German listener hears as words.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> words{{
    {"px", "Pixel"},
    {"%", "Prozent"},
    {"=", "gleich"},
    {"*", "mal"},
    {"/", "durch"},
    {"PI", "Pi"},
    {"Wahrscheinl.", "Wahrscheinlichkeit"},
}};

bool digit(std::string_view text, std::size_t at)
{
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

// The word read in place of the shown one: what both begin with stands for
// itself, the rest read for the rest shown (or its last character).
void replace(std::vector<Piece> &out, std::string_view shown, std::size_t from, std::string_view read)
{
    const auto common = static_cast<std::size_t>(
        std::mismatch(shown.begin(), shown.end(), read.begin(), read.end()).first - shown.begin());
    if (common > 0)
        out.push_back({std::string(read.substr(0, common)), from, from + common});
    const std::size_t restFrom = common < shown.size() ? common : shown.size() - 1;
    out.push_back({std::string(read.substr(common)), from + restFrom, from + shown.size()});
}

// A whole number part of more than four digits grouped by threes with points, as
// German writes it: speech-dispatcher puts a blank before a decimal comma, and
// eSpeak then reads "125749 ,948" as millions, but "125 749 ,948" right.
// The points stand between the digits and take no place on the screen.
void group(std::vector<Piece> &out, std::string_view shown, std::size_t from, std::size_t start, std::size_t &kept)
{
    std::size_t end = start;
    while (digit(shown, end))
        ++end;
    if (end - start <= 4)
        return;
    for (std::size_t at = start + (end - start) % 3; at < end; at += 3) {
        if (at == start)
            continue;
        out.push_back({std::string(shown.substr(kept, at - kept)), from + kept, from + at});
        out.push_back({".", from + at, from + at});
        kept = at;
    }
}

// One word without its brackets and closing colon; from is its place in the text.
void word(std::vector<Piece> &out, std::string_view shown, std::size_t from)
{
    const auto known = std::find_if(words.begin(), words.end(), [&](const auto &w) { return w.first == shown; });
    if (known != words.end())
        return replace(out, shown, from, known->second);
    // A unit to a power: "px^2" an area, "px^3" and on a power said as such.
    if (shown.starts_with("px^") && digit(shown, 3)) {
        if (shown == "px^2")
            return out.push_back({"Quadratpixel", from, from + shown.size()});
        out.push_back({"Pixel hoch ", from, from + 3});
        return out.push_back({std::string(shown.substr(3)), from + 3, from + shown.size()});
    }
    // A number: the decimal point read as a comma, "e+300" as times ten to the 300.
    std::size_t kept = 0;
    const auto flush = [&](std::size_t at) {
        if (at > kept)
            out.push_back({std::string(shown.substr(kept, at - kept)), from + kept, from + at});
    };
    for (std::size_t at = 0; at < shown.size(); ++at) {
        const bool afterDigit = at > 0 && digit(shown, at - 1);
        if (digit(shown, at) && !afterDigit && (at == 0 || shown[at - 1] != '.'))
            group(out, shown, from, at, kept);
        if (shown[at] == '.' && afterDigit && digit(shown, at + 1)) {
            flush(at);
            out.push_back({",", from + at, from + at + 1});
            kept = at + 1;
        } else if (shown[at] == 'e' && afterDigit && at + 1 < shown.size()
                   && (shown[at + 1] == '+' || shown[at + 1] == '-') && digit(shown, at + 2)) {
            flush(at);
            out.push_back({shown[at + 1] == '+' ? " mal 10 hoch " : " mal 10 hoch minus ", from + at, from + at + 2});
            kept = at + 2;
            ++at;
        }
    }
    flush(shown.size());
}

} // namespace

std::vector<Piece> pieces(std::string_view shown)
{
    std::vector<Piece> out;
    std::size_t at = shown.find_first_not_of(' ');
    std::size_t gap = std::string_view::npos; // where the blanks before this word began
    while (at < shown.size()) {
        std::size_t end = std::min(shown.find(' ', at), shown.size());
        // Brackets and a closing colon are spoken as words: "(n):" reads "n".
        std::size_t first = at, last = end;
        while (first < last && shown[first] == '(')
            ++first;
        while (last > first && (shown[last - 1] == ')' || shown[last - 1] == ':'))
            --last;
        if (first < last) {
            if (gap != std::string_view::npos && !out.empty())
                out.push_back({" ", gap, at});
            word(out, shown.substr(first, last - first), first);
            gap = end;
        }
        at = shown.find_first_not_of(' ', end);
    }
    return out;
}

std::string read(std::string_view shown)
{
    std::string text;
    for (const Piece &piece : pieces(shown))
        text += piece.read;
    return text;
}

} // namespace SpokenText
