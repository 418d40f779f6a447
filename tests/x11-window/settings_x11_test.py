#!/usr/bin/env python3
"""The settings sheet in the real window under Xvfb: Ctrl+, opens it on the stored tab, a tab
click switches it, a switch changes what the window shows, and Escape closes it."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


class SettingsSheetTest(unittest.TestCase):
    def test_shortcut_opens_the_sheet_and_escape_closes_it(self):
        with Session(APP, count=12, defaults={"ambergrid.settingsTab": "appearance"}) as session:
            session.wait_for(loaded_grid, "the first grid")
            self.assertNotIn("settings-panel", session.state()["items"])
            session.focus()
            session.key("ctrl+comma")
            report = session.wait_for(lambda r: "skin-paper" in r["items"],
                                      "the sheet on the Appearance tab")
            self.assertTrue(report["state"]["lifecycle"]["appearanceOpen"])

            # The swatch row places and sizes its swatches in later layout passes than it reports
            # them (under load a report can show them still piled up): wait for a row in which
            # no swatch overlaps the next.
            def swatch_row(report):
                night, dusk, paper = (report["items"]["skin-" + name]
                                      for name in ("night", "dusk", "paper"))
                return (night["w"] > 0 and night["x"] + night["w"] <= dusk["x"]
                        and dusk["x"] + dusk["w"] <= paper["x"])
            session.wait_for(swatch_row, "the swatches laid out in a row")
            session.click(session.wait_for_settled("skin-paper", "the paper swatch"))
            session.wait_for(lambda r: r["state"]["settings"]["skin"] == "paper",
                             "the paper skin chosen")

            # The sidebar's buttons stacked one below the other, as for the swatches.
            session.wait_for(lambda r: r["items"]["settings-tab-shortcuts"]["y"]
                             + r["items"]["settings-tab-shortcuts"]["h"]
                             <= r["items"]["settings-tab-grid"]["y"], "the sidebar laid out")
            session.click(session.wait_for_settled("settings-tab-grid", "the Grid tab button"))
            session.wait_for(lambda r: "library-columns" in r["items"], "the Grid tab")

            session.key("Escape")
            report = session.wait_for(lambda r: "settings-panel" not in r["items"],
                                      "the sheet closed")
            self.assertFalse(report["state"]["lifecycle"]["appearanceOpen"])
            # The window stays up, and the next sheet opens on the tab last chosen.
            self.assertTrue(report["window"]["visible"])
            session.key("ctrl+comma")
            session.wait_for(lambda r: "library-columns" in r["items"], "the sheet on Grid again")


if __name__ == "__main__":
    unittest.main()
