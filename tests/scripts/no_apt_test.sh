#!/usr/bin/env bash
# demo.sh and test.sh on a system without apt: with no apt-get and no dpkg-query on the PATH
# they install nothing, name the packages for Fedora and Arch, and go on to CMake (here a
# stand-in that notes its call and stops the script). Usage: no_apt_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
expect() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

# Only what the scripts need besides apt: dirname, and a cmake that reports being called.
mkdir "$work/bin"
ln -s "$(command -v dirname)" "$work/bin/dirname"
printf '#!%s\necho "cmake called: $*" >>"%s/cmake-calls"\nexit 3\n' "$BASH" "$work" >"$work/bin/cmake"
chmod +x "$work/bin/cmake"

for script in demo.sh test.sh; do
    rm -f "$work/cmake-calls"
    status=0
    env -i PATH="$work/bin" HOME="$work" "$BASH" "$source_dir/$script" >"$work/out" 2>"$work/err" ||
        status=$?
    cat "$work/err"
    expect "$script: names Fedora's packages" grep -q 'Fedora: sudo dnf install .*freeglut-devel' "$work/err"
    expect "$script: names Arch's packages" grep -q 'Arch:   sudo pacman -S --needed .*freeglut' "$work/err"
    expect "$script: does not try to install" test -z "$(grep -i installing "$work/err")"
    expect "$script: goes on to CMake" grep -q 'cmake called: -S \.' "$work/cmake-calls"
    expect "$script: stops where CMake stopped it (status $status)" test "$status" -eq 3
done

# Every package the scripts install on Debian has its name on both other systems.
source "$source_dir/scripts/setup.sh"
for pkg in "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${DOCS_PACKAGES[@]}" \
    "${BENCH_PACKAGES[@]}" "${GATE_PACKAGES[@]}"; do
    expect "$pkg has a Fedora and an Arch name" test -n "${FEDORA_NAMES[$pkg]:-}" -a -n "${ARCH_NAMES[$pkg]:-}"
done

[ "$failures" -eq 0 ]
