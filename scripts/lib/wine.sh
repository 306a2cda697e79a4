# Wine for the tests and for starting the program: a template prefix made once (about 20 s),
# then a fresh copy of it per run, with the Japanese locale so that the ANSI code page is 932.
source "$(dirname "${BASH_SOURCE[0]}")/paths.sh"

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

kvtx_wine_template() {
    local template=$KVTX_CACHE/wine-template
    if [[ ! -f $template/.ready ]]; then
        rm -rf "$template"
        mkdir -p "$template"
        WINEPREFIX=$template wineboot -i >/dev/null 2>&1
        WINEPREFIX=$template wineserver -w
        touch "$template/.ready"
    fi
    echo "$template"
}

# Prints the path of a new prefix copied from the template.
kvtx_wine_fresh_prefix() {
    local template
    template=$(kvtx_wine_template)
    local prefix
    prefix=$(mktemp -d /tmp/kvtx-wine.XXXXXX)
    cp -a "$template/." "$prefix/"
    echo "$prefix"
}
