#include "mainwindow.h"

#include "desktoppalette.h"
#include "frontend.h"
#include "menudividers.h"
#include "menunames.h"

namespace {

RECT monitorArea(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcMonitor;
}

} // namespace

bool MainWindow::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = L"menu";
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

HWND MainWindow::create(HINSTANCE instance, FrontEnd &frontEnd)
{
    POINT pointer{};
    GetCursorPos(&pointer);
    const RECT area = monitorArea(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST));
    // The panes cover the client area, so the window need not paint under them.
    return CreateWindowExW(0, className, L"Monte Carlo", WS_POPUP | WS_CLIPCHILDREN, area.left, area.top,
                           area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance, &frontEnd);
}

void MainWindow::fitToMonitor(HWND window)
{
    const RECT area = monitorArea(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams));
    }
    auto *frontEnd = reinterpret_cast<FrontEnd *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frontEnd)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        MenuDividers::make(GetMenu(window));
        MenuNames::give(GetMenu(window));
        return frontEnd->createPanes(window) ? 0 : -1;
    case WM_MEASUREITEM:
        return MenuDividers::measure(window, *reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
    case WM_DRAWITEM:
        return MenuDividers::draw(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_SIZE:
        frontEnd->layout();
        return 0;
    case WM_DISPLAYCHANGE:
        fitToMonitor(window);
        frontEnd->layout();
        return 0;
    case WM_DPICHANGED:
        frontEnd->setDpi(HIWORD(wParam));
        fitToMonitor(window);
        frontEnd->layout();
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High contrast switched on or off, or other system colours.
        frontEnd->followColours(DesktopPalette::read());
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            frontEnd->keepFocus();
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS:
        frontEnd->restoreFocus();
        return 0;
    case WM_COMMAND:
        frontEnd->command(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The loop ends at its next pass; the window goes with the process.
        frontEnd->session().requestQuit();
        return 0;
    case WM_QUERYENDSESSION:
        frontEnd->session().requestQuit();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            frontEnd->session().requestQuit();
        return 0;
    case WM_DESTROY:
        MenuNames::clear(GetMenu(window));
        frontEnd->session().requestQuit();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
