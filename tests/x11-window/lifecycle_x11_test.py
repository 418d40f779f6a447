#!/usr/bin/env python3
"""The launcher hidden and shown again with its hot key, in the real window under Xvfb: the hide
clears what a hide should, and showing it again picks up a changed desktop picture."""

import os
import plistlib
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")


def write_png(path, rgb):
    """A small one-colour PNG, written without any imaging library."""
    import struct
    import zlib
    width, height = 32, 24
    rows = b"".join(b"\x00" + bytes(rgb) * width for _ in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2,
                                                                    0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def name_wallpaper(config, picture):
    """The desktop's picture as KDE Plasma records it."""
    with open(os.path.join(config, "plasma-org.kde.plasma.desktop-appletsrc"), "w") as out:
        out.write("[Containments][1][Wallpaper][org.kde.image][General]\n"
                  f"Image=file://{picture}\n")


class HideAndShowTest(unittest.TestCase):
    def setUp(self):
        self.config = tempfile.mkdtemp(prefix="orbitdeck-x11-config-")
        self.addCleanup(shutil.rmtree, self.config, True)
        os.makedirs(os.path.join(self.config, "orbitdeck"))
        with open(os.path.join(self.config, "orbitdeck", "orbitdeck.plist"), "wb") as out:
            plistlib.dump({"ambergrid.startMode": "window"}, out)
        self.first = os.path.join(self.config, "first.png")
        self.second = os.path.join(self.config, "second.png")
        write_png(self.first, (200, 40, 40))
        write_png(self.second, (40, 40, 200))
        name_wallpaper(self.config, self.first)

    def toggle(self, session, shown):
        """Alt+Space, the default hot key; the launcher must be active for it to hide."""
        if not shown:
            session.wait_for(lambda r: r["window"]["view"]["active"], "the launcher active")
        session.key("alt+space")
        return session.wait_for(lambda r: r["window"]["visible"] == shown,
                                "the launcher shown" if shown else "the launcher hidden")

    def test_a_hide_clears_the_selection_and_a_show_refreshes_the_picture(self):
        with Session(APP, count=12, env={"XDG_CONFIG_HOME": self.config}) as session:
            report = session.wait_for(lambda r: len(cells(r)) == 12
                                      and r["window"]["view"]["wallpaperPicture"] == self.first,
                                      "the grid over the first picture")
            session.focus()
            session.key("Right")
            session.wait_for(lambda r: r["state"]["selection"]["selectedItem"] != "",
                             "a tile selected")

            name_wallpaper(self.config, self.second)
            self.toggle(session, False)
            session.wait_for(lambda r: r["state"]["selection"]["selectedItem"] == "",
                             "the selection cleared by the hide")
            self.toggle(session, True)
            # The open animation: from 1.08 it settles back to 1.
            session.wait_for(lambda r: r["window"]["view"]["libraryZoom"] > 1.005,
                             "the library zoomed as it opens")
            session.wait_for(lambda r: r["window"]["view"]["libraryZoom"] == 1,
                             "the zoom settled")
            report = session.wait_for(
                lambda r: r["window"]["view"]["wallpaperPicture"] == self.second,
                "the second picture drawn without a refresh")
            self.assertEqual(report["state"]["selection"]["selectedItem"], "")
            self.assertFalse(report["state"]["selection"]["arranging"])
            # Typing goes to the search field straight away.
            session.type("ca")
            session.wait_for(lambda r: r["state"]["search"]["query"] == "ca", "typing after a show")


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: lifecycle_x11_test.py <orbitdeck executable>")
    unittest.main()
