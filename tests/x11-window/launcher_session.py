"""One run of the real launcher in a throwaway home, with its state report and xdotool input."""

import json
import os
import plistlib
import shutil
import subprocess
import sys
import tempfile
import time

SOURCE = os.environ.get("ORBITDECK_SOURCE_DIR",
                        os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))


def make_bundle(applications, name, bundle_id, markers, localized=None):
    """A minimal bundle whose executable records its launch in the markers folder; localized
    maps a localisation ("zh-Hans") to the display name its InfoPlist.strings gives."""
    contents = os.path.join(applications, name + ".app", "Contents")
    os.makedirs(os.path.join(contents, "MacOS"), exist_ok=True)
    os.makedirs(os.path.join(contents, "Resources"), exist_ok=True)
    with open(os.path.join(contents, "Info.plist"), "wb") as out:
        plistlib.dump({"CFBundlePackageType": "APPL", "CFBundleName": name,
                       "CFBundleIdentifier": bundle_id, "CFBundleExecutable": "run"}, out)
    for localization, display_name in (localized or {}).items():
        folder = os.path.join(contents, "Resources", localization + ".lproj")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "InfoPlist.strings"), "w", encoding="utf-16") as out:
            out.write(f'"CFBundleDisplayName" = "{display_name}";\n')
    script = os.path.join(contents, "MacOS", "run")
    with open(script, "w") as out:
        out.write(f"#!/bin/sh\nmkdir -p '{markers}' && touch '{markers}/{bundle_id}'\n")
    os.chmod(script, 0o755)


def write_entry(folder, file_name, text):
    """A desktop entry file in folder (subfolders of file_name made)."""
    path = os.path.join(folder, file_name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as out:
        out.write(text)
    return path


class Session:
    """Starts the launcher on sample applications; stops it and removes the home on exit.
    Desktop entries come only from the home's own data folders (entries: file name → text,
    written to ~/.local/share/applications), never from the machine's."""

    def __init__(self, app, count=40, extra=(), env=None, defaults=None, first_run=False,
                 bus=False, launch=True, entries=None):
        """bus: keep the session bus of the caller (a private one); otherwise the launcher runs
        without one, so it never meets a desktop's own bus or launcher. launch: False prepares
        the home and environment only (something else starts the launcher)."""
        self.home = tempfile.mkdtemp(prefix="orbitdeck-x11-")
        self.report = os.path.join(self.home, "state.json")
        self.markers = os.path.join(self.home, "launch-markers")
        generated = max(count - len(extra), 0)
        roots = subprocess.run(
            [sys.executable, os.path.join(SOURCE, "scripts", "make-sample-apps.py"),
             "--home", self.home, "--count", str(generated), "--no-decoys"],
            check=True, capture_output=True, text=True).stdout.strip().splitlines()[-1]
        for name, bundle_id, *localized in extra:
            make_bundle(os.path.join(self.home, "Applications"), name, bundle_id, self.markers,
                        *localized)
        self.applications = os.path.join(self.home, ".local", "share", "applications")
        for file_name, text in (entries or {}).items():
            write_entry(self.applications, file_name, text)
        # The settings as the app stores them, one plist per preferences domain: the windowed
        # start mode (full screen is the default) under the caller's own. A caller may also
        # bring a configuration folder of its own through XDG_CONFIG_HOME.
        config = os.path.join(self.home, ".config", "orbitdeck")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "orbitdeck.plist"), "wb") as out:
            plistlib.dump({"ambergrid.startMode": "window", **(defaults or {})}, out)
        environment = dict(os.environ)
        environment.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_DATA_DIRS": os.path.join(self.home, "usr", "share"),
            "XDG_CURRENT_DESKTOP": "",
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_RUNTIME_DIR": self.home,
            "GSETTINGS_BACKEND": "memory",
            "ORBITDECK_APP_ROOTS": roots,
            "ORBITDECK_LAUNCH_MARKERS": self.markers,
            "ORBITDECK_STATE_REPORT": self.report,
            "AMBERGRID_TEST_DEFAULTS": "1",
        })
        if not bus:
            environment.pop("DBUS_SESSION_BUS_ADDRESS", None)
        environment.update(env or {})
        if first_run:
            # A newcomer: the first-run guide opens after the first load.
            del environment["AMBERGRID_TEST_DEFAULTS"]
        self.app = app
        self.environment = environment
        self.process = None
        if launch:
            self.process = subprocess.Popen([app], env=environment, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.PIPE)

    def close(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        shutil.rmtree(self.home, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # --- the state report ---

    def state(self):
        try:
            with open(self.report) as source:
                return json.load(source)
        except (OSError, ValueError):
            return None

    def wait_for(self, condition, what, timeout=20.0):
        """Polls the report until condition(report) holds; fails with what after timeout."""
        deadline = time.monotonic() + timeout
        report = None
        while time.monotonic() < deadline:
            if self.process is not None and self.process.poll() is not None:
                raise AssertionError(f"launcher ended while waiting for {what}: "
                                     f"{self.process.stderr.read().decode(errors='replace')[-2000:]}")
            report = self.state()
            if report is not None:
                try:
                    if condition(report):
                        return report
                except (KeyError, TypeError, IndexError):
                    pass
            time.sleep(0.05)
        # Everything but the item rectangles first: they crowd out the rest.
        summary = None if report is None else json.dumps(
            {key: report[key] for key in sorted(report, key=lambda key: key != "window")
             if key != "items"})[:3000]
        raise AssertionError(f"timed out waiting for {what}; last report without items: {summary}")

    def wait_for_settled(self, name, what, timeout=20.0, still=0.3):
        """Waits for item name to be reported at one place for still seconds (a sheet that
        slides or lays out in moves it) and returns its rectangle."""
        deadline = time.monotonic() + timeout
        rect, since = None, time.monotonic()
        while time.monotonic() < deadline:
            item = (self.state() or {}).get("items", {}).get(name)
            if item != rect:
                rect, since = item, time.monotonic()
            elif rect is not None and time.monotonic() - since >= still:
                return rect
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what} to settle; last: {rect}")

    def wait_for_file(self, path, what, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if os.path.exists(path):
                return
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what}")

    # --- input ---

    @staticmethod
    def xdotool(*args):
        subprocess.run(["xdotool", *[str(a) for a in args]], check=True)

    @staticmethod
    def find_window(*criteria, timeout=20.0):
        """The first window matching criteria. xdotool's own --sync gives up with no output
        when a window it looks at disappears mid-search, so the search is repeated instead."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", *criteria],
                                   capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for a window matching {' '.join(criteria)}")

    def window_id(self):
        # By class: Qt's client leader window carries the title too.
        return self.find_window("--classname", "^orbitdeck$")

    def focus(self):
        self.xdotool("windowfocus", "--sync", self.window_id())

    @staticmethod
    def centre(item):
        return item["x"] + item["w"] // 2, item["y"] + item["h"] // 2

    def click(self, item, button=1):
        x, y = self.centre(item)
        self.xdotool("mousemove", "--sync", x, y, "click", button)

    def type(self, text):
        self.xdotool("type", "--delay", 40, text)

    def key(self, name):
        self.xdotool("key", name)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=True)


def cells(report):
    """The visible grid cells, in reading order."""
    found = [(item["y"], item["x"], name) for name, item in report["items"].items()
             if name.startswith("library-cell-")]
    return [name for _, _, name in sorted(found)]


def shown(*names):
    """The items are in the report and laid out: each one below the one before (a menu just
    made reports all its entries at its top for a frame)."""
    def condition(report):
        tops = [report["items"][name]["y"] for name in names]
        return all(a < b for a, b in zip(tops, tops[1:]))
    return condition


def gone(*names):
    return lambda report: not any(name in report["items"] for name in names)
