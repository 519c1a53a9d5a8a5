#include "statusreading.h"

#include "spokentext.h"
#include "statuspicture.h"
#include "textmeasure.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <tuple>

namespace {

// The bytes of the UTF-8 character that starts at text[at].
std::size_t characterSize(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(size, text.size() - at);
}

std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> split;
    for (std::size_t at = 0; at < text.size(); at += split.back().size())
        split.push_back(text.substr(at, characterSize(text, at)));
    return split;
}

std::string joined(std::vector<std::string_view>::const_iterator from, std::vector<std::string_view>::const_iterator to)
{
    std::string text;
    for (; from != to; ++from)
        text += *from;
    return text;
}

} // namespace

void StatusReading::show(const std::vector<StatusPage::Text> &page)
{
    const int caretLine = lineIndex(m_caret);
    const int column = m_caret - m_lineStarts[static_cast<std::size_t>(caretLine)];

    m_page = page;
    std::stable_sort(m_page.begin(), m_page.end(), [](const StatusPage::Text &a, const StatusPage::Text &b) {
        return std::tie(a.line, a.x) < std::tie(b.line, b.x);
    });
    m_text.clear();
    m_starts.assign(1, 0);
    m_sources.clear();
    m_lineStarts.assign(1, 0);
    for (std::size_t index = 0; index < m_page.size(); ++index) {
        const std::string_view text = m_page[index].text;
        if (index > 0) {
            const bool newLine = m_page[index].line != m_page[index - 1].line;
            add(newLine ? "\n" : " ", {index, 0, 0, true});
            if (newLine)
                m_lineStarts.push_back(length());
        }
        for (const SpokenText::Piece &piece : SpokenText::pieces(text)) {
            if (piece.read != text.substr(piece.from, piece.to - piece.from)) {
                // A word read in place of a symbol: each of its characters where the symbol is drawn.
                for (const std::string_view character : characters(piece.read))
                    add(character, {index, piece.from, piece.to, false});
                continue;
            }
            for (std::size_t at = piece.from; at < piece.to; at += characterSize(text, at))
                add(text.substr(at, characterSize(text, at)), {index, at, at + characterSize(text, at), false});
        }
    }

    const int kept = std::min(caretLine, static_cast<int>(m_lineStarts.size()) - 1);
    const Span now = line(m_lineStarts[static_cast<std::size_t>(kept)]);
    m_caret = std::min(now.start + column, lineEnd(now));
}

void StatusReading::add(std::string_view read, Source source)
{
    m_text += read;
    m_starts.push_back(m_text.size());
    m_sources.push_back(source);
}

std::string StatusReading::text(int start, int end) const
{
    start = std::clamp(start, 0, length());
    end = std::clamp(end, start, length());
    const std::size_t from = m_starts[static_cast<std::size_t>(start)];
    return m_text.substr(from, m_starts[static_cast<std::size_t>(end)] - from);
}

bool StatusReading::setCaret(int offset)
{
    const int moved = std::clamp(offset, 0, length());
    if (moved == m_caret)
        return false;
    m_caret = moved;
    return true;
}

int StatusReading::lineIndex(int offset) const
{
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<int>(after - m_lineStarts.begin()) - 1;
}

int StatusReading::lineEnd(Span line) const
{
    const bool broken = line.end > line.start && m_text[m_starts[static_cast<std::size_t>(line.end - 1)]] == '\n';
    return broken ? line.end - 1 : line.end;
}

StatusReading::Span StatusReading::line(int offset) const
{
    const auto index = static_cast<std::size_t>(lineIndex(std::clamp(offset, 0, length())));
    return {m_lineStarts[index], index + 1 < m_lineStarts.size() ? m_lineStarts[index + 1] : length()};
}

bool StatusReading::press(Key key)
{
    const Span here = line(m_caret);
    switch (key) {
    case Key::Left:
        return setCaret(m_caret - 1);
    case Key::Right:
        return setCaret(m_caret + 1);
    case Key::Up:
        return here.start > 0 && setCaret(line(here.start - 1).start);
    case Key::Down:
        return here.end < length() && setCaret(here.end);
    case Key::Home:
        return setCaret(here.start);
    case Key::End:
        return setCaret(lineEnd(here));
    case Key::TextStart:
        return setCaret(0);
    case Key::TextEnd:
        return setCaret(length());
    }
    return false;
}

std::vector<Rect> StatusReading::boxes(const TextMeasure &measure, const PixelGrid &grid) const
{
    return boxes(measure, grid, m_sources.size());
}

std::vector<Rect> StatusReading::boxes(const TextMeasure &measure, const PixelGrid &grid, std::size_t count) const
{
    const auto left = [&](std::size_t index, std::size_t bytes) {
        const StatusPage::Text &text = m_page[index];
        return grid.toImage(text.x) + measure.width(std::string_view(text.text).substr(0, bytes));
    };
    const auto top = [&](std::size_t index) { return measure.lineHeight() * m_page[index].line + grid.toImage(StatusPicture::top); };
    std::vector<Rect> boxes;
    boxes.reserve(count);
    for (const Source &source : std::span(m_sources).first(count)) {
        if (!source.joins) {
            const int x = left(source.text, source.from);
            boxes.push_back({x, top(source.text), left(source.text, source.to) - x, measure.height()});
            continue;
        }
        const std::size_t before = source.text - 1;
        const Rect last = boxes.empty() ? Rect{left(before, 0), top(before), 0, measure.height()} : boxes.back();
        const int x = last.x + last.width;
        const bool sameLine = m_page[source.text].line == m_page[before].line;
        // A text drawn over the one before leaves no gap to span.
        const int width = sameLine ? std::max(left(source.text, 0) - x, 0) : measure.width(" ");
        boxes.push_back({x, last.y, width, last.height});
    }
    return boxes;
}

Rect StatusReading::caretBox(const TextMeasure &measure, const PixelGrid &grid) const
{
    // Only the boxes up to the caret's: a front end asks at every refresh.
    const std::vector<Rect> all = boxes(measure, grid, std::min(m_sources.size(), std::size_t(m_caret) + 1));
    if (m_caret < length())
        return all.back();
    if (all.empty())
        return {grid.toImage(m_page.empty() ? 0 : m_page.front().x), grid.toImage(StatusPicture::top), 0, measure.height()};
    return {all.back().x + all.back().width, all.back().y, 0, all.back().height};
}

int StatusReading::offsetAt(int x, int y, const TextMeasure &measure, const PixelGrid &grid) const
{
    const std::vector<Rect> all = boxes(measure, grid);
    const auto found = std::find_if(all.begin(), all.end(), [&](const Rect &box) {
        return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
    });
    return found == all.end() ? -1 : static_cast<int>(found - all.begin());
}

std::optional<StatusReading::Change> StatusReading::tell(bool focused, bool running,
                                                         std::chrono::steady_clock::time_point now)
{
    if (!running)
        m_runTold.reset();
    // Arriving, a reader reads the pane anew: what it finds then is what it was told.
    if (!focused || m_told == m_text) {
        m_told = m_text;
        return std::nullopt;
    }
    if (running && m_runTold && now - *m_runTold < runPace)
        return std::nullopt;
    if (running)
        m_runTold = now;
    // Only the changed middle, so that a reader need not repeat the whole page.
    const std::vector<std::string_view> old = characters(m_told), shown = characters(m_text);
    const auto head = std::mismatch(old.begin(), old.end(), shown.begin(), shown.end());
    const auto tail = std::mismatch(old.rbegin(), std::make_reverse_iterator(head.first), shown.rbegin(),
                                    std::make_reverse_iterator(head.second));
    Change change{static_cast<int>(head.first - old.begin()), joined(head.first, tail.first.base()),
                  joined(head.second, tail.second.base())};
    m_told = m_text;
    return change;
}
