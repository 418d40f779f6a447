#!/usr/bin/env python3
"""Screenshots of the settings sheet under Xvfb, every tab in the night and paper skins.

    scripts/with-xvfb.sh 1440x900x24 take_settings_screenshots.py <orbitdeck> <output folder>
"""

import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

app, out = sys.argv[1], sys.argv[2]
os.makedirs(out, exist_ok=True)

for skin in ("night", "paper"):
    for tab in ("general", "shortcuts", "grid", "appearance", "organize"):
        defaults = {"ambergrid.skin": skin, "ambergrid.settingsTab": tab,
                    "ambergrid.startMode": "window"}
        with Session(app, count=30, defaults=defaults) as session:
            session.wait_for(lambda r: r["window"]["visible"] and len(cells(r)) > 0, "the grid")
            session.focus()
            session.key("ctrl+comma")
            session.wait_for_settled("settings-done", "the settings sheet")
            path = os.path.join(out, "settings-%s-%s.png" % (tab, skin))
            session.screenshot(path)
            print(path)
