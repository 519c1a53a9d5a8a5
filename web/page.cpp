#include "page.h"

#include "focusframe.h"
#include "pace.h"
#include "screenreader.h"

#include <emscripten.h>

#include <chrono>

EM_JS(void, js_place, (int sx, int sy, int sw, int sh, int tx, int ty, int tw, int th),
      { Module.page.place(sx, sy, sw, sh, tx, ty, tw, th); });
EM_JS(void, js_focus_frame, (int pane, const int *sides, int rgb), {
    Module.page.focusFrame(pane, Array.from(HEAP32.subarray(sides >> 2, (sides >> 2) + 16)), rgb);
});
EM_JS(void, js_pane_papers, (int shots, int status), { Module.page.panePapers(shots, status); });
EM_JS(void, js_announce, (const char *text), { Module.page.announce(UTF8ToString(text)); });
EM_JS(void, js_status_reading, (const char *text), { Module.page.statusReading(UTF8ToString(text)); });
EM_JS(void, js_shot_description, (const char *text), { Module.page.shotDescription(UTF8ToString(text)); });
EM_JS(void, js_message, (const char *caption, const char *text, int warning),
      { Module.page.message(UTF8ToString(caption), UTF8ToString(text), warning != 0); });

Page::Page() = default;

void Page::resize(int width, int height, double ratio)
{
    m_panes = Layout::panes(width, height);
    js_place(m_panes.status.x, m_panes.status.y, m_panes.status.width, m_panes.status.height, m_panes.shots.x,
             m_panes.shots.y, m_panes.shots.width, m_panes.shots.height);
    const bool first = m_ratio == 0;
    const Size kept = m_shotPicture.kept({m_panes.shots.width, m_panes.shots.height}, m_kept, first);
    if (kept != m_kept || ratio != m_ratio) {
        m_kept = kept;
        m_ratio = ratio;
        m_shots.resize(kept, ratio);
    }
    if (first)
        show(m_session.everything());
    drawFocusFrame();
}

bool Page::frame()
{
    if (ended())
        return false;
    const bool wasRunning = m_session.running();
    const Advance advance = m_session.advance(Pace::pageRunMilliseconds, m_clock);
    show(advance.repaint, advance.plots);
    if (advance.ticks > 0)
        m_tickOwed = false;
    if (wasRunning && !m_session.running())
        m_tickOwed = true;
    return m_session.running() || m_tickOwed;
}

int Page::command(int id)
{
    if (ended())
        return 0;
    const Reaction reaction = m_session.command(id);
    show(reaction.repaint);
    m_tickOwed = true;
    if (reaction.open == Reaction::Window::Message)
        js_message(reaction.message.caption.c_str(), reaction.message.text.c_str(), reaction.message.warning);
    return static_cast<int>(reaction.open);
}

void Page::focus(Pane pane)
{
    m_focused = pane;
    drawFocusFrame();
}

void Page::setPalette(const Palette &desktop)
{
    const PaneColours colours = PaneColours::of(desktop);
    if (colours == m_shotPicture.colours())
        return;
    m_shots.recolour(m_shotPicture.colours(), colours);
    m_shotPicture.setColours(colours);
    m_statusPicture.setColours(colours);
    js_pane_papers(static_cast<int>(colours.shotPaper), static_cast<int>(colours.statusPaper));
    show({.statusPane = true, .erase = true});
    drawFocusFrame();
}

void Page::dialogClosed()
{
    show(m_session.everything());
    m_tickOwed = true;
}

void Page::show(const Repaint &repaint, const std::vector<ShotPicture::Plot> &plots)
{
    if (repaint.erase && repaint.shotPane) {
        // An erase drops what the picture kept beyond a smaller body's figure.
        const Size kept = m_shotPicture.kept({m_panes.shots.width, m_panes.shots.height}, m_kept, true);
        if (kept != m_kept)
            m_shots.resize(m_kept = kept, m_ratio);
        m_shots.clear(m_shotPicture.colours().shotPaper);
    }
    m_shotPicture.paint(m_shots, plots);
    if (repaint.shotPane && (repaint.erase || !m_session.running() || plots.empty()))
        m_shotPicture.paint(m_shots, repaint.erase);
    m_shots.show();
    if (repaint.erase && repaint.statusPane)
        m_status.fill({0, 0, m_panes.status.width, m_panes.status.height}, m_statusPicture.colours().statusPaper);
    if (repaint.statusPane) {
        m_statusPicture.paint(m_status, repaint.erase);
        tell();
    }
    if (repaint.announce)
        js_announce(ScreenReader::announcement(m_session).c_str());
    if (!m_session.running() && m_shotPicture.description() != m_description) {
        m_description = m_shotPicture.description();
        js_shot_description(m_description.c_str());
    }
}

void Page::tell()
{
    // The page's readable copy follows the page at the pace a screen reader keeps up with.
    m_reading.show(m_statusPicture.shown());
    const auto now = std::chrono::steady_clock::now();
    if (const auto progress = m_progress.tell(m_session, now))
        js_announce(progress->c_str());
    if (m_reading.tell(true, m_session.running(), now)) {
        js_status_reading(m_reading.text().c_str());
        m_description = m_shotPicture.description();
        js_shot_description(m_description.c_str());
    }
}

void Page::drawFocusFrame()
{
    const Rect pane = m_focused == Pane::Shots ? m_panes.shots : m_panes.status;
    const auto sides = FocusFrame::sides({pane.width, pane.height});
    int flat[16];
    for (int i = 0; i < 4; ++i) {
        flat[i * 4] = sides[i].x;
        flat[i * 4 + 1] = sides[i].y;
        flat[i * 4 + 2] = sides[i].width;
        flat[i * 4 + 3] = sides[i].height;
    }
    const PaneColours &colours = m_shotPicture.colours();
    js_focus_frame(static_cast<int>(m_focused), flat,
                   static_cast<int>(m_focused == Pane::Shots ? colours.shotFocus : colours.statusFocus));
}
