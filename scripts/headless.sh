# Shell helpers for running Orvena on a private Xvfb server, shared by the screenshot and
# package scripts. Meant to be sourced; needs Xvfb and xdotool.

# start_xvfb [WIDTHxHEIGHT]: starts Xvfb on a display number it picks itself and exports
# DISPLAY. The server writes the number to the pipe once it accepts clients, so reading it is
# the wait.
start_xvfb() {
    local size=${1:-640x640}
    HEADLESS_DIR=$(mktemp -d)
    mkfifo "$HEADLESS_DIR/displayfd"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
        3>"$HEADLESS_DIR/displayfd" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number=
    if ! read -r -t 30 number <"$HEADLESS_DIR/displayfd" || [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        stop_xvfb
        return 1
    fi
    export DISPLAY=":$number"
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
    [ -z "${HEADLESS_DIR:-}" ] || rm -rf "$HEADLESS_DIR"
    HEADLESS_DIR=
}

# begin_headless_run: a scratch folder in $work, and a trap that on exit stops the program
# whose pid is in $program_pid, stops the server and removes the folder.
begin_headless_run() {
    work=$(mktemp -d)
    program_pid=
    trap end_headless_run EXIT
}

end_headless_run() {
    [ -z "${program_pid:-}" ] || kill "$program_pid" 2>/dev/null || true
    stop_xvfb
    rm -rf "$work"
}

# wait_for_orvena_window: prints the id of the mapped "Orvena" window once it is there and
# gives it the keyboard focus (there is no window manager to do that).
wait_for_orvena_window() {
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvena$' | head -n 1) ||
        return 1
    [ -n "$window" ] || return 1
    timeout 10 xdotool windowfocus --sync "$window" || return 1
    echo "$window"
}
