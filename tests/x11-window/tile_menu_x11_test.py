#!/usr/bin/env python3
"""The tile menu in the real window under Xvfb: a secondary click on a tile shows its entries
in order and runs the one chosen; Ctrl-clicks select tiles whose menu makes one folder."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells, gone, shown  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SHOTS = os.environ.get("ORBITDECK_SCREENSHOTS")


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def open_menu(session, index, *entries):
    """Waits for the grid of 12, right-clicks its tile at index; the tile and the report once
    the entries are shown in order."""
    report = session.wait_for(lambda r: loaded_grid(r) and len(cells(r)) == 12, "the first grid")
    session.focus()
    tile = cells(report)[index]
    session.click(report["items"][tile], button=3)
    return tile, session.wait_for(shown(*entries), f"the tile menu with {', '.join(entries)}")


class TileMenuTest(unittest.TestCase):
    def test_menu_entries_and_hide(self):
        with Session(APP, count=12) as session:
            tile, report = open_menu(session, 2, "tile-menu-open", "tile-menu-group-with",
                                     "tile-menu-hide")
            self.assertEqual(report["items"]["tile-menu-open"]["text"], "Open")
            self.assertNotIn("tile-menu-move-to-folder", report["items"])
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "tile-menu.png"))
            session.click(report["items"]["tile-menu-hide"])
            session.wait_for(lambda r: tile not in r["items"] and len(cells(r)) == 11
                             and "tile-menu-hide" not in r["items"], "the tile hidden")

    def test_selection_menu_makes_a_folder(self):
        with Session(APP, count=12) as session:
            report = session.wait_for(lambda r: loaded_grid(r) and len(cells(r)) == 12,
                                      "the first grid")
            session.focus()
            first, second = cells(report)[0], cells(report)[3]
            for name in (first, second):
                x, y = session.centre(report["items"][name])
                session.xdotool("mousemove", "--sync", x, y, "keydown", "ctrl", "click", 1,
                                "keyup", "ctrl")
            session.wait_for(lambda r: len(r["state"]["selection"]["multiSelection"]) == 2,
                             "two tiles selected")
            session.click(report["items"][second], button=3)
            report = session.wait_for(shown("tile-menu-selection-count", "tile-menu-new-folder",
                                            "tile-menu-deselect-all"), "the selection menu")
            self.assertEqual(report["items"]["tile-menu-selection-count"]["text"],
                             "2 apps selected")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "selection-menu.png"))
            session.click(report["items"]["tile-menu-new-folder"])
            report = session.wait_for(
                lambda r: any(n.startswith("library-cell-folder:") for n in cells(r))
                and len(cells(r)) == 11 and gone("tile-menu-new-folder")(r), "the new folder")
            self.assertEqual(report["state"]["selection"]["multiSelection"], [])

    def test_move_to_trash_asks_then_moves_and_undo_puts_it_back(self):
        with Session(APP, count=12) as session:
            tile, report = open_menu(session, 4, "tile-menu-open", "tile-menu-hide",
                                     "tile-menu-trash")
            session.click(report["items"]["tile-menu-trash"])
            report = session.wait_for(shown("uninstall-alert-message", "uninstall-alert-cancel"),
                                      "the confirmation")
            self.assertIn("Size: ", report["items"]["uninstall-alert-message"]["text"])
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "uninstall-alert.png"))
            session.click(report["items"]["uninstall-alert-trash"])
            session.wait_for(lambda r: tile not in r["items"] and len(cells(r)) == 11,
                             "the application gone from the grid")
            trashed = os.path.join(session.home, ".local", "share", "Trash", "files")
            self.assertEqual(len([n for n in os.listdir(trashed) if n.endswith(".app")]), 1)

            session.key("ctrl+z")
            session.wait_for(lambda r: tile in r["items"] and len(cells(r)) == 12,
                             "the application back after undo")


if __name__ == "__main__":
    unittest.main()
