#!/usr/bin/env python3
"""Arranging in the real window under Xvfb, with the button held down: a tile dropped on another
makes a folder, which opens, renames and lets a tile out; hovering moves before the release;
the page edge and the page dots take a dragged tile to the next page. Ten bundles stored in
order on a grid of 4 × 2, so two pages."""

import json
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "x11-window"))
from launcher_session import LAYOUT_KEY, Session  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SHOTS = os.environ.get("ORBITDECK_SCREENSHOTS")
NAMES = ["Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel", "India",
         "Juliet"]


def bundle_id(name):
    return "com.example." + name.lower()


def key(name):
    return "application:bundle:" + bundle_id(name)


def cell(name):
    return "library-cell-" + key(name)


def centre(item):
    return Session.centre(item)


def start():
    """The launcher on the ten bundles, the page stored in their order; once Alpha is shown."""
    page = [{"application": {"_0": "bundle:" + bundle_id(name)}} for name in NAMES]
    session = Session(APP, count=len(NAMES), extra=[(name, bundle_id(name)) for name in NAMES],
                      defaults={
                          "ambergrid.onboarded.v1": True,
                          "ambergrid.systemUtilitiesSeeded.v1": True,
                          "orbitdeck.migrated.v1": True,
                          "ambergrid.columns": 4,
                          "ambergrid.rows": 2,
                          "ambergrid.effects": "reduced",
                          "ambergrid.wallpaper": False,
                          "ambergrid.menuBarIcon": False,
                          LAYOUT_KEY: json.dumps({"items": page, "folders": []}).encode(),
                      })
    try:
        item(session, cell("Alpha"))
        session.focus()
    except BaseException:
        session.close(check=False)
        raise
    return session


def item(session, name):
    """The rectangle of a shown item, once it is reported."""
    return session.wait_for(lambda r: name in r["items"], name)["items"][name]


def settled(session, name):
    # A wiggling tile strays by a point or so; anything gliding or growing moves more.
    return session.wait_for_settled(name, name, slack=3)


def long_press(session, point):
    """Holds the button at point until the view arranges (and keeps holding)."""
    session.press(point)
    session.wait_for(lambda r: r["window"]["view"]["arranging"],
                     f"arranging after a long press at {point}")


def shot(session, name):
    if SHOTS:
        session.screenshot(os.path.join(SHOTS, name + ".png"))


class ArrangingDragTest(unittest.TestCase):
    def test_dropped_on_another_app_makes_a_folder_that_opens_renames_and_lets_a_tile_out(self):
        with start() as session:
            alpha = centre(item(session, cell("Alpha")))
            bravo = centre(item(session, cell("Bravo")))
            long_press(session, alpha)
            shot(session, "arranging-mode")
            session.glide(alpha, bravo, 16)
            item(session, "library-drag-proxy")
            shot(session, "drag-merge-ring")
            session.release()

            layout = session.wait_for_layout(
                lambda l: len(l.folders) == 1 and l.items[0] == "folder:" + next(iter(l.folders)),
                "a folder in the first place")
            folder = next(iter(layout.folders))
            self.assertEqual(layout.folders[folder], [key("Bravo"), key("Alpha")])
            self.assertEqual(layout.items[1:3], [key("Charlie"), key("Delta")])

            # The folder opens as a panel.
            session.click(settled(session, "library-cell-folder:" + folder))
            settled(session, "library-folder-panel")
            shot(session, "folder-panel")

            # Its title is saved trimmed. Clicking the title again is harmless, so a click that
            # lost the race for focus is repeated.
            session.retry(lambda: session.click(settled(session, "library-folder-name-input")),
                          lambda r: r["items"]["library-folder-name"]["highlighted"],
                          "the folder title in editing")
            session.key("ctrl+a")
            session.type(" Work ")
            session.key("Return")
            session.wait_for_layout(lambda l: l.names[folder] == "Work", "the folder named Work")

            # A tile held over the backdrop leaves the folder, placed right after the folder's
            # tile.
            panel = settled(session, "library-folder-panel")
            inside = centre(settled(session, "library-folder-cell-" + key("Alpha")))
            session.press(inside)
            session.glide(inside, (panel["x"] - 60, panel["y"] + 20), 12)
            shot(session, "drag-out")
            layout = session.wait_for_layout(lambda l: l.items[1] == key("Alpha"),
                                             "Alpha out of the folder, after it")
            self.assertEqual(layout.folders[folder], [key("Bravo")])
            session.release()
            session.wait_for(lambda r: "library-folder-panel" not in r["items"],
                             "the folder panel closed")

    def test_hovering_the_right_half_moves_before_the_release_and_one_undo_restores(self):
        with start() as session:
            before = session.stored_layout().items
            charlie = centre(item(session, cell("Charlie")))
            delta = item(session, cell("Delta"))
            long_press(session, charlie)
            session.glide(charlie, (delta["x"] + delta["w"] - 4, centre(delta)[1]), 12)
            session.wait_for_layout(
                lambda l: l.items.index(key("Charlie")) == l.items.index(key("Delta")) + 1,
                "Charlie after Delta while held")
            session.release()

            session.key("ctrl+z")
            session.wait_for_layout(lambda l: l.items == before, "the order before the drag")
            session.wait_for(lambda r: r["items"]["library-toast-text"]["text"] == "Undone",
                             "the Undone toast")

    def test_resting_on_the_right_edge_turns_the_page_and_the_drop_leads_it(self):
        with start() as session:
            alpha = centre(item(session, cell("Alpha")))
            long_press(session, alpha)
            nudged = (alpha[0] + 30, alpha[1])
            session.glide(alpha, nudged, 4)
            edge = centre(item(session, "library-page-edge-trailing"))
            session.glide(nudged, edge, 16)
            shot(session, "page-edge")
            session.wait_for(lambda r: r["state"]["paging"]["page"] == 1, "the second page")
            session.release()
            session.wait_for_layout(lambda l: l.items[8] == key("Alpha"),
                                    "Alpha leading the second page")
            # The long press that started the drag leaves no mark behind to eat a later click.
            session.wait_for(lambda r: r["state"]["selection"]["suppressNextTap"] is False,
                             "no tap suppressed")

    def test_dropped_on_a_page_dot_it_leads_that_page(self):
        with start() as session:
            bravo = centre(item(session, cell("Bravo")))
            dot = centre(item(session, "library-page-2"))
            long_press(session, bravo)
            session.glide(bravo, dot, 16)
            item(session, "library-drag-proxy")
            shot(session, "page-dot-drop")
            session.release()
            session.wait_for_layout(lambda l: l.items[8] == key("Bravo"),
                                    "Bravo leading the second page")
            session.wait_for(lambda r: r["state"]["paging"]["page"] == 1, "the second page")


    def test_dragged_out_of_the_window_it_gives_another_app_its_location(self):
        target = subprocess.Popen([os.environ["ORBITDECK_DROP_TARGET"]], stdout=subprocess.PIPE,
                                  stderr=subprocess.STDOUT, text=True)
        try:
            # It may say something about its environment first.
            while (line := target.stdout.readline()) and line.strip() != "ready":
                pass
            self.assertEqual(line.strip(), "ready", "the drop target did not come up")
            with start() as session:
                before = session.stored_layout().items
                alpha = centre(item(session, cell("Alpha")))
                long_press(session, alpha)
                session.glide(alpha, (200, 40), 12)
                session.glide((200, 40), (55, 55), 8)
                shot(session, "drag-out-of-the-window")
                session.release()
                # Generous: a loaded machine hands a drop between two programs over slowly.
                out, _ = target.communicate(timeout=60)
                urls = [line[4:] for line in out.splitlines() if line.startswith("url ")]
                self.assertEqual(len(urls), 1, out)
                self.assertTrue(urls[0].startswith("file:///"), urls)
                self.assertTrue(urls[0].rstrip("/").endswith("/Alpha.app"), urls)
                # Inside, nothing moved, and the drag is over.
                session.wait_for(lambda r: "library-drag-proxy" not in r["items"],
                                 "no drag left in the launcher")
                self.assertEqual(session.stored_layout().items, before)
        finally:
            if target.poll() is None:
                target.kill()
                target.wait()


if __name__ == "__main__":
    unittest.main()
