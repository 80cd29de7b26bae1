#!/usr/bin/env bash
# Builds the Debian package of the current commit twice, in two folders of different names,
# and checks that the two .deb files are byte for byte the same. On a difference it names the
# members that differ: the parts of the .deb, and the files inside them.
#   packaging/check-reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# build_package FOLDER: a clean clone of HEAD, built and packaged; prints the .deb's path.
build_package() {
    local dir=$1
    git clone -q --no-local . "$dir"
    cmake -S "$dir" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DORVENA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$dir/build" >/dev/null
    (cd "$dir/build" && cpack >cpack.log 2>&1) || { cat "$dir/build/cpack.log" >&2; return 1; }
    ls "$dir"/build/orvena_*.deb
}

# list_members DEB DIR: unpacks the .deb's parts and their files into DIR and prints a line for
# each part and each file: its name, mode, owner, time and checksum.
list_members() {
    local deb=$1 dir=$2
    mkdir -p "$dir"
    (cd "$dir" && ar x "$deb")
    local part
    for part in $(ar t "$deb"); do
        echo "$part $(ar tv "$deb" "$part" | cut -d' ' -f1-2) $(sha256sum <"$dir/$part" | cut -c1-16)"
        case "$part" in
        *.tar.*)
            mkdir -p "$dir/$part.d"
            tar -xf "$dir/$part" -C "$dir/$part.d"
            tar --full-time -tvf "$dir/$part" | while read -r mode owner _ day time name; do
                local sum=-
                [ -f "$dir/$part.d/$name" ] && sum=$(sha256sum <"$dir/$part.d/$name" | cut -c1-16)
                echo "$part:$name $mode $owner $day $time $sum"
            done
            ;;
        esac
    done
}

first=$(build_package "$work/a")
second=$(build_package "$work/build-in-a-longer-folder-name")
sha256sum "$first" "$second"
if cmp -s "$first" "$second"; then
    echo "ok: two builds of $(git rev-parse --short HEAD) give the same package"
    exit 0
fi
list_members "$first" "$work/first" | sort >"$work/first.list"
list_members "$second" "$work/second" | sort >"$work/second.list"
echo "FAIL: the two packages differ in these members (first build, then second):" >&2
diff "$work/first.list" "$work/second.list" | grep '^[<>]' >&2 || true
exit 1
