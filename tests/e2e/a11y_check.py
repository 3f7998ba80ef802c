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
# A cell's Toggle action is Qt's own on every table cell (it toggles the cell's selection, not a
# check mark) and cannot be named otherwise; what a click or Enter does is in the cell's name.
import os
import re
import socket
import subprocess
import sys
import time

# The table: (where, field, expected). "where" is (role, name): the first accessible of that role
# and name, for controls whose names are the window's fixed texts; (role, n): the n-th of that role
# in the tree's order; or (row, column) for the queue's cells, with row one of the four file names.
# An expected value of re.compile(...) must match in full; a set holds states that must be
# present; field 'actions' is the list of action names.
BUILT_IN = re.compile(r'Built-in host \(127\.0\.0\.1:\d+\)')
WENT_TO = re.compile(r'Destination: Built-in host \(127\.0\.0\.1:\d+\)')
NOT_AN_IMAGE = 'This is not an image the program can read.'
SUMMARY = '1 failed, 1 uploading, 1 waiting, 1 cannot be used'
TABLE = [
    (('image', 0), 'name', 'Picture of holding.png'),
    (('image', 0), 'description', 'Drop images or folders here to add them; Enter opens the file dialog.'),
    (('image', 0), 'states', {'focusable', 'showing'}),
    (('panel', 'Upload'), 'role', 'panel'),
    (('panel', 'Login (not required)'), 'role', 'panel'),
    (('panel', 'Modify image'), 'role', 'panel'),
    (('panel', 'Upload status'), 'role', 'panel'),
    (('push button', 'Browse'), 'role', 'push button'),
    (('push button', 'Browse'), 'description', 'Adds image files chosen in a file dialog (Ctrl+O).'),
    (('push button', 'Screenshot'), 'role', 'push button'),
    (('push button', 'Screenshot'), 'description', re.compile(r'Adds a screenshot of the whole screen;.*')),
    (('push button', 'More Captures'), 'role', 'push button'),
    (('push button', 'More Captures'), 'description', 'A region, a window or a delayed screenshot.'),
    (('push button', 'Clipboard'), 'role', 'push button'),
    (('push button', 'Clipboard'), 'description', 'Adds the image on the clipboard (Ctrl+V).'),
    (('push button', 'Rotate 90 deg CW'), 'role', 'push button'),
    (('push button', 'Rotate 90 deg CW'), 'description', 'Turns the highlighted image a quarter turn clockwise.'),
    (('push button', 'Rotate 90 deg CCW'), 'role', 'push button'),
    (('push button', 'Rotate 180 deg'), 'role', 'push button'),
    (('push button', 'Flip horizontally'), 'role', 'push button'),
    (('push button', 'Flip vertically'), 'role', 'push button'),
    (('push button', 'Flip vertically'), 'description', 'Mirrors the highlighted image top to bottom.'),
    (('push button', 'Upload All'), 'role', 'push button'),
    (('push button', 'Menu'), 'role', 'push button'),
    (('push button', 'Menu'), 'description', re.compile(r'Destinations, the history of uploads.*')),
    (('push button', 'Browse'), 'actions', ['Press', 'SetFocus']),
    (('push button', 'Upload All'), 'description', 'Uploads every waiting image (Ctrl+Shift+U).'),
    (('label', 'Username'), 'role', 'label'),
    (('text', 0), 'name', 'Username'),
    (('text', 0), 'description', re.compile(r'The user name for the built-in host;.*')),
    (('text', 0), 'states', {'editable', 'focusable'}),
    (('label', 'Password'), 'role', 'label'),
    (('password text', 0), 'name', 'Password'),
    (('password text', 0), 'description', re.compile(r'The password for the built-in host;.*')),
    (('password text', 0), 'states', {'editable', 'focusable'}),
    (('check box', 'Remember me (saves creds. as plaintext)'), 'actions', ['Toggle', 'SetFocus']),
    (('check box', 'Remember me (saves creds. as plaintext)'), 'description', re.compile(r'.*tarvello\.ini.*')),
    (('check box', 'Auto Upload'), 'states', {'focusable'}),
    (('check box', 'Auto Upload'), 'description', 'Uploads each image as soon as it is added.'),
    (('table', 0), 'name', 'Upload queue'),
    (('table', 0), 'description', re.compile(r'One row for each image: .* Enter on a cell does what a click does, .*')),
    (('table', 0), 'states', {'focusable', 'showing'}),
    (('table column header', 0), 'name', 'Filename'),
    (('table column header', 1), 'name', 'Upload'),
    (('table column header', 2), 'name', 'Description'),
    (('combo box', 0), 'name', BUILT_IN),
    (('combo box', 0), 'description', 'Where uploads go'),
    (('status bar', 0), 'name', SUMMARY),
    (('status bar', 0), 'description', 'What the queue holds, or what just happened.'),
    (('label', 'Tarvello uploader - images in, links out - V3.0c'), 'role', 'label'),

    (('waiting.png', 0), 'name', 'waiting.png'),
    (('waiting.png', 0), 'description', re.compile(r'(.*/)?waiting\.png')),
    (('waiting.png', 1), 'role', 'table cell'),
    (('waiting.png', 0), 'states', {'focusable', 'selectable'}),
    (('waiting.png', 1), 'name', 'Waiting; Enter uploads it'),
    (('waiting.png', 1), 'description', ''),
    (('waiting.png', 1), 'actions', ['Toggle']),
    (('waiting.png', 2), 'name', 'No description; Enter adds one'),
    (('holding.png', 1), 'name', 'Uploading... waiting for the host'),
    (('holding.png', 1), 'description', WENT_TO),
    (('holding.png', 2), 'name', 'No description'),
    (('failing.png', 1), 'name', 'Upload failed: HTTP status: 500 Internal Server Error'),
    (('failing.png', 1), 'description', re.compile(r'HTTP status: 500 Internal Server Error\nThe host said: out of disk\n'
                                                   + WENT_TO.pattern + r"\nCtrl\+R sends every failed row again; the row's menu \(Menu key\) has Upload again\.")),
    (('failing.png', 2), 'name', 'No description'),
    (('unusable.png', 0), 'name', 'unusable.png'),
    (('unusable.png', 0), 'description', re.compile(re.escape(NOT_AN_IMAGE) + r'\n(.*/)?unusable\.png')),
    (('unusable.png', 1), 'name', 'Cannot be used'),
    (('unusable.png', 1), 'description', NOT_AN_IMAGE),
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


def listen_for_names():
    """The names announced from now on, as (role, name): what a screen reader is told changed."""
    import pyatspi
    heard = []

    def on_event(event):
        try:
            heard.append((event.source.getRoleName(), event.source.name))
        except Exception:  # gone before we asked
            pass
    pyatspi.Registry.registerEventListener(on_event, 'object:property-change:accessible-name')
    return heard


def pump():
    """Delivers the events that arrived; they come through the main loop, which nothing else runs."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def until(seconds, test):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
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
    heard = listen_for_names()
    click_status('failing.png')
    if not until(20, lambda: not cell('failing.png', 1)['name'].startswith(('Waiting', 'Uploading...'))):
        print('FAIL: the first upload did not end: %r' % cell('failing.png', 1), file=sys.stderr)
        return 1
    click_status('holding.png')
    # The file is small: all of it is sent at once, and the row then waits for the host.
    if not until(20, lambda: cell('holding.png', 1)['name'] == 'Uploading... waiting for the host'):
        print('FAIL: the second upload did not start', file=sys.stderr)
        return 1
    # The status line settles once the failure and the start are both worded.
    until(5, lambda: read_tree()[0].get(('status bar', 0), {}).get('name') == SUMMARY)
    announced = until(5, lambda: ('status bar', SUMMARY) in heard)

    by_role, cells, lines = read_tree()
    print('\n'.join(lines))
    print('\nAnnounced names: %r\n' % sorted(set(heard)))
    failures = 0
    for where, field, expected in TABLE:
        seen = (cells if where[0] in ROWS else by_role).get(where, {}).get(field)
        shown = sorted(seen) if isinstance(seen, set) else seen
        if seen is not None and matches(expected, seen):
            print('ok       %s %s: %r' % (where, field, shown))
        else:
            print('FAIL     %s %s: %r, expected %r' % (where, field, shown, expected))
            failures += 1
    if announced:
        print('ok       the status line announced %r' % SUMMARY)
    else:
        print('FAIL     the status line did not announce %r' % SUMMARY)
        failures += 1
    print('%d passed, %d failed' % (len(TABLE) + 1 - failures, failures))
    return 1 if failures else 0


if __name__ == '__main__':
    if sys.argv[1] == 'host':
        fake_host(sys.argv[2])
    sys.exit(check())
