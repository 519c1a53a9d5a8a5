#include "aboutdialog.h"

#include "aboutbox.h"
#include "dialogtexts.h"
#include "dialogwindow.h"
#include "widetext.h"

void AboutDialog::show(HINSTANCE instance, HWND owner)
{
    DialogBoxParamW(instance, L"IDD_ABOUT", owner, procedure, 0);
}

INT_PTR CALLBACK AboutDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    DialogWindow port(dialog);
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
        AboutBox::open(port);
        return FALSE; // the focus set above stays
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == AboutBox::okId)
            AboutBox::ok(port);
        else if (LOWORD(wParam) == IDCANCEL)
            AboutBox::cancel(port);
        return TRUE;
    default:
        return FALSE;
    }
}
