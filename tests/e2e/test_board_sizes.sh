#!/bin/bash
# Usage: test_board_sizes.sh INSTALLED_DIR SAVED_GAME SCREENS_DIR
#
# The board as a user sees it at each of the five board sizes, and at size 2 on a screen with a
# device pixel ratio of 2 (QT_SCALE_FACTOR=2): the real program on Xvfb loads the game named on its
# command line, and a screenshot of its window goes to SCREENS_DIR as board-size<N>.png and
# board-size2-2x.png. Tundra 2000 (land 92, no legion on it or beside it) is compared with the
# board picture beside the program: the same pixels at 1x; at 2x twice as many, drawn for the screen
# from the same geometry: close to the 1x picture scaled up, but not that picture.
set -u
installed=$1 game=$2 screens=$3

work=$(mktemp -d)
shotPrefix=board
# shellcheck source=../common/xvfb_story.sh
source "$(dirname "$0")/../common/xvfb_story.sh"

for tool in Xvfb xdotool import compare; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/dev.sh installs it)"
done
mkdir -p "$screens" && rm -f "$screens"/board-*.png

dir=$work/VorunKelm
cp -r "$installed" "$dir" || fail "cannot copy $installed"
find "$dir/SavedGames" -type f -delete
cp "$game" "$dir/SavedGames/sizes_01101a.txt"

# land_box S: "x y width height" of land 92's box in the window at board unit S, as the model
# computes it (column 8, row 4, downward).
land_box() {
    awk -v s="$1" 'BEGIN {
        y = int(16 * 0.8660254 * s + 0.5)
        print 149 + 16 * s, y, 3 * s + 2, int(2.5980762 * s + y + 1.5) - y }'
}
window_has_size() {
    local WIDTH="" HEIGHT=""
    eval "$(xdotool getwindowgeometry --shell "$mainWindow" | grep -E '^(WIDTH|HEIGHT)=')"
    [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]
}
# board_drawn RATIO: the board's dark background, not the window's black, at (200, 5).
board_drawn() {
    import -window "$mainWindow" "$work/window.png" 2>/dev/null &&
        [ "$(convert "$work/window.png" -format "%[hex:u.p{$((200 * $1)),$((5 * $1))}]" info: 2>/dev/null)" != 000000 ]
}

# show SIZE RATIO WIDTH HEIGHT NAME: the program at board size SIZE in a window of WIDTH x HEIGHT,
# its screenshot as NAME; then it is ended.
show() {
    local size=$1 ratio=$2 width=$3 height=$4 name=$5
    printf '%s\n' WindowMax=No WindowTop=0 WindowLeft=0 "WindowWidth=$width" \
        "WindowHeight=$height" "BoardSize=$size" >"$dir/VorunKelm.ini"
    QT_SCALE_FACTOR=$ratio "$dir/vorunkelm" "$dir/SavedGames/sizes_01101a.txt" >"$work/program.log" 2>&1 &
    programPid=$!
    wait_until "the game view at size $size" 60 find_window '^Vorun - '
    mainWindow=$found
    wait_until "the window at size $size" 20 window_has_size $((width * ratio)) $((height * ratio))
    wait_until "the board at size $size" 20 board_drawn "$ratio"
    cp "$work/window.png" "$screens/board-$name.png"
    kill "$programPid"
    wait "$programPid" 2>/dev/null
    programPid=""
}

# land_crops SIZE RATIO NAME: land 92 from the screenshot and from the board picture (scaled up by
# RATIO), as window.png and picture.png.
land_crops() {
    local s x y w h
    s=$(awk -v n="$1" 'BEGIN { split("15 20 26 33 35", u); print u[n] }')
    read -r x y w h <<<"$(land_box "$s")"
    convert "$screens/board-$3.png" -crop "$((w * $2))x$((h * $2))+$((x * $2))+$((y * $2))" +repage \
        "$work/window.png"
    convert "$dir/GRAPHICS/VORNBRD$1.BMP" -crop "${w}x$h+$((x - 149))+$y" +repage \
        -scale "$((100 * $2))%" "$work/picture.png"
}
difference() { compare -metric "$1" "$work/window.png" "$work/picture.png" null: 2>&1 | cut -d' ' -f1; }

start_xvfb 2560x2048x24
for size in 1 2 3 4 5; do
    show "$size" 1 1280 1024 "size$size"
    land_crops "$size" 1 "size$size"
    [ "$(difference AE)" = 0 ] || fail "land 92 at size $size is not the board picture"
done
show 2 2 1024 768 size2-2x
land_crops 2 2 size2-2x
rmse=$(compare -metric RMSE "$work/window.png" "$work/picture.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
awk -v e="$rmse" 'BEGIN { exit !(e > 0.005 && e < 0.12) }' ||
    fail "land 92 at 2x differs from the scaled-up board picture by $rmse (RMSE)"
echo "land 92 at 2x against the board picture scaled up: RMSE $rmse"
echo "board at five sizes and at 2x: 6 passed, 0 failed"
