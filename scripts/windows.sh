#!/usr/bin/env bash
# Cross-builds orvena.exe for 64-bit Windows with Debian's MinGW-w64, freeglut linked in
# statically from Debian's own freeglut source, and packs orvena-VERSION-win64.zip; with
# --test it then runs the Windows program's tests under Wine (CTest label wine).
#   scripts/windows.sh [--test] [BUILD_DIR]        (BUILD_DIR: build-windows)
# In BUILD_DIR: freeglut-cache/ (freeglut's source and static library, built once), exe/ (the
# program and the zip) and wine-tests/ (the tests, built for this machine).
set -euo pipefail
cd "$(dirname "$0")/.."

run_tests=false
if [ "${1:-}" = --test ]; then
    run_tests=true
    shift
fi
[ $# -le 1 ] || { echo "usage: $0 [--test] [BUILD_DIR]" >&2; exit 2; }
build=$(mkdir -p "${1:-build-windows}" && cd "${1:-build-windows}" && pwd)

source scripts/setup.sh
source scripts/host-mirror.sh
# dpkg-dev unpacks the source package; the native build of the tests needs what ./test.sh
# needs, and Wine (wine64 for a 64-bit program).
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 cmake ninja-build dpkg-dev)
WINE_TEST_PACKAGES=(wine wine64 "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}")
if $run_tests; then
    ensure_packages "${WINDOWS_PACKAGES[@]}" "${WINE_TEST_PACKAGES[@]}"
else
    ensure_packages "${WINDOWS_PACKAGES[@]}"
fi
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
werror=OFF
[ "${CI:-}" = true ] && werror=ON
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
start=$SECONDS

# apt-get source needs a deb-src entry; one for the mirror and suite that the host's own
# sources name, with their keyring (apt refuses two keyrings for one source).
ensure_freeglut_source_entry() {
    if apt-cache showsrc freeglut 2>/dev/null | grep -q '^Package: freeglut'; then
        return 0
    fi
    local mirror suite keyring
    read -r mirror suite keyring < <(host_source) || true
    [ -n "${mirror:-}" ] || { echo "windows: no Debian mirror in the apt sources" >&2; exit 1; }
    local entry="Types: deb-src
URIs: $mirror
Suites: $suite
Components: main"
    [ "$keyring" = - ] || entry+="
Signed-By: $keyring"
    echo "windows: adding a deb-src entry for $mirror $suite" >&2
    printf '%s\n' "$entry" | "${sudo[@]}" tee /etc/apt/sources.list.d/orvena-deb-src.sources >/dev/null
    "${sudo[@]}" apt-get update -qq
}

# freeglut's static library, once: the cache is kept while its stamp names the source
# version that apt offers.
cache=$build/freeglut-cache
freeglut_lib=$cache/install/lib/libfreeglut_static.a
ensure_freeglut() {
    ensure_freeglut_source_entry
    local version
    version=$(apt-cache showsrc freeglut | sed -n 's/^Version: //p' | head -n 1)
    if [ -f "$freeglut_lib" ] && [ "$(cat "$cache/stamp" 2>/dev/null)" = "$version" ]; then
        echo "windows: freeglut $version from the cache" >&2
        return 0
    fi
    echo "windows: building freeglut $version for Windows" >&2
    rm -rf "$cache"
    mkdir -p "$cache/source"
    (cd "$cache/source" && apt-get source -qq "freeglut=$version" >"$cache/source.log" 2>&1) || {
        tail -n 5 "$cache/source.log" >&2
        exit 1
    }
    local src
    src=$(find "$cache/source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*')
    cmake -S "$src" -B "$cache/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/install" \
        -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
        -DFREEGLUT_BUILD_STATIC_LIBS=ON >"$cache/configure.log"
    nice cmake --build "$cache/build" >"$cache/build.log"
    cmake --install "$cache/build" >/dev/null
    echo "$version" >"$cache/stamp"
}
ensure_freeglut

cmake -S . -B "$build/exe" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DORVENA_BUILD_TESTS=OFF -DORVENA_WARNINGS_AS_ERRORS="$werror" \
    -DGLUT_INCLUDE_DIR="$cache/install/include" -DGLUT_glut_LIBRARY_RELEASE="$freeglut_lib" \
    >/dev/null
nice cmake --build "$build/exe"
(cd "$build/exe" && cpack >/dev/null)
exe=$build/exe/orvena.exe
zip=$(ls "$build"/exe/orvena-*-win64.zip)
echo "windows: $exe and $zip made in $((SECONDS - start)) s" >&2
$run_tests || exit 0

# The tests run here, on this machine's own build of the test harness, and start the .exe
# under Wine.
tests_start=$SECONDS
cmake -S . -B "$build/wine-tests" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DORVENA_BUILD_TESTS=ON -DORVENA_WARNINGS_AS_ERRORS="$werror" -DORVENA_GL_DRIVERS=llvmpipe \
    -DORVENA_WINDOWS_EXE="$exe" >/dev/null
nice cmake --build "$build/wine-tests" --target wine_tests
status=0
ctest --test-dir "$build/wine-tests" -L wine --output-on-failure -j2 || status=$?
echo "windows: Wine tests took $((SECONDS - tests_start)) s; the whole step $((SECONDS - start)) s" >&2
exit "$status"
