#!/usr/bin/env bash
# Checks the Debian package that `cpack` makes from a build folder: lintian finds nothing to
# warn of, it depends on runtime libraries only, the desktop entry, the AppStream file and the
# manual page validate and agree on the version, and the packaged program answers --version
# and --help without a display, opens its window and quits with status 0 on Escape. lintian and
# appstreamcli run where they are installed (CI installs them).
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

# run_program BINARY: its window appears under a private Xvfb, it answers a key, and Escape
# ends it with status 0.
run_program() {
    start_xvfb
    timeout 60 "$1" >"$work/out" 2>"$work/err" &
    program_pid=$!
    wait_for_orvena_window >/dev/null || fail "$1: no Orvena window appeared"
    # X moves the eye 0.1 along +X from home, and the program says where it is now.
    local line="Camera: 1.790000, 2.900000, 7.490000"
    xdotool key X
    local waited=0
    until grep -qx "$line" "$work/out"; do
        [ "$waited" -lt 200 ] || fail "$1: no \"$line\" after the key X: $(cat "$work/out")"
        sleep 0.1
        waited=$((waited + 1))
    done
    xdotool key Escape
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    stop_xvfb
    [ "$status" -eq 0 ] || fail "$1: exit status $status after Escape: $(cat "$work/err")"
    echo "ok: $1 opened its window, answered the key X and quit on Escape"
}

# check_installed ROOT VERSION: the files the package puts under ROOT (a prefix such as /usr).
check_installed() {
    local root=$1 version=$2
    local app_id=io.github.orvena.orvena
    [ -x "$root/bin/orvena" ] || fail "no $root/bin/orvena"
    [ -f "$root/share/icons/hicolor/scalable/apps/orvena.svg" ] || fail "no icon under $root"
    [ -f "$root/share/doc/orvena/copyright" ] || fail "no copyright file under $root"

    local entry="$root/share/applications/$app_id.desktop"
    desktop-file-validate "$entry" >"$work/validate" 2>&1 || fail "desktop entry: $(cat "$work/validate")"
    [ ! -s "$work/validate" ] || fail "desktop entry: $(cat "$work/validate")"
    echo "ok: desktop entry validates"

    local metainfo="$root/share/metainfo/$app_id.metainfo.xml"
    [ -f "$metainfo" ] || fail "no $metainfo"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream" 2>&1 ||
            fail "appstreamcli: $(cat "$work/appstream")"
        echo "ok: AppStream file validates, release $version"
    else
        echo "appstreamcli is not installed: AppStream validation skipped"
    fi

    local page="$root/share/man/man6/orvena.6.gz"
    man --warnings -l "$page" 2>"$work/man" >/dev/null || fail "manual page does not format"
    [ ! -s "$work/man" ] || fail "manual page warnings: $(cat "$work/man")"
    lexgrog "$page" >/dev/null || fail "lexgrog cannot read the manual page's NAME"
    zgrep -q "^\\.TH ORVENA 6 .*\"Orvena $version\"" "$page" || fail "manual page is not of $version"
    echo "ok: manual page formats without warnings"

    local changelog_version
    # The first line of a Debian changelog: "orvena (VERSION) DISTRIBUTION; urgency=...".
    changelog_version=$(zcat "$root/share/doc/orvena/changelog.gz" |
        sed -n '1s/^orvena (\([^)]*\)) .*/\1/p')
    [ "$changelog_version" = "$version" ] ||
        fail "changelog's last entry is $changelog_version, the package $version"
    echo "ok: changelog ends at $version"

    # --help and --version need no display.
    DISPLAY= "$root/bin/orvena" --version >"$work/version" || fail "--version failed"
    [ "$(cat "$work/version")" = "orvena $version" ] || fail "--version says $(cat "$work/version")"
    DISPLAY= "$root/bin/orvena" --help >"$work/help" || fail "--help failed"
    grep -q 'man 6 orvena' "$work/help" || fail "--help does not point to the manual page"
    echo "ok: --version and --help without a display"
}

if [ -n "$deb" ]; then
    # Only what the check itself needs, so that apt has to bring the package's own dependencies.
    source scripts/setup.sh
    ensure_packages "${PACKAGE_CHECK_PACKAGES[@]}" "${LINT_PACKAGES[@]}"
else
    # The Debian package, made afresh in a folder of this check's own.
    cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack" 2>&1 ||
        fail "cpack: $(cat "$work/cpack")"
    deb=$(ls "$work"/pkg/orvena_*.deb)
fi
version=$(dpkg-deb -f "$deb" Version)
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

if command -v lintian >/dev/null; then
    # Informational tags are shown; an error or a warning fails the check.
    lintian --info --pedantic "$deb" >"$work/lintian" 2>/dev/null || true
    cat "$work/lintian"
    ! grep -q '^[EW]:' "$work/lintian" || fail "lintian reports errors or warnings"
    echo "ok: lintian reports no error and no warning"
else
    echo "lintian is not installed: skipped"
fi

if [ "$mode" = --install ]; then
    [ "$(id -u)" -eq 0 ] || fail "--install needs root"
    if dpkg-query -W -f='${Status}' orvena 2>/dev/null | grep -q 'installed'; then
        fail "orvena is installed already; remove it first so the check starts clean"
    fi
    DEBIAN_FRONTEND=noninteractive "${installer[@]}" "$deb" >"$work/dpkg" 2>&1 ||
        fail "${installer[*]}: $(cat "$work/dpkg")"
    trap 'dpkg -r orvena >/dev/null 2>&1 || true; end_headless_run' EXIT
    check_installed /usr "$version"
    run_program /usr/bin/orvena
    dpkg -r orvena >/dev/null
    [ ! -e /usr/bin/orvena ] || fail "dpkg -r left /usr/bin/orvena behind"
    echo "ok: ${installer[*]} installed it, dpkg -r removed it"
else
    dpkg-deb -x "$deb" "$work/root"
    check_installed "$work/root/usr" "$version"
    run_program "$work/root/usr/bin/orvena"
fi
