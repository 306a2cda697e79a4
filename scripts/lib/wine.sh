# Wine for the tests and for starting the program: a template prefix made once (about 20 s),
# then a fresh copy of it per run, with the Japanese locale so that the ANSI code page is 932.
source "$(dirname "${BASH_SOURCE[0]}")/paths.sh"

export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder would turn every shell link the program saves (its start-up shortcut) into a
# menu entry of the Linux desktop, outside the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

KVTX_WINE_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The template's name carries a digest of its recipe, so a changed recipe makes a new template
# instead of reusing an old one that lacks the change.
kvtx_wine_template() {
    local digest
    digest=$(cat "$KVTX_WINE_LIB/wine.sh" "$KVTX_WINE_LIB/wine-template.reg" | sha1sum | cut -c1-12)
    local template=$KVTX_CACHE/wine-template-$digest
    if [[ ! -f $template/.ready ]]; then
        mkdir -p "$KVTX_CACHE"
        # Built aside and moved into place whole, so a run that starts meanwhile never copies
        # a half-made prefix.
        local building
        building=$(mktemp -d "$KVTX_CACHE/wine-template.building.XXXXXX")
        chmod 755 "$building"
        WINEPREFIX=$building wineboot -i >/dev/null 2>&1
        # regedit reads non-ASCII names only from a UTF-16 file.
        local settings=$building/drive_c/kvtx-template.reg
        { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$KVTX_WINE_LIB/wine-template.reg"; } >"$settings"
        WINEPREFIX=$building wine regedit /S 'C:\kvtx-template.reg' >/dev/null 2>&1
        WINEPREFIX=$building wineserver -w
        rm -f "$settings"
        touch "$building/.ready"
        mv -T "$building" "$template" 2>/dev/null || rm -rf "$building"
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
