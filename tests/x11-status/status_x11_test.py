#!/usr/bin/env python3
"""The launcher's status item on a private session bus: the item and its menu as a desktop's
status area reads them, and the menu's commands reaching the window and the process."""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "x11-window"))
from launcher_session import Session, cells  # noqa: E402

APP, CASE = sys.argv[1], sys.argv[2]


def gdbus(dest, path, method, *params):
    # "--" first: a parameter such as -1 would otherwise read as an option.
    command = ["gdbus", "call", "--session", "--dest", dest, "--object-path", path,
               "--method", method, "--", *params]
    done = subprocess.run(command, capture_output=True, text=True, timeout=10)
    if done.returncode != 0:
        raise AssertionError(f"{' '.join(command)}: {done.stderr}")
    return done.stdout


def bus_names():
    return gdbus("org.freedesktop.DBus", "/org/freedesktop/DBus",
                 "org.freedesktop.DBus.ListNames")


def wait_until(condition, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def item_name(pid):
    name = f"org.kde.StatusNotifierItem-{pid}-1"
    wait_until(lambda: name in bus_names(), f"the status item of process {pid}")
    return name


def menu_layout(name):
    out = gdbus(name, "/MenuBar", "com.canonical.dbusmenu.GetLayout", "0", "-1", "@as []")
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


def shown(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def appearance_open(report):
    return report["state"]["lifecycle"]["appearanceOpen"]


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def main():
    with Session(APP, count=12, bus=True) as session:
        session.wait_for(shown, "the first grid")
        name = item_name(session.process.pid)
        entries = menu_layout(name)

        if CASE == "menu":
            check([label for _, label, _ in entries] ==
                  ["Open Orbitdeck", "Settings…", "Check for Updates…", "separator",
                   "Orbitdeck 0.1.0", "separator", "Restart Orbitdeck", "Quit Orbitdeck"],
                  f"menu entries: {entries}")
            check([enabled for _, _, enabled in entries][4] is False, "version line enabled")
            menu = gdbus(name, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
                         "org.kde.StatusNotifierItem", "Menu")
            check("'/MenuBar'" in menu, f"menu path: {menu}")
            icon = gdbus(name, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
                         "org.kde.StatusNotifierItem", "IconPixmap")
            check(icon.startswith("(<[(44, 44, "), f"icon: {icon[:80]}")
            # Readable on light and on dark panels: the picture has opaque dark and light parts.
            values = [int(v, 16) for v in re.findall(r"0x([0-9a-f]{2})", icon)]
            pixels = [values[i:i + 4] for i in range(0, len(values) - 3, 4)]
            opaque = [0.2126 * r + 0.7152 * g + 0.0722 * b for a, r, g, b in pixels if a > 200]
            check(sum(1 for v in opaque if v < 80) > 100, "no dark part: lost on a light panel")
            check(sum(1 for v in opaque if v > 170) > 50, "no light part: lost on a dark panel")
            name = gdbus(name, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
                         "org.kde.StatusNotifierItem", "IconName")
            check("'dev.ambergrid.Orbitdeck'" in name, f"icon name: {name}")
        elif CASE == "settings":
            # Hidden first, as from the shortcut; the menu brings the window and then the sheet.
            session.focus()
            session.key("Escape")
            session.wait_for(lambda r: not r["window"]["visible"], "the launcher hidden")
            click(name, entries[1][0])
            report = session.wait_for(shown, "the launcher shown again")
            # The report is written with drawn frames, and the flag alone may draw nothing:
            # hovering over two tiles in turn keeps frames coming while it is polled.
            spots = [session.centre(report["items"][name]) for name in cells(report)[:2]]
            turn = [0]

            def opened(r):
                turn[0] += 1
                session.xdotool("mousemove", *spots[turn[0] % 2])
                return appearance_open(r)
            session.wait_for(opened, "the settings sheet open")
        elif CASE == "restart":
            old = session.process.pid
            click(name, entries[6][0])
            session.process.wait(20)
            check(session.process.returncode == 0, "restart did not quit cleanly")
            # The new process shows its grid and then owns an item of its own.
            names = wait_until(lambda: re.findall(r"org\.kde\.StatusNotifierItem-(\d+)-1",
                                                  bus_names()), "the restarted launcher")
            pid = int(names[0])
            check(pid != old, "the same process still holds the item")
            # It started after the old one had gone, so it owns the application's name.
            owner = gdbus("org.freedesktop.DBus", "/org/freedesktop/DBus",
                          "org.freedesktop.DBus.GetConnectionUnixProcessID",
                          "dev.ambergrid.Orbitdeck")
            check(f"uint32 {pid}," in owner, f"the name's owner: {owner}")
            os.kill(pid, 15)
            wait_until(lambda: f"StatusNotifierItem-{pid}-" not in bus_names(),
                       "the restarted launcher gone")
        elif CASE == "quit":
            # Through EventGroup, as newer status areas send their clicks.
            gdbus(name, "/MenuBar", "com.canonical.dbusmenu.EventGroup",
                  f"[({entries[7][0]}, 'clicked', <0>, uint32 0)]")
            session.process.wait(20)
            check(session.process.returncode == 0, "quit did not end the launcher cleanly")
            wait_until(lambda: name not in bus_names(), "the item gone from the bus")
        else:
            raise AssertionError(f"unknown case {CASE}")
    print(f"status_x11 {CASE}: ok")


if __name__ == "__main__":
    main()
