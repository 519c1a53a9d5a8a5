#include "settingsdialog.h"

#include "dialogtexts.h"
#include "dialogwindow.h"
#include "settingsform.h"

void SettingsDialog::show(HINSTANCE instance, HWND owner, Session &session)
{
    SettingsForm form(session);
    DialogBoxParamW(instance, L"IDD_SETTINGS", owner, procedure, reinterpret_cast<LPARAM>(&form));
}

INT_PTR CALLBACK SettingsDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogWindow port(dialog);
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        DialogTexts::fit(dialog);
        // The template cannot say how many characters a field takes.
        for (const DialogControl &control : SettingsForm::controls) {
            if (control.maxLength > 0)
                SendDlgItemMessageW(dialog, control.id, EM_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
        }
        reinterpret_cast<SettingsForm *>(lParam)->open(port);
        return FALSE; // the focus set above stays
    }
    if (message != WM_COMMAND)
        return FALSE;
    auto *form = reinterpret_cast<SettingsForm *>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (LOWORD(wParam)) {
    case SettingsForm::AutoStop:
        SettingsForm::toggled(port);
        return TRUE;
    case SettingsForm::Ok:
        form->ok(port);
        return TRUE;
    case SettingsForm::Cancel:
        SettingsForm::cancel(port);
        return TRUE;
    default:
        return FALSE;
    }
}
