#!/usr/bin/env python3
"""The empty state's store search in the real window: with a software centre on PATH, the
button runs its --search with the query as typed; with none installed there is no button."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
CENTRES = ("gnome-software", "plasma-discover")
# Spaces at both ends, quotes, shell characters and Chinese: all must arrive unchanged.
QUERY = " zq \"a b\" 'c' & $d 微信 "


def system_path():
    """PATH without any folder holding a real software centre."""
    return ":".join(folder for folder in os.environ.get("PATH", "").split(":")
                    if folder and not any(os.path.exists(os.path.join(folder, name))
                                          for name in CENTRES))


class StoreSearchTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="orbitdeck-store-")
        self.fakes = os.path.join(self.scratch, "bin")
        self.records = os.path.join(self.scratch, "records")
        os.makedirs(self.fakes)
        os.makedirs(self.records)
        # No desktop entry of a real software centre either.
        self.data_dirs = os.path.join(self.scratch, "share")
        os.makedirs(self.data_dirs)

    def tearDown(self):
        shutil.rmtree(self.scratch, ignore_errors=True)

    def fake(self, name):
        """A stand-in that records its arguments, NUL-separated, then a marker."""
        script = os.path.join(self.fakes, name)
        record = os.path.join(self.records, name)
        with open(script, "w") as out:
            out.write(f"#!/bin/sh\nprintf '%s\\0' \"$@\" > '{record}.part'\n"
                      f"mv '{record}.part' '{record}'\n")
        os.chmod(script, 0o755)
        return record

    def session(self, desktop):
        return Session(APP, count=6, env={
            "PATH": self.fakes + ":" + system_path(),
            "XDG_DATA_DIRS": self.data_dirs,
            "XDG_CURRENT_DESKTOP": desktop,
        })

    def search_nothing(self, session):
        session.wait_for(lambda r: r["window"]["visible"] and len(cells(r)) > 0, "the grid")
        session.focus()
        session.wait_for(lambda r: r["window"]["view"]["active"], "the launcher active")
        session.type(QUERY)
        return session.wait_for(
            lambda r: r["state"]["search"]["query"] == QUERY and "library-empty-query" in r["items"],
            "the empty state for the query")

    def search_with(self, desktop, expected):
        with self.session(desktop) as session:
            report = self.search_nothing(session)
            button = report["items"]["library-app-store-search"]
            self.assertEqual(button["text"], "Search Software")
            self.assertEqual(report["items"]["library-empty-query"]["text"],
                             "\u201C" + QUERY + "\u201D")
            # The column lays the button out below the query once both are shown.
            session.click(session.wait_for_settled("library-app-store-search", "the button"))
            record = os.path.join(self.records, expected)
            session.wait_for_file(record, f"{expected} to run")
            with open(record, "rb") as source:
                arguments = source.read().split(b"\0")[:-1]
            self.assertEqual([a.decode() for a in arguments], ["--search", QUERY])
            # The launcher goes away for the software centre, its query cleared.
            session.wait_for(lambda r: r["state"]["search"]["query"] == "", "the query cleared")
        return [name for name in CENTRES if os.path.exists(os.path.join(self.records, name))]

    def test_gnome_software_searches_the_query_as_typed(self):
        self.fake("gnome-software")
        self.fake("plasma-discover")
        self.assertEqual(self.search_with("GNOME", "gnome-software"), ["gnome-software"])

    def test_discover_on_kde_or_when_it_is_the_only_one(self):
        self.fake("gnome-software")
        self.fake("plasma-discover")
        self.assertEqual(self.search_with("KDE", "plasma-discover"), ["plasma-discover"])
        os.remove(os.path.join(self.fakes, "gnome-software"))
        os.remove(os.path.join(self.records, "plasma-discover"))
        self.assertEqual(self.search_with("GNOME", "plasma-discover"), ["plasma-discover"])

    def test_no_button_without_a_software_centre(self):
        with self.session("GNOME") as session:
            report = self.search_nothing(session)
            self.assertIn("library-empty", report["items"])
            self.assertNotIn("library-app-store-search", report["items"])


if __name__ == "__main__":
    unittest.main()
