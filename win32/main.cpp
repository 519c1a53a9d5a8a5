#include "documentsfolder.h"
#include "frontend.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    if (DocumentsFolder::asked(::GetCommandLineW()))
        DocumentsFolder::enter();
    FrontEnd frontEnd(instance);
    if (const auto failure = frontEnd.start(show)) {
        const std::wstring text = L"Monte Carlo konnte nicht starten: " + *failure;
        MessageBoxW(nullptr, text.c_str(), L"Monte Carlo", MB_OK | MB_ICONERROR);
        return 1;
    }
    return frontEnd.run();
}
