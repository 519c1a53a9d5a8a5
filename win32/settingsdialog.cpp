#include "settingsdialog.h"

#include "dialogtexts.h"
#include "messagebox.h"
#include "settingsform.h"
#include "widetext.h"

#include <string>

namespace {

void enableFor(HWND dialog, bool automatic)
{
    for (const DialogControl &control : SettingsForm::controls) {
        if (control.id > 0)
            EnableWindow(GetDlgItem(dialog, control.id), SettingsForm::enabled(control.id, automatic));
    }
}

void setText(HWND dialog, int id, const std::string &text)
{
    SetDlgItemTextW(dialog, id, WideText::from(text).c_str());
}

std::string text(HWND dialog, int id)
{
    const HWND field = GetDlgItem(dialog, id);
    std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(field, wide.data(), static_cast<int>(wide.size()))));
    return WideText::toUtf8(wide);
}

bool automatic(HWND dialog)
{
    return IsDlgButtonChecked(dialog, SettingsForm::AutoStop) == BST_CHECKED;
}

void open(HWND dialog, const SettingsForm &form)
{
    for (const DialogControl &control : SettingsForm::controls) {
        if (control.maxLength > 0)
            SendDlgItemMessageW(dialog, control.id, EM_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
    }
    const SettingsForm::Entries shown = form.shown();
    setText(dialog, SettingsForm::TargetShots, shown.targetShots);
    setText(dialog, SettingsForm::Threshold, shown.threshold);
    setText(dialog, SettingsForm::MinShots, shown.minShots);
    setText(dialog, SettingsForm::Radius, shown.radius);
    setText(dialog, SettingsForm::Dimensions, shown.dimensions);
    CheckDlgButton(dialog, SettingsForm::AutoStop, shown.autoStop ? BST_CHECKED : BST_UNCHECKED);
    enableFor(dialog, shown.autoStop);
    SetFocus(GetDlgItem(dialog, SettingsForm::firstFocus(shown.autoStop)));
}

void accept(HWND dialog, SettingsForm &form)
{
    const SettingsForm::Entries entries{
        .targetShots = text(dialog, SettingsForm::TargetShots),
        .autoStop = automatic(dialog),
        .threshold = text(dialog, SettingsForm::Threshold),
        .minShots = text(dialog, SettingsForm::MinShots),
        .radius = text(dialog, SettingsForm::Radius),
        .dimensions = text(dialog, SettingsForm::Dimensions),
    };
    const auto refusal = form.accept(entries);
    if (!refusal) {
        EndDialog(dialog, IDOK);
        return;
    }
    MessageBoxes::show(dialog, refusal->warning); // the dialog stays open
    // The field to correct gets the keyboard, its text selected as Tab would.
    const HWND field = GetDlgItem(dialog, refusal->field);
    if (field && IsWindowEnabled(field))
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
}

} // namespace

void SettingsDialog::show(HINSTANCE instance, HWND owner, Session &session)
{
    SettingsForm form(session);
    DialogBoxParamW(instance, L"IDD_SETTINGS", owner, procedure, reinterpret_cast<LPARAM>(&form));
}

INT_PTR CALLBACK SettingsDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        DialogTexts::fit(dialog);
        open(dialog, *reinterpret_cast<SettingsForm *>(lParam));
        return FALSE; // the focus set above stays
    }
    if (message != WM_COMMAND)
        return FALSE;
    auto *form = reinterpret_cast<SettingsForm *>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (LOWORD(wParam)) {
    case SettingsForm::AutoStop:
        enableFor(dialog, automatic(dialog));
        return TRUE;
    case SettingsForm::Ok:
        accept(dialog, *form);
        return TRUE;
    case SettingsForm::Cancel:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
