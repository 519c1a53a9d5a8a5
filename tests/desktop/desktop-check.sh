#!/bin/bash
# Tries the program on the desktops of the table (installed through scripts/install-deps.sh
# --desktop): one line a check, a table at the end. MC_DESKTOP_SHOTS: the pictures' folder.
#   tests/desktop/desktop-check.sh [program [setup ...]]
# program: default ("" too) build-desktop-check/monte-carlo, built; setups: default all. A setup
# named web-* opens the web page in Firefox ESR instead: build-web/monte-carlo.html, built, or
# the program given when it is a page (*.html).
set -u
cd "$(dirname "$0")/../.." || exit 1
. scripts/desktop-session.sh

# name    server size      wm      program environment                steps
table="
openbox   x      1280x800  openbox -                                  dialogs
fluxbox   x      1280x800  fluxbox -                                  dialogs
bare      x      1280x800  -       -                                  dialogs
weston    weston 1280x800  -       -                                  layout dialogs
mutter    mutter 1280x800  -       -                                  layout dialogs
atspi     x      1280x800  openbox QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start atspi
orca      orca   1280x800  openbox -                                  speech runs
orca-load orca   1280x800  openbox -                                  load runs
web-orca  orca   1280x800  openbox GNOME_ACCESSIBILITY=1              page_speech
scale-1.5 x      1920x1200 openbox QT_SCALE_FACTOR=1.5                start layout
scale-2   x      2560x1600 openbox QT_SCALE_FACTOR=2                  start layout
screens   xephyr 1920x1080 openbox -                                  manual start layout switch:1024x768 switch:1920x1080 switch:1024x768:dialog switch:1366x768 switch:1080x1920
screens-x xephyr 1920x1080 -       -                                  manual start layout switch:1024x768:dialog switch:1080x1920"

failures=0
fail() { echo "FEHLER: $tag: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $tag: $what"; else fail "$what"; fi; }
sc() { awk -v s="$scale" "BEGIN { printf \"$1\", $2 }"; } # sc FORMAT EXPRESSIONS: pixels at the scale s
# fx PICTURE GEOMETRY CONDITION [convert options]: the condition holds on that part, in gray after the options.
fx() { [ "$(convert "$1" -crop "$2" +repage "${@:4}" -colorspace gray -format "%[fx:$3]" info: 2>/dev/null)" = 1 ]; }
split_at() { sc %d "int((int($1 / s + 0.5) - int(int($1 / s + 0.5) / 2.5)) * s + 0.5)"; }

# props TITLE WHAT [mit|ohne]: where a window manager draws the window's buttons, none minimises or
# maximises (Motif hints; fluxbox also lists allowed actions), and there is a close box or none.
props() {
    local id flags functions decorations listed=0 close=ohne && id=$(x_window "$1") && [ "$wm" != - ] || return 0
    IFS=, read -r flags functions decorations _ < <(xprop -id "$id" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ' ')
    [ "$wm" != fluxbox ] || listed=$(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -c 'MINIMIZE\|MAXIMIZE')
    check "$2 ohne Minimieren/Maximieren" let '(flags & 1) && !(functions & 0x19) && (!(flags & 2) || !(decorations & 0x61)) && !listed'
    ((functions & 0x20)) && close=mit; [ -z "${3:-}" ] || check "$2 $3 Schließen" test "$close" = "$3"
}
whole() { # the window TITLE and its frame lie within the screen
    local x y w h l r t b id && id=$(x_window "$1") || return 1
    read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left|Width:|Height:/ { printf "%s ", $NF }')
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,/ /gp')
    (( x - ${l:-0} >= 0 && y - ${t:-0} >= 0 && x + w + ${r:-0} <= W && y + h + ${b:-0} <= H ))
}
# await TITLE WHAT: the window appears; under Wayland no X window shows it, a second passes.
await() { [ -z "$wayland" ] || { sleep 1; return 0; }; wait_for 50 x_window "$1" >/dev/null || { fail "$2 erschien nicht"; return 1; }; }

menu_calm() { shot "$run/menu.png" && fx "$run/menu.png" 520x18+0+0 'maxima<0.3' -colorspace HSL -channel G -separate +channel; }
menu_on_top() { shot "$run/top.png" && fx "$run/top.png" "$(sc %dx%d+0+%d '400 * s, 12 * s, 3 * s')" 'mean>0.7'; }
# status_black PICTURE SPLIT TOP: black from SPLIT to the right and bottom edges below row TOP (the text inside painted over), not left of it.
status_black() {
    local w=$((W - $2)) h=$((H - $3))
    fx "$1" "${w}x$h+$2+$3" 'maxima<0.05' -fill black -draw "rectangle 1,0 $((w - 2)),$((h - 2))" && fx "$1" "1x$h+$(($2 - 1))+$3" 'maxima>0.5'
}
layout() { # the window covers the screen: menu on top, shot pane down to the bottom left, status pane from the split on
    local f=$MC_SHOTS/${tag// /-}.png split && split=$(split_at "$W")
    shot "$f" || fail "kein Bild"
    check "Menü oben" menu_on_top
    check "Schussbild reicht nach unten links" fx "$f" "3x1+1+$((H - 2))" 'minima>0.99'
    check "Statistik schwarz ab x=$split bis zum rechten und unteren Rand" status_black "$f" "$split" "$(sc %d '30 * s')"
}
# kept BEFORE AFTER WIDTH HEIGHT: no point BEFORE showed is white AFTER, in the shot pane of that size.
kept() {
    local g=$(($3 - 14))x$(($4 - 42))+12+40 white=(-fill black +opaque white)
    fx "$1" "$g" 'mean<0.7' "${white[@]}" \
        && fx "$2" "$g" 'mean<0.002' "${white[@]}" \( "$1" -crop "$g" +repage "${white[@]}" -negate \) -compose darken -composite
}

# on_top UPPER LOWER: window UPPER lies above window LOWER, in the window manager's stacking list (bottom
# first) or, without one, in the X server's (top first).
on_top() {
    local up low order && up=$(printf '0x%x' "$(x_window "$1")") && low=$(printf '0x%x' "$(x_window "$2")") || return 1
    if [ "$wm" = - ]; then order=$(xwininfo -root -children | grep -o '^ *0x[0-9a-f]*' | tac)
    else order=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*'); fi
    order=$(grep -nx -e "$up" -e "$low" <<<"${order// /}" | cut -d: -f2 | tr '\n' ' ')
    [ "$order" = "$low $up " ]
}
# refuse KEYS [whole]: the settings are open, KEYS lead to the radius; 0 warns, Escape 0.1 s later closes.
refuse() {
    key $1 ctrl+a 0 Return
    await '^Fehler: Radius$' "Warnung zu Radius 0" && props '^Fehler: Radius$' Warnung
    [ -z "${2:-}" ] || check "Warnung ganz auf dem Schirm" whole '^Fehler: Radius$'
    key Return; sleep 0.1
    # A closing warning once raised the main window over the settings still open.
    [ -n "$wayland" ] || check "nach der Warnung die Einstellungen über dem Hauptfenster" on_top '^Einstellungen$' "$title"
    [ -n "$wayland" ] || [ "$wm" = - ] || check "nach der Warnung die Einstellungen aktiv, nicht das Hauptfenster" \
        eval '[ "$(xdotool getactivewindow getwindowname)" = Einstellungen ]'
    key Escape
    [ -n "$wayland" ] || check "Escape 0,1 s nach der Warnung schloss die Einstellungen" wait_for 30 gone '^Einstellungen$'; sleep 0.1
}
dialogs() { # every dialog and box, keys 0.1 s after each closes, a dialog iconified
    key alt+e; await '^Einstellungen$' Einstellungen && props '^Einstellungen$' Einstellungen mit; sleep 0.3
    check "kein Menüeintrag hervorgehoben, solange die Einstellungen offen sind" menu_calm
    refuse "Tab Tab Tab"
    key alt+e; await '^Einstellungen$' Einstellungen
    key Return; sleep 0.1; key alt+s; sleep 2
    check "Menü oben nach den Einstellungen" menu_on_top; key alt+g
    check "Alt+S 0,1 s nach OK der Einstellungen startete einen Lauf (33649 im Bericht)" wait_for 50 grep -qs 33649 "$run/mc_result.txt"
    await '^Ergebnis gespeichert.$' Meldung && props '^Ergebnis gespeichert.$' Meldung
    key Return; sleep 0.1; key alt+question
    if await '^about Monte-Carlo$' "Info-Dialog 0,1 s nach der Meldung" && [ -z "$wayland" ]; then
        props '^about Monte-Carlo$' Info-Dialog ohne; sleep 0.3
        check "kein Menüeintrag hervorgehoben, solange der Info-Dialog offen ist" menu_calm
        about=$(x_window '^about Monte-Carlo$') && xdotool windowminimize "$about"; sleep 1.5
        check "Info-Dialog nach Minimieren wieder sichtbar" eval "xwininfo -id $about | grep -q IsViewable"
        check "Hauptfenster nach Minimieren des Info-Dialogs sichtbar" eval "xwininfo -id $main | grep -q IsViewable"
        check "Bildschirm nach Minimieren nicht schwarz" eval 'shot "$run/all.png" && fx "$run/all.png" ${W}x$H+0+0 "mean>0.2"'
    fi
    rm -f "$run/mc_result.txt"; key Return; sleep 0.1; key alt+g
    check "Alt+G 0,1 s nach dem Info-Dialog speicherte" wait_for 30 test -s "$run/mc_result.txt"
    await '^Ergebnis gespeichert.$' Meldung; key Return; sleep 0.1
}
start() { sleep 0.3; key alt+s; sleep 2; } # a run, two seconds into it
manual() { check "Einstellungen für einen langen Lauf angenommen" manual_run 50000000 370; } # 50,000,000 points at radius 370
# switch WxH [dialog]: the Xephyr window, then its screen take the new size; the settings open if asked.
switch() {
    local before=$run/before.png w=$W h=$H && shot "$before"
    [ -z "${2:-}" ] || { key alt+e; await '^Einstellungen$' Einstellungen; } || return
    W=${1%x*} H=${1#*x} tag="$name $1${2:+ mit Einstellungen}"
    DISPLAY=$outer xdotool windowsize "$xephyr_window" "$W" "$H"; sleep 0.3
    check "xrandr -s $1" xrandr -s "$1"; sleep 1.5
    [ -z "${2:-}" ] || { check "Einstellungen ganz auf dem Schirm" whole '^Einstellungen$'; refuse "Tab Tab" whole; }
    layout
    [ -n "${2:-}" ] || check "Punkte erhalten" kept "$before" "$MC_SHOTS/${tag// /-}.png" "$(split_at $((w < W ? w : W)))" $((h < H ? h : H))
}
atspi() { # the accessibility tree, every node's name, description and text; tried until the program has registered
    wait_for 50 /usr/bin/python3 -c 'import sys, pyatspi
def walk(node):
    print(node.name, node.description, node.queryText().getText(0, -1) if "Text" in node.get_interfaces() else "")
    return [walk(child) for child in node if child is not None]
sys.exit(not [walk(app) for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == "monte-carlo"])' >"$run/tree.txt" 2>"$run/tree.log"
    for text in 33.649 3,143748699812773; do check "Baum nennt $text" grep -qF "$text" "$run/tree.txt"; done
}
# What Orca said since the mark, an utterance's lines as they came; said PATTERN...: each matched by one of them.
spoken() { tail -n +$((mark + 1)) "$run/orca.log" | sed "s/^SPEECH OUTPUT: '//; s/'\( *voice=[a-z]*\)\?\( *{.*\)\?\$//"; }
said() { local p; for p; do spoken | grep -qE -- "$p" || return 1; done; }
mark() { mark=$(wc -l <"$run/orca.log"); }
# hears WHAT TEST...: TEST holds within 5 s; if not, what Orca said instead.
hears() { if wait_for 50 "${@:2}"; then echo "ok: $tag: $1"; else fail "$1"; spoken | sed 's/^/    Orca: /'; fi; }
# plain_to_synth: the synthesiser was given no punctuation as a word (a path's slashes are read) and no number
# eSpeak reads as millions, since speech-dispatcher puts a blank before a decimal comma.
plain_to_synth() { ! grep -E "Doppelpunkt|Klammer|Stern|Dach|[0-9]{5} ,[0-9]" "$run/synth.log"; }
speech() { # what Orca says of the program, driven by keys alone
    mark=0 && hears "Orca nennt das Fenster" said "Monte Carlo"
    check "Gegenprobe: nie Gesagtes fehlt" eval '! said Zauberwort'
    mark; key alt+s
    hears "Start gesagt" said gestartet
    hears "Ende des Laufs gesagt: 33.649 Punkte, Pi 3,143748699812773" said '33\.649 Punkte' '3,143748699812773'
    mark; key Tab
    hears "Tab: Schussbild gesagt" said Schussbild
    mark; key Tab
    hears "Tab: Statistik, ihre erste Zeile und wie weiter" said Statistik Körperinformationen "Pfeiltasten lesen weiter"
    check "Tab: nicht die ganze Seite" eval '! said Seitenlänge'
    mark; key Down
    hears "Pfeil runter: nächste Zeile vorgelesen" said "Radius 200 Pixel"
    mark; key --delay 300 Down Down Down
    hears "Kreisfläche mit Dezimalkomma und in Worten" said "^Kreisfläche 125\.749,948 Quadratpixel"
    check "beim Synthesizer: Kreisfläche in Dreiergruppen mit Dezimalkomma" wait_for 50 grep -q "^Kreisfläche 125 749 ,948 Quadratpixel" "$run/synth.log"
    mark; key Escape alt
    hears "Alt: Menüleiste gesagt" said Einstellungen
    mark; key --delay 300 Right Right Right Left Left Left; sleep 1
    hears "Menüleiste mit Pfeilen: Trenner nicht als | gesagt" eval 'said Start Stop Einstellungen && ! said "[|]"'
    mark; key Left
    hears "?: Über Monte Carlo gesagt" said "Über Monte Carlo"
    mark; key Escape
    hears "Alt, Escape: zurück in der Statistik" said "^Statistik"
    mark; key F10; sleep 0.5; key Escape
    hears "F10, Escape: zurück in der Statistik" said "^Statistik"
    mark; key F10; sleep 0.5; key Right Return
    hears "F10, Start, Enter: zurück in der Statistik, Start und Ende gesagt" said "^Statistik" gestartet "Durchlauf beendet"
    mark; key alt; sleep 0.5; key Right Return
    hears "Alt, Start, Enter: zurück in der Statistik, Start und Ende gesagt" said "^Statistik" gestartet "Durchlauf beendet"
    mark; key alt+question; await '^about Monte-Carlo$' Info-Dialog || return
    hears "Info-Dialog ganz gelesen" said "Version" "befinden sich auf der Homepage"
    mark; key Return
    hears "nach dem Info-Dialog: zurück in der Statistik" said "^Statistik"
    key alt+e; await '^Einstellungen$' Einstellungen || return; sleep 0.5
    mark; key Tab Tab
    hears "Einstellungen: Feld zwischen mindestens und Durchläufe mit beiden Wörtern" said mindestens Durchläufe
    sleep 0.5; check "Einstellungen: der Wert des Felds einmal gesagt, nichts von abgewählt" \
        eval '[ "$(spoken | grep -c "^50")" = 1 ] && ! said "nicht mehr ausgewählt"'
    key Tab ctrl+a; xdotool type 99999; key Return; await '^Fehler: Radius$' Warnung || return; sleep 0.5
    mark; key Return
    hears "nach der Warnung: Radius 99999 gesagt" said 99999
    sleep 0.5; check "nach der Warnung: 99999 einmal gesagt" eval '[ "$(spoken | grep -c 99999)" = 1 ]'
    key Escape; wait_for 30 gone '^Einstellungen$'
    mark; sleep 1
    hears "nach den Einstellungen: zurück in der Statistik" said "^Statistik"
    check "beim Synthesizer: kein Satzzeichen als Wort, keine Zahl als Millionen" plain_to_synth
    mark; key alt+g; await '^Ergebnis gespeichert.$' Meldung || return
    hears "Alt+G: die Meldung vorgelesen" said "Ergebnis gespeichert" "mc_result.txt"
    mark; key Return
    hears "nach der Meldung: zurück in der Statistik" said "^Statistik"
    rm "$run/mc_result.txt" && mkdir "$run/mc_result.txt" # a folder in the way: the next save is refused
    # Last: its "Ordner:" line before the path is read with the colon as a word.
    mark; key alt+g; await '^Fehler: Speichern$' Warnung || return
    hears "verweigertes Speichern: der Grund vorgelesen" said "besteht bereits ein Ordner"
    mark; key Return
    hears "nach der Warnung: zurück in der Statistik" said "^Statistik"
    rmdir "$run/mc_result.txt"
}
# runs: with the statistics focused, ten long manual runs, each stopped by hand after 12 s; each start and end is
# heard, the progress every ten seconds and nothing more.
runs() {
    # A listener starts once Orca has told the return from the settings: pressed earlier, on a loaded machine
    # Orca may still be behind by more than 50 events, and then drops every notification but the focus's.
    mark; manual || return
    wait_for 100 said "^Statistik"
    local i progress
    for i in 1 2 3 4 5 6 7 8 9 10; do
        mark; key alt+s; sleep 12
        progress=$(spoken | grep -cE '^[0-9]|Durchlauf bei [0-9]+ Prozent') # the page's changes, the progress news
        key alt+p
        hears "Lauf $i: Start und Ende gesagt" said gestartet "Durchlauf beendet"
        check "Lauf $i: Fortschritt einmal in 12 s gesagt (war: $progress)" test "$progress" = 1
    done
}
load() { local i; for ((i = 0; i < $(nproc); i++)); do yes >/dev/null & pids+=($!); done; } # every core busy

# The page in Firefox ESR, read by Orca; the keys as a hand types them.
# alt_key LETTER: the letter let go before Alt. Let go after it (xdotool's order), the letter alone is a browse
# mode command of Orca's, which then passes over the focus the chord moved: a dialog opened unheard.
alt_key() { xdotool keydown alt key "$1" keyup alt; }
# start_page PAGE [VARIABLE=VALUE...]: Firefox ESR on the page, in a new profile in the scratch folder that shows
# no first-run or news tab, preloads no tab, restores no session and quits without asking; app is its process.
start_page() {
    mkdir -p "$run/profile" && printf 'user_pref("%s", %s);\n' browser.aboutwelcome.enabled false \
        browser.startup.homepage_override.mstone '"ignore"' startup.homepage_welcome_url '""' \
        datareporting.policy.dataSubmissionEnabled false browser.shell.checkDefaultBrowser false \
        browser.newtab.preload false browser.sessionstore.resume_from_crash false browser.warnOnQuitShortcut false \
        >"$run/profile/user.js"
    (cd "$run" && exec env "${@:2}" firefox-esr --no-remote --profile "$run/profile" "file://$1") >"$run/program.log" 2>&1 &
    app=$! && pids+=("$app")
}
page_speech() { # what Orca says of the page, driven by keys alone
    mark=0 && hears "Seite geladen, die Statistik hat die Tastatur" said "Laden von Monte Carlo abgeschlossen" "^Statistik"
    check "Gegenprobe: nie Gesagtes fehlt" eval '! said Zauberwort'
    mark; alt_key s
    hears "Alt+S allein: Start gesagt" said gestartet
    hears "Ende des Laufs gesagt: 33.649 Punkte, Pi 3,143748699812773" said '33\.649 Punkte' '3,143748699812773'
    mark; key F10
    hears "F10: die Menüleiste der Seite, nicht die von Firefox" eval 'said "^Einstellungen" && ! said "^(Datei|File)"'
    mark; key Escape
    hears "Escape: zurück in der Statistik" said "^Statistik"
    mark; key Down
    hears "Pfeil runter im Lesemodus: nächste Zeile vorgelesen" said "^Radius 200 Pixel"
    mark; key --delay 300 Down Down Down
    hears "Kreisfläche mit Dezimalkomma und in Worten" said "^Kreisfläche 125\.749,948 Quadratpixel"
    mark; key F10; sleep 0.5; key Right
    hears "F10, Pfeil rechts: Start gesagt" said "^Start"
    mark; key Return
    hears "Enter auf Start: Start und Ende gesagt, zurück in der Statistik" said gestartet "Durchlauf beendet" "^Statistik"
    mark; key F10; sleep 0.5; key Left
    hears "?: Über Monte Carlo gesagt" said "Über Monte Carlo"
    mark; key Return
    hears "Info-Dialog ganz gelesen" said "Version" "befinden sich auf der Homepage"
    mark; key Return
    hears "nach dem Info-Dialog: zurück in der Statistik" said "^Statistik"
    mark; alt_key e
    hears "Alt+E: Einstellungen, ihr erstes Feld gesagt" said "automatisch festlegen"
    key Tab Tab Tab ctrl+a; xdotool type 99999; mark; key Return
    hears "Warnung zu Radius 99999 vorgelesen" said "Radius zu groß"
    mark; key Return
    hears "nach der Warnung: das verweigerte Feld gesagt, Radius 99999" said "^Radius" 99999
    mark; key Escape
    hears "nach den Einstellungen: zurück in der Statistik" said "^Statistik"
    check "beim Synthesizer: kein Satzzeichen als Wort, keine Zahl als Millionen" plain_to_synth
}
# quit_page: Alt+B ends the program, not the tab, and the page says so; Ctrl+Q then ends Firefox.
quit_page() {
    mark; alt_key b
    hears "Alt+B: die Seite sagt, wie das Programm wieder startet" said "Laden Sie die Seite neu"
    key ctrl+q; code=läuft
    if wait_for 100 eval '! kill -0 $app 2>/dev/null'; then code=0; wait "$app" || code=$?; fi
    check "Strg+Q beendete Firefox mit 0 (war: $code)" test "$code" = 0
}

# Servers: each sets DISPLAY; a Wayland compositor also sets wayland.
start_xephyr() { # a resizable X server in a window of an Xvfb outer, big enough for every size
    xserver Xvfb -screen 0 2560x2048x24 && outer=$display && DISPLAY=$outer xserver Xephyr -resizeable -screen "$size" \
        && export DISPLAY=$display && xephyr_window=$(DISPLAY=$outer xdotool search --class Xephyr | head -n 1)
}
compositor() { # the compositor's command, serving the socket mc-wayland in $run/xdg; the pointer in its window
    mkdir -m 700 "$run/xdg" && wayland="XDG_RUNTIME_DIR=$run/xdg WAYLAND_DISPLAY=mc-wayland QT_QPA_PLATFORM=wayland"
    XDG_RUNTIME_DIR=$run/xdg "$@" >"$run/compositor.log" 2>&1 & pids+=($!)
    wait_for 100 test -S "$run/xdg/mc-wayland" && sleep 1 && xdotool mousemove $((W / 2)) $((H / 2))
}
# start_orca WxH: an X screen with the screen reader Orca (German voice, no key echo, repeated digits not
# counted, a loaded page not read through: that reading bypasses the log and leaves Orca's place at the
# page's end) and speech-dispatcher, which hands the text to a recorder in place of a voice (synth.log).
# Orca's speech log, kept in memory, is copied line by line to orca.log: what it says and nothing else,
# unbuffered, unlike its debug log.
start_orca() {
    mkdir -p "$HOME/.config/speech-dispatcher" "$HOME/.local/share/orca" && echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
    sed 's/^#* *AudioOutputMethod .*/AudioOutputMethod "alsa"/' /etc/speech-dispatcher/speechd.conf >"$HOME/.config/speech-dispatcher/speechd.conf"
    echo '{"general": {"enableKeyEcho": false, "enableBraille": false, "enableSound": false, "repeatCharacterLimit": 0,
        "sayAllOnLoad": false},
        "pronunciations": {}, "keybindings": {}, "profiles": {"default": {"profile": ["Default", "default"],
        "voices": {"default": {"family": {"name": "german", "lang": "de"}}}}}}' >"$HOME/.local/share/orca/user-settings.conf"
    # What a synthesiser is handed, after speech-dispatcher's own rules: a line an utterance.
    printf 'AddModule "recorder" "sd_generic" "recorder.conf"\nDefaultModule recorder\n' >>"$HOME/.config/speech-dispatcher/speechd.conf"
    mkdir -p "$HOME/.config/speech-dispatcher/modules" && cat >"$HOME/.config/speech-dispatcher/modules/recorder.conf" <<END
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>$run/synth.log"
AddVoice "de" "MALE1" "de"
GenericLanguage "de" "de" "utf-8"
END
    printf 'import logging\nlogging.getLogger("speech").addHandler(logging.StreamHandler(open("%s", "a", buffering=1)))\n' \
        "$run/orca.log" >"$HOME/.local/share/orca/orca-customizations.py"
    # The accessibility bus, started on demand, names itself on the root window, where Qt finds it at once.
    start_x "$1" && dbus-update-activation-environment DISPLAY || return
    speech-dispatcher --run-single >"$run/speechd.log" 2>&1 & pids+=($!)
    # In a process namespace of its own: Orca kills (--replace) or yields to any other Orca of the user it sees.
    LANG=de_DE.UTF-8 unshare -rpf --kill-child --mount-proc orca --replace >"$run/orca.out" 2>&1 & pids+=($!)
    wait_for 200 grep -qa "SPEECH OUTPUT" "$run/orca.log" # "Bildschirmleser an."
}
start_weston() { start_x "$size" && compositor weston --backend=x11-backend.so --use-pixman --width="$W" --height="$H" --socket=mc-wayland; }
start_mutter() { start_x "$size" && MUTTER_DEBUG_DUMMY_MODE_SPECS=$size compositor mutter --nested --wayland --no-x11 --wayland-display=mc-wayland; }

# One row, in a session bus of its own: servers, program, steps, Alt+B; exits with the failures.
if [ "${1:-}" = --row ]; then
    program=$2 name=$3 server=$4 size=$5 wm=$6 envs=${7#-} && shift 7
    W=${size%x*} H=${size#*x} tag=$name wayland="" main="" run=$MC_WORK/$name page="" title='^Monte Carlo$' && mkdir -p "$run"
    [[ $program != *.html ]] || page=$program title='^Monte Carlo — Mozilla Firefox$'
    scale=$(sed -n 's/.*QT_SCALE_FACTOR=\([0-9.]*\).*/\1/p' <<<"$envs") && scale=${scale:-1}
    trap '[ -n "${finished:-}" ] || fail "abgebrochen"; end_session; exit $failures' EXIT # a row cut short fails
    trap 'exit' INT TERM
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR
    "start_$server" "$size" || { fail "$server startete nicht"; exit; }
    [ "$wm" = - ] || start_wm "$wm" || { fail "$wm startete nicht"; exit; }
    if [ -n "$page" ]; then start_page "$page" $envs; else start_program "$program" $wayland $envs; fi
    [ -z "$wayland" ] || { sleep 3; check "nativ unter Wayland" eval '! grep -qi "xcb\|could not" "$run/program.log"'; }
    [ -n "$wayland" ] || main=$(wait_for 150 x_window "$title") && sleep 0.5 \
        || { fail "Hauptfenster erschien nicht: $(head -c 300 "$run/program.log")"; exit; }
    for step; do ${step//:/ }; done # a step is a function and its arguments, joined by colons
    if [ -n "$page" ]; then quit_page; else quit; check "Alt+B 0,1 s danach beendet mit 0 (war: $code)" test "$code" = 0; fi
    [ "$server" != orca ] || for log in orca synth; do cp "$run/$log.log" "$MC_SHOTS/$tag-$log.log"; done # to read beside the pictures
    finished=1 && exit
fi

./scripts/install-deps.sh --desktop || exit 1
given=${1:-} && shift $(($# > 0))
chosen=$(while read -r name _; do [ -z "$name" ] || { [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; } || echo "$name"; done <<<"$table")
program=build-desktop-check/monte-carlo page=build-web/monte-carlo.html
case $given in *.html) page=$given ;; ?*) program=$given ;; esac
if grep -qv '^web-' <<<"$chosen"; then
    [ -n "$given" ] || { cmake -S . -B build-desktop-check -DMC_BUILD_TESTS=OFF -DMC_BUILD_BENCHMARKS=OFF \
        && cmake --build build-desktop-check -j2 --target monte-carlo; } >/dev/null || { echo "FEHLER: Bau"; exit 1; }
    program=$(realpath -m "$program") && [ -x "$program" ] || { echo "FEHLER: kein ausführbares Programm: $program"; exit 1; }
fi
if grep -q '^web-' <<<"$chosen"; then
    [[ $given == *.html ]] || ./scripts/web-build.sh >/dev/null || { echo "FEHLER: Bau der Seite"; exit 1; }
    page=$(realpath -m "$page") && [ -s "$page" ] || { echo "FEHLER: keine Seite: $page"; exit 1; }
fi
export MC_SHOTS=${MC_DESKTOP_SHOTS:-$(mktemp -d /tmp/mc-desktop-shots.XXXXXX)} MC_WORK && MC_WORK=$(mktemp -d) && mkdir -p "$MC_SHOTS"
trap 'rm -rf "$MC_WORK"' EXIT
while read -r name row; do
    [ -n "$name" ] && grep -qx -- "$name" <<<"$chosen" || continue
    echo "== $name" && home=$MC_WORK/$name/home && mkdir -p -m 700 "$home/.run" # what the session writes stays here
    [[ $name == web-* ]] && shown=$page || shown=$program
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$home" XDG_RUNTIME_DIR="$home/.run" \
        dbus-run-session -- "$PWD/tests/desktop/desktop-check.sh" --row "$shown" "$name" $row 2>"$MC_WORK/$name.log" \
        | grep -v '^SpiRegistry' | tee -a "$MC_WORK/lines" # the accessibility registry greets on standard output
    failures=$((failures + PIPESTATUS[0]))
done <<<"$table"
echo "Bilder: $MC_SHOTS"
awk '/^(ok|FEHLER): / { s = $2; sub(/:$/, "", s); if (!(s in n)) r[++k] = s; n[s] += $1 == "ok:"; f[s] += $1 != "ok:" }
    END { printf "%-10s %4s %7s\n", "Setup", "ok", "FEHLER"; for (i = 1; i <= k; i++) printf "%-10s %4d %7d\n", r[i], n[r[i]], f[r[i]] }' "$MC_WORK/lines"
[ "$failures" -eq 0 ] && echo "Alle Prüfungen bestanden." || { echo "$failures Prüfung(en) fehlgeschlagen."; exit 1; }
