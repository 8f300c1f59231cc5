#!/usr/bin/env bash
# Builds the release program for each architecture and packs one zip each:
#   dist/rovenza-<version>-x86_64.zip   (preset win64)
#   dist/rovenza-<version>-i686.zip     (preset win32)
# Each holds rovenza.exe, rovenza.chm, README-ja.txt (CP932), giflib's
# licence (giflib-COPYING.txt: the program contains giflib) and demo/ (the
# demo pictures, the demo board demo/demo.qv4, any other demo layout file,
# the demo bus line for the sign maker, bus-line.csv, and the demo vehicle
# demo/vehicle with its faces' layouts; the test fixtures stay out). The demo
# layouts name the pictures where they lie in this checkout; unpacked anywhere
# else, the program finds them beside the layout file.
#   scripts/package.sh [x86_64|i686]...    (default: both)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

version=$(sed -n 's/^project(Rovenza VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ -n "$version" ]] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }

arches=("$@")
((${#arches[@]})) || arches=(x86_64 i686)

preset_of() {
    case "$1" in
        x86_64) echo win64 ;;
        i686) echo win32 ;;
        *) echo "package.sh: unknown architecture '$1' (x86_64 or i686)" >&2; return 1 ;;
    esac
}

# The demo board's layout file, written by the native tool.
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target make_demo_layouts >/dev/null
demo_layout=$(mktemp "/tmp/rovenza-demo.XXXXXX")
build/native/tools/make_demo_layouts "$root" "$demo_layout" >/dev/null
# The demo vehicle: demo/vehicle copied to build/demo/vehicle with its faces' layouts.
cmake --build --preset native -j2 --target demo_vehicle >/dev/null

# giflib's source, which the build compiles into the program; its licence goes along.
giflib_dir=$(bash scripts/fetch-giflib.sh)

mkdir -p dist
for arch in "${arches[@]}"; do
    preset=$(preset_of "$arch")
    echo "=== $arch (preset $preset)"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2 --target rovenza rovenza_help

    build="$root/build/$preset"
    for f in rovenza.exe rovenza.chm; do
        [[ -f "$build/$f" ]] || { echo "package.sh: $build/$f was not built" >&2; exit 1; }
    done

    name="rovenza-$version-$arch"
    stage=$(mktemp -d "/tmp/rovenza-package.XXXXXX")
    trap 'rm -rf "$stage"' EXIT
    mkdir -p "$stage/$name/demo/led"
    cp "$build/rovenza.exe" "$build/rovenza.chm" packaging/README-ja.txt "$stage/$name/"
    cp "$giflib_dir/COPYING" "$stage/$name/giflib-COPYING.txt"
    cp demo/strip.bmp demo/strip.jpg demo/background.jpg demo/bus-line.csv "$stage/$name/demo/"
    cp demo/led/*.bmp demo/led/*.gif "$stage/$name/demo/led/"
    cp "$demo_layout" "$stage/$name/demo/demo.qv4"
    cp -r build/demo/vehicle "$stage/$name/demo/vehicle"
    shopt -s nullglob
    for layout in demo/*.qv4; do cp "$layout" "$stage/$name/demo/"; done
    shopt -u nullglob

    zip_path="$root/dist/$name.zip"
    rm -f "$zip_path"
    (cd "$stage" && cmake -E tar cf "$zip_path" --format=zip "$name")
    rm -rf "$stage"
    trap - EXIT
    echo "Package: dist/$name.zip"
    unzip -l "$zip_path" 2>/dev/null | tail -n +4 | head -n -2 || true
done
rm -f "$demo_layout"
