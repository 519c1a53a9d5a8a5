#include "statuspicture.h"

#include "canvas.h"

#include <algorithm>

namespace {
constexpr int largest = 12;
constexpr int smallest = 6;
// Pixels kept free between a text and the next one on its line.
constexpr int gap = 4;
} // namespace

StatusPicture::StatusPicture(const Session &session)
    : m_session(session)
{
}

int StatusPicture::fontSize(const Canvas &canvas)
{
    if (m_fontSize != 0)
        return m_fontSize;
    const std::vector<StatusPage::Text> page = StatusPage::texts(m_session);
    for (m_fontSize = largest; m_fontSize > smallest; --m_fontSize) {
        const bool fits = std::none_of(page.begin(), page.end(), [&](const StatusPage::Text &a) {
            return std::any_of(page.begin(), page.end(), [&](const StatusPage::Text &b) {
                return a.line == b.line && a.x < b.x && a.x + canvas.measure(a.text, m_fontSize) + gap > b.x;
            });
        });
        if (fits)
            break;
    }
    return m_fontSize;
}

int StatusPicture::lineHeight(const Canvas &canvas)
{
    const Canvas::LineMetrics metrics = canvas.lineMetrics(fontSize(canvas));
    return metrics.height + metrics.leading;
}

int StatusPicture::bottom(const Canvas &canvas)
{
    const std::vector<StatusPage::Text> page = StatusPage::texts(m_session);
    const auto last = std::max_element(page.begin(), page.end(), [](const auto &a, const auto &b) {
        return a.line < b.line;
    });
    return top + lineHeight(canvas) * (last == page.end() ? 0 : last->line + 1);
}

bool StatusPicture::paint(Canvas &canvas, bool erased)
{
    std::vector<StatusPage::Text> page = StatusPage::texts(m_session);
    if (!erased && page == m_shown)
        return false;
    const int size = fontSize(canvas);
    const int height = lineHeight(canvas);
    for (std::size_t i = 0; i < page.size(); ++i) {
        // The page's texts keep their order and places; an unchanged one would change no pixel.
        if (!erased && i < m_shown.size() && page[i] == m_shown[i])
            continue;
        const StatusPage::Text &text = page[i];
        canvas.text(text.x, height * text.line + top, text.text, size, m_colours.statusInk, m_colours.statusPaper);
    }
    m_shown = std::move(page);
    return true;
}
