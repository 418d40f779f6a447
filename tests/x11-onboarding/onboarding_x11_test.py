#!/usr/bin/env python3
"""The first-run guide in the real launcher: a fresh home shows it after the first load, its
pages are walked with clicks and Return, and finishing or skipping it leaves the grid."""

import os
import plistlib
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "x11-window"))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")


def on_page(step):
    """Only that page is left: the previous one has slid away."""
    def condition(report):
        pages = [name for name in report["items"] if name.startswith("onboarding-step-")]
        return pages == ["onboarding-step-%d" % step]
    return condition


def guide_closed_on_grid(report):
    return ("onboarding-sheet" not in report["items"] and len(cells(report)) > 0
            and not report["state"]["lifecycle"]["onboardingOpen"])


def stored(session):
    with open(os.path.join(session.home, ".config", "orbitdeck", "orbitdeck.plist"), "rb") as f:
        return plistlib.load(f)


class FirstRunGuide(unittest.TestCase):
    def test_newcomer_walks_the_guide_and_lands_on_the_grid(self):
        with Session(APP, count=12, first_run=True) as session:
            report = session.wait_for(on_page(0), "the guide's welcome page")
            self.assertTrue(report["state"]["lifecycle"]["onboardingOpen"])
            self.assertFalse(report["state"]["settings"]["onboarded"])
            self.assertEqual(report["items"]["onboarding-skip"]["text"], "Skip")

            session.click(report["items"]["onboarding-continue"])
            report = session.wait_for(on_page(1), "the shortcut page")
            self.assertEqual(report["items"]["onboarding-back"]["text"], "Back")
            session.focus()
            session.key("Return")
            session.wait_for(on_page(2), "the look page")
            session.key("Return")
            report = session.wait_for(on_page(3), "the layout page")
            self.assertEqual(report["items"]["onboarding-finish"]["text"], "Get Started")

            session.click(report["items"]["onboarding-finish"])
            report = session.wait_for(guide_closed_on_grid, "the grid after the guide")
            self.assertTrue(report["state"]["settings"]["onboarded"])
            self.assertIs(stored(session).get("ambergrid.onboarded.v1"), True)
            # The keyboard is the grid's again: typing searches.
            session.focus()
            session.type("zz")
            session.wait_for(lambda r: r["state"]["search"]["query"] == "zz", "the query")

    def test_escape_on_the_welcome_page_skips_the_guide(self):
        with Session(APP, count=6, first_run=True) as session:
            session.wait_for(on_page(0), "the guide's welcome page")
            session.focus()
            session.key("Escape")
            report = session.wait_for(guide_closed_on_grid, "the grid after skipping")
            self.assertTrue(report["window"]["visible"])
            self.assertIs(stored(session).get("ambergrid.onboarded.v1"), True)


if __name__ == "__main__":
    if not APP:
        sys.exit("usage: onboarding_x11_test.py <orbitdeck executable>")
    unittest.main()
