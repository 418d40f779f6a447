#!/usr/bin/env python3
"""The real launcher against hostile files and other writers: a FIFO in place of its settings,
a script writing the settings while it runs, and the application folder renamed away and back."""

import os
import plistlib
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SAFARI = ("Safari", "com.example.safari")
COUNTS = "ambergrid.openCount.v1"
DATES = "ambergrid.lastOpened.v1"
HIDDEN = "ambergrid.hidden.v1"


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def read_plist(path):
    with open(path, "rb") as source:
        return plistlib.load(source)


def write_plist(path, values):
    """Another program's write: whole file, replaced at once."""
    temporary = path + ".script"
    with open(temporary, "wb") as out:
        plistlib.dump(values, out)
    os.replace(temporary, path)


class DataSafetyTest(unittest.TestCase):
    def test_a_fifo_in_place_of_the_settings_does_not_stop_the_window(self):
        config = tempfile.mkdtemp(prefix="orbitdeck-config-")
        try:
            os.makedirs(os.path.join(config, "orbitdeck"))
            settings = os.path.join(config, "orbitdeck", "orbitdeck.plist")
            os.mkfifo(settings)
            with Session(APP, count=12, env={"XDG_CONFIG_HOME": config}) as session:
                session.wait_for(loaded_grid, "the grid although the settings are a FIFO")
                self.assertTrue(os.path.exists(settings + ".unreadable-1"))
        finally:
            shutil.rmtree(config, ignore_errors=True)

    def test_a_folder_away_for_a_moment_and_another_writer_lose_nothing(self):
        seeded = {COUNTS: b'{"bundle:com.example.safari":5}',
                  DATES: b'{"bundle:com.example.safari":800000000}'}
        with Session(APP, count=12, extra=[SAFARI], defaults=seeded) as session:
            installed = session.wait_for(loaded_grid, "the first grid")["state"]["library"]["appCount"]
            settings = os.path.join(session.home, ".config", "orbitdeck", "orbitdeck.plist")

            # The folder renamed away: the watcher's refresh finds nothing and prunes nothing.
            applications = os.path.join(session.home, "Applications")
            os.rename(applications, applications + ".moving")
            session.wait_for(lambda r: r["state"]["library"]["appCount"] == 0,
                             "the refresh without the folder")
            os.rename(applications + ".moving", applications)
            report = session.wait_for(lambda r: r["state"]["library"]["appCount"] == installed,
                                      "the refresh with the folder back")
            self.assertEqual(report["state"]["toasts"]["text"], "", "nothing came back as new")
            stored = read_plist(settings)
            self.assertEqual((stored[COUNTS], stored[DATES]), (seeded[COUNTS], seeded[DATES]))

            # A script changes the skin, hides an application and adds a key of its own: the
            # window follows.
            stored.update({"ambergrid.skin": "paper", "script.note": "kept",
                           HIDDEN: b'["bundle:dev.orbitdeck.sample.app0"]'})
            write_plist(settings, stored)
            report = session.wait_for(lambda r: r["state"]["settings"]["skin"] == "paper"
                                      and r["state"]["library"]["hiddenCount"] == 1,
                                      "the skin and the hidden app another writer chose")
            if os.environ.get("ORBITDECK_SHOT"):
                session.screenshot(os.environ["ORBITDECK_SHOT"])

            # The launcher's own write (the launch count) keeps the script's key.
            session.focus()
            name = next(n for n in cells(report) if n.endswith("bundle:com.example.safari"))
            # The grid closes up over the hidden app: Safari is clicked where it comes to rest.
            session.click(session.wait_for_settled(name, "Safari's tile"))
            session.wait_for_file(os.path.join(session.markers, SAFARI[1]), "Safari's marker")
            session.wait_for(lambda r: not r["window"]["visible"], "the window hidden")
            stored = read_plist(settings)
            self.assertEqual(stored.get("script.note"), "kept")
            self.assertEqual(stored.get("ambergrid.skin"), "paper")
            self.assertEqual(stored.get(HIDDEN), b'["bundle:dev.orbitdeck.sample.app0"]')
            self.assertIn(b'"bundle:com.example.safari":6', stored[COUNTS])


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: data_safety_x11_test.py <orbitdeck executable>")
    unittest.main()
