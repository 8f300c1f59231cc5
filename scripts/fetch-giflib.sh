#!/usr/bin/env bash
# Fetches giflib's source from Debian's source package into a cache folder
# outside the tree and unpacks it there; prints the unpacked folder. The
# machine's own source list is left alone: apt-get reads a private list with a
# single deb-src line, and keeps its lists and downloads in the cache folder.
# A second run finds the unpacked source and returns at once.
#
#   scripts/fetch-giflib.sh            (cache: $ROVENZA_GIFLIB_CACHE or
#                                       $HOME/.cache/rovenza/src)
set -euo pipefail

[[ -n "${HOME:-}" ]] || export HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
version=5.2.1
cache="${ROVENZA_GIFLIB_CACHE:-$HOME/.cache/rovenza/src}"
source_dir="$cache/giflib-$version"
log() { printf 'fetch-giflib: %s\n' "$*" >&2; }

if [[ -f "$source_dir/gif_lib.h" && -f "$source_dir/egif_lib.c" ]]; then
    echo "$source_dir"
    exit 0
fi

apt_dir="$cache/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/download"
echo 'deb-src http://deb.debian.org/debian bookworm main' >"$apt_dir/sources.list"
apt=(apt-get -q
    -o Dir::Etc::sourcelist="$apt_dir/sources.list"
    -o Dir::Etc::sourceparts=-
    -o Dir::State::Lists="$apt_dir/lists"
    -o Dir::Cache="$apt_dir"
    -o Acquire::Retries=3
    -o APT::Sandbox::User=root)

tarball=$(ls "$apt_dir/download"/giflib_"$version".orig.tar.* 2>/dev/null | head -1 || true)
if [[ -z "$tarball" ]]; then
    log "fetching the giflib $version source package"
    "${apt[@]}" update >&2
    (cd "$apt_dir/download" && "${apt[@]}" source --download-only giflib >&2)
    tarball=$(ls "$apt_dir/download"/giflib_"$version".orig.tar.* 2>/dev/null | head -1 || true)
    [[ -n "$tarball" ]] || { log "no giflib_$version.orig tarball came with the source package"; exit 1; }
fi

# Unpack beside, then move into place, so an interrupted run leaves no half folder.
tmp=$(mktemp -d "$cache/giflib.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
tar -xf "$tarball" -C "$tmp"
unpacked=$(find "$tmp" -mindepth 1 -maxdepth 1 -type d | head -1)
[[ -f "$unpacked/gif_lib.h" ]] || { log "the tarball holds no gif_lib.h"; exit 1; }
rm -rf "$source_dir"
mv "$unpacked" "$source_dir"
log "giflib $version unpacked in $source_dir"
echo "$source_dir"
