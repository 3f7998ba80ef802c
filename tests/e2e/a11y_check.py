#!/usr/bin/python3
# What a screen reader hears from the window, as a table: each control and each cell of a
# waiting, an uploading, a failed and an unusable row, with the name, role, description, states
# and actions AT-SPI reports. Run by tests/e2e/a11y.sh, which starts the program with four files
# (waiting.png, failing.png, holding.png, unusable.png) against the fake host below.
#
#   a11y_check.py host PORT_FILE   a fake host: it drops the first upload's connection and holds
#                                  every later one open without an answer
#   a11y_check.py check            uploads failing.png, then holding.png, prints the tree and checks it
#
# Rows marked with a CHANGE note hold what the window says today where a screen reader's user is
# served badly; they are checked as they are so that the day they change is seen: then the new
# value becomes a plain check and the note goes.
import os
import re
import socket
import subprocess
import sys
import time

# The table: (where, field, expected, CHANGE note or None). "where" is (role, name): the first
# accessible of that role and name, for controls whose names are the window's fixed texts; (role,
# n): the n-th of that role in the tree's order; or (row, column) for the queue's cells, with row
# one of the four file names. An expected value of re.compile(...) must match in full; a set
# holds states that must be present; field 'actions' is the list of action names.
WAITING_CELL = '"Click" does not say the row waits nor what Enter does'
CHANGE = {
    'login': 'the user name and the password fields share the name "Login (not required)"',
    'table': 'the table has no name',
    'click': WAITING_CELL,
    'add': '"Click to add" does not say that the row has no description nor how to add one',
    'toggle': 'cells offer a "Toggle" action, not what a click on them does',
    'failed': 'the failed row says "failed"; its reason is only in the description',
    'unusable': 'an unusable file\'s row says nothing of why it cannot be used',
    'picture': 'the picture area is named "Upload", not after the file it shows',
    'described': 'the control has no description',
    'status': 'the status line is a plain label: its changes are not announced',
}
BUILT_IN = re.compile(r'Built-in host \(127\.0\.0\.1:\d+\)')
WENT_TO = re.compile(r'Destination: Built-in host \(127\.0\.0\.1:\d+\)')
TABLE = [
    (('image', 0), 'name', 'Upload', CHANGE['picture']),
    (('image', 0), 'description', '', CHANGE['described']),
    (('image', 0), 'states', {'focusable', 'showing'}, None),
    (('push button', 'Browse'), 'role', 'push button', None),
    (('push button', 'Screenshot'), 'role', 'push button', None),
    (('push button', 'More Captures'), 'role', 'push button', None),
    (('push button', 'Clipboard'), 'role', 'push button', None),
    (('push button', 'Rotate 90 deg CW'), 'role', 'push button', None),
    (('push button', 'Rotate 90 deg CCW'), 'role', 'push button', None),
    (('push button', 'Rotate 180 deg'), 'role', 'push button', None),
    (('push button', 'Flip horizontally'), 'role', 'push button', None),
    (('push button', 'Flip vertically'), 'role', 'push button', None),
    (('push button', 'Upload All'), 'role', 'push button', None),
    (('push button', 'Menu'), 'role', 'push button', None),
    (('push button', 'Browse'), 'actions', ['Press', 'SetFocus'], None),
    (('push button', 'Upload All'), 'description', '', CHANGE['described']),
    (('label', 'Username'), 'role', 'label', None),
    (('text', 0), 'name', 'Login (not required)', CHANGE['login']),
    (('text', 0), 'states', {'editable', 'focusable'}, None),
    (('label', 'Password'), 'role', 'label', None),
    (('password text', 0), 'name', 'Login (not required)', CHANGE['login']),
    (('password text', 0), 'states', {'editable', 'focusable'}, None),
    (('check box', 'Remember me (saves creds. as plaintext)'), 'actions', ['Toggle', 'SetFocus'], None),
    (('check box', 'Auto Upload'), 'states', {'focusable'}, None),
    (('table', 0), 'name', '', CHANGE['table']),
    (('table', 0), 'description', '', CHANGE['described']),
    (('table', 0), 'states', {'focusable', 'showing'}, None),
    (('table column header', 0), 'name', 'Filename', None),
    (('table column header', 1), 'name', 'Upload', None),
    (('table column header', 2), 'name', 'Description', None),
    (('combo box', 0), 'name', BUILT_IN, None),
    (('combo box', 0), 'description', 'Where uploads go', None),
    (('label', '1 failed, 1 uploading, 1 waiting, 1 cannot be used'), 'role', 'label', CHANGE['status']),
    (('label', 'Tarvello uploader - images in, links out - V3.0c'), 'role', 'label', None),

    (('waiting.png', 0), 'name', 'waiting.png', None),
    (('waiting.png', 1), 'role', 'table cell', None),
    (('waiting.png', 0), 'states', {'focusable', 'selectable'}, None),
    (('waiting.png', 1), 'name', 'Click', CHANGE['click']),
    (('waiting.png', 1), 'description', '', CHANGE['click']),
    (('waiting.png', 1), 'actions', ['Toggle'], CHANGE['toggle']),
    (('waiting.png', 2), 'name', 'Click to add', CHANGE['add']),
    (('holding.png', 1), 'name', 'Uploading...', None),
    (('holding.png', 1), 'description', WENT_TO, None),
    (('failing.png', 1), 'name', 'failed', CHANGE['failed']),
    (('failing.png', 1), 'description', re.compile(r'HTTP status: 500 Internal Server Error\nThe host said: out of disk\n' + WENT_TO.pattern), None),
    (('failing.png', 2), 'name', '', None),
    (('unusable.png', 0), 'name', 'unusable.png', None),
    (('unusable.png', 0), 'description', '', CHANGE['unusable']),
    (('unusable.png', 1), 'name', 'Click', CHANGE['unusable']),
    (('unusable.png', 1), 'description', '', CHANGE['unusable']),
]
ROWS = ['waiting.png', 'failing.png', 'holding.png', 'unusable.png']
SHOWN_STATES = ('checkable', 'checked', 'editable', 'focusable', 'focused', 'selectable', 'selected', 'showing')


def read_request(connection):
    data = b''
    while b'\r\n\r\n' not in data:
        data += connection.recv(65536)
    head, body = data.split(b'\r\n\r\n', 1)
    length = re.search(rb'(?im)^content-length:\s*(\d+)', head)
    while length and len(body) < int(length.group(1)):
        body += connection.recv(65536)


def fake_host(port_file):
    server = socket.create_server(('127.0.0.1', 0))
    with open(port_file + '.part', 'w') as out:
        out.write(str(server.getsockname()[1]))
    os.rename(port_file + '.part', port_file)
    held = []  # uploads that never get their answer
    answered = False
    while True:
        connection, _ = server.accept()
        if answered:
            held.append(connection)
            continue
        read_request(connection)
        connection.sendall(b'HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/plain\r\n'
                           b'Content-Length: 12\r\nConnection: close\r\n\r\nout of disk\n')
        connection.close()
        answered = True


# pyatspi is imported where it is used: the fake host needs no accessibility bus.
def application():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        found = desktop.getChildAtIndex(i)
        if found is not None and found.name == 'tarvello':
            return found
    return None


def facts(accessible):
    import pyatspi
    try:
        action = accessible.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        actions = []
    states = {pyatspi.stateToString(s) for s in accessible.getState().getStates()}
    return {'name': accessible.name, 'role': accessible.getRoleName(), 'description': accessible.description,
            'states': states, 'actions': actions}


def read_tree():
    """Every accessible by (role, n), every cell of the queue by (file name, column), and the
    lines to print."""
    by_role, lines, counts = {}, [], {}
    table = None
    stack = [(application(), 0)]
    while stack:
        accessible, depth = stack.pop()
        if accessible is None:
            continue
        seen = facts(accessible)
        n = counts.get(seen['role'], 0)
        counts[seen['role']] = n + 1
        by_role[(seen['role'], n)] = seen
        by_role.setdefault((seen['role'], seen['name']), seen)
        if seen['role'] == 'table' and table is None:
            table = accessible
        lines.append('%s%-20s %-42r %-40r %s %s' % ('  ' * depth, seen['role'], seen['name'], seen['description'],
                                                 ','.join(sorted(seen['states'] & set(SHOWN_STATES))), seen['actions']))
        stack.extend((accessible.getChildAtIndex(j), depth + 1) for j in reversed(range(accessible.childCount)))
    cells = {}
    if table is not None:
        grid = table.queryTable()
        for row in range(grid.nRows):
            name = grid.getAccessibleAt(row, 0).name
            for column in range(grid.nColumns):
                cells[(name, column)] = facts(grid.getAccessibleAt(row, column))
    return by_role, cells, lines


def cell(name, column):
    return read_tree()[1].get((name, column), {})


def until(seconds, test):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            if test():
                return True
        except Exception:  # the tree changes under us
            pass
        time.sleep(0.1)
    return False


def click_status(name):
    """Clicks the Upload cell of the row, as a user starts one upload."""
    import pyatspi
    grid = None
    stack = [application()]
    while stack and grid is None:
        accessible = stack.pop()
        if accessible.getRoleName() == 'table':
            grid = accessible.queryTable()
        stack.extend(accessible.getChildAtIndex(j) for j in range(accessible.childCount))
    for row in range(grid.nRows):
        if grid.getAccessibleAt(row, 0).name == name:
            box = grid.getAccessibleAt(row, 1).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(['xdotool', 'mousemove', str(box.x + box.width // 2), str(box.y + box.height // 2),
                            'click', '1'], check=True)
            return
    raise SystemExit('no row for ' + name)


def matches(expected, seen):
    if isinstance(expected, re.Pattern):
        return expected.fullmatch(seen) is not None
    if isinstance(expected, set):
        return expected <= seen
    return expected == seen


def check():
    if not until(20, lambda: len(read_tree()[1]) == 3 * len(ROWS)):
        print('FAIL: the queue does not show the four files', file=sys.stderr)
        return 1
    click_status('failing.png')
    if not until(20, lambda: cell('failing.png', 1)['name'] not in ('Click', 'Uploading...')):
        print('FAIL: the first upload did not end: %r' % cell('failing.png', 1), file=sys.stderr)
        return 1
    click_status('holding.png')
    if not until(20, lambda: cell('holding.png', 1)['name'] == 'Uploading...'):
        print('FAIL: the second upload did not start', file=sys.stderr)
        return 1
    # The status line settles once the failure and the start are both worded.
    until(5, lambda: ('label', '1 failed, 1 uploading, 1 waiting, 1 cannot be used') in read_tree()[0])

    by_role, cells, lines = read_tree()
    print('\n'.join(lines))
    print()
    failures, changing = 0, []
    for where, field, expected, change in TABLE:
        seen = (cells if where[0] in ROWS else by_role).get(where, {}).get(field)
        ok = seen is not None and matches(expected, seen)
        shown = sorted(seen) if isinstance(seen, set) else seen
        if not ok and change:
            print('CHANGED  %s %s: %r (was %r: %s). Check the new value plainly and drop the note.'
                  % (where, field, shown, expected, change))
            failures += 1
        elif not ok:
            print('FAIL     %s %s: %r, expected %r' % (where, field, shown, expected))
            failures += 1
        else:
            print('%s %s %s: %r' % ('ok      ' if not change else 'TO FIX  ', where, field, shown))
            if change and change not in changing:
                changing.append(change)
    print('\nExpected to change:')
    for change in changing:
        print('  - ' + change)
    print('%d passed, %d failed' % (len(TABLE) - failures, failures))
    return 1 if failures else 0


if __name__ == '__main__':
    if sys.argv[1] == 'host':
        fake_host(sys.argv[2])
    sys.exit(check())
