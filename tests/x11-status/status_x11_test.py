#!/usr/bin/env python3
"""The launcher's status item on a private session bus, read as a desktop's status area reads
it: registered with a (fake) StatusNotifierWatcher, its properties and menu read over the bus
with gdbus, its activation and menu commands reaching the window and the process."""

import os
import queue
import re
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "x11-window"))
from launcher_session import Session, cells  # noqa: E402

APP, WATCHER, CASE = sys.argv[1], sys.argv[2], sys.argv[3]
ITEM_PATH = "/StatusNotifierItem"
ITEM = "org.kde.StatusNotifierItem"
MENU_LABELS = ["Open Orbitdeck", "Settings…", "Check for Updates…", "separator",
               "Orbitdeck 0.1.0", "separator", "Restart Orbitdeck", "Quit Orbitdeck"]


def gdbus(dest, path, method, *params):
    # "--" first: a parameter such as -1 would otherwise read as an option.
    command = ["gdbus", "call", "--session", "--dest", dest, "--object-path", path,
               "--method", method, "--", *params]
    done = subprocess.run(command, capture_output=True, text=True, timeout=10)
    if done.returncode != 0:
        raise AssertionError(f"{' '.join(command)}: {done.stderr}")
    return done.stdout


def bus_call(method, *params):
    return gdbus("org.freedesktop.DBus", "/org/freedesktop/DBus", f"org.freedesktop.DBus.{method}",
                 *params)


def bus_names():
    return bus_call("ListNames")


def owner(name):
    return re.fullmatch(r"\('(.*)',\)\s*", bus_call("GetNameOwner", name)).group(1)


def wait_until(condition, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


class PrivateBus:
    """A session bus of the test's own, made the session bus of everything started after it."""

    def __enter__(self):
        self.daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                       stdout=subprocess.PIPE, text=True)
        address = self.daemon.stdout.readline().strip()
        check(address, "dbus-daemon printed no address")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        return self

    def __exit__(self, *exc):
        self.daemon.terminate()
        self.daemon.wait(10)


class Watcher:
    """The fake StatusNotifierWatcher: holds the watcher's name (replace: taking it from the
    one there) and reports each registration it receives."""

    def __init__(self, replace=False):
        self.process = subprocess.Popen([WATCHER] + (["--replace"] if replace else []),
                                        stdout=subprocess.PIPE, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        self.unique = self._next("ready")[0]

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.split())
        self.lines.put(None)

    def _next(self, kind, timeout=20.0):
        try:
            line = self.lines.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError(f"the watcher received no {kind} in {timeout} s") from None
        check(line is not None, f"the watcher ended ({self.process.poll()}) before {kind}")
        check(line[0] == kind, f"the watcher said {line}, not {kind}")
        return line[1:]

    def registration(self, timeout=20.0):
        """The next item that registered: (service, sender)."""
        service, sender = self._next("registered", timeout)
        return service, sender

    def close(self):
        self.process.terminate()
        self.process.wait(10)


def item_name(pid):
    name = f"{ITEM}-{pid}-1"
    wait_until(lambda: name in bus_names(), f"the status item of process {pid}")
    return name


def expect_registered(watcher, name):
    """The watcher heard from the item under its own name, sent by the connection holding it:
    a host takes the name as a service with the item at /StatusNotifierItem."""
    service, sender = watcher.registration()
    check(service == name, f"registered {service}, the item is {name}")
    check(sender == owner(name), f"registered by {sender}, the item's name is {owner(name)}'s")


def menu_layout(name, path):
    out = gdbus(name, path, "com.canonical.dbusmenu.GetLayout", "0", "-1", "@as []")
    entries = []
    for child in re.finditer(r"<\((\d+), \{(.*?)\}, @av \[\]\)>", out):
        props = child.group(2)
        label = re.search(r"'label': <'((?:[^'\\]|\\.)*)'>", props)
        enabled = "'enabled': <false>" not in props
        kind = "separator" if "'type': <'separator'>" in props else "item"
        entries.append((int(child.group(1)), label.group(1) if label else kind, enabled))
    return entries


def click(name, entry_id):
    gdbus(name, "/MenuBar", "com.canonical.dbusmenu.Event", str(entry_id), "clicked", "<0>", "0")


def entry_id(entries, label):
    return next(entry for entry, text, _ in entries if text == label)


def shown(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def hide(session):
    session.focus()
    session.key("Escape")
    session.wait_for(lambda r: not r["window"]["visible"], "the launcher hidden")


def appearance_open(report):
    return report["state"]["lifecycle"]["appearanceOpen"]


def check_item(name):
    """The item's properties and menu, read as a host reads them: all properties at once, then
    the menu at the path the item names."""
    props = gdbus(name, ITEM_PATH, "org.freedesktop.DBus.Properties.GetAll", ITEM)
    for expected in ["'Id': <'orbitdeck'>", "'Title': <'Orbitdeck'>", "'Status': <'Active'>",
                     "'Category': <'ApplicationStatus'>", "'ItemIsMenu': <true>",
                     "'IconName': <'dev.ambergrid.Orbitdeck'>"]:
        check(expected in props, f"{expected} not among the item's properties: {props[:300]}")
    menu = re.search(r"'Menu': <objectpath '([^']*)'>", props)
    check(menu, f"no menu path: {props[:300]}")
    icon = re.search(r"'IconPixmap': <\[\((\d+), (\d+), \[([^\]]*)\]\)\]>", props)
    check(icon and icon.group(1, 2) == ("44", "44"), f"icon: {props[:300]}")
    # Readable on light and on dark panels: the picture has opaque dark and light parts.
    values = [int(v, 16) for v in re.findall(r"0x([0-9a-f]{2})", icon.group(3))]
    pixels = [values[i:i + 4] for i in range(0, len(values) - 3, 4)]
    check(len(pixels) == 44 * 44, f"{len(pixels)} pixels in a 44×44 icon")
    opaque = [0.2126 * r + 0.7152 * g + 0.0722 * b for a, r, g, b in pixels if a > 200]
    check(sum(1 for v in opaque if v < 80) > 100, "no dark part: lost on a light panel")
    check(sum(1 for v in opaque if v > 170) > 50, "no light part: lost on a dark panel")

    entries = menu_layout(name, menu.group(1))
    check([label for _, label, _ in entries] == MENU_LABELS, f"menu entries: {entries}")
    check([enabled for _, _, enabled in entries] == [True] * 4 + [False] + [True] * 3,
          f"enabled entries: {entries}")


def main():
    with PrivateBus():
        # Present from the start, as on a desktop with a status area.
        watcher = None if CASE == "late_watcher" else Watcher()
        try:
            with Session(APP, count=12, bus=True) as session:
                run(session, watcher)
        finally:
            if watcher:
                watcher.close()
    print(f"status_x11 {CASE}: ok")


def run(session, watcher):
    session.wait_for(shown, "the first grid")
    name = item_name(session.process.pid)
    if watcher:
        expect_registered(watcher, name)
    entries = menu_layout(name, "/MenuBar")

    if CASE == "item":
        check_item(name)
    elif CASE == "late_watcher":
        # No status area at the start is no error: the item waits on the bus...
        check(session.process.poll() is None, "the launcher ended without a watcher")
        # ...for a watcher that appears later, one that takes the name over from it, and one
        # that appears after the name was left.
        first = Watcher()
        expect_registered(first, name)
        second = Watcher(replace=True)
        try:
            check(owner("org.kde.StatusNotifierWatcher") == second.unique, "no takeover")
            expect_registered(second, name)
        finally:
            second.close()
            first.close()
        wait_until(lambda: "org.kde.StatusNotifierWatcher" not in bus_names(), "no watcher")
        third = Watcher()
        try:
            expect_registered(third, name)
        finally:
            third.close()
    elif CASE == "activate":
        # A primary click where the host does not open the menu, then the menu's first entry.
        hide(session)
        gdbus(name, ITEM_PATH, f"{ITEM}.Activate", "0", "0")
        session.wait_for(shown, "the launcher shown by Activate")
        hide(session)
        click(name, entry_id(entries, "Open Orbitdeck"))
        session.wait_for(shown, "the launcher shown by the menu")
    elif CASE == "settings":
        # Hidden first, as from the shortcut; the menu brings the window and then the sheet.
        hide(session)
        click(name, entry_id(entries, "Settings…"))
        report = session.wait_for(shown, "the launcher shown again")
        # The report is written with drawn frames, and the flag alone may draw nothing:
        # hovering over two tiles in turn keeps frames coming while it is polled.
        spots = [session.centre(report["items"][cell]) for cell in cells(report)[:2]]
        turn = [0]

        def opened(r):
            turn[0] += 1
            session.xdotool("mousemove", *spots[turn[0] % 2])
            return appearance_open(r)
        session.wait_for(opened, "the settings sheet open")
    elif CASE == "restart":
        old = session.process.pid
        click(name, entry_id(entries, "Restart Orbitdeck"))
        session.process.wait(20)
        check(session.process.returncode == 0, "restart did not quit cleanly")
        # The new process shows its grid and then owns an item of its own, and registers it.
        names = wait_until(lambda: re.findall(rf"{ITEM}-(\d+)-1", bus_names()),
                           "the restarted launcher")
        pid = int(names[0])
        check(pid != old, "the same process still holds the item")
        expect_registered(watcher, f"{ITEM}-{pid}-1")
        # It started after the old one had gone, so it owns the application's name.
        owner_pid = bus_call("GetConnectionUnixProcessID", "dev.ambergrid.Orbitdeck")
        check(f"uint32 {pid}," in owner_pid, f"the name's owner: {owner_pid}")
        os.kill(pid, 15)
        wait_until(lambda: f"StatusNotifierItem-{pid}-" not in bus_names(),
                   "the restarted launcher gone")
    elif CASE == "quit":
        # Through EventGroup, as newer status areas send their clicks.
        gdbus(name, "/MenuBar", "com.canonical.dbusmenu.EventGroup",
              f"[({entry_id(entries, 'Quit Orbitdeck')}, 'clicked', <0>, uint32 0)]")
        session.process.wait(20)
        check(session.process.returncode == 0, "quit did not end the launcher cleanly")
        wait_until(lambda: name not in bus_names(), "the item gone from the bus")
    else:
        raise AssertionError(f"unknown case {CASE}")


if __name__ == "__main__":
    main()
