// The program's loop under Wine against a bare PeekMessage drain on the same X
// server; idle CPU; peak memory against a bare full-screen window with the
// menu. Prints figures, asserts nothing. Usage: bench program | bench bare
#include "sessionstate.h"
#include "commandid.h"
#include "frontend.h"
#include "settingsform.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr double seconds = 3.0;

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double cpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](FILETIME time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime)
            / 1e7;
    };
    return value(kernel) + value(user);
}

double peakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

int program(HINSTANCE instance)
{
    FrontEnd frontEnd(instance);
    if (frontEnd.start(SW_SHOW))
        return 1;
    // A manual run that outlasts the measurement.
    SettingsForm form(frontEnd.session());
    SettingsForm::Entries entries = form.shown();
    entries.autoStop = false;
    entries.targetShots = "1000000000000";
    form.accept(entries);
    frontEnd.command(IdStart);
    const double start = now();
    while (now() - start < seconds)
        frontEnd.step();
    const double shots = frontEnd.session().state().simulation.shots();
    std::printf("program: %.0f shots/s\n", shots / (now() - start));
    frontEnd.command(IdStop);
    const double idleStart = now();
    const double cpuStart = cpuSeconds();
    while (now() - idleStart < seconds)
        frontEnd.step();
    std::printf("idle: %.1f %% CPU over %.0f s\n", 100.0 * (cpuSeconds() - cpuStart) / (now() - idleStart), seconds);
    std::printf("program: peak working set %.1f MB\n", peakMegabytes());
    return 0;
}

LRESULT CALLBACK bareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

int bare(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = bareProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = L"menu";
    windowClass.lpszClassName = L"bare";
    RegisterClassExW(&windowClass);
    const HWND window = CreateWindowExW(0, L"bare", L"bare", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                       GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    long long passes = 0;
    const double start = now();
    MSG message;
    while (now() - start < seconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        ++passes;
    }
    std::printf("bare drain: %.0f passes/s\n", static_cast<double>(passes) / (now() - start));
    std::printf("bare window: peak working set %.1f MB\n", peakMegabytes());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (argc == 2 && std::wcscmp(argv[1], L"bare") == 0)
        return bare(instance);
    return program(instance);
}
