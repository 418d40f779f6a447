#!/usr/bin/env python3
"""Layout backups and alerts in the real window under Xvfb: the export dialog writes a typed
name and asks before replacing a file; an import that is no backup, a failed move to the Trash
and an application that fails to open each show one alert with their own title; typing after
an alert reaches the search. ORBITDECK_SKIN picks the skin, ORBITDECK_SCREENSHOTS a folder for
pictures of each dialog and alert."""

import datetime
import json
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

APP = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("ORBITDECK_APP")
SHOTS = os.environ.get("ORBITDECK_SCREENSHOTS")
SKIN = os.environ.get("ORBITDECK_SKIN", "night")
ALERTS = ("uninstall-alert-panel", "error-alert-panel", "open-failure-alert-panel",
          "backup-replace-alert-panel")


def loaded_grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def alerts_shown(report):
    return [name for name in ALERTS if name in report["items"]]


def open_organize_row(session, row):
    """Opens the settings on the Organize tab and clicks the backup row row."""
    session.wait_for(loaded_grid, "the first grid")
    session.focus()
    session.key("ctrl+comma")
    session.click(session.wait_for_settled(row, f"the {row} row"))


def documents(session):
    folder = os.path.join(session.home, "Documents")
    os.makedirs(folder, exist_ok=True)
    return folder


def script_errors(session):
    """What the views wrote about script errors, read once the launcher has ended."""
    session.stop()
    log = session.log()
    return [line for line in log.splitlines() if "Error" in line and ".qml" in line]


def shot(session, name):
    if SHOTS:
        session.screenshot(os.path.join(SHOTS, name))


class BackupDialogTest(unittest.TestCase):
    defaults = {"ambergrid.settingsTab": "organize", "ambergrid.skin": SKIN}

    def export_dialog(self, session):
        open_organize_row(session, "organize-export")
        return session.wait_for(lambda r: r["items"]["backup-file-name"]["w"] > 0
                                and "settings-panel" not in r["items"], "the export dialog")

    def test_export_to_a_typed_name_writes_it_and_shows_the_toast(self):
        with Session(APP, count=12, defaults=self.defaults) as session:
            folder = documents(session)
            report = self.export_dialog(session)
            today = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d")
            self.assertEqual(report["items"]["backup-file-name"]["text"],
                             f"Orbitdeck Layout {today}.json")
            self.assertEqual(report["items"]["backup-dialog-title"]["text"], "Export")
            self.assertEqual(report["items"]["backup-export"]["text"], "Export")
            # The dialog opens in Documents.
            self.assertEqual(report["items"]["backup-folder"]["text"], folder)
            shot(session, f"export-dialog-{SKIN}.png")

            # A new folder is made and entered; the export goes there.
            session.click(report["items"]["backup-new-folder"])
            session.wait_for(lambda r: r["items"]["backup-folder"]["text"]
                             == os.path.join(folder, "New Folder"), "the new folder entered")
            folder = os.path.join(folder, "New Folder")

            # The suggested name without its suffix is selected: typing replaces it.
            session.type("typed name")
            session.wait_for(lambda r: r["items"]["backup-file-name"]["text"]
                             == "typed name.json", "the typed name")
            session.key("ctrl+a")
            session.type("no suffix")
            session.key("Return")
            report = session.wait_for(
                lambda r: r["state"]["toasts"]["text"].endswith("no suffix.json"),
                "the export toast")
            self.assertEqual(report["state"]["toasts"]["text"], "Layout exported · no suffix.json")
            with open(os.path.join(folder, "no suffix.json")) as source:
                backup = json.load(source)
            self.assertEqual(backup["format"], 1)
            self.assertEqual(alerts_shown(report), [])
            # The settings are back on Organize with the keys: Escape closes only them.
            session.wait_for(lambda r: "settings-panel" in r["items"]
                             and "organize-export" in r["items"], "the settings back")
            session.key("Escape")
            report = session.wait_for(lambda r: "settings-panel" not in r["items"],
                                      "the settings closed by Escape")
            self.assertTrue(report["window"]["visible"])

    def test_export_over_an_existing_file_asks_first(self):
        with Session(APP, count=12, defaults=self.defaults) as session:
            target = os.path.join(documents(session), "existing.json")
            with open(target, "w") as out:
                out.write("keep me")
            self.export_dialog(session)
            session.key("ctrl+a")
            session.type("existing")
            session.key("Return")
            report = session.wait_for(lambda r: "backup-replace-alert-replace" in r["items"],
                                      "the replace question")
            self.assertIn("existing.json", report["items"]["backup-replace-alert-title"]["text"])
            shot(session, f"export-replace-{SKIN}.png")
            # Return takes the safe answer: nothing is written, the dialog stays.
            session.key("Return")
            session.wait_for(lambda r: "backup-replace-alert-panel" not in r["items"]
                             and "backup-file-name" in r["items"], "back in the dialog")
            with open(target) as source:
                self.assertEqual(source.read(), "keep me")

            session.key("Return")
            report = session.wait_for(lambda r: "backup-replace-alert-replace" in r["items"],
                                      "the replace question again")
            session.click(report["items"]["backup-replace-alert-replace"])
            session.wait_for(lambda r: r["state"]["toasts"]["text"]
                             == "Layout exported · existing.json", "the export toast")
            with open(target) as source:
                self.assertEqual(json.load(source)["format"], 1)

    def test_a_backup_exported_under_the_suggested_name_imports_again(self):
        with Session(APP, count=12, defaults=self.defaults) as session:
            folder = documents(session)
            report = self.export_dialog(session)
            name = report["items"]["backup-file-name"]["text"]
            session.key("Return")
            session.wait_for(lambda r: r["state"]["toasts"]["text"] == f"Layout exported · {name}",
                             "the export toast")
            self.assertTrue(os.path.exists(os.path.join(folder, name)))

            session.key("ctrl+comma")
            session.click(session.wait_for_settled("organize-import", "the import row"))
            entry = session.wait_for_settled("backup-entry-" + name, "the exported file listed")
            x, y = session.centre(entry)
            session.xdotool("mousemove", "--sync", x, y, "click", "--repeat", 2, "--delay", 80, 1)
            report = session.wait_for(lambda r: r["state"]["toasts"]["text"].startswith(
                "Layout imported"), "the import toast")
            self.assertEqual(report["state"]["toasts"]["text"], "Layout imported · Ctrl+Z")
            self.assertNotIn("backup-open-dialog", report["items"])

    def test_import_of_a_file_that_is_no_backup_shows_one_alert(self):
        with Session(APP, count=12, defaults=self.defaults) as session:
            with open(os.path.join(documents(session), "broken.json"), "w") as out:
                out.write("{ not a backup")
            open_organize_row(session, "organize-import")
            report = session.wait_for(lambda r: "backup-entry-broken.json" in r["items"]
                                      and "settings-panel" not in r["items"], "the import dialog")
            self.assertFalse(report["items"]["backup-open"]["enabled"])
            shot(session, f"import-dialog-{SKIN}.png")
            session.click(report["items"]["backup-entry-broken.json"])
            report = session.wait_for(lambda r: r["items"]["backup-open"]["enabled"],
                                      "the file picked")
            session.click(report["items"]["backup-open"])
            report = session.wait_for(lambda r: "error-alert-title" in r["items"], "the alert")
            self.assertEqual(alerts_shown(report), ["error-alert-panel"])
            self.assertEqual(report["items"]["error-alert-title"]["text"],
                             "Couldn’t import the layout")
            self.assertEqual(report["items"]["error-alert-message"]["text"],
                             "This file isn’t a Orbitdeck layout backup.")
            shot(session, f"import-error-alert-{SKIN}.png")

            # Return closes it; what is typed next goes to the search field.
            session.key("Return")
            session.wait_for(lambda r: alerts_shown(r) == []
                             and r["state"]["lifecycle"]["uninstallError"] == "", "the alert gone")
            session.type("ab")
            session.wait_for(lambda r: r["state"]["search"]["query"] == "ab", "the typed query")
            self.assertEqual(script_errors(session), [])


class WindowAlertTest(unittest.TestCase):
    def test_a_failed_move_to_the_trash_shows_one_alert(self):
        with Session(APP, count=12, defaults={"ambergrid.skin": SKIN}) as session:
            # A file where the Trash folder belongs: nothing can be moved there.
            data = os.path.join(session.home, ".local", "share")
            os.makedirs(data, exist_ok=True)
            with open(os.path.join(data, "Trash"), "w") as out:
                out.write("not a folder")
            report = session.wait_for(lambda r: loaded_grid(r) and len(cells(r)) == 12,
                                      "the first grid")
            session.focus()
            tile = cells(report)[3]
            session.click(report["items"][tile], button=3)
            session.click(session.wait_for_settled("tile-menu-trash", "the tile menu"))
            report = session.wait_for(lambda r: "uninstall-alert-trash" in r["items"],
                                      "the confirmation")
            self.assertEqual(alerts_shown(report), ["uninstall-alert-panel"])
            self.assertTrue(report["items"]["uninstall-alert-cancel"]["text"])
            shot(session, f"uninstall-alert-{SKIN}.png")
            session.click(report["items"]["uninstall-alert-trash"])
            report = session.wait_for(lambda r: "error-alert-title" in r["items"],
                                      "the error alert")
            self.assertEqual(alerts_shown(report), ["error-alert-panel"])
            self.assertEqual(report["items"]["error-alert-title"]["text"],
                             "Couldn’t move the app to the Trash")
            self.assertTrue(report["items"]["error-alert-message"]["text"])
            self.assertIn(tile, report["items"])
            shot(session, f"trash-error-alert-{SKIN}.png")
            session.key("Escape")
            report = session.wait_for(lambda r: alerts_shown(r) == [], "the alert gone")
            # Escape closed only the alert, not the window.
            self.assertTrue(report["window"]["visible"])
            self.assertEqual(script_errors(session), [])


    def test_an_application_that_fails_to_open_shows_one_alert(self):
        extra = [("Broken Tool", "com.example.broken")]
        with Session(APP, count=12, extra=extra, defaults={"ambergrid.skin": SKIN}) as session:
            # Its program cannot be started.
            os.chmod(os.path.join(session.home, "Applications", "Broken Tool.app", "Contents",
                                  "MacOS", "run"), 0o644)
            report = session.wait_for(lambda r: loaded_grid(r) and any(
                "com.example.broken" in name for name in cells(r)), "the grid with the tool")
            session.focus()
            tile = next(name for name in cells(report) if "com.example.broken" in name)
            session.click(report["items"][tile])
            report = session.wait_for(lambda r: "open-failure-alert-title" in r["items"],
                                      "the open-failure alert")
            self.assertEqual(alerts_shown(report), ["open-failure-alert-panel"])
            self.assertEqual(report["items"]["open-failure-alert-title"]["text"],
                             "Couldn’t open application")
            self.assertEqual(report["items"]["open-failure-alert-message"]["text"], "Broken Tool")
            shot(session, f"open-failure-alert-{SKIN}.png")
            session.key("Return")
            report = session.wait_for(lambda r: alerts_shown(r) == []
                                      and r["state"]["lifecycle"]["failedApp"] == "",
                                      "the alert gone")
            # The launcher stays up and the app never ran.
            self.assertTrue(report["window"]["visible"])
            self.assertFalse(os.path.exists(os.path.join(session.markers, "com.example.broken")))


if __name__ == "__main__":
    unittest.main()
