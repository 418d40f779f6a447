#!/usr/bin/env python3
"""Full screen under a real window manager (openbox) with a desktop panel of type
_NET_WM_WINDOW_TYPE_DOCK: the full-screen launcher carries _NET_WM_STATE_FULLSCREEN and covers
the panel, again after every hide and show; in windowed mode it carries no such state and the
panel stays in view; full screen set or cleared by the window manager (wmctrl) becomes the
launcher's own mode.

Usage: window_manager_x11_test.py ORBITDECK FAKE_DOCK
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "x11-window"))
from launcher_session import Session, cells  # noqa: E402
from system_x11_test import geometry, poll, run, screen_size, start_openbox  # noqa: E402

DOCK_HEIGHT = 48


def net_wm_state(window):
    return run("xprop", "-id", window, "_NET_WM_STATE")


def full_screen(session, window):
    """The window manager and the launcher agree the launcher is shown full screen."""
    poll(lambda: "_NET_WM_STATE_FULLSCREEN" in net_wm_state(window),
         "the full-screen state set by the window manager")
    # At rest too: the open zoom moves every item it reports.
    session.wait_for(lambda r: r["window"]["visible"] and r["state"]["lifecycle"]["isFullScreen"]
                     and r["window"]["view"]["libraryZoom"] == 1,
                     "full screen in the launcher's state")


def toggle(session, how):
    """Hides and shows the launcher by the command line or by its hot key."""
    for shown in (False, True):
        if how == "--toggle":
            subprocess.run([session.app, "--toggle"], env=session.environment, check=True,
                           capture_output=True, timeout=30)
        else:
            if not shown:
                session.focus()
                session.wait_for(lambda r: r["window"]["view"]["active"], "the launcher active")
            session.key("super+alt+space")
        session.wait_for(lambda r: r["window"]["visible"] == shown,
                         f"{how} to {'show' if shown else 'hide'} the launcher")


def menu_point(session):
    """An empty spot of the page area, laid out for the window's present size (not the one
    before a mode change)."""
    def laid_out(r):
        area, window = r["items"]["library-page-area"], r["window"]
        return area["y"] + area["h"] <= window["y"] + window["h"] and area["x"] >= window["x"]
    session.wait_for(laid_out, "the page area inside the window")
    area = session.wait_for_settled("library-page-area", "the page area")
    return area["x"] + 8, area["y"] + area["h"] - 70


def open_background_menu(session):
    """Right-clicks until the menu shows: a click just after a show or a mode change can race
    the window manager's focus change."""
    x, y = menu_point(session)
    # From a step away: xdotool's --sync waits long for a move to where the pointer already is.
    session.retry(lambda: session.xdotool("mousemove", "--sync", x, y - 20,
                                          "mousemove", "--sync", x, y, "click", 3),
                  lambda r: "library-menu-full-screen" in r["items"], "the background menu")
    return session.wait_for_settled("library-menu-full-screen", "the background menu")


def menu_entry(session):
    """The background menu's full-screen entry, the menu closed again."""
    text = open_background_menu(session)["text"]
    session.key("Escape")
    session.wait_for(lambda r: "library-menu-full-screen" not in r["items"], "the menu closed")
    return text


def follows_the_window_manager(session, window, width):
    """wmctrl, as a window manager's own full-screen command: the launcher's state, stored
    start mode and menu follow, both ways."""
    for change, on in (("add", True), ("remove", False)):
        run("wmctrl", "-i", "-r", window, "-b", f"{change},fullscreen")
        visibility = "FullScreen" if on else "Windowed"
        session.wait_for(lambda r: r["state"]["lifecycle"]["isFullScreen"] == on
                         and r["window"]["view"]["visibility"] == visibility,
                         f"the launcher following {change},fullscreen")
        mode = "fullscreen" if on else "window"
        poll(lambda: session.stored().get("ambergrid.startMode") == mode,
             f"the start mode stored as {mode}")
        assert ("_NET_WM_STATE_FULLSCREEN" in net_wm_state(window)) == on
        entry = menu_entry(session)
        assert entry == ("Exit full screen" if on else "Enter full screen"), entry
        poll(lambda: panel_in_view(width) != on, "the panel covered only in full screen")


def panel_in_view(width):
    """Whether the panel's red shows on screen, in the middle of its strip."""
    pixel = run("import", "-window", "root", "-crop", f"1x1+{width // 2}+{DOCK_HEIGHT // 2}",
                "txt:-")
    return "(65535,0,0)" in pixel or "(255,0,0)" in pixel


def main():
    app, fake_dock = sys.argv[1], sys.argv[2]
    wm = start_openbox()
    dock = None
    try:
        dock = subprocess.Popen([fake_dock], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                text=True)
        dock.stdout.readline()
        width, height = screen_size()
        poll(lambda: "0, 48, " in run("xprop", "-root", "_NET_WORKAREA"),
             "the panel's strip reserved")
        poll(lambda: panel_in_view(width), "the panel on screen")

        defaults = {"ambergrid.startMode": "fullscreen", "ambergrid.hotKey": "commandOptionSpace"}
        with Session(app, count=12, defaults=defaults) as session:
            session.wait_for(lambda r: r["window"]["visible"] and cells(r), "the grid")
            window = session.window_id()
            full_screen(session, window)
            poll(lambda: geometry(window) == (0, 0, width, height),
                 "the launcher covering the whole monitor, panel strip included")
            poll(lambda: not panel_in_view(width), "the launcher above the panel")
            # The window manager drops the state of an unmapped window: every show asks again.
            for how in ("--toggle", "hot key"):
                toggle(session, how)
                full_screen(session, window)
                poll(lambda: not panel_in_view(width), f"the panel covered after {how}")
            if os.environ.get("ORBITDECK_SHOTS"):
                session.screenshot(os.path.join(os.environ["ORBITDECK_SHOTS"], "wm-full.png"))

            # Windowed: the state goes, the panel is on top again and the frame keeps clear of
            # the strip the panel reserves.
            session.click(open_background_menu(session))
            session.wait_for(lambda r: not r["state"]["lifecycle"]["isFullScreen"],
                             "windowed mode in the window state")
            poll(lambda: "_NET_WM_STATE_FULLSCREEN" not in net_wm_state(window),
                 "the full-screen state removed")
            poll(lambda: geometry(window)[1] >= DOCK_HEIGHT, "the window clear of the panel")
            poll(lambda: panel_in_view(width), "the panel in view of the windowed launcher")
            if os.environ.get("ORBITDECK_SHOTS"):
                session.screenshot(os.path.join(os.environ["ORBITDECK_SHOTS"], "wm-windowed.png"))
            follows_the_window_manager(session, window, width)

            # Back to full screen by the launcher's own menu: the window manager's state too.
            session.click(open_background_menu(session))
            full_screen(session, window)
            poll(lambda: not panel_in_view(width), "the panel covered again")
    finally:
        if dock is not None:
            dock.stdin.close()
            dock.wait(5)
        wm.terminate()
        wm.wait(5)
    print("window_manager_x11: ok")


if __name__ == "__main__":
    main()
