#!/bin/bash
# Usage: test_install.sh BUILD_DIR APP_ID VERSION CASE — one check of what `cmake --install` lays
# out, with no package built: the layout itself, the desktop entry, the AppStream metadata, the
# manual pages and the package changelog as they would be installed. Exits 77 (skipped) when a
# validator is not installed.
set -u
build=$1 appId=$2 version=$3 case=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL ($case): $*"; exit 1; }
skip() { echo "SKIP ($case): $*"; exit 77; }

install_into_prefix() {
    local log
    log=$(cmake --install "$build" --prefix "$prefix" 2>&1) || fail "cmake --install failed: $log"
}

# The files and folders an install must hold, relative to the prefix.
expected_paths() {
    echo bin/vorunkelm bin/vkgame
    local digit size
    for digit in 1 2 3 4 5; do echo "share/vorunkelm/GRAPHICS/VORNBRD$digit.BMP"; done
    echo share/vorunkelm/VorunKelm.html share/vorunkelm/License.txt share/vorunkelm/History.txt
    echo "share/applications/$appId.desktop" "share/metainfo/$appId.metainfo.xml"
    echo "share/icons/hicolor/scalable/apps/$appId.svg"
    for size in 16 24 32 48 64 128 256; do
        echo "share/icons/hicolor/${size}x$size/apps/$appId.png"
    done
    echo share/man/man6/vorunkelm.6.gz share/man/man6/vkgame.6.gz
    echo share/doc/vorunkelm/copyright share/doc/vorunkelm/changelog.gz
}

case $case in
layout)
    install_into_prefix
    for path in $(expected_paths); do
        [ -s "$prefix/$path" ] || fail "$path is missing or empty"
    done
    for program in vorunkelm vkgame; do
        [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
    done
    # Nothing the players make belongs to an install; it goes to their own folders.
    found=$(find "$prefix" -iname 'SavedGames*' -o -iname 'OLDSAVES' -o -iname '*.ini')
    [ -z "$found" ] || fail "the install holds saves or settings: $found"
    # Each icon is drawn at the size its folder names.
    for size in 16 24 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x$size/apps/$appId.png
        # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
        read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
            awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
        [ "$width x $height" = "$size x $size" ] || fail "the ${size}x$size icon is $width x $height"
    done
    # The build's own folder stays a portable copy with everything side by side.
    portable=$build/VorunKelm
    for path in vorunkelm vkgame VorunKelm.html License.txt History.txt SavedGames/OLDSAVES \
        GRAPHICS/VORNBRD1.BMP GRAPHICS/VORNBRD5.BMP; do
        [ -e "$portable/$path" ] || fail "the portable folder lacks $path"
    done
    ;;
desktop_entry)
    command -v desktop-file-validate >/dev/null || skip "desktop-file-validate is not installed"
    install_into_prefix
    entry=$prefix/share/applications/$appId.desktop
    # Hints count as failures too: a clean entry prints nothing.
    report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    grep -qx "Icon=$appId" "$entry" || fail "the entry does not name the icon $appId"
    program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "$prefix/bin/$program" ] || fail "the entry starts '$program', which the install lacks"
    ;;
metainfo)
    command -v appstreamcli >/dev/null || skip "appstreamcli is not installed"
    install_into_prefix
    metainfo=$prefix/share/metainfo/$appId.metainfo.xml
    report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $report"
    grep -q "<id>$appId</id>" "$metainfo" || fail "the metadata's id is not $appId"
    grep -q "<launchable type=\"desktop-id\">$appId.desktop</launchable>" "$metainfo" ||
        fail "the metadata does not launch $appId.desktop"
    # The newest release comes first and must be the version being built.
    newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1)
    [ "$newest" = "<release version=\"$version\"" ] ||
        fail "the newest release is '$newest', the build is $version"
    ;;
manual_pages)
    command -v man >/dev/null || skip "man is not installed"
    install_into_prefix
    for page in vorunkelm vkgame; do
        file=$prefix/share/man/man6/$page.6.gz
        gzip -t "$file" || fail "$page.6.gz is not gzip"
        # groff's warnings, as lintian asks for them.
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
            man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$page.6 has groff warnings: $warnings"
        text=$(MANWIDTH=80 man -l "$file" 2>/dev/null)
        grep -q "^NAME" <<<"$text" || fail "$page.6 has no NAME section"
        grep -Eq "^ *$page +- " <<<"$text" || fail "$page.6 does not name $page in its NAME line"
        grep -qF "VorunKelm $version" <<<"$text" || fail "$page.6 is not of version $version"
        grep -qF '@' <<<"$text" && fail "$page.6 has a placeholder left: $(grep -F '@' <<<"$text")"
    done
    ;;
changelog)
    command -v dpkg-parsechangelog >/dev/null || skip "dpkg-parsechangelog is not installed"
    install_into_prefix
    gzip -dc "$prefix/share/doc/vorunkelm/changelog.gz" >"$prefix/changelog" ||
        fail "changelog.gz is not gzip"
    # Debian's own reader must take it without a complaint, newest entry first.
    parsed=$(dpkg-parsechangelog -l "$prefix/changelog" 2>"$prefix/complaints") ||
        fail "dpkg-parsechangelog refuses it: $(cat "$prefix/complaints")"
    [ ! -s "$prefix/complaints" ] || fail "dpkg-parsechangelog: $(cat "$prefix/complaints")"
    grep -qx 'Source: vorunkelm' <<<"$parsed" || fail "the changelog is not vorunkelm's"
    grep -qx "Version: $version" <<<"$parsed" || fail "the newest entry is not version $version"
    # Every item of CHANGELOG.md (installed as History.txt) is there, and no line is too long.
    items=$(awk '/^## / { inRelease = 1 } inRelease && /^- / { n++ } END { print n + 0 }' \
        "$prefix/share/vorunkelm/History.txt")
    entries=$(grep -c '^  \* ' "$prefix/changelog")
    if [ "$items" -eq 0 ] || [ "$entries" != "$items" ]; then
        fail "the changelog has $entries items, CHANGELOG.md $items"
    fi
    long=$(grep -v '^ -- ' "$prefix/changelog" | awk 'length > 80')
    [ -z "$long" ] || fail "lines longer than 80 characters: $long"
    ;;
*)
    fail "unknown case" ;;
esac
exit 0
