// What a screen reader reads of the status pane, the same for every front end: the text, the caret's moves, each
// character's place and when a change of the page is told.

#include "session.h"
#include "statuspage.h"
#include "statusreading.h"
#include "textmeasure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

using Key = StatusReading::Key;
using Page = std::vector<StatusPage::Text>;

// A blank 4 pixels wide, every other character 6; a text's cell 14 high, a line 16.
class FixedMeasure : public TextMeasure
{
public:
    int width(std::string_view text) const override
    {
        const auto characters = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
        const auto blanks = std::count(text.begin(), text.end(), ' ');
        return static_cast<int>(6 * characters - 2 * blanks);
    }
    int height() const override { return 14; }
    int lineHeight() const override { return 16; }
};

StatusReading reading(const Page &page)
{
    StatusReading read;
    read.show(page);
    return read;
}

// The caret's line without its break, and the caret's column in it.
std::pair<std::string, int> where(const StatusReading &read)
{
    const StatusReading::Span line = read.line(read.caret());
    const std::string text = read.text(line.start, line.end);
    return {text.substr(0, text.find('\n')), read.caret() - line.start};
}

TEST(StatusReading, TextAsRead)
{
    const struct { const char *name; Page page; std::string text; } rows[] = {
        {"lines in the page's order, empty page lines left out", {{5, 20, "b"}, {2, 140, "a2"}, {2, 20, "a1"}},
         "a1 a2\nb"},
        {"leading blanks and those covering a longer earlier value dropped", {{0, 20, "  1  "}}, "1"},
        {"a text of blanks still joins", {{0, 20, "a"}, {0, 80, "   "}, {1, 20, "b"}}, "a \nb"},
        // Each line of the page as a German listener understands it, the digits as shown but for the decimal comma
        // and the points grouping a whole number part of more than four digits.
        {"a heading without its colon", {{0, 20, "Körperinformationen"}}, "Körperinformationen"},
        {"pixels in words", {{0, 20, "Radius:"}, {0, 140, "200  px          "}}, "Radius 200 Pixel"},
        {"an area in square pixels, a decimal comma", {{0, 20, "Kreisfläche:"}, {0, 140, "125749.948  px^2                   "}},
         "Kreisfläche 125.749,948 Quadratpixel"},
        {"a volume in pixels to the power", {{0, 20, "Kreisfläche:"}, {0, 140, "4188790.205  px^3                   "}},
         "Kreisfläche 4.188.790,205 Pixel hoch 3"},
        {"a volume too long for the buffer", {{0, 20, "Kreisfläche:"}, {0, 140, "1.120e+269  px^99"}},
         "Kreisfläche 1,120 mal 10 hoch 269 Pixel hoch 99"},
        {"the progress in per cent without brackets", {{0, 20, "Monte-Carlo-Simulation:    (66 %)        "}},
         "Monte-Carlo-Simulation 66 Prozent"},
        {"the variable's letter kept, its brackets dropped", {{0, 20, "geschossen (n):"}, {0, 140, "33649              "}},
         "geschossen n 33.649"},
        {"the abbreviation whole, per cent in words", {{0, 20, "Wahrscheinl. (p):"}, {0, 140, "78.59372 %           "}},
         "Wahrscheinlichkeit p 78,59372 Prozent"},
        {"a leading zero and every decimal kept", {{0, 20, "Varianz:"}, {0, 140, "0.0000050000              "}},
         "Varianz 0,0000050000"},
        {"the formula in words", {{0, 20, "PI = 4 * (m / n)"}}, "Pi gleich 4 mal m durch n"},
        {"pi with all its digits", {{0, 20, "3.143748699812773             "}}, "3,143748699812773"},
        {"four digits not grouped", {{0, 20, "1234.567"}}, "1234,567"},
        {"a negative number grouped after its sign", {{0, 20, "-12345"}}, "-12.345"},
        {"a sentence as it is", {{0, 20, "Berechnung nur bei 2 Dimensionen möglich"}},
         "Berechnung nur bei 2 Dimensionen möglich"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(reading(row.page).text(), row.text) << row.name;
}

// Per character, Home and End within the line, Ctrl+Home and Ctrl+End to the text's ends, for every front end
// (Windows once moved a line at a time and took Home and End to the first and last line).
TEST(StatusReading, CaretKeys)
{
    StatusReading read = reading(StatusPage::texts(Session()));
    const struct { const char *name; Key key; const char *line; int column; bool moved; } rows[] = {
        {"Up on the first line stays", Key::Up, "Körperinformationen", 0, false},
        {"Down to the next line's start", Key::Down, "Radius 200 Pixel", 0, true},
        {"End to the line's end, not the text's", Key::End, "Radius 200 Pixel", 16, true},
        {"Right over the line break", Key::Right, "Seitenlänge 400 Pixel", 0, true},
        {"Left back before it", Key::Left, "Radius 200 Pixel", 16, true},
        {"Up to the start of the line above", Key::Up, "Körperinformationen", 0, true},
        {"Right a character, an umlaut one", Key::Right, "Körperinformationen", 1, true},
        {"Right past the umlaut", Key::Right, "Körperinformationen", 2, true},
        {"Home to the line's start, not the text's", Key::Home, "Körperinformationen", 0, true},
        {"Left at the text's start stays", Key::Left, "Körperinformationen", 0, false},
        {"Ctrl+End to the text's end", Key::TextEnd, "0,000000000000000", 17, true},
        {"Down on the last line stays", Key::Down, "0,000000000000000", 17, false},
        {"Right at the text's end stays", Key::Right, "0,000000000000000", 17, false},
        {"Home on the last line", Key::Home, "0,000000000000000", 0, true},
        {"Ctrl+Home to the text's start", Key::TextStart, "Körperinformationen", 0, true},
    };
    for (const auto &row : rows) {
        const bool moved = read.press(row.key);
        EXPECT_EQ(std::tuple(where(read), moved), std::tuple(std::pair(std::string(row.line), row.column), row.moved))
            << row.name;
    }
}

// A page drawn anew under the caret leaves it in its line and column, as far as the line now reaches.
TEST(StatusReading, CaretKeptWhenThePageChanges)
{
    const auto page = [](const char *shots) { return Page{{0, 20, "n;"}, {0, 80, shots}, {1, 20, "m;"}, {1, 80, "5"}}; };
    const struct { const char *name; const char *before; int caret; const char *after; const char *line; int column; } rows[] = {
        {"a number grown above it", "9", 7, "10", "m; 5", 2},
        {"its line shortened", "10", 5, "9", "n; 9", 4},
    };
    for (const auto &row : rows) {
        StatusReading read = reading(page(row.before));
        read.setCaret(row.caret);
        read.show(page(row.after));
        EXPECT_EQ(where(read), std::pair(std::string(row.line), row.column)) << row.name;
    }
}

// Each character where the page draws it, a word read for a symbol where the symbol is; a point in its box finds it again.
TEST(StatusReading, CharacterBoxes)
{
    const StatusReading read = reading({{0, 10, "Ab;"}, {0, 40, "1  2  "}, {1, 20, "ö"}, {1, 60, "px"}}); // "Ab; 1 2\nö Pixel"
    const struct { const char *name; double scale; int offset; Rect box; } rows[] = {
        {"the first character at its text's place", 1, 0, {10, 10, 6, 14}},
        {"the joining blank spans the gap to the value", 1, 3, {28, 10, 12, 14}},
        {"a run of blanks read as one spans them all", 1, 5, {46, 10, 8, 14}},
        {"the line break a blank's width after its line", 1, 7, {60, 10, 4, 14}},
        {"an umlaut on the next line", 1, 8, {20, 26, 6, 14}},
        {"a word read for a symbol in the symbol's box", 1, 11, {60, 26, 12, 14}},
        {"at scale 2 places and top margin scaled", 2, 0, {20, 20, 6, 14}},
        {"at scale 2 the next line", 2, 8, {40, 36, 6, 14}},
    };
    const FixedMeasure measure;
    for (const auto &row : rows)
        EXPECT_EQ(read.boxes(measure, PixelGrid(row.scale))[std::size_t(row.offset)], row.box) << row.name;
    const struct { const char *name; int caret; Rect box; } carets[] = {
        {"the caret on a character: its box", 8, {20, 26, 6, 14}},
        {"the caret after the text's end: no width after it", 15, {72, 26, 0, 14}},
    };
    for (const auto &row : carets) {
        StatusReading at = read;
        at.setCaret(row.caret);
        EXPECT_EQ(at.caretBox(measure), row.box) << row.name;
    }
    const std::vector<Rect> boxes = read.boxes(measure);
    ASSERT_EQ(boxes.size(), std::size_t(read.length()));
    for (int offset = 0; offset < read.length(); ++offset) {
        const Rect &box = boxes[std::size_t(offset)];
        // A word read for a symbol shares its box: the point finds the word's first character.
        const auto first = std::find(boxes.begin(), boxes.end(), box) - boxes.begin();
        EXPECT_EQ(read.offsetAt(box.x + box.width / 2, box.y + box.height / 2, measure), first) << offset;
    }
}

// When a change of the page is told, the same for every front end (Qt once told every refresh of a run, Windows
// none): unfocused nothing, at rest every change, during a run the first at once and then at most one a second.
TEST(StatusReading, ChangesTold)
{
    StatusReading read;
    const struct { const char *name; const char *value; bool focused, running; int ms; std::optional<StatusReading::Change> told; } rows[] = {
        {"the first page, whole", "0", true, false, 0, StatusReading::Change{0, "", "n; 0"}},
        {"unchanged: nothing", "0", true, false, 50, std::nullopt},
        {"at rest: the changed middle", "1", true, false, 100, StatusReading::Change{3, "0", "1"}},
        {"a run's first change at once", "2", true, true, 150, StatusReading::Change{3, "1", "2"}},
        {"within a second of it nothing", "3", true, true, 1100, std::nullopt},
        {"a second after it, from what was told", "45", true, true, 1150, StatusReading::Change{3, "2", "45"}},
        {"unfocused nothing", "6", false, true, 3000, std::nullopt},
        {"focused again: from what it found", "7", true, true, 3050, StatusReading::Change{3, "6", "7"}},
        {"withheld during the run", "8", true, true, 3100, std::nullopt},
        {"at rest the change withheld, the page unchanged", "8", true, false, 3150, StatusReading::Change{3, "7", "8"}},
        {"an umlaut whole", "ä", true, false, 3200, StatusReading::Change{3, "8", "ä"}},
        {"an umlaut whole though its first byte stays", "ö", true, false, 3250, StatusReading::Change{3, "ä", "ö"}},
        {"the next run's first change at once", "9", true, true, 3300, StatusReading::Change{3, "ö", "9"}},
    };
    for (const auto &row : rows) {
        read.show({{0, 20, "n;"}, {0, 80, row.value}});
        const auto now = std::chrono::steady_clock::time_point(std::chrono::milliseconds(row.ms));
        EXPECT_EQ(read.tell(row.focused, row.running, now), row.told) << row.name;
    }
}

} // namespace
