#include "menudividers.h"

#include "menu.h"

namespace {

constexpr const wchar_t *bar = L"|";

// The menu's font at the window's scale, as the system draws the other items.
HFONT menuFont(HWND window)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, GetDpiForWindow(window));
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

} // namespace

namespace MenuDividers {

void make(HMENU menu)
{
    for (const Menu::Item &item : Menu::items) {
        if (!Menu::isDivider(item.id))
            continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
        SetMenuItemInfoW(menu, static_cast<UINT>(item.id), FALSE, &info);
    }
}

bool measure(HWND window, MEASUREITEMSTRUCT &item)
{
    if (item.CtlType != ODT_MENU || !Menu::isDivider(static_cast<int>(item.itemID)))
        return false;
    const HDC dc = GetDC(window);
    const HFONT font = menuFont(window);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, bar, 1, &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(window, dc);
    item.itemWidth = static_cast<UINT>(size.cx);
    item.itemHeight = static_cast<UINT>(size.cy);
    return true;
}

bool draw(const DRAWITEMSTRUCT &item)
{
    if (item.CtlType != ODT_MENU || !Menu::isDivider(static_cast<int>(item.itemID)))
        return false;
    const HWND window = WindowFromDC(item.hDC);
    const HFONT font = menuFont(window);
    const HGDIOBJ old = SelectObject(item.hDC, font);
    RECT place = item.rcItem;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_MENUTEXT));
    DrawTextW(item.hDC, bar, 1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, old);
    DeleteObject(font);
    return true;
}

} // namespace MenuDividers
