#!/bin/bash
# Usage: test_vkgame.sh VKGAME DATA_DIR CASE — one check of the vkgame command line per case.
set -u
vkgame=$1 data=$2 case=$3
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

fail() { echo "FAIL ($case): $*"; echo "--- stdout"; head -c 2000 "$out"; echo "--- stderr"; cat "$err"; exit 1; }
# run EXPECTED_STATUS ARGS...: runs vkgame into $out/$err and checks its exit status.
run() {
    local want=$1; shift
    "$vkgame" "$@" >"$out" 2>"$err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "vkgame $* exited $got, expected $want"
}

case $case in
help)
    run 0 --help
    grep -q '^Usage: vkgame' "$out" || fail "no usage text"
    [ ! -s "$err" ] || fail "help wrote to stderr" ;;
usage_error)
    for args in "" "dump" "frobnicate $data/vkgame_example.txt" "dump a b" "--help x"; do
        # shellcheck disable=SC2086
        run 2 $args
        [ ! -s "$out" ] || fail "usage error wrote to stdout"
        grep -q '^vkgame: ' "$err" || fail "no usage error for '$args'"
    done ;;
round_trip)
    for file in vkgame_example.txt vkgame_notes.txt; do
        run 0 write "$data/$file"
        cmp "$out" "$data/$file" || fail "$file does not survive a load and save"
    done ;;
dump_example)
    run 0 dump "$data/vkgame_example.txt"
    cmp "$out" "$data/vkgame_example.json" || fail "dump differs from vkgame_example.json"
    [ ! -s "$err" ] || fail "dump wrote to stderr" ;;
dump_escapes)
    run 0 dump "$data/vkgame_notes.txt"
    # Always valid UTF-8 JSON: the older Western "Zo\xe9" of the file comes out decoded.
    iconv -f UTF-8 -t UTF-8 "$out" >/dev/null 2>&1 || fail "dump is not valid UTF-8"
    jq -e . "$out" >/dev/null || fail "dump is not valid JSON"
    for want in '"gameName":"Quote \"this\" \\ game"' '"name":"Zo'$'\xc3\xa9''"' \
        '"notes":["Tab\u0009here","\u0001 control","","last"]' '"spare":-7' \
        '"markerSets":[5,0],"legions":[]' '"unsure":[false,false,false,false,false,false,false,true]' \
        '"marker":7,"land":1,"creatures":[2,3,4,5,6,7,8,9]'; do
        grep -qF -- "$want" "$out" || fail "dump lacks $want"
    done ;;
refused_file)
    run 1 dump "$data/vkgame_cut_off.txt"
    [ "$(cat "$err")" = "Error loading game file." ] || fail "wrong message"
    [ ! -s "$out" ] || fail "refused file wrote to stdout"
    run 1 write "$data/no_such_file.txt"
    [ "$(cat "$err")" = "Error opening game file $data/no_such_file.txt: No such file or directory" ] ||
        fail "wrong message for a missing file"
    # A pipe or an endless device is refused at once instead of waiting or reading for ever.
    dir=$(mktemp -d)
    mkfifo "$dir/fifo.txt"
    for file in "$dir/fifo.txt" /dev/zero; do
        timeout 10 "$vkgame" dump "$file" >"$out" 2>"$err"
        status=$?
        [ "$status" -eq 1 ] || { rm -r "$dir"; fail "vkgame dump $file exited $status"; }
        [ "$(cat "$err")" = "Error opening game file $file: Not an ordinary file" ] ||
            { rm -r "$dir"; fail "wrong message"; }
    done
    rm -r "$dir" ;;
non_utf8_name)
    # A file name in another character set is taken byte for byte.
    dir=$(mktemp -d)
    cp "$data/vkgame_example.txt" "$dir/caf"$'\xe9'".txt"
    run 0 write "$dir/caf"$'\xe9'".txt"
    cmp -s "$out" "$data/vkgame_example.txt" || { rm -r "$dir"; fail "not read back"; }
    rm -r "$dir" ;;
settings)
    run 0 settings "$data/vkgame_settings.ini"
    want='{"WindowTop":-20,"WindowLeft":0,"WindowWidth":640,"WindowHeight":2000,"WindowMax":false,"BoardSize":3}'
    [ "$(cat "$out")" = "$want" ] || fail "settings differ" ;;
*)
    fail "unknown case" ;;
esac
