#include "settingsdialog.h"

#include "dialogtexts.h"
#include "dialogwindow.h"
#include "settingsform.h"
#include "widetext.h"

#include <oleacc.h>

namespace {

// Each field's name as the layer gives it, for a screen reader through MSAA;
// Windows itself would name a field only after the static text before it
// ("mindestens"). Wine 8 refuses annotations (E_NOTIMPL) and keeps that name.
// The names go with the fields' windows.
void nameFields(HWND dialog, bool set)
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    for (const DialogControl &control : SettingsForm::controls) {
        if (control.kind != DialogControl::Kind::Edit)
            continue;
        const HWND field = GetDlgItem(dialog, control.id);
        if (set) {
            services->SetHwndPropStr(field, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                     WideText::from(SettingsForm::fieldName(control.id)).c_str());
        } else {
            MSAAPROPID name = PROPID_ACC_NAME;
            services->ClearHwndProps(field, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
        }
    }
    services->Release();
}

} // namespace

void SettingsDialog::show(HINSTANCE instance, HWND owner, Session &session)
{
    SettingsForm form(session);
    // COM for the fields' names; the thread may have it already.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DialogBoxParamW(instance, L"IDD_SETTINGS", owner, procedure, reinterpret_cast<LPARAM>(&form));
    if (SUCCEEDED(com))
        CoUninitialize();
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
        nameFields(dialog, true);
        reinterpret_cast<SettingsForm *>(lParam)->open(port);
        // The focused button's frame from the start, not only after a key: it alone tells it from the default
        // one. Posted: the dialog manager decides whether to hide it after this message.
        PostMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        return FALSE; // the focus set above stays
    }
    if (message == WM_DESTROY)
        nameFields(dialog, false);
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
