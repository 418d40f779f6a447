#!/usr/bin/env python3
"""The real launcher follows its application folder: a bundle copied in while it runs gets a
tile, one taken away loses it, without a restart.
Usage: files_x11_test.py ORBITDECK [SCREENSHOT_FOLDER]
"""

import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "x11-window"))
from launcher_session import Session, cells, make_bundle  # noqa: E402


def tile_names(report):
    return [report["items"][name].get("text", name) for name in cells(report)]


def main():
    app = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    with Session(app, count=6) as session:
        applications = os.path.join(session.home, "Applications")
        session.wait_for(lambda r: r["window"]["visible"] and len(cells(r)) == 6, "six tiles")
        if shots:
            session.screenshot(os.path.join(shots, "folder-watch-before.png"))

        make_bundle(applications, "Newcomer", "com.example.newcomer", session.markers)
        report = session.wait_for(lambda r: len(cells(r)) == 7, "the installed application's tile")
        assert any("newcomer" in name.lower() for name in cells(report)), cells(report)
        if shots:
            session.screenshot(os.path.join(shots, "folder-watch-added.png"))

        shutil.rmtree(os.path.join(applications, "Newcomer.app"))
        report = session.wait_for(lambda r: len(cells(r)) == 6, "the removed application's tile gone")
        assert not any("newcomer" in name.lower() for name in cells(report)), cells(report)


if __name__ == "__main__":
    main()
