#!/usr/bin/env bash
# Cross-builds PCRE2 for the Windows build from Debian's own source package of the release the
# native build uses, once, into the cache: the static 16-bit library with Unicode support. Later
# runs find the finished build and do nothing. Run as root (it adds a deb-src entry).
#
# JIT stays out of this build: the archive serves only the original 10.42 source, without the
# security update's fix for JIT stack allocation, so the Windows library uses the interpreter,
# whose heap and time are bounded by the caller's limits.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/paths.sh"
lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$lib_dir/../.." && pwd)

upstream=$(kvtx_pcre2_release)
prefix=$(kvtx_pcre2_mingw_prefix)
[[ -f $prefix/.ready ]] && exit 0

# deb-src entries mirroring the Debian archive's deb entries (deb822 or one-line format), so
# that apt-get source reaches the same archive and suites and nothing else.
add_source_entries() {
    local target=/etc/apt/sources.list.d/korvatex-src.sources
    [[ -f $target || -f /etc/apt/sources.list.d/korvatex-src.list ]] && return 0
    local entries=""
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f $file ]] || continue
        entries+=$(awk '
            BEGIN { RS = ""; ORS = "\n\n" }
            /Types:[ \t]*([a-z-]+[ \t]+)*deb([ \t]|\n|$)/ && /URIs:[^\n]*debian/ {
                out = ""
                n = split($0, lines, "\n")
                for (i = 1; i <= n; i++) {
                    if (lines[i] ~ /^#/) continue
                    if (lines[i] ~ /^Types:/) lines[i] = "Types: deb-src"
                    out = out lines[i] "\n"
                }
                printf "%s\n", out
            }' "$file")
        entries+=$'\n\n'
    done
    local lists=()
    [[ -f /etc/apt/sources.list ]] && lists+=(/etc/apt/sources.list)
    for file in /etc/apt/sources.list.d/*.list; do
        [[ -f $file ]] && lists+=("$file")
    done
    local one_line=""
    if ((${#lists[@]})); then
        one_line=$(grep -hE '^[[:space:]]*deb[[:space:]].*debian' "${lists[@]}" |
            sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' || true)
    fi
    if [[ -n ${entries//[[:space:]]/} ]]; then
        printf '%s\n' "$entries" >"$target"
    fi
    if [[ -n $one_line ]]; then
        printf '%s\n' "$one_line" >/etc/apt/sources.list.d/korvatex-src.list
    fi
    if [[ ! -f $target && ! -f /etc/apt/sources.list.d/korvatex-src.list ]]; then
        echo "pcre2-mingw: no Debian archive found in the apt sources" >&2
        return 1
    fi
}

source_dir() { find "$KVTX_CACHE/pcre2-source" -maxdepth 1 -type d -name "pcre2-$upstream*" | head -1; }

# The archive may list a source version whose files it no longer serves (a security upload
# superseded in the pool), so every listed version of the same upstream release is tried, newest
# first.
fetch_source() {
    local versions version
    versions=$(apt-cache showsrc pcre2 | awk '/^Version:/ { print $2 }' | sort -uVr)
    for version in $versions; do
        [[ ${version%%-*} == "$upstream" ]] || continue
        if (cd "$KVTX_CACHE/pcre2-source" && apt-get source -q "pcre2=$version" >/dev/null 2>&1); then
            echo "pcre2-mingw: source package pcre2 $version"
            return 0
        fi
    done
    echo "pcre2-mingw: no source package of PCRE2 $upstream could be fetched" >&2
    return 1
}

mkdir -p "$KVTX_CACHE/pcre2-source"
if [[ -z $(source_dir) ]]; then
    add_source_entries
    apt-get update -q >/dev/null
    fetch_source
fi
src=$(source_dir)
if [[ -z $src ]]; then
    echo "pcre2-mingw: apt-get source pcre2 gave no pcre2-$upstream tree" >&2
    exit 1
fi

build=$(mktemp -d "$KVTX_CACHE/pcre2-mingw.building.XXXXXX")
trap 'rm -rf "$build"' EXIT
cmake -S "$src" -B "$build/tree" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$build/install" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON \
    -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON -DPCRE2_BUILD_PCRE2_32=OFF \
    -DPCRE2_SUPPORT_JIT=OFF -DPCRE2_SUPPORT_UNICODE=ON \
    -DPCRE2_BUILD_PCRE2GREP=OFF -DPCRE2_BUILD_TESTS=OFF >/dev/null
cmake --build "$build/tree" -j"$(nproc)" >/dev/null
cmake --install "$build/tree" >/dev/null
touch "$build/install/.ready"
rm -rf "$prefix"
mv -T "$build/install" "$prefix"
echo "pcre2-mingw: PCRE2 $upstream built for Windows in $prefix"
