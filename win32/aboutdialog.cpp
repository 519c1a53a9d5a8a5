#include "aboutdialog.h"

#include "aboutbox.h"
#include "dialogtexts.h"
#include "widetext.h"

void AboutDialog::show(HINSTANCE instance, HWND owner)
{
    DialogBoxParamW(instance, L"IDD_ABOUT", owner, procedure, 0);
}

INT_PTR CALLBACK AboutDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The children come in template order, the order of the layer's table,
        // whose texts (version, home, month among them) they take.
        HWND child = GetWindow(dialog, GW_CHILD);
        for (const DialogControl &control : AboutBox::controls) {
            if (!child)
                break;
            if (control.kind != DialogControl::Kind::Icon)
                SetWindowTextW(child, WideText::from(control.text).c_str());
            child = GetWindow(child, GW_HWNDNEXT);
        }
        DialogTexts::fit(dialog);
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE; // the focus set above stays
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}
