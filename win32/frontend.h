#pragma once

#include "handles.h"
#include "panecolours.h"
#include "repaint.h"
#include "session.h"
#include "shotpane.h"
#include "statuspane.h"

#include <optional>
#include <string>

// The Windows front end: the session, its windows and the loop. It decides
// nothing the session decides; it routes messages, keys and timers to it and
// shows what it answers.
class FrontEnd
{
public:
    explicit FrontEnd(HINSTANCE instance);
    ~FrontEnd();
    FrontEnd(const FrontEnd &) = delete;
    FrontEnd &operator=(const FrontEnd &) = delete;

    // Registers the classes and shows the main window; on failure the cause, in German.
    std::optional<std::wstring> start(int show);
    // The loop until quitting is asked for; the exit code.
    int run();
    // One pass: drain the queue, serve the paints asked for, then one shot, or
    // while no run is active wait for the next message without using the CPU.
    void step();

    Session &session() { return m_session; }
    const Handles &handles() const { return m_handles; }
    void apply(const Repaint &repaint);
    void command(int id);

    // The main window's own events.
    bool createPanes(HWND main);
    void layout();
    void setDpi(int dpi);
    // Both panes in the colours the desktop asks for (see DesktopPalette).
    void followColours(const Palette &desktop);
    // The pane that has the keyboard is kept while a dialog, a box or another
    // program has it, and has it again when the main window gets it back.
    void keepFocus();
    void restoreFocus();

private:
    void giveKeyboardBack();

    Handles m_handles;
    Session m_session;
    Scale m_scale;
    ShotPane m_shots{m_session};
    StatusPane m_status{*this};
    HWND m_focus = nullptr;
    PaneColours m_colours;
    // COM on this thread, for the menu's and the fields' names to a screen reader.
    HRESULT m_com = E_FAIL;
};
