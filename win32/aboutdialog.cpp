#include "aboutdialog.h"

#include "aboutbox.h"
#include "dialogtexts.h"
#include "dialogwindow.h"
#include "paneaccessible.h"
#include "widetext.h"

#include <utility>

namespace {

constexpr int programIcon = 101; // of monte-carlo.rc

} // namespace

void AboutDialog::show(HINSTANCE instance, HWND owner)
{
    DialogBoxParamW(instance, L"IDD_ABOUT", owner, procedure, 0);
}

void AboutDialog::scaleIcon(HWND dialog)
{
    // The template loads the icon at the system's 32 pixels whatever the dialog's DPI.
    const int size = GetSystemMetricsForDpi(SM_CXICON, GetDpiForWindow(dialog));
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    const auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(programIcon), IMAGE_ICON, size, size, 0));
    if (!icon)
        return;
    const HWND control = GetDlgItem(dialog, AboutBox::iconId);
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetWindowPos(control, nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK AboutDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogWindow port(dialog);
    switch (message) {
    case WM_INITDIALOG:
        DialogTexts::fit(dialog);
        scaleIcon(dialog);
        AboutBox::open(port);
        // The focused button's frame from the start, not only after a key: it alone tells it from the default
        // one. Posted: the dialog manager decides whether to hide it after this message.
        PostMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        return FALSE; // the focus set above stays
    case WM_COMMAND:
        if (LOWORD(wParam) == AboutBox::okId)
            AboutBox::ok(port);
        else if (LOWORD(wParam) == IDCANCEL)
            AboutBox::cancel(port);
        return TRUE;
    case WM_GETOBJECT: {
        // The whole text for a screen reader as the dialog opens, as the dialog's description.
        PaneAccessible::Answers answers;
        answers.description = [] { return WideText::from(AboutBox::spokenText()); };
        const LRESULT object = PaneAccessible::answer(dialog, wParam, lParam, OBJID_CLIENT, std::move(answers));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, object);
        return object != 0;
    }
    case WM_DESTROY:
        // The icon scaled for the dialog is ours; the one the template loaded is shared.
        DestroyIcon(reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, AboutBox::iconId, STM_GETICON, 0, 0)));
        return FALSE;
    default:
        return FALSE;
    }
}
