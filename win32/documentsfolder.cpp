#include "documentsfolder.h"

#include <windows.h>

#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

namespace DocumentsFolder {

bool asked(const wchar_t *commandLine)
{
    int count = 0;
    wchar_t **arguments = ::CommandLineToArgvW(commandLine, &count);
    bool found = false;
    for (int i = 1; arguments && i < count; ++i)
        found = found || ::CompareStringOrdinal(arguments[i], -1, L"/Dokumente", -1, TRUE) == CSTR_EQUAL;
    ::LocalFree(arguments);
    return found;
}

bool enter()
{
    // KF_FLAG_CREATE: a new account's Documents may not exist before its first save.
    PWSTR path = nullptr;
    const bool entered = SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &path))
        && ::SetCurrentDirectoryW(path);
    ::CoTaskMemFree(path);
    return entered;
}

} // namespace DocumentsFolder
