#!/bin/bash
# Usage: test_package.sh BUILD_DIR DEB
#
# The Debian package as a player gets it. Its desktop entry and AppStream metadata must validate
# and lintian must find no error in it. Then the package is unpacked into a read-only tree, as an
# install under /usr would be, and its program checked from the outside: --help and --version work
# without a display; on its own Xvfb server, with a fresh home folder, it takes its window size from
# ~/.config/vorunkelm/VorunKelm.ini, loads a saved game named on its command line, finds its board
# pictures and its help in the package's share folder, and a save with Ctrl+S and Enter in the save
# dialog lands in ~/.local/share/vorunkelm/SavedGames/, readable by the package's vkgame. Nothing in
# the unpacked tree changes. Screenshots go to BUILD_DIR/package-screens.
set -u
build=$1 deb=$2
data=$(cd "$(dirname "$0")/../data" && pwd)
screens=$build/package-screens

work=$(mktemp -d)
root=$work/root
shotPrefix=package
# shellcheck source=../common/xvfb_story.sh
source "$(dirname "$0")/../common/xvfb_story.sh"

new_save() { newSave=$(cd "$saves" 2>/dev/null && ls fri_??????.txt 2>/dev/null) && [ -n "$newSave" ]; }
window_has_settings_size() {
    local WIDTH="" HEIGHT=""
    eval "$(xdotool getwindowgeometry --shell "$mainWindow" | grep -E '^(WIDTH|HEIGHT)=')"
    [ "$WIDTH x $HEIGHT" = "1024 x 768" ]
}
# Every file and folder of the unpacked package with its mode, size and time.
tree_listing() { (cd "$root" && find . -printf '%M %s %T@ %p\n' | sort); }

# run_without_display WANT_STATUS ARGS...: runs the installed program with no display at all,
# into $work/out and $work/err.
run_without_display() {
    local want=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/home" \
        "$root/usr/bin/vorunkelm" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] ||
        fail "vorunkelm $* without a display exited $got, expected $want; stderr: $(cat "$work/err")"
}

for tool in dpkg-deb lintian desktop-file-validate appstreamcli Xvfb xdotool import jq; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/dev.sh installs it)"
done
[ -f "$deb" ] || fail "no package at $deb"
deb=$(realpath "$deb")
mkdir -p "$screens" && rm -f "$screens"/package-*.png
screens=$(realpath "$screens") # the program runs from the work folder

dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"
version=$(dpkg-deb -f "$deb" Version) || fail "the package has no version"
entries=("$root"/usr/share/applications/*.desktop)
if [ ${#entries[@]} -ne 1 ] || [ ! -f "${entries[0]}" ]; then
    fail "the package must hold exactly one desktop entry"
fi
appId=$(basename "${entries[0]}" .desktop)

echo "== layout"
usr=$root/usr
paths=(bin/vorunkelm bin/vkgame share/vorunkelm/VorunKelm.html share/vorunkelm/License.txt
    share/vorunkelm/History.txt "share/metainfo/$appId.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$appId.svg" share/man/man6/vorunkelm.6.gz
    share/man/man6/vkgame.6.gz share/doc/vorunkelm/copyright share/doc/vorunkelm/changelog.gz)
for digit in 1 2 3 4 5; do paths+=("share/vorunkelm/GRAPHICS/VORNBRD$digit.BMP"); done
for size in 16 24 32 48 64 128 256; do paths+=("share/icons/hicolor/${size}x$size/apps/$appId.png"); done
for path in "${paths[@]}"; do
    [ -s "$usr/$path" ] || fail "$path is missing or empty"
done
# Nothing the players make belongs to an install; it goes to their own folders.
found=$(find "$root" -iname 'SavedGames*' -o -iname 'OLDSAVES' -o -iname '*.ini')
[ -z "$found" ] || fail "the package holds saves or settings: $found"

echo "== desktop-file-validate"
desktop-file-validate "${entries[0]}" || fail "the desktop entry does not validate"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$appId.metainfo.xml" ||
    fail "the AppStream metadata does not validate"
echo "== lintian"
lintian --fail-on error --display-info "$deb" || fail "lintian found errors in $deb"
# Lintian only warns of these: every entry root's, folders and programs rwxr-xr-x, other files
# rw-r--r--.
badModes=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" \
    || ($1 ~ /^d/ && $1 != "drwxr-xr-x") \
    || ($1 ~ /^-/ && $1 != ($6 ~ /^\.\/usr\/bin\// ? "-rwxr-xr-x" : "-rw-r--r--"))')
[ -z "$badModes" ] || fail "entries with the wrong owner or mode: $badModes"

# Nobody may write into an installed program's folders. Root may anyway, so the tree is also
# compared before and after the run.
chmod -R a-w "$root" || fail "cannot make the unpacked package read-only"
tree_listing >"$work/tree-before"

mkdir -p "$work/home" "$work/games"
echo "== the command line"
run_without_display 0 --help
grep -q '^Usage: vorunkelm' "$work/out" || fail "--help printed no usage: $(cat "$work/out")"
[ ! -s "$work/err" ] || fail "--help wrote to standard error"
cp "$work/out" "$work/help"
run_without_display 0 -h
cmp -s "$work/out" "$work/help" || fail "-h and --help print different texts"
for option in --version -v; do
    run_without_display 0 "$option"
    [ "$(cat "$work/out")" = "vorunkelm $version" ] ||
        fail "$option printed '$(cat "$work/out")', expected 'vorunkelm $version'"
done
run_without_display 2 --no-such-option
[ ! -s "$work/out" ] || fail "an unknown option wrote to standard output"
grep -q '^Usage: vorunkelm' "$work/err" || fail "an unknown option printed no usage to standard error"
"$root/usr/bin/vkgame" --help >/dev/null || fail "vkgame --help failed"

echo "== a save from the installed program"
start_xvfb
export HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME
saves=$HOME/.local/share/vorunkelm/SavedGames
# Settings where an installed program reads them; the window must take their size.
mkdir -p "$HOME/.config/vorunkelm"
printf '%s\n' WindowMax=No WindowTop=0 WindowLeft=0 WindowWidth=1024 WindowHeight=768 BoardSize=2 \
    >"$HOME/.config/vorunkelm/VorunKelm.ini"

# The game Friday game (file name "fri") from a folder of the player's own.
cp "$data/vkgame_example.txt" "$work/games/friday.txt"
cd "$work" || fail "no work folder"
"$root/usr/bin/vorunkelm" "$work/games/friday.txt" >"$work/program.log" 2>&1 &
programPid=$!
wait_until "the game view" 60 find_window '^Vorun - Friday game'
mainWindow=$found
wait_until "the window to take the size of ~/.config/vorunkelm/VorunKelm.ini" 20 \
    window_has_settings_size
shot 1-loaded

xdotool key ctrl+s
wait_until "the save dialog" 20 find_window '^Save As$'
shot 2-save-dialog
xdotool key Return
wait_until "the save in $saves" 20 new_save
shot 3-saved

"$root/usr/bin/vkgame" dump "$saves/$newSave" >"$work/saved.json" ||
    fail "the package's vkgame refuses the save $newSave"
cmp -s "$work/saved.json" "$data/vkgame_example.json" ||
    fail "the save is not the loaded game: $(diff <(jq -S . "$data/vkgame_example.json") <(jq -S . "$work/saved.json"))"
others=$(ls -A "$work/games")
[ "$others" = friday.txt ] || fail "the save also wrote beside the loaded game: $others"

# The help comes from the package's share folder too.
xdotool key F1
wait_until "the help" 20 find_window '^VorunKelm Help$'
shot 4-help

tree_listing >"$work/tree-after"
diff "$work/tree-before" "$work/tree-after" || fail "the program changed its installed files"
echo "PASS: $(basename "$deb") validates, passes lintian, and its program saves into $saves"
