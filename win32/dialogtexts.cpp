#include "dialogtexts.h"

#include "textfit.h"

#include <string>

namespace {

// The pixels the control's text needs in its font, with a check box's box and gap.
int neededWidth(HWND control, bool checkBox)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (!checkBox)
        return size.cx;
    const UINT dpi = GetDpiForWindow(control);
    return size.cx + GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
}

} // namespace

namespace DialogTexts {

void fit(HWND dialog)
{
    RECT client{};
    GetClientRect(dialog, &client);
    RECT margin{0, 0, TextFit::dialogMargin, 0};
    MapDialogRect(dialog, &margin);
    const int room = client.right - margin.right;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(control, kind, 16);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const bool label = lstrcmpiW(kind, L"Static") == 0 && (style & SS_TYPEMASK) == SS_LEFT;
        const bool checkBox = lstrcmpiW(kind, L"Button") == 0 && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        if (!label && !checkBox)
            continue;
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&place), 2);
        const Rect wide = TextFit::widened({place.left, place.top, place.right - place.left, place.bottom - place.top},
                                           neededWidth(control, checkBox), room);
        SetWindowPos(control, nullptr, wide.x, wide.y, wide.width, wide.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace DialogTexts
