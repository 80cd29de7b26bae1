# Shared by demo.sh and test.sh: installs the Debian/Ubuntu packages that are missing (on
# other systems it names what to install), then configures and builds. Meant to be sourced
# from the checkout's top folder.

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
# lintian and the AppStream validator, which the package check uses where they are installed
# (CI installs them, and devscripts for the hardening test's hardening-check).
LINT_PACKAGES=(lintian appstream)

# The same packages by their names on Fedora and on Arch, for systems without apt.
declare -A FEDORA_NAMES=([g++]=gcc-c++ [make]=make [cmake]=cmake [ninja-build]=ninja-build
    [pkg-config]=pkgconf [freeglut3-dev]=freeglut-devel [libglu1-mesa-dev]=mesa-libGLU-devel
    [libgl1-mesa-dev]=mesa-libGL-devel [libgl1-mesa-dri]=mesa-dri-drivers
    [libgtest-dev]=gtest-devel [libgmock-dev]=gmock-devel [xvfb]=xorg-x11-server-Xvfb
    [xauth]=xorg-x11-xauth [libx11-dev]=libX11-devel [libxtst-dev]=libXtst-devel
    [libxdamage-dev]=libXdamage-devel [file]=file [dpkg-dev]=dpkg-dev
    [desktop-file-utils]=desktop-file-utils [man-db]=man-db [xdotool]=xdotool
    [mesa-vulkan-drivers]=mesa-vulkan-drivers [imagemagick]=ImageMagick [clang]=clang
    [libclang-rt-dev]=compiler-rt [llvm]=llvm [clang-tidy]=clang-tools-extra
    [clang-format]=clang-tools-extra [cppcheck]=cppcheck [valgrind]=valgrind)
declare -A ARCH_NAMES=([g++]=gcc [make]=make [cmake]=cmake [ninja-build]=ninja
    [pkg-config]=pkgconf [freeglut3-dev]=freeglut [libglu1-mesa-dev]=glu [libgl1-mesa-dev]=mesa
    [libgl1-mesa-dri]=mesa [libgtest-dev]=gtest [libgmock-dev]=gtest [xvfb]=xorg-server-xvfb
    [xauth]=xorg-xauth [libx11-dev]=libx11 [libxtst-dev]=libxtst [libxdamage-dev]=libxdamage
    [file]=file [dpkg-dev]=dpkg [desktop-file-utils]=desktop-file-utils [man-db]=man-db
    [xdotool]=xdotool [mesa-vulkan-drivers]=vulkan-swrast [imagemagick]=imagemagick
    [clang]=clang [libclang-rt-dev]=compiler-rt [llvm]=llvm [clang-tidy]=clang
    [clang-format]=clang [cppcheck]=cppcheck [valgrind]=valgrind)

# Without apt there is nothing to install with: names the packages for Fedora and Arch, each
# once, and leaves the rest to CMake, whose errors name whatever is still missing.
explain_packages() {
    local fedora="" arch="" pkg name
    for pkg in "$@"; do
        name=${FEDORA_NAMES[$pkg]:-$pkg}
        [[ " $fedora " == *" $name "* ]] || fedora+=" $name"
        name=${ARCH_NAMES[$pkg]:-$pkg}
        [[ " $arch " == *" $name "* ]] || arch+=" $name"
    done
    printf '%s\n' >&2 \
        "No apt-get or dpkg-query here, so nothing is installed. What Orvena needs, by system:" \
        "  Fedora: sudo dnf install$fedora" \
        "  Arch:   sudo pacman -S --needed$arch" \
        "Going on to CMake, which names anything still missing."
}

# Installs the named packages that dpkg does not have yet, through sudo when not root.
ensure_packages() {
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        explain_packages "$@"
        return 0
    fi
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
