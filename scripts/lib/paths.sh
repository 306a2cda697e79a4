# Shared locations. Caches live outside the source tree, so a clean checkout stays clean and a
# second run reuses what the first one prepared.
KVTX_CACHE=${KVTX_CACHE:-/var/cache/korvatex}
export KVTX_CACHE

# PCRE2 for the Windows build, cross-built by scripts/lib/pcre2-mingw.sh from the release that the
# native build's libpcre2-dev carries (10.42-1+deb12u2 -> 10.42).
kvtx_pcre2_release() {
    local installed
    installed=$(dpkg-query -W -f='${Version}' libpcre2-dev)
    echo "${installed%%-*}"
}
kvtx_pcre2_mingw_prefix() { echo "$KVTX_CACHE/pcre2-mingw-$(kvtx_pcre2_release)"; }
