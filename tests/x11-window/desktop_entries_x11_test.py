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
import urllib.parse

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells, gnome_settings  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SHOTS = os.environ.get("ORBITDECK_SCREENSHOTS")
THEIR_FAVOURITES = """['org.gnome.Nautilus.desktop', 'tab\\there.desktop', "it's.desktop", \
'back\\\\slash.desktop', 'say "hi".desktop', 'café-日本.desktop']"""


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
        entries = {"quartz.desktop": entry("Quartz Viewer", f"{self.program} quartz %F")}
        with Session(APP, count=6, entries=entries, env=gnome_settings(), launch=False) as session:
            # Other programs' favourites, with quotes, backslashes, a tab and non-ASCII text.
            session.gsettings("set", "org.gnome.shell", "favorite-apps", THEIR_FAVOURITES)
            theirs = session.gsettings("get", "org.gnome.shell", "favorite-apps")
            session.start()
            report = session.wait_for(grid_with("quartz"), "the entry in the grid")
            session.focus()
            tile = next(cell for cell in cells(report) if cell.endswith("quartz"))

            def menu():
                session.click(session.state()["items"][tile], button=3)
                # Laid out: each entry below the one before (a menu just made reports all its
                # entries at its top for a frame).
                names = ("tile-menu-open", "tile-menu-reveal", "tile-menu-dock")
                return session.wait_for(
                    lambda r: all(a in r["items"] and b in r["items"]
                                  and r["items"][a]["y"] < r["items"][b]["y"]
                                  for a, b in zip(names, names[1:])), "the entry's tile menu")

            report = menu()
            self.assertNotIn("tile-menu-trash", report["items"],
                             "an entry belongs to the package manager")
            self.assertEqual(report["items"]["tile-menu-dock"]["text"], "Keep in Dock")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "desktop-entry-tile-menu.png"))
            session.click(report["items"]["tile-menu-dock"])
            kept = theirs[:-1] + ", 'quartz.desktop']"
            poll(lambda: session.gsettings("get", "org.gnome.shell", "favorite-apps") == kept,
                 "the entry kept after the others'")
            session.wait_for(lambda r: "tile-menu-dock" not in r["items"], "the menu closed")
            report = menu()
            self.assertEqual(report["items"]["tile-menu-dock"]["text"], "Remove from Dock")
            session.click(report["items"]["tile-menu-dock"])
            poll(lambda: session.gsettings("get", "org.gnome.shell", "favorite-apps") == theirs,
                 "the others' favourites back exactly")


    def test_show_in_files_opens_the_folder_else_says_no_file_manager_is_there(self):
        def reveal_first_tile(session):
            report = session.wait_for(lambda r: r["window"]["visible"] and len(cells(r)) >= 6,
                                      "the first grid")
            session.focus()
            session.click(report["items"][cells(report)[0]], button=3)
            # Laid out: a menu just made reports its entries at its top for a frame.
            report = session.wait_for(
                lambda r: "tile-menu-reveal" in r["items"] and "tile-menu-open" in r["items"]
                and r["items"]["tile-menu-open"]["y"] < r["items"]["tile-menu-reveal"]["y"],
                "the tile menu")
            self.assertNotIn("tile-menu-dock", report["items"], "no dock here keeps anything")
            session.click(report["items"]["tile-menu-reveal"])

        # No file manager on a bus (there is none), but the default application for folders.
        opener = {"files.desktop": entry("Folder Opener", f"{self.program} files %U",
                                         "MimeType=inode/directory;\nNoDisplay=true\n")}
        with Session(APP, count=6, entries=opener, launch=False) as session:
            with open(os.path.join(session.home, ".config", "mimeapps.list"), "w") as out:
                out.write("[Default Applications]\ninode/directory=files.desktop\n")
            session.start()
            reveal_first_tile(session)
            marker = os.path.join(self.markers, "files")
            session.wait_for_file(marker, "the folder opened by the default application")
            with open(marker) as written:
                opened = written.read().strip()
            # GIO hands a local folder over as a path (or as a file URI).
            if opened.startswith("file://"):
                opened = urllib.parse.unquote(urllib.parse.urlparse(opened).path)
            self.assertTrue(os.path.isdir(opened) and opened.startswith(session.home), opened)
        # Neither: the launcher says so.
        with Session(APP, count=6) as session:
            reveal_first_tile(session)
            session.wait_for(lambda r: r["state"]["toasts"]["text"] == "No file manager is installed",
                             "the toast that no file manager is there")


def poll(condition, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


if __name__ == "__main__":
    unittest.main()
