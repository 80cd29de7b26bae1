#!/usr/bin/env bash
# Makes the pictures of the guide from the real program on a private Xvfb: one screenshot per
# light mode, the eye moved in the fixed and the viewpoint modes, the moving light as an
# animated GIF, and one of each teaching panel. Writes them under docs/. Builds into build-docs/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/headless.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${DOCS_PACKAGES[@]}"
build=${BUILD_DIR:-build-docs}
configure_and_build "$build" -DORVENA_BUILD_TESTS=OFF >/dev/null

begin_headless_run

start_xvfb 640x640
mkfifo "$work/console"
"$build/orvena" >"$work/console" 2>"$work/err" &
program_pid=$!
exec 4<"$work/console"
window=$(wait_for_orvena_window) || {
    echo "no Orvena window: $(cat "$work/err")" >&2
    exit 1
}

# press KEY...: each key, then its console line, which the program prints once it has acted.
press() {
    local key line
    for key in "$@"; do
        xdotool key "$key"
        read -r -t 10 -u 4 line || {
            echo "no console line after key $key" >&2
            exit 1
        }
    done
}

# grab FILE: the window as it is after the keys so far. The line of an unmapped key comes back
# only after the program has drawn the frame that the keys before it asked for.
grab() {
    press a
    import -window "$window" "$1"
}

# shot FILE: grab, made small: the scene has few colours.
shot() {
    grab "$work/shot.png"
    convert "$work/shot.png" -strip -colors 128 "PNG8:$1"
}

# The cubes stand still, so every picture shows them alike and only the light differs.
press space
shot docs/light-fixed.png
press o
shot "$work/fixed-front.png"
press r L L
shot docs/light-viewpoint.png
press o
shot "$work/viewpoint-front.png"
press r L L

# A whole orbit takes 36.1 s at one degree a tick: a frame every 1.2 s, on a schedule kept from
# the first one, gives 30 frames 12 degrees apart.
start_us=${EPOCHREALTIME/./}
for i in $(seq -w 0 29); do
    due_us=$((start_us + 10#$i * 1200000))
    now_us=${EPOCHREALTIME/./}
    wait_us=$((due_us > now_us ? due_us - now_us : 0))
    sleep "$((wait_us / 1000000)).$(printf '%06d' $((wait_us % 1000000)))"
    grab "$work/orbit-$i.png"
done
convert "$work/orbit-04.png" -strip -colors 128 PNG8:docs/light-moving.png
convert -delay 20 -loop 0 "$work"/orbit-*.png -resize 360x360 -colors 64 -layers Optimize \
    docs/light-moving.gif

# The eye at home and at (0, 0, 5): the fixed light above, the light at the viewpoint below.
convert \( docs/light-fixed.png "$work/fixed-front.png" -bordercolor gray40 -border 2 +append \) \
    \( docs/light-viewpoint.png "$work/viewpoint-front.png" -bordercolor gray40 -border 2 \
    +append \) -append -resize 50% -strip -colors 128 PNG8:docs/eye-moves.png

# The teaching panels, each on its own: the keys; the calls in the moving mode, where the
# rotation stands between the camera and the light; the view from outside in the viewpoint
# mode, where it shows the light that the main view cannot. The function keys print nothing.
panel() {
    xdotool key "$1"
    shot "$2"
    xdotool key "$1"
}
panel F1 docs/panel-keys.png
panel F2 docs/panel-calls.png
press L
panel F3 docs/panel-outside.png

xdotool key Escape
status=0
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || echo "orvena ended with status $status" >&2
ls -l docs/light-*.png docs/light-moving.gif docs/eye-moves.png docs/panel-*.png
