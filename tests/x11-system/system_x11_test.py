"""The launcher's global hot key, launch triggers and presentation with the real executable.

Xvfb runs no window manager: nothing gives a mapped window the focus, so the tests focus the
other client (an xmessage window) explicitly, and the launcher hands the focus back by itself.
Usage: system_x11_test.py ORBITDECK CASE
"""

import os
import plistlib
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "x11-window"))
from launcher_session import Session, gnome_settings  # noqa: E402

FULL_OPACITY = 0xFFFFFFFF


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True).stdout


def poll(condition, what, timeout=20.0):
    """Waits until condition() holds; fails with what after timeout."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return time.monotonic()
        time.sleep(0.01)
    raise AssertionError(f"timed out waiting for {what}")


def start_openbox(*arguments, env=None, tries=2):
    """Starts openbox (no session manager) and waits until it manages the screen; its errors
    are in the failure when it ends first. Once in a while openbox ends at once with status 1
    and nothing said: it is then started once more."""
    log = tempfile.TemporaryFile(mode="w+")
    wm = subprocess.Popen(["openbox", "--sm-disable", *arguments], stdout=subprocess.DEVNULL,
                          stderr=log, env=env)

    def running():
        if wm.poll() is not None:
            log.seek(0)
            raise AssertionError(f"openbox ended ({wm.returncode}): {log.read()[-2000:]}")
        # Its theme is set at the end of its start, once it manages windows.
        return "_OB_THEME(" in run("xprop", "-root", "_OB_THEME")
    try:
        poll(running, "openbox managing the screen")
    except AssertionError as failure:
        log.seek(0)
        if tries > 1 and wm.returncode == 1 and not log.read().strip():
            return start_openbox(*arguments, env=env, tries=tries - 1)
        raise failure
    return wm


def holds(condition, what, duration):
    """Fails as soon as condition() stops holding within duration."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        if not condition():
            raise AssertionError(f"no longer true: {what}")
        time.sleep(0.01)


def mapped(window):
    return "IsViewable" in run("xwininfo", "-id", window)


def opacity(window):
    out = run("xprop", "-id", window, "_NET_WM_WINDOW_OPACITY")
    if "=" not in out:
        return FULL_OPACITY  # never set: opaque
    return int(out.split("=")[1].split(",")[0])


def focused():
    return run("xdotool", "getwindowfocus").strip()


def geometry(window):
    values = {}
    for line in run("xwininfo", "-id", window).splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
            int(values["Width"]), int(values["Height"]))


def screen_size():
    for line in run("xdpyinfo").splitlines():
        if "dimensions:" in line:
            width, height = line.split()[1].split("x")
            return int(width), int(height)
    raise AssertionError("no screen size")


class Desk:
    """The launcher plus an ordinary client that holds the focus while the launcher is away."""

    def __init__(self, app, settings=None, env=None, gnome=None):
        """gnome: GNOME's settings as GLib's keyfile holds them (path → key → GVariant text)."""
        self.config = tempfile.mkdtemp(prefix="orbitdeck-x11-config-")
        if settings:
            os.makedirs(os.path.join(self.config, "orbitdeck"))
            with open(os.path.join(self.config, "orbitdeck", "orbitdeck.plist"), "wb") as out:
                plistlib.dump(settings, out)
        if gnome:
            folder = os.path.join(self.config, "glib-2.0", "settings")
            os.makedirs(folder)
            with open(os.path.join(folder, "keyfile"), "w") as out:
                for path, values in gnome.items():
                    out.write(f"[{path}]\n" + "".join(f"{k}={v}\n" for k, v in values.items()))
            env = {**gnome_settings(), **(env or {})}
        self.session = Session(app, env={"XDG_CONFIG_HOME": self.config, **(env or {})})
        self.other, self.other_id = self.start_other()
        self.session.wait_for(lambda r: r["window"]["visible"], "the launcher's window")
        self.id = self.session.window_id()
        poll(lambda: mapped(self.id), "the launcher mapped")

    def close(self):
        self.other.terminate()
        self.other.wait(5)
        self.session.close()
        shutil.rmtree(self.config, ignore_errors=True)

    @staticmethod
    def start_other(attempts=3):
        """The ordinary client, started again if it ends before its window shows (seen rarely
        on a loaded machine); its own error text is reported when it never shows."""
        errors = []
        for _ in range(attempts):
            other = subprocess.Popen(["xmessage", "-title", "focus-target", "focus target"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
            deadline = time.monotonic() + 20
            while time.monotonic() < deadline and other.poll() is None:
                found = run("xdotool", "search", "--name", "^focus-target$").split()
                if found:
                    return other, found[0]
                time.sleep(0.05)
            other.kill()
            errors.append(other.communicate()[1].strip() or f"exit status {other.returncode}")
        raise AssertionError(f"the focus-target client never showed: {errors}")

    def report_window(self):
        report = self.session.state()
        return report["window"] if report else {}

    def focus_other(self):
        Session.xdotool("windowfocus", "--sync", self.other_id)
        poll(lambda: focused() == self.other_id, "the focus on the other client")

    def shown(self):
        # A hidden launcher is left at opacity 0, so full opacity means shown; one call is
        # cheaper than two, which keeps the polling close to the event.
        return opacity(self.id) == FULL_OPACITY and mapped(self.id)

    def hidden(self):
        return not mapped(self.id)

    def hide_with(self, keys):
        """Takes the launcher away; the launcher must be active for the shortcut to hide it."""
        for _ in range(3):
            Session.xdotool("windowfocus", "--sync", self.id)
            self.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")
            Session.xdotool("key", keys)
            try:
                poll(self.hidden, "the launcher hidden")
                return
            except AssertionError:
                continue
        raise AssertionError("the launcher never hid")

    def toggle_round_trip(self, keys):
        """Hidden with the other client focused: keys show the launcher, keys again hide it."""
        self.focus_other()
        # A running xprop reports each change of the opacity as it happens, without a process
        # start per look.
        spy = subprocess.Popen(["xprop", "-spy", "-id", self.id, "_NET_WM_WINDOW_OPACITY"],
                               stdout=subprocess.PIPE, text=True)
        # Ends the watch, and so the reading below, should full opacity never come.
        watchdog = threading.Timer(20.0, spy.kill)
        watchdog.start()
        try:
            spy.stdout.readline()  # the current value
            Session.xdotool("key", keys)
            seen = []
            while str(FULL_OPACITY) not in (line := spy.stdout.readline()):
                assert line, f"no full opacity after the keys, only {seen}"
                if "=" in line:
                    seen.append(int(line.split("=")[1].split(",")[0]))
        finally:
            watchdog.cancel()
            spy.kill()
            spy.wait()
        # How fast it comes is the hot-key benchmark's measure; here it fades in, never out.
        assert seen == sorted(seen), f"the opacity fell while showing: {seen}"
        poll(self.shown, f"{keys} to show the launcher at full opacity")
        poll(lambda: focused() == self.id, "the launcher focused")
        self.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")
        Session.xdotool("key", keys)
        poll(self.hidden, f"{keys} to hide the launcher")
        poll(lambda: focused() == self.other_id, "the focus back on the other client")


def case_toggle(desk):
    desk.hide_with("alt+space")
    desk.toggle_round_trip("alt+space")
    assert desk.report_window().get("hotKeyRegistration") == "registered"


def case_caps_lock(desk):
    desk.hide_with("alt+space")
    Session.xdotool("key", "Caps_Lock")
    try:
        desk.toggle_round_trip("alt+space")
    finally:
        Session.xdotool("key", "Caps_Lock")


def case_held_keys(desk):
    desk.hide_with("alt+space")
    desk.focus_other()
    Session.xdotool("keydown", "alt+space")
    poll(desk.shown, "the launcher shown while the keys are held")
    # The hold itself is the input; repeats must not toggle again during it.
    holds(desk.shown, "the launcher shown through the hold", 1.5)
    Session.xdotool("keyup", "alt+space")
    holds(desk.shown, "the launcher shown after the keys are let go", 0.3)


def case_command_option_space(desk):
    desk.hide_with("super+alt+space")
    desk.focus_other()
    # Both go through the same connection in order: had Alt+Space shown the launcher, the
    # second press would hide it again.
    Session.xdotool("key", "alt+space")
    Session.xdotool("key", "super+alt+space")
    poll(desk.shown, "Super+Alt+Space to show the launcher")
    holds(lambda: mapped(desk.id), "the launcher stays", 0.5)
    desk.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")
    Session.xdotool("key", "super+alt+space")
    poll(desk.hidden, "Super+Alt+Space to hide the launcher")


def push_into_corner(condition, what, timeout=20.0):
    Session.xdotool("mousemove_relative", "--sync", "--", -400, -400)
    deadline = time.monotonic() + timeout
    while not condition():
        assert time.monotonic() < deadline, f"timed out waiting for {what}"
        Session.xdotool("mousemove_relative", "--", -2, -2)


def case_hot_corner(desk):
    Session.xdotool("mousemove", "--sync", 300, 300)
    desk.hide_with("alt+space")
    desk.focus_other()
    # The zone is checked on pointer motion: keep pushing into the corner, as a hand does.
    push_into_corner(lambda: focused() == desk.id and desk.shown(), "the corner to show it")
    # Still in the corner, with the focus elsewhere: a second firing would take it back.
    desk.focus_other()
    deadline = time.monotonic() + 1.0
    while time.monotonic() < deadline:
        Session.xdotool("mousemove_relative", "--", -2, -2)
        assert focused() == desk.other_id, "a second firing within one stay"
    # Several separate motions outside, so the leaving is not folded into the next stay.
    for step in (200, 1, -1, 1, -1):
        Session.xdotool("mousemove_relative", "--sync", "--", step, step)
    push_into_corner(lambda: focused() == desk.id, "a new stay to fire again")


def case_f4_key(desk):
    desk.hide_with("alt+space")
    desk.focus_other()
    Session.xdotool("key", "shift+F4")
    holds(desk.hidden, "Shift+F4 leaves the launcher hidden", 0.8)
    Session.xdotool("key", "F4")
    poll(desk.shown, "F4 to show the launcher")


def case_full_screen(desk):
    width, height = screen_size()
    poll(lambda: geometry(desk.id) == (0, 0, width, height), "the launcher covering the monitor")
    holds(lambda: geometry(desk.id) == (0, 0, width, height), "the frame stays pinned", 0.5)
    desk.hide_with("alt+space")
    desk.toggle_round_trip("alt+space")


def case_desktop_reduce_motion(desk):
    # GNOME's settings turn animations off: the launcher comes and goes without fading.
    desk.session.wait_for(lambda r: r["state"]["settings"]["reduceMotion"],
                          "the desktop's preference read")
    desk.hide_with("alt+space")
    desk.focus_other()
    spy = subprocess.Popen(["xprop", "-spy", "-id", desk.id, "_NET_WM_WINDOW_OPACITY"],
                           stdout=subprocess.PIPE, text=True)
    try:
        Session.xdotool("key", "alt+space")
        poll(desk.shown, "alt+space to show the launcher")
        desk.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")
        Session.xdotool("key", "alt+space")
        poll(desk.hidden, "alt+space to hide the launcher")
    finally:
        spy.kill()
        seen = [line.split("=")[1].split(",")[0].strip() for line in spy.communicate()[0]
                .splitlines() if "=" in line]
    assert all(int(value) == FULL_OPACITY for value in seen), f"faded through {seen}"


def shortcuts_note(desk):
    """Opens the settings on the Shortcuts tab; the note beside the chord, None when absent."""
    Session.xdotool("windowfocus", "--sync", desk.id)
    desk.session.wait_for(lambda r: r["window"]["view"]["active"], "launcher active")
    Session.xdotool("key", "ctrl+comma")
    report = desk.session.wait_for(lambda r: "library-hotkey" in r["items"], "the Shortcuts tab")
    return report["items"].get("library-hotkey-refused", {}).get("text")


# In German, so the note is shown in the interface language.
GERMAN = {"LANG": "en_US.UTF-8", "LANGUAGE": "de"}
ON_SHORTCUTS = {"ambergrid.startMode": "window", "ambergrid.settingsTab": "shortcuts"}


def case_refused_grab(app):
    free = Desk(app, ON_SHORTCUTS, GERMAN)
    try:
        free.session.wait_for(lambda r: r["window"]["hotKeyRegistration"] == "registered",
                              "the shortcut registered")
        note = shortcuts_note(free)
        assert note is None, f"a registered shortcut is shown as refused: {note!r}"
    finally:
        free.close()

    holder = subprocess.Popen([os.environ["KEY_GRAB_HOLDER"]], stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, text=True)
    try:
        assert holder.stdout.readline().strip() == "grabbed", "the other client's grab failed"
        desk = Desk(app, ON_SHORTCUTS, GERMAN)
        try:
            desk.session.wait_for(
                lambda r: r["window"]["hotKeyRegistration"] == "not registered",
                "the refused grab in the report")
            desk.focus_other()
            Session.xdotool("key", "alt+space")
            holds(lambda: desk.session.process.poll() is None, "the launcher keeps running", 0.5)
            note = shortcuts_note(desk)
            assert note == "Von einem anderen Programm belegt", f"the refusal reads {note!r}"
            footnote = desk.session.state()["items"]["shortcuts-footnote"]["text"]
            assert "X11-Sitzung keine Berechtigung" in footnote, f"the footnote reads {footnote!r}"
        finally:
            desk.close()
    finally:
        holder.stdin.close()
        holder.wait(5)


def guide_shortcut_page(session):
    """Walks a new home's guide to its shortcut page; the page's report."""
    report = session.wait_for(lambda r: "onboarding-continue" in r["items"], "the guide")
    session.click(report["items"]["onboarding-continue"])
    return session.wait_for(lambda r: "onboarding-step-1" in r["items"]
                            and "onboarding-step-0" not in r["items"], "the shortcut page")


def case_guide_taken_shortcut(app):
    """Openbox binds Alt+Space to its window menu: the guide's shortcut page says so, the next
    card is one click away, and with every offered chord held it says how to bind the toggle."""
    wm = start_openbox()
    holder = None
    try:
        with Session(app, count=6, first_run=True) as session:
            session.wait_for(lambda r: r["window"]["hotKeyRegistration"] == "not registered",
                             "openbox holding Alt+Space")
            guide_shortcut_page(session)
            report = session.wait_for(lambda r: "onboarding-hotkey-refused" in r["items"],
                                      "the refusal on the shortcut page")
            refused = report["items"]["onboarding-hotkey-refused"]
            assert refused["text"] == "Alt+Space is in use by another program: pick another shortcut.", refused
            assert "onboarding-hotkey-bind" not in report["items"], "other chords are free"
            if os.environ.get("ORBITDECK_SHOTS"):
                session.screenshot(os.path.join(os.environ["ORBITDECK_SHOTS"], "guide-taken.png"))
            # Ctrl+Alt+Space: the right-hand card of the grid's second row, just above the note.
            page = report["items"]["onboarding-step-1"]
            session.xdotool("mousemove", "--sync", page["x"] + page["w"] * 3 // 4,
                            refused["y"] - 16 - 12, "click", "1")
            session.wait_for(lambda r: r["window"]["hotKeyRegistration"] == "registered"
                             and "onboarding-hotkey-refused" not in r["items"],
                             "Ctrl+Alt+Space registered and the refusal gone")
            assert session.stored().get("ambergrid.hotKey") == "controlOptionSpace"

        holder = subprocess.Popen([os.environ["KEY_GRAB_HOLDER"], "super+alt", "ctrl+alt"],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        assert holder.stdout.readline().strip() == "grabbed", "the other client's grabs failed"
        with Session(app, count=6, first_run=True) as session:
            guide_shortcut_page(session)
            report = session.wait_for(lambda r: "onboarding-hotkey-bind" in r["items"],
                                      "the way out with every chord held")
            assert "“orbitdeck --toggle”" in report["items"]["onboarding-hotkey-bind"]["text"]
            assert "onboarding-hotkey-refused" in report["items"]
            if os.environ.get("ORBITDECK_SHOTS"):
                session.screenshot(os.path.join(os.environ["ORBITDECK_SHOTS"], "guide-all-taken.png"))
    finally:
        if holder is not None:
            holder.stdin.close()
            holder.wait(5)
        wm.terminate()
        wm.wait(5)


SETTINGS = {
    "command_option_space": {"ambergrid.hotKey": "commandOptionSpace"},
    "hot_corner": {"ambergrid.hotCorner": "topLeft", "ambergrid.startMode": "window"},
    "f4_key": {"ambergrid.f4Key": True},
    "full_screen": {"ambergrid.startMode": "fullscreen"},
}


def main():
    app, case = sys.argv[1], sys.argv[2]
    if case in ("refused_grab", "guide_taken_shortcut"):
        globals()["case_" + case](app)
        return
    settings = {"ambergrid.startMode": "window"}
    settings.update(SETTINGS.get(case, {}))
    # GNOME turns animations off.
    gnome = ({"org/gnome/desktop/interface": {"enable-animations": "false"}}
             if case == "desktop_reduce_motion" else None)
    desk = Desk(app, settings, gnome=gnome)
    try:
        globals()["case_" + case](desk)
    finally:
        desk.close()


if __name__ == "__main__":
    main()
