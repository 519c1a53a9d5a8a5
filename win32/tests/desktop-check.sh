#!/usr/bin/env bash
# The Windows program on a desktop under Wine, each case left as a screenshot to
# look at: the settings' warnings, the about dialog that Escape does not close,
# what a screen reader reads of the panes, the window at 125 %, 150 % and 200 %,
# and the window following its screen from 1280 x 800 to 1024 x 768 and then to
# 200 %. The about dialog's text for a screen reader, the keyboard's way back
# after a dialog and a refused save are the Windows suites' (frontend_tests,
# save_windows_tests).
# Not part of the test command. Usage: desktop-check.sh monte-carlo.exe [folder for the pictures]
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath -m "${2:-desktop-check-pictures}")
mkdir -p "$out"
# A screen and prefix of its own: the check changes the prefix's settings.
unset DISPLAY WINEPREFIX
. "$(dirname "$0")/wine-session.sh"
cleanup() {
    [ -z "${xephyr:-}" ] || kill "$xephyr" 2>/dev/null || true
    end_wine_session
}
trap cleanup EXIT
wine_session 1920x1200
# No window manager here: Wine draws the captions itself (the pictures show
# which window has a close box) and does not wait for one to hide a window.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
mkdir "$scratch/run" && cd "$scratch/run"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
picture() { sleep 0.5; import -window root "$out/$1.png"; echo "picture: $out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
shown() { timeout 5 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { for _ in $(seq 30); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done; false; }
start() { /usr/lib/wine/wine64 "$exe" & pid=$!; shown 'Monte Carlo' || fail "no main window"; sleep 1; }
quit() {
    key "${1:-alt+b}"
    timeout 10 tail --pid=$pid -f /dev/null || fail "${1:-alt+b} did not end the program"
    wait $pid || fail "exit code $? after ${1:-alt+b}"
}
dpi() { /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

# Settings: from the check box, Tab reaches threshold, minimum, radius, dimensions.
# name, keys to the field, text typed, caption of the warning, the field it names
warning() {
    key alt+e
    shown Einstellungen || fail "$1: no settings dialog"
    key $2
    xdotool type "$3"
    key Return
    shown "$4" || fail "$1: no box \"$4\""
    picture "$1"
    key Return
    shown Einstellungen || fail "$1: the dialog closed after the warning"
    focused "Edit $5, selected 0 to ${#3} of ${#3}," "$1"
    key Escape
    gone Einstellungen || fail "$1: Escape did not cancel the settings"
}

# What a screen reader asks through MSAA, from another process: where the
# keyboard and caret are (a field's selection), name, description, role, state
# and value of the panes, the names of the settings' fields while they are open;
# given an argument, first the alerts of 4 seconds.
cat >"$scratch/reader.cpp" <<'END'
#include <windows.h>
#include <oleacc.h>
#include <cstdio>
#include <initializer_list>
void say(const char *label, BSTR text)
{
    char utf8[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text ? text : L"", -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s: %s\n", label, utf8);
}
void CALLBACK alert(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible *raised = nullptr;
    VARIANT self{};
    BSTR name = nullptr;
    if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &raised, &self)))
        raised->get_accName(self, &name);
    say("alert", name);
}
int main(int argc, char **)
{
    CoInitialize(nullptr);
    const HWND main = FindWindowW(L"Monte Carlo", L"Monte Carlo");
    DWORD process = 0;
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(main, &process), &thread);
    wchar_t focus[64] = L"";
    GetClassNameW(thread.hwndFocus, focus, 64);
    const LRESULT selected = SendMessageW(thread.hwndFocus, EM_GETSEL, 0, 0);
    std::printf("focus: %ls %d, selected %d to %d of %d, caret at %ld\n", focus, GetDlgCtrlID(thread.hwndFocus),
                LOWORD(selected), HIWORD(selected), static_cast<int>(SendMessageW(thread.hwndFocus, WM_GETTEXTLENGTH, 0, 0)),
                thread.hwndCaret ? thread.rcCaret.top : -1L);
    SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, alert, process, 0, WINEVENT_OUTOFCONTEXT);
    SetTimer(nullptr, 0, argc > 1 ? 4000 : USER_TIMER_MINIMUM, nullptr);
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) && message.message != WM_TIMER;)
        DispatchMessageW(&message);
    const HWND settings = FindWindowW(nullptr, L"Einstellungen");
    for (HWND child = settings ? GetWindow(settings, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16] = L"";
        IAccessible *field = nullptr;
        GetClassNameW(child, kind, 16);
        if (lstrcmpiW(kind, L"Edit") != 0 || FAILED(AccessibleObjectFromWindow(child, OBJID_CLIENT, __uuidof(IAccessible),
                                                                             reinterpret_cast<void **>(&field))))
            continue;
        VARIANT self{};
        self.vt = VT_I4;
        BSTR name = nullptr;
        field->get_accName(self, &name);
        char label[32];
        std::snprintf(label, sizeof label, "field %d", GetDlgCtrlID(child));
        say(label, name);
    }
    for (const wchar_t *pane : {L"Statusfenster", L"Schussfenster"}) {
        IAccessible *object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(FindWindowExW(main, nullptr, pane, nullptr), OBJID_CLIENT,
                                              __uuidof(IAccessible), reinterpret_cast<void **>(&object))))
            return 1;
        VARIANT self{}, role{}, state{};
        self.vt = VT_I4;
        BSTR name = nullptr, description = nullptr, value = nullptr;
        object->get_accName(self, &name);
        object->get_accDescription(self, &description);
        object->get_accValue(self, &value);
        object->get_accRole(self, &role);
        object->get_accState(self, &state);
        say("name", name);
        say("description", description);
        say("value", value);
        std::printf("role %ld, state %#lx\n", role.lVal, state.lVal);
    }
}
END
x86_64-w64-mingw32-g++ -static -o "$scratch/reader.exe" "$scratch/reader.cpp" -loleacc -lole32 -loleaut32 -luuid
reader() { /usr/lib/wine/wine64 "$scratch/reader.exe" "$@" | tr -d '\r'; }
focused() { [[ "$(reader | head -1)" == "focus: $1"* ]] || fail "$2: the keyboard is not at $1 but $(reader | head -1)"; }

start
picture start
warning dimensions-0 'Tab Tab Tab Tab' 0 'Fehler: Dimensionen' 1011
warning radius-32001 'Tab Tab Tab' 32001 'Fehler: Radius' 1012
# The number of points is enabled once the check box is cleared.
warning count-above-2-53 'space shift+Tab' 10000000000000000 'Fehler: Anzahl' 1008

# Each settings field named after the label before it, as Windows names a field.
key alt+e
shown Einstellungen || fail "no settings dialog for the fields' names"
reader >"$out/fields.txt"
for heard in 'field 1008: Anzahl der zu schießenden Punkte' 'field 1013: Abbruchwert' 'field 1014: mindestens' \
    'field 1012: Radius' 'field 1011: Dimensionen'; do
    grep -qF "$heard" "$out/fields.txt" || fail "a screen reader does not hear the field \"$heard\": $(cat "$out/fields.txt")"
done
key Escape
gone Einstellungen || fail "Escape did not cancel the settings"
reader >"$out/screen-reader.txt" || fail "no accessible object for the panes"
echo "screen reader: $out/screen-reader.txt"
# After the dialogs the keyboard is back at the status pane: read-only text (42), focusable and focused.
for heard in 'focus: Statusfenster' 'name: Statistik' 'description: Pfeiltasten lesen weiter' 'geschossen n 0' \
    'role 42, state 0x100044' 'name: Schussbild' 'description: Quadrat mit Kreis, Radius 200 Pixel, kein Durchlauf aktiv'; do
    grep -qF "$heard" "$out/screen-reader.txt" || fail "a screen reader does not hear \"$heard\""
done
key Down
[ "$(reader | head -1)" != "$(head -1 "$out/screen-reader.txt")" ] || fail "Down did not move the caret"
key Tab
focused Schussfenster Tab
key alt+question
shown 'about Monte-Carlo' || fail "Alt+? opened no about dialog"
picture about
key Escape
shown 'about Monte-Carlo' || fail "Escape closed the about dialog"
key Return
gone 'about Monte-Carlo' || fail "Enter did not close the about dialog"
key shift+Tab
focused Statusfenster Shift+Tab
# A run's start and its end with what it found, each said once.
reader listen | sed -n '/^alert:/p' >"$out/alerts.txt" & sleep 1
key alt+s
wait $!
printf 'alert: Durchlauf gestartet.\nalert: Durchlauf beendet, 33.649 Punkte geschossen, 26.446 Treffer, Pi 3,143748699812773.\n' \
    | cmp -s - "$out/alerts.txt" || fail "the run was not announced as expected: $(cat "$out/alerts.txt")"

# Closed as the desktop closes it, it ends as through its menu.
quit alt+F4

# Scaled desktops: text and figure at the device's resolution, shots as
# blocks of whole device pixels, during a long manual run and after Stop.
for percent in 125 150 200; do
    dpi $((96 * percent / 100))
    start
    key alt+e
    key space shift+Tab
    xdotool type 100000000
    picture "scale-$percent-settings"
    key Return
    gone Einstellungen || fail "$percent %: the settings did not close"
    key alt+s
    sleep 2
    picture "scale-$percent-running"
    convert "$out/scale-$percent-running.png" -crop 64x64+0+30 -scale 800% "$out/scale-$percent-corner.png"
    key alt+p
    picture "scale-$percent-stopped"
    key alt+question
    shown 'about Monte-Carlo' && picture "scale-$percent-about" # the icon at the scale: 64 pixels at 200 %
    key Return
    quit
done
dpi 96

# A smaller screen: Wine 8 changes its monitor with xrandr inside Xephyr but
# tells no window, so a helper sends WM_DISPLAYCHANGE as Windows would, or
# with a DPI WM_DPICHANGED, as when the window moves to a denser monitor.
cat >"$scratch/displaychange.cpp" <<'END'
#include <windows.h>
int main(int argc, char **argv)
{
    const HWND window = FindWindowW(L"Monte Carlo", L"Monte Carlo");
    const int dpi = argc > 1 ? std::atoi(argv[1]) : 0;
    if (dpi)
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
    else
        SendMessageW(window, WM_DISPLAYCHANGE, 32, 0);
}
END
x86_64-w64-mingw32-g++ -D_WIN32_WINNT=0x0A00 -static -o "$scratch/displaychange.exe" "$scratch/displaychange.cpp"
Xephyr -displayfd 4 -resizeable -screen 1280x800 -nolisten tcp 4>"$scratch/xephyr" 2>/dev/null &
xephyr=$!
until [ -s "$scratch/xephyr" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$scratch/xephyr")
start
key alt+s
xrandr -s 1024x768 2>/dev/null
/usr/lib/wine/wine64 "$scratch/displaychange.exe"
picture screen-1024
# The status pane begins at 1024 - trunc(1024 / 2.5) = 615.
pixel() { convert "$out/$1.png" -crop "1x1+$2+400" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
[ "$(pixel screen-1024 614)$(pixel screen-1024 615)" = '#FFFFFF#000000' ] \
    || fail "the panes did not follow the screen to 1024 pixels"
/usr/lib/wine/wine64 "$scratch/displaychange.exe" 192
picture screen-1024-at-200
# 512 program pixels: the split at 512 - trunc(512 / 2.5) = 308, 616 device pixels.
[ "$(pixel screen-1024-at-200 615)$(pixel screen-1024-at-200 616)" = '#FFFFFF#000000' ] \
    || fail "the panes did not follow the scale to 200 %"
quit

[ $failures -eq 0 ] && echo "desktop check: every case as expected; look at the pictures in $out"
exit $failures
