#!/usr/bin/env python3
"""Grid, folder and menu interaction in the real window under Xvfb: typing after menus, the
open folder's own tile menu, long presses that wobble, Group With on later pages, Ctrl+arrows,
delete badges, folder previews and the selection rules."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells, gone, shown  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SHOTS = os.environ.get("ORBITDECK_SCREENSHOTS")
# A bundle the Trash rule protects, and an ordinary one.
PROTECTED = ("Calculator", "com.apple.calculator")
SAFARI = ("Safari", "com.example.safari")


def grid_of(count):
    return lambda r: r["window"]["visible"] and len(cells(r)) == count


def query(report):
    return report["state"]["search"]["query"]


def selection(report):
    return report["state"]["selection"]


def menu_entries(report):
    """The tile menu's entry names, top to bottom."""
    found = [(item["y"], name) for name, item in report["items"].items()
             if name.startswith("tile-menu-") and name != "tile-menu"]
    return [name for _, name in sorted(found)]


def empty_spot(report):
    area = report["items"]["library-page-area"]
    return area["x"] + 8, area["y"] + area["h"] - 70


def folder_cells(report):
    found = [(item["y"], item["x"], name) for name, item in report["items"].items()
             if name.startswith("library-folder-cell-")]
    return [name for _, _, name in sorted(found)]


def open_folder(session, folder, count):
    """Clicks the folder's tile; the report once its panel has grown to full size and rests."""
    session.click(session.state()["items"][folder])
    report = session.wait_for(lambda r: len(folder_cells(r)) == count
                              and r["items"][folder_cells(r)[0]]["w"] == 108,
                              "the folder open at full size")
    session.wait_for_settled(folder_cells(report)[0], "the folder's tiles")
    return session.state()


def group_first_two(test, session, report):
    """Groups the page's first tile with its second through "Group With"; the folder's cell."""
    first, second = cells(report)[0], cells(report)[1]
    session.click(report["items"][first], button=3)
    report = session.wait_for(shown("tile-menu-open", "tile-menu-group-with", "tile-menu-hide"),
                              "the tile menu")
    session.click(report["items"]["tile-menu-group-with"])
    entry = "tile-menu-group-" + second.split(":", 1)[1]
    report = session.wait_for(lambda r: entry in r["items"], "the Group With submenu")
    session.click(report["items"][entry])
    report = session.wait_for(
        lambda r: any(n.startswith("library-cell-folder:") for n in cells(r))
        and gone("tile-menu-open")(r), "the new folder")
    folder = next(n for n in cells(report) if n.startswith("library-cell-folder:"))
    return folder, report


class TypingAfterMenusTest(unittest.TestCase):
    def test_typing_reaches_the_search_field_after_every_menu(self):
        with Session(APP, count=12) as session:
            report = session.wait_for(grid_of(12), "the first grid")
            session.focus()

            def types_again(after):
                session.type("ca")
                session.wait_for(lambda r: query(r) == "ca", f"typing after {after}")
                session.key("Escape")
                return session.wait_for(lambda r: query(r) == "" and grid_of(12)(r),
                                        "the query cleared")

            report = types_again("nothing")
            # A tile's menu closed with Escape.
            session.click(report["items"][cells(report)[2]], button=3)
            session.wait_for(shown("tile-menu-open", "tile-menu-hide"), "the tile menu")
            session.key("Escape")
            session.wait_for(gone("tile-menu-open"), "the tile menu closed")
            report = types_again("a tile menu")

            # The background menu closed with Escape.
            x, y = empty_spot(report)
            session.xdotool("mousemove", "--sync", x, y, "click", 3)
            session.wait_for(lambda r: "library-menu-arrange" in r["items"], "the background menu")
            session.key("Escape")
            session.wait_for(gone("library-menu-arrange"), "the background menu closed")
            report = types_again("the background menu")

            # An entry chosen: the menu closes by itself.
            tile = cells(report)[3]
            session.click(report["items"][tile], button=3)
            report = session.wait_for(shown("tile-menu-open", "tile-menu-hide"), "the tile menu")
            session.click(report["items"]["tile-menu-hide"])
            session.wait_for(lambda r: tile not in r["items"] and gone("tile-menu-hide")(r),
                             "the tile hidden")
            session.type("ca")
            session.wait_for(lambda r: query(r) == "ca", "typing after choosing an entry")


class FolderMenuTest(unittest.TestCase):
    def test_a_folder_tile_has_its_own_menu_over_a_full_page(self):
        with Session(APP, count=40) as session:
            report = session.wait_for(grid_of(35), "a full first page")
            session.focus()
            folder, report = group_first_two(self, session, report)
            full = len(cells(report))
            report = open_folder(session, folder, 2)
            inside = folder_cells(report)[0]
            session.click(report["items"][inside], button=3)
            # No dock the user sees (none runs here) and a bundle: no Dock entry.
            order = ["tile-menu-hide", "tile-menu-reveal", "tile-menu-move-out"]
            report = session.wait_for(shown(*order), "the folder tile's menu")
            self.assertEqual(menu_entries(report), order)
            self.assertEqual(report["items"]["tile-menu-move-out"]["text"], "Move Out of Folder")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "folder-tile-menu.png"))

            # Out of the folder: it lands on the page, the panel stays with the other tile.
            session.click(report["items"]["tile-menu-move-out"])
            moved = "library-cell-" + inside[len("library-folder-cell-"):]
            report = session.wait_for(lambda r: moved in r["items"] and len(folder_cells(r)) == 1
                                      and gone("tile-menu-move-out")(r), "the tile moved out")
            self.assertEqual(len(cells(report)), full)
            self.assertEqual(report["state"]["library"]["hiddenCount"], 0)
            self.assertFalse(os.path.exists(session.markers), "nothing was opened")

            # A right-click and a wheel notch on the dimmed backdrop reach nothing beneath:
            # Escape then closes the folder rather than a menu, on the page it was opened on.
            panel = report["items"]["library-folder-panel"]
            session.xdotool("mousemove", "--sync", panel["x"] + panel["w"] // 2,
                            panel["y"] + panel["h"] + 30, "click", 3, "click", 7)
            session.key("Escape")
            report = session.wait_for(lambda r: selection(r)["openFolder"] == "",
                                      "the folder closed by Escape")
            self.assertEqual(report["items"]["library-page-status"]["text"], "1 / 2")
            self.assertEqual(report["state"]["library"]["hiddenCount"], 0)
            self.assertFalse(os.path.exists(session.markers))


class GesturesTest(unittest.TestCase):
    def test_a_long_press_survives_a_small_wobble(self):
        with Session(APP, count=12, extra=[SAFARI]) as session:
            report = session.wait_for(grid_of(12), "the first grid")
            session.focus()
            name = next(n for n in cells(report) if n.endswith("com.example.safari"))
            x, y = session.centre(report["items"][name])
            session.xdotool("mousemove", "--sync", x, y, "mousedown", 1)
            session.xdotool("mousemove", "--sync", x + 6, y + 3)
            session.wait_for(lambda r: selection(r)["arranging"], "arranging after the press")
            session.xdotool("mouseup", 1)
            session.wait_for(lambda r: "library-arrange-done" in r["items"], "Done shown")
            self.assertFalse(os.path.exists(os.path.join(session.markers, SAFARI[1])),
                             "the press's own click opened nothing")

    def test_a_press_that_travels_beyond_ten_points_is_no_long_press(self):
        with Session(APP, count=12, extra=[SAFARI]) as session:
            report = session.wait_for(grid_of(12), "the first grid")
            session.focus()
            name = next(n for n in cells(report) if n.endswith("com.example.safari"))
            x, y = session.centre(report["items"][name])
            session.xdotool("mousemove", "--sync", x, y, "mousedown", 1)
            session.xdotool("mousemove", "--sync", x + 12, y + 5)
            # Held well past the long press's 0.45 s, arranging never starts.
            deadline = time.monotonic() + 1.0
            while time.monotonic() < deadline:
                report = session.state()
                self.assertFalse(report and selection(report)["arranging"], "arranging began")
                time.sleep(0.02)
            session.xdotool("mouseup", 1)
            # Its release is a plain click: the application opens.
            marker = os.path.join(session.markers, SAFARI[1])
            session.wait_for(lambda r: os.path.exists(marker), "Safari opened by the click")

    def test_ctrl_arrows_turn_pages_and_group_with_lists_the_page_shown(self):
        with Session(APP, count=40) as session:
            report = session.wait_for(grid_of(35), "a full first page")
            session.focus()
            first_page = set(cells(report))
            session.key("ctrl+Right")
            report = session.wait_for(
                lambda r: r["items"]["library-page-status"]["text"] == "2 / 2"
                and grid_of(5)(r) and not first_page & set(cells(r)), "page 2 by Ctrl+Right")
            # Its tiles are where the report says once the page has slid in.
            session.wait_for_settled("library-page-grid", "page 2 at rest")
            report = session.state()
            page = cells(report)
            session.click(report["items"][page[0]], button=3)
            report = session.wait_for(shown("tile-menu-open", "tile-menu-group-with",
                                            "tile-menu-hide"), "the tile menu on page 2")
            session.click(report["items"]["tile-menu-group-with"])
            others = ["tile-menu-group-" + n.split(":", 1)[1] for n in page[1:]]
            report = session.wait_for(lambda r: all(n in r["items"] for n in others),
                                      "the page's own tiles offered")
            offered = [n for n in report["items"] if n.startswith("tile-menu-group-")
                       and n != "tile-menu-group-with"]
            self.assertEqual(sorted(offered), sorted(others))
            # One Escape closes the submenu, the next the menu; under load a key may arrive
            # while a popup is still closing, so Escape again while the menu shows.
            session.retry(lambda: session.key("Escape"), gone("tile-menu-group-with", *others),
                          "the menu closed")
            session.key("ctrl+Left")
            session.wait_for(lambda r: r["items"]["library-page-status"]["text"] == "1 / 2"
                             and grid_of(35)(r), "page 1 by Ctrl+Left")

    def test_delete_badges_only_on_apps_that_may_go_to_the_trash(self):
        with Session(APP, count=6, extra=[PROTECTED, SAFARI]) as session:
            report = session.wait_for(grid_of(6), "the first grid")
            session.focus()
            x, y = empty_spot(report)
            session.xdotool("mousemove", "--sync", x, y, "click", 3)
            report = session.wait_for(lambda r: "library-menu-arrange" in r["items"],
                                      "the background menu")
            session.click(report["items"]["library-menu-arrange"])
            report = session.wait_for(
                lambda r: sum(n.startswith("application-delete-") for n in r["items"]) == 5,
                "badges on the five ordinary apps")
            self.assertNotIn("application-delete-bundle:com.apple.calculator", report["items"])
            self.assertIn("application-delete-bundle:com.example.safari", report["items"])
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "arranging-badges.png"))

    def test_the_open_folders_apps_get_the_badge_that_moves_them_to_the_trash(self):
        with Session(APP, count=6) as session:
            report = session.wait_for(grid_of(6), "the first grid")
            session.focus()
            folder, report = group_first_two(self, session, report)
            x, y = empty_spot(report)
            session.xdotool("mousemove", "--sync", x, y, "click", 3)
            report = session.wait_for(lambda r: "library-menu-arrange" in r["items"],
                                      "the background menu")
            session.click(report["items"]["library-menu-arrange"])
            session.wait_for(lambda r: selection(r)["arranging"], "arranging")
            report = open_folder(session, folder, 2)
            inside = folder_cells(report)[0]
            badge = "application-delete-" + inside.split(":", 1)[1]
            report = session.wait_for(shown(badge), "the badge on the folder's tile")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "folder-badges.png"))
            session.click(report["items"][badge])
            trash = session.wait_for_settled("uninstall-alert-trash", "the confirmation")
            if SHOTS:
                session.screenshot(os.path.join(SHOTS, "folder-trash-confirmation.png"))
            session.click(trash)
            session.wait_for(lambda r: inside not in r["items"], "the app gone from the folder")
            trashed = os.path.join(session.home, ".local", "share", "Trash", "files")
            self.assertEqual(len([n for n in os.listdir(trashed) if n.endswith(".app")]), 1)


class SelectionRulesTest(unittest.TestCase):
    def test_folders_previews_labels_and_clicks_keep_the_selection_rules(self):
        with Session(APP, count=12, defaults={"ambergrid.labels": False}) as session:
            report = session.wait_for(grid_of(12), "the first grid")
            session.focus()
            folder, report = group_first_two(self, session, report)
            folder_id = folder.split(":", 1)[1]
            preview = "library-folder-preview-" + folder_id + "-"
            session.wait_for(lambda r: preview + "1" in r["items"], "two icons in the folder")

            # A tile selected with the keys; opening the folder clears it.
            session.key("Right")
            report = session.wait_for(lambda r: selection(r)["selectedItem"] != "",
                                      "a tile selected")
            report = open_folder(session, folder, 2)
            self.assertEqual(selection(report)["selectedItem"], "")
            # Names off: the panel's tiles show none either.
            self.assertNotIn("application-label", report["items"])

            # Hidden from inside the folder: the icon previews only what the panel shows.
            inside = folder_cells(report)[0]
            session.click(report["items"][inside], button=3)
            report = session.wait_for(shown("tile-menu-hide", "tile-menu-move-out"),
                                      "the folder tile's menu")
            session.click(report["items"]["tile-menu-hide"])
            report = session.wait_for(lambda r: len(folder_cells(r)) == 1
                                      and preview + "1" not in r["items"]
                                      and preview + "0" in r["items"], "one icon left")

            # A click on empty space with a selection only clears it; the next one hides.
            session.key("Escape")
            report = session.wait_for(lambda r: selection(r)["openFolder"] == ""
                                      and gone("library-folder-backdrop")(r), "the folder closed")
            session.key("Right")
            report = session.wait_for(lambda r: selection(r)["selectedItem"] != "",
                                      "a tile selected again")
            x, y = empty_spot(report)
            session.xdotool("mousemove", "--sync", x, y, "click", 1)
            report = session.wait_for(lambda r: selection(r)["selectedItem"] == "",
                                      "the selection cleared")
            self.assertTrue(report["window"]["visible"])
            session.xdotool("click", 1)
            session.wait_for(lambda r: not r["window"]["visible"], "the launcher hidden")


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: interaction_x11_test.py <orbitdeck executable>")
    unittest.main()
