"""Reads the running program's windows through AT-SPI, as a screen reader does.

Usage (with Debian's Python, which has pyatspi):
  read_accessible.py PID board DESCRIPTION
      the board is a picture named "Masterboard" whose description is DESCRIPTION
  read_accessible.py PID pictures TITLE_PREFIX COUNT
      the shown window whose title starts with TITLE_PREFIX shows at least COUNT pictures, and
      every picture and button shown in it has a name

Each check is retried until it holds, for up to 20 seconds: the program registers with the
accessibility bus, and tells it of a change, a moment after the change. On failure the program's
accessible tree is printed.
"""

import sys
import time

import pyatspi

WAIT_SECONDS = 20
BOARD_NAME = "Masterboard"
NAMED_ROLES = (pyatspi.ROLE_IMAGE, pyatspi.ROLE_PUSH_BUTTON)


def shown(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def where(node):
    position = node.get_position(pyatspi.WINDOW_COORDS)
    return f"{position.x},{position.y}"


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def program(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    # Cached names and descriptions would hide a change made since the last look.
    desktop.clear_cache()
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def check_board(app, description):
    boards = [n for n in descendants(app) if n.name == BOARD_NAME and shown(n)]
    if len(boards) != 1:
        return f"{len(boards)} shown objects named {BOARD_NAME}"
    board = boards[0]
    if board.getRole() != pyatspi.ROLE_IMAGE:
        return f"the board is a {board.getRoleName()}, not an image"
    if board.description != description:
        return f"the board's description is {board.description!r}, not {description!r}"
    return None


def check_pictures(app, prefix, count):
    windows = [w for w in app if w is not None and w.name.startswith(prefix) and shown(w)]
    if len(windows) != 1:
        return f"{len(windows)} shown windows titled {prefix!r}…"
    controls = [n for n in descendants(windows[0]) if n.getRole() in NAMED_ROLES and shown(n)]
    unnamed = [f"{n.getRoleName()} at {where(n)}" for n in controls if not n.name.strip()]
    if unnamed:
        return "unnamed: " + ", ".join(unnamed)
    pictures = [n.name for n in controls if n.getRole() == pyatspi.ROLE_IMAGE]
    if len(pictures) < count:
        return f"{len(pictures)} pictures shown, expected {count}: {pictures}"
    print(f"{windows[0].name}: {', '.join(pictures)}")
    return None


def dump(node, depth=0):
    state = "" if shown(node) else " (not shown)"
    print(f"{'  ' * depth}{node.getRoleName()} {node.name!r} {node.description!r}{state}",
          file=sys.stderr)
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def main(argv):
    pid, what, args = int(argv[1]), argv[2], argv[3:]
    deadline = time.monotonic() + WAIT_SECONDS
    while True:
        app = program(pid)
        if app is None:
            problem = f"no program with process {pid} on the accessibility bus"
        elif what == "board":
            problem = check_board(app, args[0])
        else:
            problem = check_pictures(app, args[0], int(args[1]))
        if problem is None:
            return 0
        if time.monotonic() >= deadline:
            print(f"after {WAIT_SECONDS}s: {problem}", file=sys.stderr)
            if app is not None:
                dump(app)
            return 1
        time.sleep(0.1)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
