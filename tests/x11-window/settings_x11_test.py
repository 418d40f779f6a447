#!/usr/bin/env python3
"""The settings sheet in the real window under Xvfb: Ctrl+, opens it on the stored tab, a tab
click switches it, a switch changes what the window shows, Unhide shows a hidden app again, and
Escape closes it."""

import hashlib
import json
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import LAYOUT_KEY, Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def window_icon(session):
    """A digest of the window's _NET_WM_ICON property, the icon the desktop shows for it."""
    found = subprocess.run(["xprop", "-id", session.window_id(), "_NET_WM_ICON"],
                           capture_output=True, text=True, check=True).stdout
    return hashlib.sha1(found.encode()).hexdigest() if "=" in found else None


def red_at(item, across=0.5, down=0.88):
    """The red level (0-255) on screen at a point of item: low on the standard icon's dark blue
    ground, high on the sunset icon's."""
    x = item["x"] + int(item["w"] * across)
    y = item["y"] + int(item["h"] * down)
    pixel = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8",
                            "rgb:-"], capture_output=True, check=True).stdout
    return pixel[0]


class SettingsSheetTest(unittest.TestCase):
    def test_shortcut_opens_the_sheet_and_escape_closes_it(self):
        with Session(APP, count=12, defaults={"ambergrid.settingsTab": "appearance"}) as session:
            session.wait_for(loaded_grid, "the first grid")
            self.assertNotIn("settings-panel", session.state()["items"])
            session.focus()
            session.key("ctrl+comma")
            report = session.wait_for(lambda r: "skin-paper" in r["items"],
                                      "the sheet on the Appearance tab")
            self.assertTrue(report["state"]["lifecycle"]["appearanceOpen"])

            # The swatch row places and sizes its swatches in later layout passes than it reports
            # them (under load a report can show them still piled up): wait for a row in which
            # no swatch overlaps the next.
            def swatch_row(report):
                night, dusk, paper = (report["items"]["skin-" + name]
                                      for name in ("night", "dusk", "paper"))
                return (night["w"] > 0 and night["x"] + night["w"] <= dusk["x"]
                        and dusk["x"] + dusk["w"] <= paper["x"])
            session.wait_for(swatch_row, "the swatches laid out in a row")
            session.click(session.wait_for_settled("skin-paper", "the paper swatch"))
            session.wait_for(lambda r: r["state"]["settings"]["skin"] == "paper",
                             "the paper skin chosen")

            # The sidebar's buttons stacked one below the other, as for the swatches.
            session.wait_for(lambda r: r["items"]["settings-tab-shortcuts"]["y"]
                             + r["items"]["settings-tab-shortcuts"]["h"]
                             <= r["items"]["settings-tab-grid"]["y"], "the sidebar laid out")
            session.click(session.wait_for_settled("settings-tab-grid", "the Grid tab button"))
            session.wait_for(lambda r: "library-columns" in r["items"], "the Grid tab")

            session.key("Escape")
            report = session.wait_for(lambda r: "settings-panel" not in r["items"],
                                      "the sheet closed")
            self.assertFalse(report["state"]["lifecycle"]["appearanceOpen"])
            # The window stays up, and the next sheet opens on the tab last chosen.
            self.assertTrue(report["window"]["visible"])
            session.key("ctrl+comma")
            session.wait_for(lambda r: "library-columns" in r["items"], "the sheet on Grid again")


    def test_chosen_icon_shows_at_once_on_the_window_and_in_the_views(self):
        with Session(APP, count=12, defaults={"ambergrid.settingsTab": "appearance"}) as session:
            report = session.wait_for(loaded_grid, "the first grid")
            session.wait_for(lambda r: window_icon(session) is not None, "a window icon")
            before = window_icon(session)
            # Pictures are drawn some frames after their items are placed (a sheet also fades
            # in): the screen is polled, not read once.
            session.wait_for(lambda r: red_at(report["items"]["library-brand-icon"]) < 100,
                             "the standard icon in the top bar")
            session.focus()
            session.key("ctrl+comma")
            sidebar = session.wait_for_settled("settings-sidebar-icon", "the sidebar icon")
            session.wait_for(lambda r: red_at(sidebar) < 100, "the standard icon in the sidebar")
            session.click(session.wait_for_settled("app-icon-sunset", "the sunset icon cell"))
            session.wait_for(lambda r: window_icon(session) != before, "the window icon changed")
            session.wait_for(lambda r: red_at(sidebar) > 150, "the sunset icon in the sidebar")
            session.key("Escape")
            report = session.wait_for(lambda r: "settings-panel" not in r["items"],
                                      "the sheet closed")
            session.wait_for(lambda r: red_at(report["items"]["library-brand-icon"]) > 150,
                             "the sunset icon in the top bar")

    def test_check_for_updates_opens_the_download_page(self):
        # A browser stand-in, first on the launcher's PATH, that notes the address it is given.
        tools = tempfile.mkdtemp(prefix="orbitdeck-x11-tools-")
        self.addCleanup(shutil.rmtree, tools, ignore_errors=True)
        opened = os.path.join(tools, "opened-url")
        opener = os.path.join(tools, "xdg-open")
        with open(opener, "w") as out:
            out.write(f"#!/bin/sh\necho \"$1\" > '{opened}.part' && mv '{opened}.part' '{opened}'\n")
        os.chmod(opener, os.stat(opener).st_mode | stat.S_IEXEC)
        env = {"PATH": tools + os.pathsep + os.environ.get("PATH", "")}
        with Session(APP, count=12, env=env,
                     defaults={"ambergrid.settingsTab": "general"}) as session:
            session.wait_for(loaded_grid, "the first grid")
            session.focus()
            session.key("ctrl+comma")
            session.wait_for(lambda r: r["items"]["library-check-updates"]["enabled"],
                             "an enabled update button")
            session.click(session.wait_for_settled("library-check-updates", "the update button"))
            session.wait_for_file(opened, "the download page opened")
            with open(opened) as source:
                self.assertEqual(source.read().strip(), "https://orbitdeck.app/download")

    def test_unhide_in_the_organize_tab_brings_the_app_back_undoably(self):
        app0 = "bundle:dev.orbitdeck.sample.app0"
        tile = "library-cell-application:" + app0
        with Session(APP, count=12, defaults={"ambergrid.settingsTab": "organize",
                                              "ambergrid.hidden.v1": f'["{app0}"]'.encode()}) \
                as session:
            report = session.wait_for(loaded_grid, "the first grid")
            self.assertNotIn(tile, cells(report))
            session.focus()
            session.key("ctrl+comma")
            session.click(session.wait_for_settled("hidden-app-show-" + app0,
                                                   "the hidden app's Show button"))
            session.wait_for(lambda r: r["state"]["library"]["hiddenCount"] == 0,
                             "no app hidden any more")
            session.key("Escape")
            session.wait_for(lambda r: tile in cells(r), "the app back in the grid")
            # One undo step: Ctrl+Z hides it again.
            session.key("ctrl+z")
            session.wait_for(lambda r: r["state"]["library"]["hiddenCount"] == 1
                             and tile not in cells(r), "the app hidden again")

    def test_ungroup_all_folders_acts_only_once_confirmed_and_empties_every_folder(self):
        apps = [{"application": {"_0": f"bundle:dev.orbitdeck.sample.app{i}"}} for i in range(6)]
        folders = [{"id": {"rawValue": name}, "name": name, "items": apps[at:at + 2]}
                   for name, at in (("Work", 0), ("Play", 2))]
        page = [{"folder": {"_0": {"rawValue": "Work"}}}, {"folder": {"_0": {"rawValue": "Play"}}}]
        layout = json.dumps({"items": page + apps[4:], "folders": folders}).encode()
        with Session(APP, count=6, defaults={"ambergrid.settingsTab": "organize",
                                             LAYOUT_KEY: layout}) as session:
            report = session.wait_for(lambda r: len(cells(r)) == 4, "two folders and two apps")
            session.focus()
            session.key("ctrl+comma")
            session.click(session.wait_for_settled("organize-ungroup", "the Ungroup row"))
            button = "settings-ungroup-confirmation-ungroup"
            report = session.wait_for(lambda r: button in r["items"], "the confirmation")
            self.assertEqual(len(session.stored_layout().folders), 2, "nothing before the answer")
            session.click(session.wait_for_settled(button, "the destructive button"))
            layout = session.wait_for_layout(lambda l: not l.folders and len(l.items) == 6,
                                             "every folder gone, its apps on the page")
            self.assertEqual(layout.items[:4], [f"application:bundle:dev.orbitdeck.sample.app{i}"
                                                for i in range(4)])
            session.wait_for(lambda r: button not in r["items"], "the confirmation closed")


if __name__ == "__main__":
    unittest.main()
