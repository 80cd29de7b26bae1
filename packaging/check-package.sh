#!/usr/bin/env bash
# Checks what `cmake --install` and `cpack` make from a build folder: the desktop entry
# validates, the manual page has no warnings, the Debian package depends on runtime libraries
# only, and the packaged program opens its window and quits with status 0 on Escape.
#   packaging/check-package.sh BUILD_DIR            as any user, on the unpacked package
#   packaging/check-package.sh BUILD_DIR --install  as root: dpkg -i, run /usr/bin/orvena, dpkg -r
#   packaging/check-package.sh --deb FILE           as root, a package made on another system:
#       apt-get install ./FILE (its dependencies from this system's archive), then as --install
set -euo pipefail
build=
deb=
installer=(dpkg -i)
if [ "$1" = --deb ]; then
    deb=$(realpath "$2")
    mode=--install
    installer=(apt-get install -y -q)
else
    build=$(cd "$1" && pwd)
    mode=${2:-}
fi
cd "$(dirname "$0")/.."
source scripts/headless.sh

begin_headless_run

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# run_program BINARY: its window appears under a private Xvfb and Escape ends it with status 0.
run_program() {
    start_xvfb
    timeout 60 "$1" >"$work/out" 2>"$work/err" &
    program_pid=$!
    wait_for_orvena_window >/dev/null || fail "$1: no Orvena window appeared"
    xdotool key Escape
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    stop_xvfb
    [ "$status" -eq 0 ] || fail "$1: exit status $status after Escape: $(cat "$work/err")"
    echo "ok: $1 opened its window and quit on Escape"
}

# check_installed ROOT: the files an installation puts under ROOT (a prefix such as /usr).
check_installed() {
    local root=$1
    [ -x "$root/bin/orvena" ] || fail "no $root/bin/orvena"
    [ -f "$root/share/icons/hicolor/scalable/apps/orvena.svg" ] || fail "no icon under $root"
    desktop-file-validate "$root/share/applications/orvena.desktop" >"$work/validate" 2>&1 ||
        fail "desktop entry: $(cat "$work/validate")"
    [ ! -s "$work/validate" ] || fail "desktop entry: $(cat "$work/validate")"
    echo "ok: desktop entry validates"
    local page="$root/share/man/man6/orvena.6"
    man --warnings -l "$page" 2>"$work/man" >/dev/null || fail "manual page does not format"
    [ ! -s "$work/man" ] || fail "manual page warnings: $(cat "$work/man")"
    lexgrog "$page" >/dev/null || fail "lexgrog cannot read the manual page's NAME"
    echo "ok: manual page formats without warnings"
}

if [ -n "$deb" ]; then
    # Only what the check itself needs, so that apt has to bring the package's own dependencies.
    source scripts/setup.sh
    ensure_packages "${PACKAGE_CHECK_PACKAGES[@]}"
else
    # The Debian package, made afresh in a folder of this check's own.
    cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack" 2>&1 ||
        fail "cpack: $(cat "$work/cpack")"
    deb=$(ls "$work"/pkg/orvena_*.deb)
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "package: $(basename "$deb"), Depends: $depends"
[ -n "$depends" ] || fail "the package names no dependencies"
IFS=',|' read -ra alternatives <<<"$depends"
for dependency in "${alternatives[@]}"; do
    name=$(echo "$dependency" | awk '{print $1}')
    case "$name" in
    *-dev | *-dev:*) fail "development package among the dependencies: $name" ;;
    lib*) ;;
    *) fail "not a runtime library among the dependencies: $name" ;;
    esac
done
echo "ok: the dependencies are runtime libraries"

if [ "$mode" = --install ]; then
    [ "$(id -u)" -eq 0 ] || fail "--install needs root"
    if dpkg-query -W -f='${Status}' orvena 2>/dev/null | grep -q 'installed'; then
        fail "orvena is installed already; remove it first so the check starts clean"
    fi
    DEBIAN_FRONTEND=noninteractive "${installer[@]}" "$deb" >"$work/dpkg" 2>&1 ||
        fail "${installer[*]}: $(cat "$work/dpkg")"
    trap 'dpkg -r orvena >/dev/null 2>&1 || true; end_headless_run' EXIT
    check_installed /usr
    run_program /usr/bin/orvena
    dpkg -r orvena >/dev/null
    [ ! -e /usr/bin/orvena ] || fail "dpkg -r left /usr/bin/orvena behind"
    echo "ok: ${installer[*]} installed it, dpkg -r removed it"
else
    dpkg-deb -x "$deb" "$work/root"
    check_installed "$work/root/usr"
    run_program "$work/root/usr/bin/orvena"
fi
