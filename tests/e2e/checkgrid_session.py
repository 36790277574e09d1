"""Drives the real checkgrid program from outside, as a user and a screen reader do.

A scenario runs in three layers of processes:

  outer   this module's main(): starts Xvfb, then runs the inner layer under
          dbus-run-session (a private session bus, on which the accessibility
          bus is started on demand), and kills whatever is left afterwards;
  inner   the scenario itself: starts checkgrid with Qt's accessibility bridge
          on, clicks and types with xdotool at the controls' real positions and
          reads back what assistive technology sees (pyatspi) and what is on
          the screen (import -window root);
  program build/bin/checkgrid, started and ended by the inner layer.

Every wait polls a condition with a deadline, so a scenario never hangs: the
inner layer has ALARM_SECONDS in all, the outer one kills it after
OUTER_SECONDS. Where Xvfb cannot start, the scenario is skipped (exit 77).

Run by ctest through the scripts beside this file; by hand:
  /usr/bin/python3 tests/e2e/scenario_typical_event.py \
      --program build/bin/checkgrid --closer build/bin/send-close-request \
      --shots /tmp/shots
"""

import argparse
import os
import select
import shutil
import signal
import subprocess
import sys
import time
import traceback

SKIP = 77
ALARM_SECONDS = 90
OUTER_SECONDS = 105
INNER_MARK = "CHECKGRID_E2E_INNER"

# Positions of the controls in the window's client area, as stored in the
# window description (96 dpi; Xvfb runs at 96 dpi, so nothing is scaled).
STORED_TEXTS = {"DBText1": (112, 104), "DBText2": (288, 104), "DBText3": (472, 104)}
BOX_FIELDS = {"DBCheckBox1": "StrShowCheck", "DBCheckBox2": "AInt", "DBCheckBox3": "ABoolean"}
COLUMNS = ["AInt", "AStr", "ABoolean", "StrShowCheck"]
CHECK_COLUMNS = ["AInt", "ABoolean", "StrShowCheck"]


class Skipped(Exception):
    pass


class Failed(AssertionError):
    pass


# ---------------------------------------------------------------- outer layer

def _parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--closer", required=True,
                        help="helper that sends a window the close request a window manager sends")
    parser.add_argument("--shots", required=True, help="folder for the screenshots")
    return parser.parse_args()


def _start_xvfb():
    """Starts Xvfb on a free display; returns (process, ':N'). Raises Skipped."""
    if not shutil.which("Xvfb"):
        raise Skipped("Xvfb is not installed")
    read_end, write_end = os.pipe()
    try:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            start_new_session=True)
    except OSError as error:
        raise Skipped(f"Xvfb could not start: {error}")
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline and not number.endswith(b"\n"):
        ready, _, _ = select.select([read_end], [], [], 0.2)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip():
        _stop(xvfb)
        error = xvfb.stderr.read().decode(errors="replace").strip().splitlines()[-3:]
        raise Skipped("Xvfb could not start: " + " / ".join(error))
    return xvfb, ":" + number.decode().strip()


def _stop(process, group=False):
    if process.poll() is None:
        try:
            if group:
                os.killpg(process.pid, signal.SIGTERM)
            else:
                process.terminate()
            process.wait(timeout=5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            if group:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            else:
                process.kill()
            process.wait()


def _end_group(group):
    """Ends every process left in a process group, waiting up to 5 s for them
    to go before killing them."""
    try:
        os.killpg(group, signal.SIGTERM)
    except ProcessLookupError:
        return
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        try:
            os.killpg(group, 0)
        except ProcessLookupError:
            return
        time.sleep(0.05)
    try:
        os.killpg(group, signal.SIGKILL)
    except ProcessLookupError:
        pass


def main(scenario):
    """Entry of every scenario script: `scenario(window_factory)` does the checks."""
    args = _parse_args()
    if os.environ.get(INNER_MARK) == "1":
        sys.exit(_run_inner(scenario, args))
    for tool in ("xdotool", "import", "convert", "dbus-run-session"):
        if not shutil.which(tool):
            print(f"FAILED: {tool} is not installed (make deps installs it)")
            sys.exit(1)
    try:
        xvfb, display = _start_xvfb()
    except Skipped as why:
        print(f"SKIPPED: {why}")
        sys.exit(SKIP)
    inner = None

    def on_signal(number, _frame):
        raise SystemExit(128 + number)

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)
    try:
        env = dict(os.environ, DISPLAY=display, **{INNER_MARK: "1"})
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        inner = subprocess.Popen(
            ["dbus-run-session", "--", sys.executable] + sys.argv,
            env=env, start_new_session=True)
        try:
            code = inner.wait(timeout=OUTER_SECONDS)
        except subprocess.TimeoutExpired:
            print(f"FAILED: the scenario did not end within {OUTER_SECONDS} s")
            code = 1
    finally:
        # Whatever the session bus started (accessibility bus, registry) and a
        # program the scenario could not end are in the inner process group.
        if inner is not None:
            _stop(inner, group=True)
            _end_group(inner.pid)
        _stop(xvfb)
    sys.exit(code)


def _run_inner(scenario, args):
    def on_alarm(_number, _frame):
        raise Failed(f"the scenario took longer than {ALARM_SECONDS} s")

    def on_signal(number, _frame):
        raise SystemExit(128 + number)

    signal.signal(signal.SIGALRM, on_alarm)
    signal.signal(signal.SIGTERM, on_signal)
    signal.alarm(ALARM_SECONDS)
    os.makedirs(args.shots, exist_ok=True)
    _import_accessibility()
    started = []

    def start_window():
        window = Window(args.program, args.closer, args.shots)
        started.append(window)
        window.start()
        return window

    began = time.monotonic()
    try:
        scenario(start_window)
    except Failed as failure:
        print(f"FAILED: {failure}")
        traceback.print_exc()
        return 1
    finally:
        for window in started:
            window.kill()
        signal.alarm(0)
    print(f"passed in {time.monotonic() - began:.1f} s; screenshots in {args.shots}")
    return 0


# ---------------------------------------------------------------- inner layer

# Imported by the inner layer only: the outer one has no accessibility bus.
pyatspi = None
GLib = None


def _import_accessibility():
    global pyatspi, GLib
    import pyatspi as atspi_module
    from gi.repository import GLib as glib_module
    pyatspi, GLib = atspi_module, glib_module


def wait_for(description, probe, timeout=8.0, interval=0.03):
    """Polls probe() until it returns a true value; returns that value. A probe
    that fails a check, or asks an object that vanished while the window
    changed, counts as not yet."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            last = probe()
        except (Failed, GLib.Error) as error:
            last = error
        if last and not isinstance(last, Exception):
            return last
        if time.monotonic() > deadline:
            raise Failed(f"timed out waiting for {description} (last seen: {last!r})")
        time.sleep(interval)


def check(condition, message):
    if not condition:
        raise Failed(message)


def states(accessible):
    return accessible.getState()


def is_checked(accessible):
    return states(accessible).contains(pyatspi.STATE_CHECKED)


def is_mixed(accessible):
    return states(accessible).contains(pyatspi.STATE_INDETERMINATE)


def is_checkable(accessible):
    """Whether the object is a check box: Qt's bridge passes no "checkable"
    state on, so this asks for its toggle action."""
    if states(accessible).contains(pyatspi.STATE_CHECKABLE):
        return True
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return False
    return any(action.getName(i) == "Toggle" for i in range(action.nActions))


def is_enabled(accessible):
    s = states(accessible)
    return s.contains(pyatspi.STATE_ENABLED) and s.contains(pyatspi.STATE_SENSITIVE)


def is_focused(accessible):
    return states(accessible).contains(pyatspi.STATE_FOCUSED)


def box_state(accessible):
    """'checked', 'mixed' or 'clear' as a screen reader announces the box."""
    if is_mixed(accessible):
        return "mixed"
    return "checked" if is_checked(accessible) else "clear"


def extents(accessible):
    e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def descendants(accessible):
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


class Window:
    """The running program and its one window, as seen from outside."""

    def __init__(self, program, closer, shots):
        self.program = program
        self.closer = closer
        self.shots = shots
        self.process = None
        self.app = None
        self.frame = None
        self.xid = None
        self.shot_count = 0
        self.last_click = None

    # -- life

    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", XDG_RUNTIME_DIR=self._runtime_dir())
        self.process = subprocess.Popen([self.program], env=env)
        desktop = pyatspi.Registry.getDesktop(0)

        def find_app():
            check(self.process.poll() is None, "checkgrid ended while starting")
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            return None

        self.app = wait_for("checkgrid on the accessibility bus", find_app, timeout=20)
        self.frame = wait_for("the window Form1", lambda: self.top_level("Form1"))
        self.xid = wait_for("the X window Form1", lambda: self._xdotool_search("^Form1$"))
        self.take_keyboard(self.xid)
        self.grid = self.find(pyatspi.ROLE_TABLE)
        self.origin = extents(self.frame)[:2]
        wait_for("the grid holding the focus", lambda: self.focused_control() == "DBGrid1")

    def _runtime_dir(self):
        path = os.path.join(self.shots, "runtime")
        os.makedirs(path, mode=0o700, exist_ok=True)
        return path

    def close(self):
        """Asks the window to close, as a window manager's close button or
        Alt+F4 does (WM_DELETE_WINDOW); returns the exit code."""
        subprocess.run([self.closer, self.xid], check=True, timeout=10)
        try:
            return self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failed("the program did not end after the close request")

    def kill(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    # -- X input

    def xdo(self, *args):
        try:
            result = subprocess.run(["xdotool"] + [str(a) for a in args], capture_output=True,
                                    text=True, timeout=10)
        except subprocess.TimeoutExpired:
            raise Failed(f"xdotool {' '.join(map(str, args))} did not finish")
        if result.returncode != 0 and args[0] != "search":
            raise Failed(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout.strip()

    def _xdotool_search(self, name):
        found = self.xdo("search", "--all", "--onlyvisible", "--pid", self.process.pid, "--name", name)
        return found.splitlines()[0] if found else None

    # Two presses closer than this in time and place make a double-click (the
    # toolkit's default interval is 400 ms), which a scenario's separate clicks
    # must not become.
    DOUBLE_CLICK_SECONDS = 0.6
    DOUBLE_CLICK_DISTANCE = 10

    def click_at(self, x, y, button=1):
        if self.last_click:
            lx, ly, at = self.last_click
            wait = at + self.DOUBLE_CLICK_SECONDS - time.monotonic()
            if wait > 0 and abs(x - lx) <= self.DOUBLE_CLICK_DISTANCE \
                    and abs(y - ly) <= self.DOUBLE_CLICK_DISTANCE:
                time.sleep(wait)
        # One xdotool call: the server takes the move before the press. (Its
        # --sync waits for ever now and then when the pointer is already close.)
        self.xdo("mousemove", x, y, "click", button)
        self.last_click = (x, y, time.monotonic())

    def click(self, accessible, dx=None, dy=None):
        """A left click in the accessible object's box: its centre, or dx, dy
        from its top-left corner."""
        x, y, w, h = extents(accessible)
        self.click_at(x + (w // 2 if dx is None else dx), y + (h // 2 if dy is None else dy))

    def key(self, *keys):
        self.xdo("key", "--clearmodifiers", *keys)

    def press(self, hint):
        """A click on the navigator button with this hint text."""
        button = self.nav(hint)
        check(is_enabled(button), f"navigator button {hint!r} is not enabled")
        self.click(button)

    # -- reading what assistive technology sees

    def refresh(self):
        self.app.clear_cache()

    def top_level(self, name):
        self.refresh()
        for i in range(self.app.childCount):
            child = self.app.getChildAtIndex(i)
            if child is not None and child.name == name:
                return child
        return None

    def find(self, role, name=None, root=None):
        for child in descendants(root or self.frame):
            if child.getRole() == role and (name is None or child.name == name):
                return child
        raise Failed(f"no {role} named {name!r} in the window")

    def checkbox(self, control):
        self.refresh()
        return self.find(pyatspi.ROLE_CHECK_BOX, BOX_FIELDS[control])

    def nav(self, hint):
        self.refresh()
        return self.find(pyatspi.ROLE_PUSH_BUTTON, hint)

    def text(self, control):
        """The name of a field-bound text, found at its stored place."""
        self.refresh()
        want = (self.origin[0] + STORED_TEXTS[control][0], self.origin[1] + STORED_TEXTS[control][1])
        for child in descendants(self.frame):
            if child.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) \
                    and extents(child)[:2] == want:
                return child.name
        raise Failed(f"{control} is not at its stored place {want}")

    def label(self, name):
        """The label or field-bound text that reads `name`, or None."""
        self.refresh()
        for child in descendants(self.frame):
            if child.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and child.name == name:
                return child
        return None

    def texts(self):
        return {name: self.text(name) for name in STORED_TEXTS}

    def boxes(self):
        return {name: box_state(self.checkbox(name)) for name in BOX_FIELDS}

    def enabled_buttons(self):
        self.refresh()
        bar = self.find(pyatspi.ROLE_TOOL_BAR, "DBNavigator1")
        return {b.name for b in descendants(bar) if is_enabled(b)}

    def table(self):
        self.refresh()
        return self.grid.queryTable()

    def cell(self, row, column):
        table = self.table()
        return table.getAccessibleAt(row, COLUMNS.index(column))

    def rows(self):
        """Each shown row as {column: (name, box state or None)}."""
        table = self.table()
        check([table.getColumnDescription(c) for c in range(table.nColumns)] == COLUMNS,
              "the grid's columns are not AInt, AStr, ABoolean, StrShowCheck")
        shown = []
        for r in range(table.nRows):
            row = {}
            for c, column in enumerate(COLUMNS):
                cell = table.getAccessibleAt(r, c)
                cell.clear_cache()
                row[column] = (cell.name, box_state(cell) if is_checkable(cell) else None)
            shown.append(row)
        return shown

    def focused_control(self):
        """Which control holds the keyboard focus: a box's name, DBGrid1,
        DBNavigator1, or None."""
        self.refresh()
        if is_focused(self.grid) or any(is_focused(c) for c in descendants(self.grid)):
            return "DBGrid1"
        for control in BOX_FIELDS:
            if is_focused(self.find(pyatspi.ROLE_CHECK_BOX, BOX_FIELDS[control])):
                return control
        if is_focused(self.find(pyatspi.ROLE_TOOL_BAR, "DBNavigator1")):
            return "DBNavigator1"
        return None

    def focused_cell(self):
        """(row, column) of the grid's focused cell."""
        table = self.table()
        for r in range(table.nRows):
            for c in range(table.nColumns):
                if is_focused(table.getAccessibleAt(r, c)):
                    return r, COLUMNS[c]
        return None

    # -- message boxes

    def message_box(self, caption):
        """Waits for a box of the program with this caption; returns
        (accessible, its text as read aloud, its button names, X window)."""
        box = wait_for(f"the message box {caption!r}", lambda: self.top_level(caption))
        texts = [c.name for c in descendants(box)
                 if c.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and c.name]
        buttons = [c.name for c in descendants(box) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        xid = wait_for(f"the X window of {caption!r}",
                       lambda: self._xdotool_search(f"^{caption}$"))
        return box, texts, buttons, xid

    def answer(self, caption, key):
        """Answers the box with a key, as the user does, and waits until it is gone."""
        xid = wait_for(f"the X window of {caption!r}",
                       lambda: self._xdotool_search(f"^{caption}$"))
        self.take_keyboard(xid)
        self.key(key)
        wait_for(f"the box {caption!r} to close", lambda: self.top_level(caption) is None)
        # The keyboard falls back to the root window; a window manager would
        # hand it to the main window again.
        self.take_keyboard(self.xid, patience=0.3)

    def take_keyboard(self, xid, patience=2.0):
        """Waits until the X window holds the keyboard, as the program asks
        when it shows a window. Where it does not arrive, the focus is given
        as a window manager would."""
        try:
            wait_for(f"the keyboard in window {xid}",
                     lambda: self.xdo("getwindowfocus") == str(xid), timeout=patience)
        except Failed:
            self.xdo("windowfocus", "--sync", xid)

    # -- screenshots

    def screenshot(self, label):
        self.shot_count += 1
        path = os.path.join(self.shots, f"{self.shot_count:02d}-{label}.png")
        subprocess.run(["import", "-window", "root", path], check=True, timeout=20)
        return path


def region_signature(path, rect):
    """A digest of the pixels in rect = (x, y, w, h) of a screenshot."""
    x, y, w, h = rect
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                          "-format", "%#", "info:"], capture_output=True, text=True,
                         check=True, timeout=20)
    return out.stdout.strip()


def region_colours(path, rect):
    """How many different colours the pixels in rect have."""
    x, y, w, h = rect
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                          "-format", "%k", "info:"], capture_output=True, text=True,
                         check=True, timeout=20)
    return int(out.stdout.strip())


def box_square(cell_rect, size=16):
    """A square of `size` centred in a cell the way the grid centres its box
    (left + w div 2 - size div 2), so that equal boxes give equal pixels."""
    x, y, w, h = cell_rect
    return x + w // 2 - size // 2, y + h // 2 - size // 2, size, size
