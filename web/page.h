#pragma once

#include "aboutbox.h"
#include "downloadsink.h"
#include "frameclock.h"
#include "layout.h"
#include "palette.h"
#include "runprogress.h"
#include "session.h"
#include "settingsform.h"
#include "shotcanvas.h"
#include "shotpicture.h"
#include "statuscanvas.h"
#include "statuspicture.h"
#include "statusreading.h"
#include "webdialog.h"

#include <string>

// The program in a page: the session and both panes' pictures, driven by the
// page's script through the calls below (exports.cpp), which answer through
// the page's own calls. The script holds no text or rule of its own.
class Page
{
public:
    enum class Pane { None, Shots, Status };

    Page();

    // The area below the menu bar in CSS pixels, and device pixels per CSS pixel.
    void resize(int width, int height, double ratio);
    // One animation frame: the run's share of it, the refresh when due; true
    // while the page wants another frame (a run goes, or a refresh is still due).
    bool frame();
    // A menu command: which window the page opens (Reaction::Window as a number).
    int command(int id);
    void focus(Pane pane);
    // The browser's colours: forced colours or more contrast asked for, and its system colours.
    void setPalette(const Palette &desktop);

    void settingsOpened() { m_form.open(m_settings); }
    void settingsToggled() { SettingsForm::toggled(m_settings); }
    void settingsOk() { m_form.ok(m_settings); }
    void settingsCancelled() { SettingsForm::cancel(m_settings); }
    void aboutOpened() { AboutBox::open(m_about); }
    void aboutOk() { AboutBox::ok(m_about); }
    void aboutCancelled() { AboutBox::cancel(m_about); }
    // A dialog closed, whatever ended it.
    void dialogClosed();

    bool ended() const { return m_session.quitRequested(); }

private:
    void show(const Repaint &repaint, const std::vector<ShotPicture::Plot> &plots = {});
    void tell();
    void drawFocusFrame();

    DownloadSink m_downloads;
    Session m_session{m_downloads};
    FrameClock m_clock;
    SettingsForm m_form{m_session};
    WebDialog m_settings{"settings"};
    WebDialog m_about{"about"};
    ShotPicture m_shotPicture{m_session};
    StatusPicture m_statusPicture{m_session};
    StatusReading m_reading;
    RunProgress m_progress;
    ShotCanvas m_shots;
    StatusCanvas m_status;
    Layout::Panes m_panes;
    Size m_kept;
    double m_ratio = 0;
    Pane m_focused = Pane::None;
    std::string m_description;
    // A refresh the page still owes: after a command, a dialog or a run's end.
    bool m_tickOwed = true;
};
