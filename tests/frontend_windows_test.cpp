// The Windows front end's own decisions, with its real windows: what it does on
// a change of display or scale, at logoff, after a dialog and for a screen reader.

#include "aboutbox.h"
#include "commandid.h"
#include "frontend.h"
#include "report.h"
#include "screenreader.h"
#include "widetext.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <functional>
#include <string>
#include <thread>

namespace {

// Dispatches what is waiting, as the loop's drain does.
void drain()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The program's windows, shown once for the whole suite: its classes register once a process.
FrontEnd &program()
{
    static FrontEnd frontEnd(GetModuleHandleW(nullptr));
    [[maybe_unused]] static const bool started = [] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        EXPECT_EQ(frontEnd.start(SW_SHOW).value_or(L""), L"");
        drain();
        return true;
    }();
    return frontEnd;
}

RECT screenOf(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
}

// A dialog or message box of this process, once it is shown; null after five seconds without one.
HWND awaitBox()
{
    for (int tries = 0; tries < 500; Sleep(10), ++tries) {
        for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(box))
                return box;
        }
    }
    return nullptr;
}

// Carries out the command, whose modal window the user meets with before confirming it.
void commandAnswered(int id, const std::function<void(HWND box)> &meanwhile = {})
{
    std::thread user([&] {
        const HWND box = awaitBox();
        if (meanwhile)
            meanwhile(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    program().command(id);
    user.join();
    drain();
}

TEST(MainWindow, CoversTheScreenAgainAfterADisplayChange)
{
    const HWND main = program().handles().main;
    SetWindowPos(main, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT screen = screenOf(main);
    SendMessageW(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(screen.right - screen.left, screen.bottom - screen.top));
    RECT window{};
    GetWindowRect(main, &window);
    EXPECT_TRUE(EqualRect(&window, &screen)) << window.left << "," << window.top << " " << window.right << "x" << window.bottom;
}

// At twice the scale the square's top edge (program pixel 10) lies on device row 20 and is two rows thick;
// at the first scale that pixel lies inside the square, white, beyond the circle.
TEST(MainWindow, DrawsAtTheScaleADpiChangeGives)
{
    const HWND main = program().handles().main;
    const struct { const char *name; int dpi; COLORREF pixel; } rows[] = {
        {"twice the scale", 2 * USER_DEFAULT_SCREEN_DPI, RGB(0, 0, 0)},
        {"back to the first", USER_DEFAULT_SCREEN_DPI, RGB(255, 255, 255)},
    };
    for (const auto &row : rows) {
        RECT suggested = screenOf(main);
        SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&suggested));
        // The loop's passes until the status pane's 50 ms timer has come twice: every paint served and shown.
        for (int pass = 0; pass < 3; ++pass)
            program().step();
        const HDC dc = GetDC(program().handles().shots);
        EXPECT_EQ(GetPixel(dc, 400, 21), row.pixel) << row.name;
        ReleaseDC(program().handles().shots, dc);
    }
}

// Where the desktop asks for high contrast both panes take its colours at once, the focus frame its highlight; the
// program's own colours come back with the desktop's. (Wine cannot switch high contrast on: the palette is given.)
TEST(MainWindow, PanesTakeTheColoursTheDesktopAsksFor)
{
    const FrontEnd &shown = program();
    const HWND shots = shown.handles().shots, status = shown.handles().status;
    const struct { const char *name; Palette desktop; COLORREF paper, figure, page, frame; } rows[] = {
        {"yellow on black, a highlight apart", {true, 0x000000, 0xFFFF00, 0x1AEBFF}, RGB(0, 0, 0), RGB(255, 255, 0),
         RGB(0, 0, 0), RGB(0x1A, 0xEB, 0xFF)},
        {"the program's own", {}, RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)},
    };
    SetFocus(status);
    for (const auto &row : rows) {
        program().followColours(row.desktop);
        for (int pass = 0; pass < 3; ++pass)
            program().step();
        const HDC shotDc = GetDC(shots), statusDc = GetDC(status);
        EXPECT_EQ(GetPixel(shotDc, 5, 5), row.paper) << row.name;
        EXPECT_EQ(GetPixel(shotDc, 400, 10), row.figure) << row.name;
        EXPECT_EQ(GetPixel(statusDc, 1, 1), row.page) << row.name;
        EXPECT_EQ(GetPixel(statusDc, 3, 20), row.frame) << row.name;
        ReleaseDC(shots, shotDc);
        ReleaseDC(status, statusDc);
    }
}

// The save's box is still open when the user logs off: the program lets the session end.
TEST(MainWindow, AllowsLogoffWhileASaveIsShown)
{
    TempFolder work;
    DWORD_PTR answer = FALSE;
    commandAnswered(IdSaveResult, [&](HWND) {
        SendMessageTimeoutW(program().handles().main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                            &answer);
    });
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
}

// A dialog opened from a pane gives the keyboard back to that pane.
TEST(MainWindow, KeyboardBackToThePaneADialogWasOpenedFrom)
{
    const struct { const char *name; HWND pane; } rows[] = {
        {"the shot pane", program().handles().shots},
        {"the status pane", program().handles().status},
    };
    for (const auto &row : rows) {
        SetFocus(row.pane);
        commandAnswered(IdAbout);
        EXPECT_EQ(GetFocus(), row.pane) << row.name;
    }
}

// What a screen reader reads of a window's client object: its name or its description.
std::wstring accessibleText(HWND window, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR *))
{
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))))
        return L"(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    (object->*property)(self, &text);
    const std::wstring said = text ? text : L"";
    SysFreeString(text);
    object->Release();
    return said;
}

TEST(StatusPane, NamedForAScreenReader)
{
    EXPECT_EQ(accessibleText(program().handles().status, &IAccessible::get_accName), WideText::from(ScreenReader::statusName));
}

// The about dialog's whole text reaches a screen reader, here on another thread, as the dialog's description.
TEST(AboutDialog, DescribedForAScreenReader)
{
    std::wstring described;
    commandAnswered(IdAbout, [&](HWND box) {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        described = accessibleText(box, &IAccessible::get_accDescription);
        CoUninitialize();
    });
    EXPECT_EQ(described, WideText::from(AboutBox::spokenText()));
}

} // namespace
