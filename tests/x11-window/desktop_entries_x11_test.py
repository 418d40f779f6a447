#!/usr/bin/env python3
"""Desktop entries in the real launcher under Xvfb: found beside the bundles, opened through GIO
by typing part of their name and Return (field codes removed), and a missing program answered
by the failure alert."""

import os
import shutil
import stat
import tempfile
import time
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SHOTS = os.environ.get("ORBITDECK_SCREENSHOTS")


def recorder(folder):
    """A program that writes its arguments, one a line, to folder/markers/<first argument>."""
    markers = os.path.join(folder, "markers")
    path = os.path.join(folder, "record")
    with open(path, "w") as out:
        out.write("#!/bin/sh\nname=\"$1\"; shift\nmkdir -p '%s'\n"
                  "printf '%%s\\n' \"$@\" > '%s/'\"$name.part\" && mv '%s/'\"$name.part\" '%s/'\"$name\"\n"
                  % (markers, markers, markers, markers))
    os.chmod(path, stat.S_IRWXU)
    return path, markers


def entry(name, exec_line, extra=""):
    return f"[Desktop Entry]\nType=Application\nName={name}\nExec={exec_line}\n{extra}"


def grid_with(*ids):
    def condition(report):
        shown = cells(report)
        return report["window"]["visible"] and all(
            any(cell.endswith(app_id) for cell in shown) for app_id in ids)
    return condition


class DesktopEntriesTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="orbitdeck-entries-")
        self.program, self.markers = recorder(self.folder)

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_typing_and_return_open_the_entry_through_gio(self):
        entries = {"tools/quill.desktop": entry("Quill Recorder",
                                                f"{self.program} quill --one %U %f"),
                   "quartz.desktop": entry("Quartz Viewer", f"{self.program} quartz %F")}
        with Session(APP, count=6, entries=entries) as session:
            # The subfolder gives the desktop-file id "tools-quill.desktop".
            session.wait_for(grid_with("tools-quill", "quartz"), "the entries in the grid")
            session.focus()
            session.type("quil")
            report = session.wait_for(
                lambda r: len(cells(r)) == 1 and cells(r)[0].endswith("tools-quill"),
                "the grid narrowed to the entry")
            self.assertTrue(report["items"][cells(report)[0]]["highlighted"])
            session.key("Return")
            marker = os.path.join(self.markers, "quill")
            session.wait_for_file(marker, "the entry's marker")
            with open(marker) as written:
                self.assertEqual(written.read(), "--one\n", "field codes are removed")
            self.assertFalse(os.path.exists(os.path.join(self.markers, "quartz")))
            session.wait_for(lambda r: not r["window"]["visible"], "the window hidden")

    def test_a_missing_program_shows_the_failure_alert(self):
        entries = {"quartz.desktop": entry("Quartz Viewer", f"{self.program} quartz %F")}
        zephyr = os.path.join(self.folder, "zephyr")
        shutil.copy(self.program, zephyr)
        with Session(APP, count=6, entries=entries) as session:
            session.wait_for(grid_with("quartz"), "the first grid")
            # An entry whose program is not there is not listed at all.
            with open(os.path.join(session.applications, "absent.desktop"), "w") as out:
                out.write(entry("Absent Program", "/nonexistent/absent %U"))
            with open(os.path.join(session.applications, "zephyr.desktop"), "w") as out:
                out.write(entry("Zephyr Missing", f"{zephyr} %U"))
            # The folder watcher brings the new entry in.
            report = session.wait_for(grid_with("zephyr"), "the entry in the grid", timeout=30)
            self.assertFalse(any(cell.endswith("absent") for cell in cells(report)))
            # Its program goes away after the grid listed it.
            os.remove(zephyr)
            session.focus()
            session.type("zeph")
            session.wait_for(lambda r: len(cells(r)) == 1 and cells(r)[0].endswith("zephyr"),
                             "the grid narrowed to the entry")
            session.key("Return")
            report = session.wait_for(lambda r: "open-failure-alert-ok" in r["items"],
                                      "the failure alert")
            self.assertTrue(report["window"]["visible"], "the launcher stays up")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "desktop-entry-open-failure.png"))

    def test_the_tile_menu_keeps_entries_in_gnome_favourites_and_out_of_the_trash(self):
        # A gsettings that keeps org.gnome.shell favorite-apps in a file.
        favourites = os.path.join(self.folder, "favorite-apps")
        with open(favourites, "w") as out:
            out.write("['org.gnome.Nautilus.desktop']\n")
        bin_folder = os.path.join(self.folder, "bin")
        os.makedirs(bin_folder)
        with open(os.path.join(bin_folder, "gsettings"), "w") as out:
            out.write("#!/bin/sh\n[ \"$2 $3\" = 'org.gnome.shell favorite-apps' ] || exit 1\n"
                      f"case \"$1\" in get) cat '{favourites}' ;; "
                      f"set) printf '%s\\n' \"$4\" > '{favourites}' ;; *) exit 1 ;; esac\n")
        os.chmod(os.path.join(bin_folder, "gsettings"), stat.S_IRWXU)
        entries = {"quartz.desktop": entry("Quartz Viewer", f"{self.program} quartz %F")}
        env = {"PATH": bin_folder + os.pathsep + os.environ["PATH"],
               "XDG_CURRENT_DESKTOP": "GNOME"}
        with Session(APP, count=6, entries=entries, env=env) as session:
            report = session.wait_for(grid_with("quartz"), "the entry in the grid")
            session.focus()
            tile = next(cell for cell in cells(report) if cell.endswith("quartz"))
            session.click(report["items"][tile], button=3)
            # Laid out: each entry below the one before (a menu just made reports all its
            # entries at its top for a frame).
            names = ("tile-menu-open", "tile-menu-reveal", "tile-menu-dock")
            report = session.wait_for(
                lambda r: all(r["items"][a]["y"] < r["items"][b]["y"]
                              for a, b in zip(names, names[1:])), "the entry's tile menu")
            self.assertNotIn("tile-menu-trash", report["items"],
                             "an entry belongs to the package manager")
            self.assertEqual(report["items"]["tile-menu-dock"]["text"], "Keep in Dock")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "desktop-entry-tile-menu.png"))
            session.click(report["items"]["tile-menu-dock"])
            deadline = time.monotonic() + 20
            while time.monotonic() < deadline:
                with open(favourites) as written:
                    if "quartz" in written.read():
                        break
                time.sleep(0.05)
            with open(favourites) as written:
                self.assertEqual(written.read(),
                                 "['org.gnome.Nautilus.desktop', 'quartz.desktop']\n")


if __name__ == "__main__":
    unittest.main()
