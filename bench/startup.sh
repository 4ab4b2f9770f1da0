#!/bin/bash
# Usage: bench/startup.sh [BUILD_DIR [RUNS]]
#
# Start-up timings of the program against a bare Qt Widgets program (bench/bare_window), both on
# the same Xvfb server, and the processor time of one flash tick. Build with VK_BENCH=ON and
# CMAKE_BUILD_TYPE=Release or RelWithDebInfo first (not the sanitizer build). Prints the medians
# of RUNS runs (default 15) and exits 3 when a target is missed:
#   start-up, title screen mapped       ≤ 1.5 × bare window mapped
#   largest game loaded, board drawn    ≤ 2 × bare window drawn
#   one flash tick                      ≤ 200 µs processor time
# Each timing is bench/startup_probe: it starts the program, polls the X server every 0.5 ms for
# the window's title (mapped) and for one pixel of the window (drawn), then kills the program and
# reports the processor time it used, the figure a busy machine disturbs least.
set -u
build=$(realpath "${1:-build}")
runs=${2:-15}

fail() { echo "startup.sh: $*" >&2; exit 1; }

installed=$build/VorunKelm
probe=$build/bench/startup_probe
bare=$build/bench/bare_window
flash=$build/bench/bench_flash
for file in "$installed/vorunkelm" "$installed/vkgame" "$probe" "$bare" "$flash"; do
    [ -x "$file" ] || fail "$file is missing: build with VK_BENCH=ON (startup_probe needs libx11-dev)"
done
for tool in Xvfb convert jq; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d)
xvfbPid=""
cleanup() {
    [ -n "$xvfbPid" ] && kill "$xvfbPid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A private copy of the installed folder. The window is placed as a user's settings would place
# it, without maximising (no window manager here); board size 0 picks size 3 for its height.
dir=$work/VorunKelm
cp -r "$installed" "$dir"
find "$dir/SavedGames" -type f -delete
rm -f "$dir/VorunKelm.ini"
printf '%s\n' WindowMax=No WindowTop=0 WindowLeft=0 WindowWidth=1024 WindowHeight=768 \
    BoardSize=0 >"$dir/VorunKelm.ini"
boardSize=3 boardLeft=149

# The largest game a saved file can hold: six players with all twelve legions on the board,
# eight creatures in each (a third of them unsure), one legion a land spread over the whole
# board (legion g of 72 on land 5g mod 96 + 1), and 1,000 lines of notes.
write_largest_game() {
    local p m g i code type land records
    printf '2\r\nThe largest game a saved file can hold, six players\r\nlargest\r\n'
    for i in $(seq 1 24); do printf '%d ' $((i == 19 ? 0 : 10)); done
    printf '\r\n6'
    for p in $(seq 0 5); do printf ' 0 1'; done
    printf '\r\n'
    for p in $(seq 0 5); do
        printf 'Player number %d\r\n%d 12 ' $((p + 1)) "$p"
        records=()
        for m in $(seq 0 11); do
            g=$((p * 12 + m))
            land=$((g * 5 % 96 + 1))
            code="$((p * 12 + m)) $land"
            for i in $(seq 0 7); do
                type=$((1 + (g + i) % 24))
                code+=" $((i % 3 == 0 ? type + 26 : type))"
            done
            records+=("$code")
        done
        printf '%s\r\n' "${records[@]}"
    done
    for i in $(seq 0 999); do
        printf 'Turn %d: %s\r\n' "$i" "$(printf 'n%.0s' $(seq 1 56))"
    done
}
game=$dir/SavedGames/largest_1cvxbz.txt
write_largest_game >"$game"
"$dir/vkgame" dump "$game" >"$work/largest.json" || fail "vkgame refuses the generated game"
summary=$(jq -c '[(.players | length), ([.players[].legions[]] | length),
    ([.players[].legions[].creatures[] | select(. == 0)] | length), (.notes | length),
    ([.players[].legions[].land] | group_by(.) | map(length) | max)]' "$work/largest.json")
[ "$summary" = "[6,72,0,1000,1]" ] || fail "the generated game is not the largest: $summary"

# "Drawn": a pixel of land 2 (no legion stands there) takes the board picture's colour. Land 2's
# box at s = 26 is (565, 471)–(645, 540) in the window; the point sits in its lower part, away
# from the land's printed label.
boardPixel=(605 530)
pictureX=$((boardPixel[0] - boardLeft)) pictureY=${boardPixel[1]}
boardColour=$(convert "$dir/GRAPHICS/VORNBRD$boardSize.BMP" -format "%[hex:u.p{$pictureX,$pictureY}]" info:)
boardColour=${boardColour:0:6}
[ "$boardColour" != 000000 ] || fail "the chosen board pixel is black"
bareColour=336699 barePixel=(20 20)

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfbPid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
DISPLAY=:$(cat "$work/display")
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$work" || fail "no work folder"

# measure NAME PROBE_ARGS...: one run, appends "mapped drawn cpu" to $work/NAME.
measure() {
    local name=$1
    shift
    "$probe" "$@" >>"$work/$name" || fail "the $name run failed"
}
run_all() {
    measure bare "Bare window" -- "$bare"
    measure baredrawn "Bare window" --pixel "${barePixel[@]}" "$bareColour" -- "$bare"
    measure title "Vorun" -- "$dir/vorunkelm"
    measure load "Vorun - " --pixel "${boardPixel[@]}" "$boardColour" -- "$dir/vorunkelm" "$game"
}
run_all # warm the file cache; not counted
rm -f "$work/bare" "$work/baredrawn" "$work/title" "$work/load"
for _ in $(seq "$runs"); do run_all; done

# median NAME COLUMN: of the columns "mapped drawn cpu" the probe wrote.
median() { cut -d' ' -f"$2" "$work/$1" | sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

flashLine=$("$flash" "$dir/" "$game") || fail "bench_flash failed"
flashUs=$(sed -n 's/^flash tick: \([0-9.]*\) us.*/\1/p' <<<"$flashLine")

missed=0
# row LABEL BARE PROGRAM [TARGET_RATIO]: a line of the table; with a target, checks the ratio.
row() {
    local ratio verdict=""
    ratio=$(awk -v a="$3" -v b="$2" 'BEGIN {printf "%.2fx", a / b}')
    if [ $# -gt 3 ]; then
        verdict="$4x  met"
        awk -v a="$3" -v b="$2" -v t="$4" 'BEGIN {exit !(a / b <= t)}' || { verdict="$4x  MISSED"; missed=1; }
    fi
    printf '%-42s %8.1f %10.1f %7s   %s\n' "$1" "$2" "$3" "$ratio" "$verdict"
}
echo "Medians of $runs runs on Xvfb 1280x1024x24, $(nproc) cores, load average $(cut -d' ' -f1 /proc/loadavg)"
printf '%-42s %8s %10s %7s   %s\n' "milliseconds from process start" bare vorunkelm ratio target
row "start-up: title screen shown (mapped)" "$(median bare 1)" "$(median title 1)" 1.5
row "  processor time used by then" "$(median bare 3)" "$(median title 3)"
row "largest game loaded and drawn" "$(median baredrawn 2)" "$(median load 2)" 2.0
row "  processor time used by then" "$(median baredrawn 3)" "$(median load 3)"
printf '%-42s %8s %10.1f\n' "  game view caption shown" "" "$(median load 1)"
verdict=met
awk -v f="$flashUs" 'BEGIN {exit !(f <= 200)}' || { verdict=MISSED; missed=1; }
printf '%-42s %8s %10s %7s   %s\n' "flash tick, processor time" "" "$flashUs us" "" "200 us  $verdict"
echo "($flashLine)"
[ "$missed" -eq 0 ] || exit 3
