# Shared by the scripts that drive a real program on an Xvfb server of their own: screenshots,
# failing with what was on the screen, waiting on a condition instead of sleeping, and the server.
# The sourcing script sets `work` (its private folder), `screens` (where screenshots go) and
# `shotPrefix`, and keeps `programPid` while the program under test runs.
xvfbPid="" programPid="" display="" busPid=""

# Ends the program, the session bus (the accessibility bus it started ends with it) and the server
# and removes the work folder, read-only parts included.
cleanup() {
    [ -n "$programPid" ] && kill -KILL "$programPid" 2>/dev/null
    [ -n "$busPid" ] && kill "$busPid" 2>/dev/null
    [ -n "$xvfbPid" ] && kill "$xvfbPid" 2>/dev/null
    wait 2>/dev/null
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

shot() { [ -n "$display" ] && import -window root "$screens/$shotPrefix-$1.png" 2>/dev/null; }

fail() {
    echo "FAIL: $*"
    shot failure
    if [ -n "$display" ]; then
        echo "--- visible windows"
        for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            echo "$w $(xdotool getwindowname "$w" 2>/dev/null)"
        done
    fi
    if [ -s "$work/program.log" ]; then
        echo "--- program output"
        cat "$work/program.log"
    fi
    exit 1
}

# wait_until WHAT SECONDS COMMAND...: polls COMMAND until it succeeds; fails on the deadline or
# when the program has ended.
wait_until() {
    local what=$1 seconds=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ -n "$programPid" ] && ! kill -0 "$programPid" 2>/dev/null && fail "the program ended while waiting for $what"
        [ "$SECONDS" -ge "$deadline" ] && fail "timed out after ${seconds}s waiting for $what"
        sleep 0.05
    done
}

# find_window TITLE_PATTERN: sets `found` to a visible window whose title matches.
find_window() { found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$found" ]; }

# start_xvfb [SCREEN]: a server on a free display, which Xvfb picks itself and writes once it
# accepts connections; the program then sees it and nothing of the desktop the tests run in. It
# never resets when the last program ends: the next one, started at once, would find no server.
# The screen is 1280x1024x24 unless given.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfbPid=$!
    wait_until "Xvfb to start" 20 test -s "$work/display"
    display=:$(cat "$work/display")
    export DISPLAY=$display
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# start_accessibility_bus: a D-Bus session of the script's own with the accessibility (AT-SPI) bus
# running in it, and Qt told to join that bus without waiting for a screen reader to ask, so that
# the programs started afterwards show their windows to AT-SPI readers. Needs start_xvfb first.
start_accessibility_bus() {
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
    busPid=$!
    wait_until "the session bus to start" 20 test -s "$work/bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
    # Qt joins the accessibility bus once it runs and does not start it; asking for its address
    # starts it.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>>"$work/dbus.log" || fail "the accessibility bus does not start: $(cat "$work/dbus.log")"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
