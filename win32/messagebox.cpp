#include "messagebox.h"

#include "widetext.h"

namespace MessageBoxes {

void show(HWND owner, const Message &message)
{
    MessageBoxW(owner, WideText::from(message.text).c_str(), WideText::from(message.caption).c_str(),
                MB_OK | (message.warning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

} // namespace MessageBoxes
