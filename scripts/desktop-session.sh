# Sourced by scripts/screenshot.sh and tests/desktop/desktop-check.sh (bash):
# virtual X servers, a window manager and the program on them, driven with
# xdotool. The caller sets run, a scratch folder; whatever is started lands in
# pids, which end_session ends.

pids=()

# wait_for TRIES COMMAND...: polls every 0.1 s until COMMAND succeeds; false after TRIES polls.
wait_for() { local n=$1; shift; until "$@"; do n=$((n - 1)); [ "$n" -gt 0 ] || return 1; sleep 0.1; done; }
key() { xdotool key --clearmodifiers "$@"; }
x_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .; }
gone() { ! x_window "$1" >/dev/null; }
shot() { import -window root "$1" 2>/dev/null; }

# xserver BINARY ARGS...: on a free display, which it names in display once it serves.
xserver() {
    "$@" -displayfd 3 -nolisten tcp -noreset 3>"$run/$1.fd" >>"$run/x.log" 2>&1 &
    pids+=($!)
    wait_for 100 test -s "$run/$1.fd" && display=:$(cat "$run/$1.fd")
}
# start_x WxH: an Xvfb screen of that size, the display of what follows.
start_x() { xserver Xvfb -screen 0 "${1}x24" && export DISPLAY=$display; }
# start_wm NAME: the window manager, once it announces itself on the root window;
# a window mapped before that may stay unmanaged.
start_wm() {
    HOME=$run "$1" >"$run/wm.log" 2>&1 &
    pids+=($!)
    wait_for 100 eval "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'"
}
# start_program PROGRAM [VARIABLE=VALUE...]: in the scratch folder, where its report lands; app is its process.
start_program() {
    (cd "$run" && exec env "${@:2}" "$1") >"$run/program.log" 2>&1 &
    app=$! && pids+=("$app")
}
# manual_run POINTS RADIUS: the settings take a manual run of POINTS points at RADIUS. From the
# check box (the focus), Space turns it off, Shift+Tab reaches the number, Tab Tab the radius.
manual_run() {
    key alt+e
    wait_for 50 x_window '^Einstellungen$' >/dev/null && sleep 0.3 || return 1
    key space shift+Tab ctrl+a; xdotool type --delay 20 "$1"
    key Tab Tab ctrl+a; xdotool type --delay 20 "$2"; key Return
    wait_for 30 gone '^Einstellungen$'
}
# quit: Alt+B; code is the program's exit code then, or "läuft" if it runs on.
quit() { key alt+b; code=läuft; if wait_for 50 eval '! kill -0 $app 2>/dev/null'; then code=0; wait "$app" || code=$?; fi; }
# end_session: ends what was started, the X servers last, and kills what hangs on the way out (fluxbox did, once).
end_session() {
    local - i p
    set +e
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        p=${pids[i]} && kill -CONT "$p" 2>/dev/null && kill "$p" 2>/dev/null \
            && { (sleep 3 && kill -9 "$p" 2>/dev/null) & wait "$p"; kill $!; }
    done 2>/dev/null
}
