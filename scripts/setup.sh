# Shared by demo.sh and test.sh: installs the Debian/Ubuntu packages that are missing,
# then configures and builds. Meant to be sourced from the checkout's top folder.

BUILD_PACKAGES=(g++ make cmake ninja-build pkg-config freeglut3-dev libglu1-mesa-dev
    libgl1-mesa-dev libgl1-mesa-dri)
TEST_PACKAGES=(libgtest-dev libgmock-dev xvfb xauth libx11-dev libxtst-dev libxdamage-dev)
# The package check (desktop-file-validate, man, the program under Xvfb driven by xdotool) and
# the package test, which also makes the package (cpack with file and dpkg-shlibdeps).
PACKAGE_CHECK_PACKAGES=(xvfb xdotool desktop-file-utils man-db)
TEST_PACKAGES+=(file dpkg-dev "${PACKAGE_CHECK_PACKAGES[@]}")
# The rendering tests also run on zink, OpenGL over Vulkan, here on lavapipe.
TEST_PACKAGES+=(mesa-vulkan-drivers)
# scripts/screenshots.sh: captures and the GIF.
DOCS_PACKAGES=(xvfb xdotool imagemagick)
# scripts/benchmark.sh: its own Xvfb, watched through Xlib and DAMAGE.
BENCH_PACKAGES=(xvfb xauth libx11-dev libxtst-dev libxdamage-dev)
# scripts/gates.sh: clang with its sanitizer and libFuzzer runtimes and llvm-symbolizer, the
# static checks, and valgrind.
GATE_PACKAGES=(clang libclang-rt-dev llvm clang-tidy clang-format cppcheck valgrind)

# Installs the named packages that dpkg does not have yet, through sudo when not root.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DORVENA_WARNINGS_AS_ERRORS="$werror" "$@" >/dev/null
    cmake --build "$dir"
}
