#include "aboutdialog.h"

#include "aboutbox.h"
#include "dialogtexts.h"
#include "dialogwindow.h"

void AboutDialog::show(HINSTANCE instance, HWND owner)
{
    DialogBoxParamW(instance, L"IDD_ABOUT", owner, procedure, 0);
}

INT_PTR CALLBACK AboutDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    DialogWindow port(dialog);
    switch (message) {
    case WM_INITDIALOG:
        DialogTexts::fit(dialog);
        AboutBox::open(port);
        return FALSE; // the focus set above stays
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
