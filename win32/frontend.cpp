#include "frontend.h"

#include "aboutdialog.h"
#include "desktoppalette.h"
#include "layout.h"
#include "mainwindow.h"
#include "messagebox.h"
#include "pace.h"
#include "screenreader.h"
#include "settingsdialog.h"

#include <commctrl.h>
#include <objbase.h>

#include <utility>

namespace {

std::wstring failed(const wchar_t *what)
{
    return std::wstring(what) + L" (Systemfehler " + std::to_wstring(GetLastError()) + L").";
}

} // namespace

FrontEnd::FrontEnd(HINSTANCE instance)
    : m_com(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
{
    m_handles.instance = instance;
}

FrontEnd::~FrontEnd()
{
    // While the procedures' objects still live: the system would otherwise
    // destroy the windows at the thread's end and call them after this.
    if (m_handles.main)
        DestroyWindow(m_handles.main);
    if (SUCCEEDED(m_com))
        CoUninitialize();
}

std::optional<std::wstring> FrontEnd::start(int show)
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!MainWindow::registerClass(m_handles.instance))
        return failed(L"Die Fensterklasse \u201EMonte Carlo\u201C lie\u00DF sich nicht anmelden");
    if (!StatusPane::registerClass(m_handles.instance))
        return failed(L"Die Fensterklasse \u201EStatusfenster\u201C lie\u00DF sich nicht anmelden");
    if (!ShotPane::registerClass(m_handles.instance))
        return failed(L"Die Fensterklasse \u201ESchussfenster\u201C lie\u00DF sich nicht anmelden");
    if (!MainWindow::create(m_handles.instance, *this))
        return failed(L"Das Hauptfenster lie\u00DF sich nicht \u00F6ffnen");
    ShowWindow(m_handles.main, show);
    UpdateWindow(m_handles.main);
    giveKeyboardBack();
    return std::nullopt;
}

bool FrontEnd::createPanes(HWND main)
{
    m_handles.main = main;
    m_scale.dpi = static_cast<int>(GetDpiForWindow(main));
    m_handles.status = m_status.create(main, m_handles.instance);
    m_handles.shots = m_shots.create(main, m_handles.instance);
    if (!m_handles.status || !m_handles.shots)
        return false;
    m_status.setScale(m_scale);
    m_shots.setScale(m_scale);
    followColours(DesktopPalette::read());
    layout();
    SetTimer(m_handles.status, StatusPane::timerId, Pace::tickMilliseconds, nullptr);
    apply(m_session.everything());
    return true;
}

void FrontEnd::layout()
{
    if (!m_handles.status || !m_handles.shots)
        return;
    RECT client{};
    GetClientRect(m_handles.main, &client);
    // The split in program pixels, as the layer computes it; the panes in device pixels.
    const Layout::Panes panes = Layout::panes(m_scale.program(client.right), m_scale.program(client.bottom));
    const int split = m_scale.device(panes.status.x);
    m_status.place({split, 0, split + m_scale.device(panes.status.width), client.bottom}, client.right - split);
    m_shots.place({0, 0, split, client.bottom});
    // At rest the picture is the figure alone: redrawn whole at the new size.
    if (!m_session.running())
        m_shots.request(true);
}

void FrontEnd::setDpi(int dpi)
{
    m_scale.dpi = dpi;
    m_status.setScale(m_scale);
    m_shots.setScale(m_scale);
}

void FrontEnd::followColours(const Palette &desktop)
{
    const PaneColours colours = PaneColours::of(desktop);
    if (colours == std::exchange(m_colours, colours))
        return;
    m_status.setColours(colours);
    m_shots.setColours(colours);
    InvalidateRect(m_handles.status, nullptr, FALSE);
    InvalidateRect(m_handles.shots, nullptr, FALSE);
}

void FrontEnd::apply(const Repaint &repaint)
{
    if (repaint.shotPane)
        m_shots.request(repaint.erase);
    if (repaint.statusPane)
        m_status.request(repaint.erase);
    if (repaint.announce)
        m_status.announce(ScreenReader::announcement(m_session));
}

void FrontEnd::command(int id)
{
    const Reaction reaction = m_session.command(id);
    apply(reaction.repaint);
    switch (reaction.open) {
    case Reaction::Window::None:
        return;
    case Reaction::Window::Settings:
        SettingsDialog::show(m_handles.instance, m_handles.main, m_session);
        apply(m_session.everything());
        break;
    case Reaction::Window::About:
        AboutDialog::show(m_handles.instance, m_handles.main);
        break;
    case Reaction::Window::Message:
        MessageBoxes::show(m_handles.main, reaction.message);
        break;
    }
    giveKeyboardBack();
}

void FrontEnd::giveKeyboardBack()
{
    // Without a window manager nobody else hands the keyboard back after a dialog.
    SetForegroundWindow(m_handles.main);
    if (!IsChild(m_handles.main, GetFocus()))
        SetFocus(m_handles.main);
}

void FrontEnd::keepFocus()
{
    const HWND focus = GetFocus();
    if (focus == m_handles.status || focus == m_handles.shots)
        m_focus = focus;
}

void FrontEnd::restoreFocus()
{
    SetFocus(m_focus ? m_focus : m_handles.status);
}

void FrontEnd::step()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            m_session.requestQuit();
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    m_shots.serve();
    if (m_session.running()) {
        apply(m_session.pass());
        m_shots.present(false);
    } else if (!m_session.quitRequested()) {
        m_shots.present(true);
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

int FrontEnd::run()
{
    while (!m_session.quitRequested())
        step();
    return 0;
}
