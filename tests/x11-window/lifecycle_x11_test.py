#!/usr/bin/env python3
"""The launcher hidden and shown again with its hot key, in the real window under Xvfb: the hide
clears what a hide should, and showing it again picks up a changed desktop picture. The picture
follows the desktop: a GNOME background description that changes with the time of day, and
Xfce's picture of the workspace switched to."""

import datetime
import os
import plistlib
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells, gnome_settings  # noqa: E402

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


class DesktopPictureTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="orbitdeck-x11-pictures-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.pictures = [os.path.join(self.folder, f"{n}.png") for n in ("first", "second")]
        write_png(self.pictures[0], (200, 40, 40))
        write_png(self.pictures[1], (40, 40, 200))

    def test_a_gnome_background_description_shows_the_picture_of_this_hour(self):
        # Started 70 minutes ago: 30 minutes of the first, 10 of a fade, then the second's hour.
        start = datetime.datetime.now() - datetime.timedelta(minutes=70)
        description = os.path.join(self.folder, "timed.xml")
        with open(description, "w") as out:
            out.write(f"""<background>
  <starttime><year>{start.year}</year><month>{start.month}</month><day>{start.day}</day>
    <hour>{start.hour}</hour><minute>{start.minute}</minute><second>{start.second}</second>
  </starttime>
  <static><duration>1800.0</duration><file>first.png</file></static>
  <transition type="overlay"><duration>600.0</duration>
    <from>first.png</from><to>second.png</to></transition>
  <static><duration>3600.0</duration><file>second.png</file></static>
</background>
""")
        with Session(APP, count=6, env=gnome_settings(), launch=False) as session:
            session.gsettings("set", "org.gnome.desktop.background", "picture-uri",
                              "file://" + description)
            session.start()
            session.wait_for(lambda r: r["window"]["view"]["wallpaperPicture"]
                             == self.pictures[1], "the second picture of the description")

    def test_a_workspace_switch_shows_that_workspaces_picture(self):
        config = tempfile.mkdtemp(prefix="orbitdeck-x11-config-")
        self.addCleanup(shutil.rmtree, config, True)
        channel = os.path.join(config, "xfce4", "xfconf", "xfce-perchannel-xml")
        os.makedirs(channel)
        with open(os.path.join(channel, "xfce4-desktop.xml"), "w") as out:
            out.write(f"""<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-desktop" version="1.0">
  <property name="backdrop" type="empty"><property name="screen0" type="empty">
    <property name="monitorVirtual-1" type="empty">
      <property name="workspace0" type="empty">
        <property name="last-image" type="string" value="{self.pictures[0]}"/></property>
      <property name="workspace1" type="empty">
        <property name="last-image" type="string" value="{self.pictures[1]}"/></property>
    </property>
  </property></property>
</channel>
""")
        os.makedirs(os.path.join(config, "orbitdeck"))
        with open(os.path.join(config, "orbitdeck", "orbitdeck.plist"), "wb") as out:
            plistlib.dump({"ambergrid.startMode": "window"}, out)

        def switch_to(workspace):
            subprocess.run(["xprop", "-root", "-f", "_NET_CURRENT_DESKTOP", "32c", "-set",
                            "_NET_CURRENT_DESKTOP", str(workspace)], check=True)
        switch_to(0)
        self.addCleanup(subprocess.run, ["xprop", "-root", "-remove", "_NET_CURRENT_DESKTOP"])
        with Session(APP, count=6, env={"XDG_CONFIG_HOME": config,
                                        "XDG_CURRENT_DESKTOP": "XFCE"}) as session:
            session.wait_for(lambda r: r["window"]["view"]["wallpaperPicture"]
                             == self.pictures[0], "the picture of workspace 0")
            switch_to(1)
            session.wait_for(lambda r: r["window"]["view"]["wallpaperPicture"]
                             == self.pictures[1], "the picture of workspace 1")


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: lifecycle_x11_test.py <orbitdeck executable>")
    unittest.main()
