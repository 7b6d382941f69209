"""Reads the running window's tree over AT-SPI as a screen reader does: finds the program by its
process id, the five tool buttons by name and, with --play, presses Play / Stop through its
action and waits for its pressed state, then presses it again and waits for it to clear.
Usage: atspi_tree.py PID [--play]"""
import sys
import time

import pyatspi

TOOL_BUTTONS = ["New", "Open...", "Save", "Check syntax", "Play / Stop"]
BUTTON_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON)


def poll(what, probe, seconds):
    end = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except Exception:  # the tree changes under us while the window builds
            found = None
        if found or time.monotonic() > end:
            return found or sys.exit("gave up waiting for " + what)
        time.sleep(0.2)


def application(pid):
    return next((a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid), None)


def buttons(app):
    found = pyatspi.findAllDescendants(app, lambda a: a and a.getRole() in BUTTON_ROLES)
    named = {a.name: a for a in found}
    return named if all(name in named for name in TOOL_BUTTONS) else None


def press(button):
    action = button.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    action.doAction(next(names.index(n) for n in ("toggle", "press") if n in names))


def main():
    app = poll("the application on the AT-SPI bus", lambda: application(int(sys.argv[1])), 60)
    named = poll("the five tool buttons", lambda: buttons(app), 60)
    for name in TOOL_BUTTONS:
        print("found %s: %s" % (name, named[name].getRoleName()))
    if "--play" in sys.argv:
        play = named["Play / Stop"]
        pressed = lambda: play.getState().contains(pyatspi.STATE_PRESSED)
        # New is greyed while the play call runs: the score is really playing.
        greyed = lambda: not named["New"].getState().contains(pyatspi.STATE_SENSITIVE)
        press(play)
        poll("Play / Stop pressed while playing", lambda: pressed() and greyed(), 30)
        press(play)
        poll("Play / Stop released after stopping", lambda: not pressed() and not greyed(), 30)
        print("Play / Stop was pressed while playing and released after stopping")


main()
