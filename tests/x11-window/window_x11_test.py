#!/usr/bin/env python3
"""The launcher window under Xvfb with the real executable: the grid, paging by wheel, search
and launch, the Escape cascade, arranging by long press, and the background menu."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SAFARI = ("Safari", "com.example.safari")


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def status(report):
    return report["items"]["library-page-status"]["text"]


def settled_on(page_status, tiles):
    """The page shown at rest: its status, only its own tiles (a page turn's outgoing page is
    gone) and the grid back in the middle of the page area."""
    def condition(report):
        grid = report["items"]["library-page-grid"]
        area = report["items"]["library-page-area"]
        centred = abs(2 * (grid["x"] - area["x"]) - (area["w"] - grid["w"])) <= 2
        return status(report) == page_status and len(cells(report)) == tiles and centred
    return condition


def covering_cells(report, x, y):
    """The tiles under the point (x, y)."""
    rects = {name: report["items"][name] for name in cells(report)}
    return [name for name, r in rects.items()
            if r["x"] <= x < r["x"] + r["w"] and r["y"] <= y < r["y"] + r["h"]]


class LauncherWindowTest(unittest.TestCase):
    def test_grid_pages_and_background_menu(self):
        with Session(APP, count=40, extra=[SAFARI]) as session:
            report = session.wait_for(loaded_grid, "the first grid")
            self.assertEqual(report["window"]["title"], "Orbitdeck")
            self.assertEqual((report["window"]["w"], report["window"]["h"]), (1040, 680))
            report = session.wait_for(lambda r: len(cells(r)) == 35, "35 tiles on page 1")
            self.assertEqual(status(report), "1 / 2")
            # Labels are on by default: every tile shows its name.
            first = report["items"][cells(report)[0]]
            self.assertGreater(first["h"], 62)
            # Seven columns by five rows.
            rows = sorted({report["items"][name]["y"] for name in cells(report)})
            columns = sorted({report["items"][name]["x"] for name in cells(report)})
            self.assertEqual((len(columns), len(rows)), (7, 5))

            # One page per notch of a horizontal wheel over the grid.
            session.focus()
            x, y = session.centre(report["items"]["library-page-area"])
            session.xdotool("mousemove", "--sync", x, y, "click", 7)
            session.wait_for(settled_on("2 / 2", 5), "page 2 settled after a notch")
            session.xdotool("click", 6)
            # The status flips as the slide starts; aim only once page 1 has come to rest, or
            # the click can land on one of its tiles sliding past.
            report = session.wait_for(settled_on("1 / 2", 35), "page 1 settled after a notch back")

            # The background menu with every entry, in order (the sort submenu's own order is
            # checked by the view tests).
            area = report["items"]["library-page-area"]
            x, y = area["x"] + 8, area["y"] + area["h"] - 70
            self.assertEqual(covering_cells(report, x, y), [], "the aim is not on empty space")
            session.xdotool("mousemove", "--sync", x, y, "click", 3)
            order = ["library-menu-arrange", "library-menu-labels",
                     "library-menu-full-screen", "library-menu-settings", "library-menu-refresh",
                     "library-menu-restart", "library-menu-close"]
            report = session.wait_for(lambda r: all(n in r["items"] for n in order),
                                      "the background menu")
            tops = [report["items"][name]["y"] for name in order]
            self.assertEqual(tops, sorted(tops))
            self.assertEqual(report["items"]["library-menu-arrange"]["text"], "Edit Layout")
            session.key("Escape")
            session.wait_for(lambda r: "library-menu-arrange" not in r["items"], "menu closed")

    def test_reopens_on_the_remembered_page(self):
        # Page 2 of 2 remembered (stored from 0): the window comes up before the library loads.
        remembered = {"ambergrid.rememberPage": True, "ambergrid.savedPage": 1}
        with Session(APP, count=40, defaults=remembered) as session:
            session.wait_for(settled_on("2 / 2", 5), "page 2 shown at the first start")
            self.assertEqual(session.stored().get("ambergrid.savedPage"), 1)
            session.stop()
            os.remove(session.report)
            session.start()
            session.wait_for(settled_on("2 / 2", 5), "page 2 shown after a restart")
            self.assertEqual(session.stored().get("ambergrid.savedPage"), 1)

    def test_long_press_arranges_and_a_later_click_still_opens(self):
        with Session(APP, count=12, extra=[SAFARI]) as session:
            report = session.wait_for(loaded_grid, "the first grid")
            session.focus()
            target = report["items"][cells(report)[0]]
            x, y = session.centre(target)
            session.xdotool("mousemove", "--sync", x, y, "mousedown", 1)
            report = session.wait_for(lambda r: r["state"]["selection"]["arranging"],
                                      "arranging after a long press")
            session.xdotool("mouseup", 1)
            report = session.wait_for(lambda r: "library-arrange-done" in r["items"], "Done shown")
            wiggling = [n for n in cells(report) if report["items"][n].get("wiggling")]
            self.assertEqual(len(wiggling), len(cells(report)))
            # Leave arranging with Done, then one click opens the application.
            session.click(report["items"]["library-arrange-done"])
            report = session.wait_for(lambda r: "library-arrange-done" not in r["items"],
                                      "arranging left")
            name = next(n for n in cells(report) if n.endswith("application:bundle:com.example.safari"))
            session.click(report["items"][name])
            session.wait_for_file(os.path.join(session.markers, SAFARI[1]), "Safari's marker")
            session.wait_for(lambda r: not r["window"]["visible"], "the window hidden")

    def test_search_return_and_escape(self):
        with Session(APP, count=40, extra=[SAFARI]) as session:
            report = session.wait_for(loaded_grid, "the first grid")
            before = len(cells(report))
            session.focus()
            session.type("saf")
            # Each typed letter narrows the grid again: wait for the whole query's result, not
            # the first narrowing after "s".
            report = session.wait_for(
                lambda r: len(cells(r)) < before
                and cells(r)[0].endswith("com.example.safari"), "the grid narrowed to Safari")
            first = cells(report)[0]
            self.assertTrue(report["items"][first]["highlighted"])
            self.assertTrue(all(not report["items"][n]["highlighted"] for n in cells(report)[1:]))
            session.key("Return")
            session.wait_for_file(os.path.join(session.markers, SAFARI[1]), "Safari's marker")
            session.wait_for(lambda r: not r["window"]["visible"], "the window hidden")

        with Session(APP, count=12, extra=[SAFARI]) as session:
            report = session.wait_for(loaded_grid, "the first grid")
            session.focus()
            session.type("zz")
            session.wait_for(lambda r: "library-empty-query" in r["items"], "nothing found")
            # Escape clears the query first, then hides the launcher.
            session.key("Escape")
            session.wait_for(lambda r: len(cells(r)) > 0 and r["window"]["visible"],
                             "the query cleared")
            session.key("Escape")
            session.wait_for(lambda r: not r["window"]["visible"], "the window hidden")

    def test_localised_name_found_by_its_pinyin(self):
        ccb = ("CCBLife", "com.example.ccblife", {"zh-Hans": "建行生活", "de": "CCB Leben"})
        chinese = {"LANG": "en_US.UTF-8", "LANGUAGE": "zh_CN", "LC_ALL": "", "LC_MESSAGES": ""}
        with Session(APP, count=12, extra=[ccb], env=chinese) as session:
            report = session.wait_for(loaded_grid, "the first grid")
            session.focus()
            # 建行 reads jian hang, so its initials find it.
            session.type("jhsh")
            report = session.wait_for(
                lambda r: len(cells(r)) == 1 and cells(r)[0].endswith("com.example.ccblife"),
                "the grid narrowed to the bank")
            self.assertEqual(report["items"]["application-label"]["text"], "建行生活")
            session.key("Return")
            session.wait_for_file(os.path.join(session.markers, ccb[1]), "the bank's marker")

    def test_software_renderer_keeps_selected_and_hovered_icons_in_place(self):
        with Session(APP, count=12, env={"QT_QUICK_BACKEND": "software"}) as session:
            report = session.wait_for(lambda r: len(cells(r)) == 12, "the grid")
            session.focus()
            tiles = [report["items"][name] for name in cells(report)]
            selected, hovered = tiles[0], tiles[9]
            shot = os.path.join(session.home, "shot.png")

            def marks_shown(what):
                # Every sample icon has a white mark in its middle.
                deadline = time.monotonic() + 15
                while True:
                    session.screenshot(shot)
                    middles = [pixel(shot, t["x"] + t["w"] // 2, t["y"] + t["w"] // 2)
                               for t in (selected, hovered)]
                    if middles == ["255,255,255"] * 2:
                        return
                    self.assertLess(time.monotonic(), deadline, f"{what}: {middles}")

            marks_shown("the icons")
            session.key("Right")
            session.wait_for(lambda r: r["state"]["selection"]["selectedItem"] != "",
                             "the first tile selected")
            session.xdotool("mousemove", "--sync", hovered["x"] + hovered["w"] // 2,
                            hovered["y"] + hovered["w"] // 2)
            # Lit tiles keep their icons (not drawn at the window's corner).
            marks_shown("the icons of the selected and the hovered tile")


def pixel(path, x, y):
    text = subprocess.run(["convert", path, "-crop", f"1x1+{x}+{y}", "txt:-"], check=True,
                          capture_output=True, text=True).stdout
    return text.splitlines()[-1].split("(", 1)[1].split(")", 1)[0]


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: window_x11_test.py <orbitdeck executable>")
    unittest.main()
