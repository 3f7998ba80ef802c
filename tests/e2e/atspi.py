#!/usr/bin/python3
# Reads the program's accessibility tree (AT-SPI), as a screen reader does, so that the
# end-to-end scripts find controls by what they are called and wait for what a step causes,
# rather than clicking at fixed places after fixed pauses.
#
#   atspi.py center NAME [ROLE]          the middle of the first one so named, in screen pixels
#   atspi.py wait SECONDS NAME [ROLE]    until one is showing; exit 1 at the deadline
#   atspi.py describe NAME [ROLE]        its description, which says more than its name
#
# NAME ending in "*" matches names that begin with the rest, beginning with "*" names that end
# with it, both: names that hold it. ROLE is AT-SPI's role name
# ("push button", "table cell", ...). Only the application named tarvello is searched.
import sys
import time

import pyatspi


def matches(accessible, name, role):
    try:
        if role and accessible.getRoleName() != role:
            return False
        text = accessible.name
        if len(name) > 1 and name.startswith('*') and name.endswith('*'):
            if name[1:-1] not in text:
                return False
        elif name.endswith('*'):
            if not text.startswith(name[:-1]):
                return False
        elif name.startswith('*'):
            if not text.endswith(name[1:]):
                return False
        elif text != name:
            return False
        return accessible.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:  # the tree changes under us: gone is as good as not found
        return False


def found(name, role):
    hits = []
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or app.name != 'tarvello':
            continue
        stack = [app]
        while stack:
            accessible = stack.pop()
            if accessible is None:
                continue
            if matches(accessible, name, role):
                hits.append(accessible)
            try:
                stack.extend(accessible.getChildAtIndex(j) for j in reversed(range(accessible.childCount)))
            except Exception:
                pass
    return hits


def until(seconds, test):
    deadline = time.monotonic() + float(seconds)
    while True:
        result = test()
        if result:
            return result
        if time.monotonic() > deadline:
            return None
        time.sleep(0.1)


def main(argv):
    command = argv[1]
    if command == 'center':
        hits = until(10, lambda: found(argv[2], argv[3] if len(argv) > 3 else ''))
        if not hits:
            return 1
        box = hits[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x + box.width // 2, box.y + box.height // 2)
        return 0
    if command == 'describe':
        hits = until(10, lambda: found(argv[2], argv[3] if len(argv) > 3 else ''))
        if not hits:
            return 1
        print(hits[0].description)
        return 0
    if command == 'wait':
        return 0 if until(argv[2], lambda: found(argv[3], argv[4] if len(argv) > 4 else '')) else 1
    print('unknown command ' + command, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
