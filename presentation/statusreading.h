#pragma once

#include "pixelgrid.h"
#include "rect.h"
#include "statuspage.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TextMeasure;

// What a screen reader reads of the status pane, for every front end: the page
// shown as read-only text of several lines, a caret the keys move through it,
// each character's place on the pane, and when a change of the page is told.
// Offsets count characters (code points), not bytes.
class StatusReading
{
public:
    // The keys that move the caret; a front end maps its own key codes to these.
    enum class Key { Left, Right, Up, Down, Home, End, TextStart, TextEnd };

    // The text that changed, from the character at `at`.
    struct Change
    {
        int at = 0;
        std::string removed;
        std::string inserted;

        bool operator==(const Change &) const = default;
    };

    // Characters from start up to end, end being after a line's break.
    struct Span
    {
        int start = 0;
        int end = 0;

        bool operator==(const Span &) const = default;
    };

    // The page now on the pane. The caret keeps its line and its column, as far
    // as the line now reaches, so that a number growing above it does not move it.
    void show(const std::vector<StatusPage::Text> &page);

    // The page as read, UTF-8: each text as SpokenText words it (so the blanks
    // that cover longer earlier values are dropped and a run of blanks is read as
    // one), label and value of a line joined by a blank, page lines without text
    // left out, lines ended by '\n' but the last.
    const std::string &text() const { return m_text; }
    std::string text(int start, int end) const;
    int length() const { return static_cast<int>(m_starts.size()) - 1; }

    int caret() const { return m_caret; }
    // True when the caret moved: a screen reader is to be told where it stands.
    bool setCaret(int offset);
    // Left and Right step a character, Up and Down to the start of the line
    // above or below, Home and End to the ends of the caret's line, TextStart
    // and TextEnd (Ctrl+Home, Ctrl+End) to the ends of the text.
    bool press(Key key);

    // The line that holds the character at offset, its line break included.
    Span line(int offset) const;

    // Where the pane draws each character, in the measure's pixels: a joining
    // blank spans the gap to the next text, a line break a blank's width after
    // its line. Places in program pixels land on the picture through grid.
    std::vector<Rect> boxes(const TextMeasure &measure, const PixelGrid &grid = PixelGrid()) const;
    // Where the caret stands: its character's box; after the text's end, a box
    // of no width right after the last character.
    Rect caretBox(const TextMeasure &measure, const PixelGrid &grid = PixelGrid()) const;
    // The character whose box holds the point, or -1.
    int offsetAt(int x, int y, const TextMeasure &measure, const PixelGrid &grid = PixelGrid()) const;

    // Asked at every refresh of the page: what to tell a screen reader of the
    // change since it was last told. An unfocused pane tells nothing; at rest
    // each change is told; during a run its first change at once and then at
    // most one a second, so that a reader's queue is never flooded.
    std::optional<Change> tell(bool focused, bool running, std::chrono::steady_clock::time_point now);

    // The least time between two changes told during a run.
    static constexpr std::chrono::milliseconds runPace{1000};

private:
    // Which bytes of which page text a read character stands for; a blank or
    // line break that joins two texts stands for none and precedes text.
    struct Source
    {
        std::size_t text = 0;
        std::size_t from = 0;
        std::size_t to = 0;
        bool joins = false;
    };

    void add(std::string_view read, Source source);
    // The boxes of the first count characters.
    std::vector<Rect> boxes(const TextMeasure &measure, const PixelGrid &grid, std::size_t count) const;
    int lineIndex(int offset) const;
    // Where the line's text ends, before its break.
    int lineEnd(Span line) const;

    std::vector<StatusPage::Text> m_page; // by line, then place
    std::string m_text;
    std::vector<std::size_t> m_starts{0}; // each character's first byte in m_text, then its size
    std::vector<Source> m_sources;
    std::vector<int> m_lineStarts{0};
    int m_caret = 0;
    std::string m_told;
    // When the run in progress last told a change; none at rest.
    std::optional<std::chrono::steady_clock::time_point> m_runTold;
};
