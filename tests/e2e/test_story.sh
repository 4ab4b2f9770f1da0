#!/bin/bash
# Usage: test_story.sh INSTALLED_DIR SAVED_GAME SCREENS_DIR
#
# One whole story with the real program on a real X server (Xvfb, no window manager), driven
# with xdotool the way a user would: the program loads a game named on its command line, the user
# selects land 1 (Anne's legion), Ctrl+clicks land 2 to move that legion onto Bob's land, drags
# Anne's other legion from land 7 to land 1, opens the legion window on land 2 with a double click
# and drags the first creature of its top legion onto land 1, agreeing to the transfer, saves with
# Ctrl+S and Enter in the save dialog, and quits with Ctrl+Q and Enter. The saved file must differ
# from the loaded one only in those two legions. The same game is loaded again, edited in the
# legion window and on the board, both edits undone, and saved: the save is the loaded game. Once
# more, a legion is moved and the program killed before any save; the next start offers the game
# for recovery, and the recovered game's save holds the move. Then the program is started again
# without a game: from its title screen the user sets up a new game through the names and colour dialogs, writes a
# note, saves, opens the help and quits with the help still open. Screenshots of each step go to
# SCREENS_DIR as e2e-*.png. Every program runs in a D-Bus session with the accessibility bus, and
# the first one is read through AT-SPI as a screen reader reads it: the board describes the land
# selected, and every picture and button of the legion window has a name.
set -u
installed=$1 game=$2 screens=$3
suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp
readAccessible=$(cd "$(dirname "$0")" && pwd)/read_accessible.py
# Debian's own Python, which has pyatspi; the one first on the PATH may not.
python=/usr/bin/python3

# The game in tests/data: Anne (Black) has legion 0 on land 1 and legion 3 on land 7, Bob (Red)
# has legion 60 on land 2. The file sits in SavedGames under an older time stamp, so the save
# must move it to OLDSAVES.
fileName=story
oldSave=${fileName}_01101a.txt

# Window and board fixed by the settings file below: the window at the screen's top-left corner,
# 1024 x 768, board size 2, so s = 20. Under Xvfb without a window manager the frame is the client
# area and the board's content coordinates are window coordinates (no scroll bars at this size).
# The click points are the centres of the lands' active areas, LandActiveArea(land, 20), whose
# box is x = 149 + 2·col·s, y = ⌊4·row·0.8660254·s + 0.5⌋ (minus ⌊3·s·0.8660254 + 0.5⌋ for an
# upward land), active area x + s/2 … x + s/2 + 2s, height ⌊2.5980762·s + 1.5⌋:
#   land 1 (col 7, row 5, downward): active (439, 346)–(479, 399), centre (459, 372)
#   land 2 (col 8, row 6, upward):   active (479, 363)–(519, 416), centre (499, 389)
#   land 7 (col 9, row 5, downward): active (519, 346)–(559, 399), centre (539, 372)
land1=(459 372)
land2=(499 389)
land7=(539 372)
windowWidth=1024 windowHeight=768

work=$(mktemp -d)
shotPrefix=e2e
# shellcheck source=../common/xvfb_story.sh
source "$(dirname "$0")/../common/xvfb_story.sh"

screen_checksum() { import -window root rgb:- 2>/dev/null | cksum; }
screen_differs() { [ "$(screen_checksum)" != "$1" ]; }
# after_change STEP COMMAND...: runs COMMAND, waits until the screen shows its effect, takes the
# step's screenshot.
after_change() {
    local step=$1 before
    shift
    before=$(screen_checksum)
    "$@"
    wait_until "the screen to change after $step" 20 screen_differs "$before"
    shot "$step"
}

click() { xdotool mousemove --sync $((winX + $1)) $((winY + $2)) click 1; }
double_click() { xdotool mousemove --sync $((winX + $1)) $((winY + $2)) click --repeat 2 --delay 60 1; }
# drag X1 Y1 X2 Y2 [ORIGIN_X ORIGIN_Y]: a press, a few steps with the button held, the release.
# The start is relative to the origin (the main window unless given), the end to the main window.
drag() {
    local fromX=$((${5:-$winX} + $1)) fromY=$((${6:-$winY} + $2)) toX=$((winX + $3)) toY=$((winY + $4))
    xdotool mousemove --sync "$fromX" "$fromY" mousedown 1
    xdotool mousemove --sync $((fromX + 5)) $((fromY + 5))
    xdotool mousemove --sync $(((fromX + toX) / 2)) $(((fromY + toY) / 2))
    xdotool mousemove --sync "$toX" "$toY"
    xdotool mousemove --sync $((toX + 1)) $((toY + 1)) mouseup 1
}
ctrl_click() {
    xdotool mousemove --sync $((winX + $1)) $((winY + $2))
    xdotool keydown ctrl click 1 keyup ctrl
}

has_keyboard() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# keys_to WINDOW KEY...: the keys once the window has the keyboard, which a window just shown or
# given back the keyboard gets a moment later (longer in the sanitizer build).
keys_to() {
    local window=$1
    shift
    wait_until "window $window to have the keyboard" 20 has_keyboard "$window"
    xdotool key "$@"
}
no_window() { ! find_window "$1"; }
# Sets winX, winY, winWidth and winHeight from the main window.
main_window_geometry() {
    local X="" Y="" WIDTH="" HEIGHT=""
    eval "$(xdotool getwindowgeometry --shell "$mainWindow" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    winX=$X winY=$Y winWidth=$WIDTH winHeight=$HEIGHT
}
window_has_size() {
    main_window_geometry
    [ "$winWidth" = "$windowWidth" ] && [ "$winHeight" = "$windowHeight" ]
}
caption_matches() { [[ $(xdotool getwindowname "$mainWindow") =~ $1 ]]; }
program_ended() { ! kill -0 "$programPid" 2>/dev/null; }
new_save() { newSave=$(cd "$dir/SavedGames" && ls ${fileName}_??????.txt 2>/dev/null) && [ -n "$newSave" ]; }
# Saves with Ctrl+S, taking the name the save dialog proposes.
save_game() {
    xdotool key ctrl+s
    wait_until "the save dialog" 20 find_window '^Save As$'
    shot "$1"
    keys_to "$found" Return
    wait_until "the caption to report the save" 20 caption_matches "^$caption  Last Saved [0-9]{1,2}/[0-9]{1,2}/[0-9]{4}, [0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}\$"
}
# start_with_game FILE: the program with the saved game on its command line, up to its game view
# placed as the settings say.
start_with_game() {
    "$dir/vorunkelm" "$1" >>"$work/program.log" 2>&1 &
    programPid=$!
    wait_until "the game view" 60 find_window '^Vorun - '
    mainWindow=$found
    wait_until "the window to take the size of the settings" 20 window_has_size
}
# Quits with Ctrl+Q, agreeing to the question; the program must end normally.
quit_program() {
    xdotool key ctrl+q
    wait_until "the close question" 20 find_window '^Close Program\?$'
    shot "$1"
    xdotool key Return
    wait_until "the program to end" 30 program_ended
    wait "$programPid"
    local status=$?
    programPid=""
    [ "$status" -eq 0 ] || fail "the program ended with exit status $status"
}

for tool in Xvfb xdotool import jq dbus-daemon dbus-send "$python"; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/dev.sh installs it)"
done
"$python" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is not installed (scripts/dev.sh installs it)"
mkdir -p "$screens" && rm -f "$screens"/e2e-*.png

# A copy of the installed folder, started from another folder: the program finds its files
# beside itself, wherever that is.
dir=$work/VorunKelm
cp -r "$installed" "$dir" || fail "cannot copy $installed"
find "$dir/SavedGames" -type f -delete
printf '%s\n' WindowMax=No WindowTop=0 WindowLeft=0 "WindowWidth=$windowWidth" \
    "WindowHeight=$windowHeight" BoardSize=2 >"$dir/VorunKelm.ini"
settings=$("$dir/vkgame" settings "$dir/VorunKelm.ini")
[ "$settings" = '{"WindowTop":0,"WindowLeft":0,"WindowWidth":1024,"WindowHeight":768,"WindowMax":false,"BoardSize":2}' ] ||
    fail "the settings file reads as $settings"
cp "$game" "$dir/SavedGames/$oldSave"
"$dir/vkgame" dump "$game" >"$work/loaded.json" || fail "vkgame refuses $game"

start_xvfb
start_accessibility_bus
# In the sanitizer build the program is checked for leaks when it quits.
export LSAN_OPTIONS="suppressions=$suppressions${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

cd "$work" || fail "no work folder"
"$dir/vorunkelm" "$dir/SavedGames/$oldSave" >"$work/program.log" 2>&1 &
programPid=$!

# The command-line load shows the game view with the game's caption, then the settings place
# the window.
wait_until "the game view" 60 find_window '^Vorun - '
mainWindow=$found
wait_until "the window to take the size of the settings" 20 window_has_size
[ "$winX,$winY" = "0,0" ] || fail "window at $winX,$winY, the settings say 0,0"
caption='Vorun - Story game  \(story_<time>\.txt\)'
caption_matches "^$caption\$" ||
    fail "caption after loading: $(xdotool getwindowname "$mainWindow")"
shot 1-loaded

after_change 2-selected click "${land1[@]}"
# A screen reader reads the selected land from the board, as the panel shows it.
"$python" "$readAccessible" "$programPid" board "Plains 1  (1S)
Black Axes: Vorun?, Angel?, Centaur, Centaur, Gargoyle, Gargoyle, Ogre, Ogre" ||
    fail "the board does not describe land 1 to AT-SPI"
after_change 3-moved ctrl_click "${land2[@]}"
after_change 4-dragged drag "${land7[@]}" "${land1[@]}"

# The legion window of land 2 shows Anne's moved legion in its first row; its first creature
# (picture 0, at 0,62 in the window, 100 x 100) is dragged onto land 1. The window hides itself
# as soon as the drag reaches a land, and the drop asks before the creature changes legions.
double_click "${land2[@]}"
wait_until "the legion window" 20 find_window '^Legion Contents -  '
legionWindow=$found
shot 5-legion-window
# Both legions' sixteen creatures, the stacks and the graveyard, every one named.
"$python" "$readAccessible" "$programPid" pictures 'Legion Contents -  ' 18 ||
    fail "the legion window's pictures and buttons are not all named for AT-SPI"
eval "$(xdotool getwindowgeometry --shell "$legionWindow" | grep -E '^(X|Y)=' | sed 's/^/legion/')"
drag 50 112 "${land1[@]}" "$legionX" "$legionY"
wait_until "the transfer question" 20 find_window '^Confirm$'
shot 6-transfer-question
xdotool key Return
wait_until "the transfer question to close" 20 no_window '^Confirm$'

save_game 7-save-dialog
shot 8-saved

# The save proposed <file name>_<stamp>.txt in SavedGames and moved the earlier save aside.
[ -f "$dir/SavedGames/OLDSAVES/$oldSave" ] || fail "the earlier save was not moved to OLDSAVES"
new_save || fail "no new save in SavedGames: $(ls -A "$dir/SavedGames")"
[[ $newSave =~ ^story_[0-9][1-9a-c][1-9a-v][0-9a-z]{3}\.txt$ ]] || fail "unexpected save name $newSave"
shopt -s dotglob nullglob # a temporary file the save left behind would be hidden
for file in "$dir"/SavedGames/*; do
    # The recovery snapshot's lock stays while the program runs.
    case ${file##*/} in OLDSAVES | "$newSave" | .recovery-??????.lock | .recovery-??????.txt) ;;
    *) fail "unexpected file in SavedGames: ${file##*/}" ;; esac
done
shopt -u dotglob nullglob

# The saved game is the loaded one with Anne's legion 0 moved from land 1 to land 2, her legion 3
# from land 7 to land 1, and legion 0's unsure Vorun at the end of legion 3, still unsure. The
# recruitment stacks are untouched.
"$dir/vkgame" dump "$dir/SavedGames/$newSave" >"$work/saved.json" || fail "vkgame refuses the saved file"
jq -S '(.players[0].legions[] | select(.marker == 0)) |= (.land = 2
        | .creatures = .creatures[1:] + [0] | .unsure = .unsure[1:] + [false])
    | (.players[0].legions[] | select(.marker == 3)) |= (.land = 1
        | .creatures[3] = 19 | .unsure[3] = true)' "$work/loaded.json" >"$work/expected.json"
jq -S . "$work/saved.json" >"$work/saved-sorted.json"
diff -u "$work/expected.json" "$work/saved-sorted.json" || fail "the saved game is not the loaded one with the legions moved and the creature transferred"

# Once saved, the game needs no recovery: its snapshot goes.
no_snapshot() { ! compgen -G "$dir/SavedGames/.recovery-??????.txt" >/dev/null; }
wait_until "the recovery snapshot to go after the save" 20 no_snapshot

# Quit asks first; OK ends the program normally.
quit_program 9-close-question

# The same game again: an edit in the legion window (the first creature of land 1's legion killed
# with K) and one on the board (that legion moved to land 2). Saved, then both taken back with
# Ctrl+Z from the game history and saved again: the second save is the loaded game.
start_with_game "$dir/SavedGames/OLDSAVES/$oldSave"
double_click "${land1[@]}"
wait_until "the legion window" 20 find_window '^Legion Contents -  '
legionWindow=$found
eval "$(xdotool getwindowgeometry --shell "$legionWindow" | grep -E '^(X|Y)=' | sed 's/^/legion/')"
xdotool mousemove --sync $((legionX + 50)) $((legionY + 112)) click 1
xdotool key k
wait_until "the kill question" 20 find_window '^Confirm$'
xdotool key Return
wait_until "the kill question to close" 20 no_window '^Confirm$'
shot 9a-killed
keys_to "$legionWindow" Escape
wait_until "the legion window to hide" 20 no_window '^Legion Contents -  '
click "${land1[@]}"
after_change 9b-moved ctrl_click "${land2[@]}"
find "$dir/SavedGames" -maxdepth 1 -name 'story_*.txt' -delete
save_game 9c-save-dialog
new_save || fail "no save of the edits: $(ls -A "$dir/SavedGames")"
editedSave=$newSave
savedAt=$(($(date +%s) / 2))
"$dir/vkgame" dump "$dir/SavedGames/$editedSave" >"$work/edited.json" || fail "vkgame refuses the edited save"
jq -S '(.players[0].legions[] | select(.marker == 0)) |= (.land = 2
        | .creatures = .creatures[1:] + [0] | .unsure = .unsure[1:] + [false])' \
    "$work/loaded.json" >"$work/edited-expected.json"
diff -u "$work/edited-expected.json" <(jq -S . "$work/edited.json") ||
    fail "the save is not the loaded game with the kill and the move"

keys_to "$mainWindow" ctrl+h
wait_until "the game history" 20 find_window '^Game History'
historyWindow=$found
shot 9d-history
keys_to "$historyWindow" ctrl+z
after_change 9e-undone xdotool key ctrl+z
xdotool key Escape
wait_until "the game history to hide" 20 no_window '^Game History'
# Saves are named to two seconds: the second one needs a later name than the first.
later_stamp() { [ $(($(date +%s) / 2)) -gt "$savedAt" ]; }
second_save() { new_save && [ "$newSave" != "$editedSave" ] && [ -f "$dir/SavedGames/OLDSAVES/$editedSave" ]; }
wait_until "a later save time" 10 later_stamp
keys_to "$mainWindow" ctrl+s
wait_until "the save dialog" 20 find_window '^Save As$'
keys_to "$found" Return
wait_until "the save after the undos" 20 second_save
"$dir/vkgame" dump "$dir/SavedGames/$newSave" >"$work/undone.json" || fail "vkgame refuses the save after the undos"
diff -u <(jq -S . "$work/loaded.json") <(jq -S . "$work/undone.json") ||
    fail "after two undos the saved game is not the loaded one"
quit_program 9f-close-question

# The same game once more: one legion moved, and the program killed before any save. The next
# start, without a game, offers the unsaved game; Enter recovers it, and its save holds the move.
start_with_game "$dir/SavedGames/OLDSAVES/$oldSave"
click "${land1[@]}"
after_change 9g-moved-unsaved ctrl_click "${land2[@]}"
wait_until "the recovery snapshot" 20 compgen -G "$dir/SavedGames/.recovery-??????.txt"
kill -KILL "$programPid"
wait "$programPid" 2>/dev/null
"$dir/vorunkelm" >>"$work/program.log" 2>&1 &
programPid=$!
wait_until "the recovery question" 60 find_window '^Recover Game$'
shot 9h-recover-question
keys_to "$found" Return
wait_until "the recovered game" 20 find_window '^Vorun - Story game'
mainWindow=$found
wait_until "the window to take the size of the settings" 20 window_has_size
shot 9i-recovered
find "$dir/SavedGames" -maxdepth 1 -name 'story_*.txt' -delete
save_game 9j-save-dialog
new_save || fail "no save of the recovered game: $(ls -A "$dir/SavedGames")"
"$dir/vkgame" dump "$dir/SavedGames/$newSave" >"$work/recovered.json" || fail "vkgame refuses the recovered save"
jq -S '(.players[0].legions[] | select(.marker == 0)) |= (.land = 2)' "$work/loaded.json" \
    >"$work/recovered-expected.json"
diff -u "$work/recovered-expected.json" <(jq -S . "$work/recovered.json") ||
    fail "the recovered game's save is not the loaded game with the move"
wait_until "the recovery snapshot to go after the save" 20 no_snapshot
quit_program 9k-close-question

# A second run without a game starts on the title screen. N opens the names dialog: the game name,
# the file name, and two players with towers 3 and 500 replacing "Player 1" and "Player 2"; Tab
# walks along each row. Enter presses Done.
"$dir/vorunkelm" >>"$work/program.log" 2>&1 &
programPid=$!
wait_until "the title screen" 60 find_window '^Vorun$'
mainWindow=$found
xdotool key n
wait_until "the names dialog" 20 find_window '^Game Setup: Enter Game Name and Players$'
xdotool type --delay 20 'New story'
xdotool key Tab && xdotool type --delay 20 'newstory'
xdotool key Tab ctrl+a && xdotool type --delay 20 'Carla'
xdotool key Tab && xdotool type --delay 20 '3'
xdotool key Tab ctrl+a && xdotool type --delay 20 'Dmitri'
xdotool key Tab && xdotool type --delay 20 '500'
shot 10-names
xdotool key Return

# The colour dialog: Carla, in the lower tower, chooses first. Its colour buttons stand in two rows
# of three (Black, Blue, Brown; Gold, Green, Red); the points are their centres in the dialog.
wait_until "the colour dialog" 20 find_window '^Choose Colors$'
colourWindow=$found
eval "$(xdotool getwindowgeometry --shell "$colourWindow" | grep -E '^(X|Y)=' | sed 's/^/colour/')"
shot 11-colours
blue=(179 234) green=(179 265)
after_change 12-green-chosen xdotool mousemove --sync $((colourX + green[0])) $((colourY + green[1])) click 1
xdotool mousemove --sync $((colourX + blue[0])) $((colourY + blue[1])) click 1
caption='Vorun - New story  \(newstory_<time>\.txt\)'
wait_until "the new game's view" 20 caption_matches "^$caption\$"
wait_until "the window to take the size of the settings" 20 window_has_size
shot 13-new-game

# A note for the game, kept with it.
xdotool key ctrl+n
wait_until "the notes window" 20 find_window '^Notes  \(saved/loaded with game\)$'
xdotool type --delay 20 'Carla owes Dmitri a drink'
shot 14-notes
xdotool key Escape
wait_until "the notes window to hide" 20 no_window '^Notes  '

fileName=newstory
save_game 15-save-dialog
new_save || fail "no save of the new game in SavedGames: $(ls -A "$dir/SavedGames")"

# Dmitri, in tower 500 (land 89), is the first player, in Blue; Carla follows in Green in tower 300
# (land 87). Each has the starting legion under the first marker of the colour, and the stacks
# have given two starting legions (the same counts as the two-player example game).
"$dir/vkgame" dump "$dir/SavedGames/$newSave" >"$work/new.json" || fail "vkgame refuses the new game"
start='"creatures":[19,1,4,4,8,8,16,16],"unsure":[true,true,false,false,false,false,false,false]'
charLeft=$(jq -c .charLeft "$(dirname "$game")/vkgame_example.json") || fail "no example game"
jq -S . >"$work/new-expected.json" <<EOF
{"gameName":"New story","fileName":"newstory","charLeft":$charLeft,"players":[
 {"name":"Dmitri","colour":1,"spare":0,"markerSets":[1],"legions":[{"marker":12,"land":89,$start}]},
 {"name":"Carla","colour":4,"spare":0,"markerSets":[4],"legions":[{"marker":48,"land":87,$start}]}],
 "notes":["Carla owes Dmitri a drink"]}
EOF
jq -S . "$work/new.json" >"$work/new-sorted.json"
diff -u "$work/new-expected.json" "$work/new-sorted.json" || fail "the new game was not saved as set up"

# F1 opens the help in the program's viewer; a click on the main window (which hides the program's
# other windows, not the help) gives it the keyboard back, and quitting ends the program even with
# the help still open.
xdotool key F1
wait_until "the help" 20 find_window '^VorunKelm Help$'
shot 16-help
xdotool mousemove --sync $((winX + 60)) $((winY + 700)) click 1
quit_program 17-close-question
echo "PASS: loaded, moved, dragged, transferred and saved a game; set up, noted and saved a new one"
