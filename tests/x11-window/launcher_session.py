"""One run of the real launcher in a throwaway home, with its state report and xdotool input."""

import json
import os
import plistlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

SOURCE = os.environ.get("ORBITDECK_SOURCE_DIR",
                        os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))

# What Qt's QML engine writes about the views: a location in a .qml file, a "QML <Type>:"
# message, the qt.qml.* logging categories and the QQml* classes' own complaints.
QML_WARNING = re.compile(r"\.qml\b|\bQML\b|^qt\.qml[\w.]*:|^QQml\w*:|^<Unknown File>:")
# Set to 1 to let a session end without failing on QML warnings (a look at something else).
ALLOW_QML_WARNINGS = os.environ.get("ORBITDECK_ALLOW_QML_WARNINGS") == "1"


def qml_warnings(log):
    """The lines of a launcher's stderr that are QML warnings."""
    return [line for line in log.splitlines() if QML_WARNING.search(line)]


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


def gnome_settings():
    """The environment of a GNOME session whose settings GLib keeps in its keyfile backend under
    the session's configuration folder, over the tests' private schema folder."""
    return {"XDG_CURRENT_DESKTOP": "GNOME", "GSETTINGS_BACKEND": "keyfile",
            "GSETTINGS_SCHEMA_DIR": os.environ["ORBITDECK_TEST_GSCHEMAS"]}


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
        # An X11 session, also when the tests are started from a Wayland desktop.
        for name in ("WAYLAND_DISPLAY", "XDG_SESSION_TYPE"):
            environment.pop(name, None)
        if not bus:
            environment.pop("DBUS_SESSION_BUS_ADDRESS", None)
        environment.update(env or {})
        if first_run:
            # A newcomer: the first-run guide opens after the first load.
            del environment["AMBERGRID_TEST_DEFAULTS"]
        self.app = app
        self.environment = environment
        self.process = None
        # The launcher's stderr, outside the home so that tests looking at the home never see
        # it; a file rather than a pipe, which a chatty launcher would fill and block on.
        descriptor, self.log_path = tempfile.mkstemp(prefix="orbitdeck-x11-", suffix=".log")
        os.close(descriptor)
        self.closed = False
        self.holding = False
        if launch:
            self.start()

    def start(self):
        """Starts the launcher (of a session made with launch=False)."""
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([self.app], env=self.environment,
                                            stdout=subprocess.DEVNULL, stderr=log)

    def gsettings(self, *arguments):
        """The gsettings program on the session's GNOME settings (see gnome_settings)."""
        return subprocess.run(["gsettings", *arguments], env=self.environment, check=True,
                              capture_output=True, text=True).stdout.strip()

    def stop(self):
        """Ends the launcher, keeping its home and log."""
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(10)

    def log(self):
        """What the launcher has written to stderr so far."""
        try:
            with open(self.log_path, "rb") as source:
                return source.read().decode(errors="replace")
        except OSError:
            return ""

    def close(self, check=True):
        """Ends the launcher and removes its home; then fails with the QML warnings it printed,
        if any (check False, when the session already failed, only prints them)."""
        if self.closed:
            return
        self.closed = True
        self.stop()
        if self.holding:
            # A failed drag left the button down on an X server that outlives the session.
            subprocess.run(["xdotool", "mouseup", "1"], stderr=subprocess.DEVNULL)
        warnings = qml_warnings(self.log())
        shutil.rmtree(self.home, ignore_errors=True)
        os.remove(self.log_path)
        if warnings and check and not ALLOW_QML_WARNINGS:
            raise AssertionError(f"the launcher printed {len(warnings)} QML warnings:\n"
                                 + "\n".join(warnings))
        if warnings:
            print("QML warnings:", *warnings, sep="\n", file=sys.stderr)

    def __enter__(self):
        return self

    def __exit__(self, kind, *_):
        # A failure already under way is the one to report.
        self.close(check=kind is None)

    # --- the state report ---

    def state(self):
        try:
            with open(self.report) as source:
                return json.load(source)
        except (OSError, ValueError):
            return None

    def _poll(self, read, condition, what, timeout=20.0):
        """Reads until condition(read()) holds and returns that value; fails if the launcher
        ends. On time-out returns None and the last value read, for the caller's message."""
        deadline = time.monotonic() + timeout
        value = None
        while time.monotonic() < deadline:
            if self.process is not None and self.process.poll() is not None:
                raise AssertionError(f"launcher ended while waiting for {what}: "
                                     f"{self.log()[-2000:]}")
            value = read()
            if value is not None:
                try:
                    if condition(value):
                        return value, None
                except (KeyError, TypeError, IndexError, ValueError):
                    pass
            time.sleep(0.05)
        return None, value

    def wait_for(self, condition, what, timeout=20.0):
        """Polls the report until condition(report) holds; fails with what after timeout."""
        report, last = self._poll(self.state, condition, what, timeout)
        if report is not None:
            return report
        # Everything but the item rectangles first: they crowd out the rest.
        summary = None if last is None else json.dumps(
            {key: last[key] for key in sorted(last, key=lambda key: key != "window")
             if key != "items"})[:3000]
        raise AssertionError(f"timed out waiting for {what}; last report without items: {summary}")

    def retry(self, act, condition, what, every=3.0, timeout=40.0):
        """Does act() until condition(report) holds, again after every seconds without it:
        for an input that may be lost (a click racing the focus) and is harmless twice. Fails
        after timeout, long enough for a loaded machine that is merely slow."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            act()
            report, _ = self._poll(self.state, condition, what, every)
            if report is not None:
                return report
        return self.wait_for(condition, what, timeout=every)

    def wait_for_settled(self, name, what, timeout=20.0, still=0.3, slack=0, quiet=1.0):
        """Waits for item name to stay at one place and returns its rectangle: a sheet that
        slides or a panel that grows moves it. In place means in frames drawn over still
        seconds, or in a report that no frame has changed for quiet seconds (a loaded machine
        draws few frames, so a report merely not rewritten for a moment proves nothing).
        slack: the pixels a side may stray and still count as in place (a wiggling tile)."""
        def near(a, b):
            return all(abs(a[key] - b[key]) <= slack for key in ("x", "y", "w", "h"))
        began = time.monotonic()
        anchor, anchor_frame, rect = None, 0, None
        while time.monotonic() - began < timeout:
            report = self.state() or {}
            rect, frame = report.get("items", {}).get(name), report.get("frameTime", 0)
            if rect is None or anchor is None or not near(rect, anchor):
                anchor, anchor_frame = rect, frame
            elif frame - anchor_frame >= still * 1000:
                return rect
            if rect is not None and time.monotonic() - began >= still \
                    and time.monotonic() * 1000 - frame >= quiet * 1000:
                return rect
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what} to settle; last: {rect}")

    # --- the stored settings ---

    def settings_path(self):
        return os.path.join(self.environment["XDG_CONFIG_HOME"], "orbitdeck", "orbitdeck.plist")

    def stored(self):
        """The settings as stored now ({} while unreadable: the launcher replaces the file)."""
        try:
            with open(self.settings_path(), "rb") as source:
                return plistlib.load(source)
        except (OSError, ValueError, plistlib.InvalidFileException):
            return {}

    def stored_layout(self):
        return Layout.decode(self.stored().get(LAYOUT_KEY))

    def wait_for_layout(self, condition, what, timeout=20.0):
        """Polls the stored layout until condition(layout) holds."""
        layout, last = self._poll(self.stored_layout, condition, what, timeout)
        if layout is None:
            raise AssertionError(f"timed out waiting for {what}; stored: {last}")
        return layout

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

    def press(self, point):
        """Moves the pointer to point and holds the button down there."""
        self.xdotool("mousemove", "--sync", *point, "mousedown", 1)
        self.holding = True

    def glide(self, start, end, steps=12):
        """Moves the pointer from start to end in steps, each one arrived before the next, so
        every tile on the way sees it pass (with the button held: a drag)."""
        for step in range(1, steps + 1):
            self.xdotool("mousemove", "--sync", start[0] + (end[0] - start[0]) * step // steps,
                         start[1] + (end[1] - start[1]) * step // steps)

    def release(self):
        self.xdotool("mouseup", 1)
        self.holding = False

    def type(self, text):
        self.bind_keys(text)
        self.xdotool("type", "--delay", 40, text)

    @staticmethod
    def bind_keys(text):
        """Gives each character of text outside ASCII a spare key of its own for the rest of
        the X session. xdotool types a character outside the keymap by remapping a key for a
        moment, and a launcher that reads the new keymap late (a loaded machine) sees the key
        after the mapping is gone: the character is lost."""
        wanted = {f"U{ord(c):04X}" for c in text if ord(c) > 0x7e}
        if not wanted:
            return
        table = subprocess.run(["xmodmap", "-pke"], capture_output=True, text=True,
                               check=True).stdout
        wanted = sorted(wanted - set(table.split()))
        spare = [int(line.split()[1]) for line in table.splitlines()
                 if line.startswith("keycode") and not line.partition("=")[2].strip()]
        if len(spare) < len(wanted):
            raise AssertionError(f"no spare keys for {wanted}")
        expressions = []
        for keysym, keycode in zip(wanted, reversed(spare)):
            expressions += ["-e", f"keycode {keycode} = {keysym}"]
        if expressions:
            subprocess.run(["xmodmap", *expressions], check=True)

    def key(self, name):
        self.xdotool("key", name)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=True)


LAYOUT_KEY = "ambergrid.library.layout.v1"


class Layout:
    """The library layout as stored: the page's items and each folder's as "application:<id>"
    or "folder:<id>", and the folders' names by id."""

    def __init__(self, items=(), folders=None, names=None):
        self.items = list(items)
        self.folders = folders or {}
        self.names = names or {}

    @staticmethod
    def key(item):
        (kind, payload), = item.items()
        value = payload["_0"]
        return f"{kind}:{value['rawValue'] if isinstance(value, dict) else value}"

    @classmethod
    def decode(cls, data):
        if not data:
            return cls()
        stored = json.loads(data)
        folders = {folder["id"]["rawValue"]: folder for folder in stored.get("folders", [])}
        return cls([cls.key(item) for item in stored.get("items", [])],
                   {id: [cls.key(item) for item in folder["items"]]
                    for id, folder in folders.items()},
                   {id: folder.get("name") for id, folder in folders.items()})

    def __repr__(self):
        return f"Layout(items={self.items}, folders={self.folders}, names={self.names})"


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
