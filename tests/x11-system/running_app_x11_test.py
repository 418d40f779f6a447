"""Opening an application that already runs, under a real window manager (openbox): its window
comes forward (un-minimised, made the active window) and no second copy starts; once it has
quit, opening it starts it again.
Usage: running_app_x11_test.py ORBITDECK window|fullscreen|entry
("entry": a desktop entry in place of the bundle, its windows known by StartupWMClass)
"""

import json
import os
import plistlib
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "x11-window"))
from launcher_session import Session, cells  # noqa: E402
from system_x11_test import holds, poll, run, start_openbox  # noqa: E402
from system_x11_test import mapped as viewable  # noqa: E402

# No key bindings: openbox's own Alt+Space menu would take the launcher's shortcut.
OPENBOX_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew></focus>
  <keyboard></keyboard>
  <mouse></mouse>
</openbox_config>
"""


def root_window_property(name):
    out = run("xprop", "-root", name)
    return out.split("#")[-1].strip() if "#" in out else ""


def active_window():
    value = root_window_property("_NET_ACTIVE_WINDOW").split(",")[0].strip()
    return int(value, 16) if value.startswith("0x") else 0


def processes_running(program):
    """Pids of processes whose executable is program, as the kernel reports it."""
    found = []
    for name in os.listdir("/proc"):
        if name.isdigit():
            try:
                if os.readlink(f"/proc/{name}/exe") == program:
                    found.append(int(name))
            except OSError:
                pass
    return found


def make_logo_bundle(root):
    """A bundle whose executable is a small X program (copied in): it maps a window and stays
    running, and /proc names the bundle's own file as its executable."""
    contents = os.path.join(root, "Logo.app", "Contents")
    os.makedirs(os.path.join(contents, "MacOS"))
    with open(os.path.join(contents, "Info.plist"), "wb") as out:
        plistlib.dump({"CFBundlePackageType": "APPL", "CFBundleName": "Logo",
                       "CFBundleIdentifier": "test.orbitdeck.logo",
                       "CFBundleExecutable": "logo"}, out)
    program = os.path.join(contents, "MacOS", "logo")
    shutil.copy2(os.environ["WINDOW_FIXTURE_APP"], program)
    return os.path.realpath(program)


def make_logo_entry(folder):
    """The same program as a desktop entry's: found by the class its windows carry."""
    os.makedirs(folder)
    program = os.path.join(folder, "logo")
    shutil.copy2(os.environ["WINDOW_FIXTURE_APP"], program)
    entry = ("[Desktop Entry]\nType=Application\nName=Logo\n"
             f"Exec={program} %U\nStartupWMClass=WindowFixture\n")
    return os.path.realpath(program), {"logo.desktop": entry}


class Desk:
    def __init__(self, app, mode):
        self.home = tempfile.mkdtemp(prefix="orbitdeck-running-")
        self.children = []
        config = os.path.join(self.home, "openbox.xml")
        with open(config, "w") as out:
            out.write(OPENBOX_CONFIG)
        self.children.append(start_openbox("--config-file", config,
                                           env={**os.environ, "HOME": self.home}))
        root = os.path.join(self.home, "Applications")
        entries = None
        if mode == "entry":
            os.makedirs(root)
            self.program, entries = make_logo_entry(os.path.join(self.home, "bin"))
        else:
            self.program = make_logo_bundle(root)
        self.session = Session(app, count=0, env={"ORBITDECK_APP_ROOTS": root}, entries=entries,
                               defaults={"ambergrid.startMode":
                                         "fullscreen" if mode == "fullscreen" else "window"})
        self.session.wait_for(lambda r: r["window"]["visible"], "the launcher's window")
        self.launcher = self.session.window_id()

    def close(self):
        for pid in processes_running(self.program):
            os.kill(pid, 15)
        self.session.close()
        for child in reversed(self.children):
            child.terminate()
            child.wait(10)
        shutil.rmtree(self.home, ignore_errors=True)

    def show_launcher(self):
        Session.xdotool("key", "alt+space")
        poll(lambda: viewable(self.launcher) and active_window() == int(self.launcher),
             "the launcher shown and active")
        self.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")

    def open_logo(self):
        """Finds Logo by typing and opens the first hit with Return."""
        self.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")
        self.session.type("Logo")
        self.session.wait_for(lambda r: len(cells(r)) == 1, "one hit for Logo")
        self.session.key("Return")
        poll(lambda: not viewable(self.launcher), "the launcher hidden after the launch")

    def open_count(self):
        """How often the launcher recorded opening Logo, as it stored it."""
        try:
            with open(os.path.join(self.session.home, ".config", "orbitdeck", "orbitdeck.plist"),
                      "rb") as source:
                counts = plistlib.load(source).get("ambergrid.openCount.v1")
            # Logo is the only application ever opened.
            return sum(json.loads(counts).values()) if counts else 0
        except (OSError, ValueError, plistlib.InvalidFileException):
            return 0

    def logo_window(self):
        found = run("xdotool", "search", "--class", "^WindowFixture$").split()
        return [w for w in found if viewable(w)]

    def other_client(self):
        other = subprocess.Popen(["xmessage", "-title", "other-client", "other client"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.children.append(other)
        window = Session.find_window("--name", "^other-client$")
        poll(lambda: active_window() == int(window), "the other client active")
        return window


def main():
    desk = Desk(sys.argv[1], sys.argv[2])
    try:
        desk.open_logo()
        poll(lambda: len(desk.logo_window()) == 1, "the logo window")
        logo = desk.logo_window()[0]
        first = processes_running(desk.program)
        assert len(first) == 1, f"one copy after the first launch: {first}"
        poll(lambda: desk.open_count() == 1, "the first opening recorded")

        # Another window holds the focus and the logo is minimised: opening it again must
        # bring the same window back, not start a second copy.
        desk.other_client()
        Session.xdotool("windowminimize", "--sync", logo)
        desk.show_launcher()
        desk.open_logo()
        poll(lambda: active_window() == int(logo) and viewable(logo),
             "the running logo window active and shown again")
        holds(lambda: active_window() == int(logo), "the logo window keeps the focus", 0.5)
        assert processes_running(desk.program) == first, \
            f"no second copy: {processes_running(desk.program)} after {first}"
        # Brought forward counts as opened, like a launch.
        poll(lambda: desk.open_count() == 2, "the second opening recorded")

        # Once it has quit, opening starts it again.
        os.kill(first[0], 15)
        poll(lambda: not processes_running(desk.program) and not desk.logo_window(),
             "the logo gone")
        desk.show_launcher()
        desk.open_logo()
        poll(lambda: len(processes_running(desk.program)) == 1 and len(desk.logo_window()) == 1,
             "the logo started again")
        assert processes_running(desk.program) != first
        poll(lambda: desk.open_count() == 3, "the third opening recorded")
    finally:
        desk.close()


if __name__ == "__main__":
    main()
