#!/usr/bin/env python3
"""The real launcher against hostile files and other writers: a FIFO in place of its settings,
a script writing the settings while it runs, the application folder renamed away and back, and
entry folders whose links and icon files are traps."""

import os
import plistlib
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SAFARI = ("Safari", "com.example.safari")
COUNTS = "ambergrid.openCount.v1"
DATES = "ambergrid.lastOpened.v1"
HIDDEN = "ambergrid.hidden.v1"


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


GOOD = ("alpha", "bravo", "charlie", "delta", "echo")
MAGENTA = (255, 0, 255)


def entry(name, icon):
    return f"[Desktop Entry]\nType=Application\nName={name}\nExec=true\nIcon={icon}\n"


def solid_png(path, size, colour):
    """A PNG of one colour."""
    row = b"\x00" + bytes(colour) * size
    chunk = lambda kind, data: (len(data).to_bytes(4, "big") + kind + data
                                + zlib.crc32(kind + data).to_bytes(4, "big"))
    header = size.to_bytes(4, "big") * 2 + bytes([8, 2, 0, 0, 0])
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                  + chunk(b"IDAT", zlib.compress(row * size)) + chunk(b"IEND", b""))


def entry_ids(report):
    """The desktop-file ids of the grid's entries, one per tile."""
    return sorted(cell.rsplit(":", 1)[-1] for cell in cells(report))


def resident_megabytes(pid):
    with open(f"/proc/{pid}/status") as status:
        line = next(line for line in status if line.startswith("VmRSS:"))
    return int(line.split()[1]) / 1024


def pixel(path, x, y):
    text = subprocess.run(["convert", path, "-crop", f"1x1+{x}+{y}", "txt:-"], check=True,
                          capture_output=True, text=True).stdout
    values = text.splitlines()[-1].split("(", 1)[1].split(")", 1)[0].split(",")
    return tuple(int(float(value)) for value in values[:3])


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


    def test_links_out_of_and_back_into_an_entry_folder_cost_only_themselves(self):
        entries = {f"{name}.desktop": entry(name.title(), "") for name in GOOD}
        with Session(APP, count=0, entries=entries, launch=False) as session:
            os.symlink("/", os.path.join(session.applications, "everything"))
            for link in ("l0", "l1", "l2"):
                os.symlink(".", os.path.join(session.applications, link))
            session.start()
            report = session.wait_for(lambda r: len(cells(r)) >= len(GOOD),
                                      "the five entries", timeout=15)
            self.assertEqual(entry_ids(report), sorted(GOOD), "each entry once, nothing else")

    def test_a_fifo_and_a_huge_drawing_as_icons_cost_only_their_own_tiles(self):
        # The traps sort first, so their icons are asked for before the good ones.
        entries = {f"{name}.desktop": entry(name.title(), name) for name in GOOD}
        entries.update({"aa-trap.desktop": entry("Aa Trap", "trap"),
                        "ab-huge.desktop": entry("Ab Huge", "huge")})
        with Session(APP, count=0, entries=entries, launch=False) as session:
            theme = os.path.join(session.home, ".local", "share", "icons", "hicolor")
            for folder in ("48x48/apps", "scalable/apps"):
                os.makedirs(os.path.join(theme, folder))
            with open(os.path.join(theme, "index.theme"), "w") as out:
                out.write("[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps,scalable/apps\n"
                          "[48x48/apps]\nSize=48\nType=Fixed\n[scalable/apps]\nSize=128\n"
                          "MinSize=8\nMaxSize=512\nType=Scalable\n")
            for name in GOOD:
                solid_png(os.path.join(theme, "48x48/apps", name + ".png"), 48, MAGENTA)
            os.mkfifo(os.path.join(theme, "48x48/apps/trap.png"))
            # A valid drawing of 160 MB: one rectangle and a comment that fills the rest.
            with open(os.path.join(theme, "scalable/apps/huge.svg"), "wb") as out:
                out.write(b'<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">'
                          b'<rect width="16" height="16" fill="#00ff00"/><!--'
                          + b" " * (160 * 1024 * 1024) + b"--></svg>\n")
            began = time.monotonic()
            session.start()
            report = session.wait_for(lambda r: len(cells(r)) == len(entries),
                                      "every entry in the grid", timeout=15)
            # A loaded machine starts the launcher in a few seconds; a trap held it for ever.
            self.assertLess(time.monotonic() - began, 10, "the grid was held back")
            self.assertEqual(entry_ids(report), sorted(name.removesuffix(".desktop")
                                                       for name in entries))
            # The good icons arrive (read after the traps were passed over) ...
            good = [report["items"][cell] for cell in cells(report)[2:]]
            shot = os.path.join(session.home, "icons.png")
            deadline = time.monotonic() + 15
            while True:
                session.screenshot(shot)
                if all(pixel(shot, *session.centre(tile)) == MAGENTA for tile in good):
                    break
                self.assertLess(time.monotonic(), deadline, "the good entries' icons")
            # ... and the launcher never took in the drawing.
            self.assertLess(resident_megabytes(session.process.pid), 600)


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: data_safety_x11_test.py <orbitdeck executable>")
    unittest.main()
