#include "dialogwindow.h"

#include "messagebox.h"
#include "widetext.h"

std::string DialogWindow::text(int id) const
{
    const HWND field = GetDlgItem(m_dialog, id);
    std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(field, wide.data(), static_cast<int>(wide.size()))));
    return WideText::toUtf8(wide);
}

void DialogWindow::setText(int id, const std::string &text)
{
    SetDlgItemTextW(m_dialog, id, WideText::from(text).c_str());
}

bool DialogWindow::checked(int id) const
{
    return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED;
}

void DialogWindow::setChecked(int id, bool checked)
{
    CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void DialogWindow::enable(int id, bool enabled)
{
    EnableWindow(GetDlgItem(m_dialog, id), enabled);
}

void DialogWindow::focus(int id)
{
    // Not WM_NEXTDLGCTL, which would also select an edit's text.
    SetFocus(GetDlgItem(m_dialog, id));
}

void DialogWindow::selectAll(int id)
{
    SendDlgItemMessageW(m_dialog, id, EM_SETSEL, 0, -1);
}

void DialogWindow::warn(const Message &message)
{
    MessageBoxes::show(m_dialog, message);
}

void DialogWindow::end(bool accepted)
{
    EndDialog(m_dialog, accepted ? IDOK : IDCANCEL);
}
