#!/usr/bin/env python3
"""Screenshots of the launcher under Xvfb for a visual check: the grid in each skin, scrolling,
a search without hits, the empty library, a Chinese search, the German interface and the pages of
the first-run guide.

    scripts/with-xvfb.sh 1440x900x24 take_screenshots.py <orbitdeck> <output folder>
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from launcher_session import Session, cells  # noqa: E402

app, out = sys.argv[1], sys.argv[2]
os.makedirs(out, exist_ok=True)


def settled(session, condition, what):
    session.wait_for(condition, what)
    # Let the last fade of the tiles finish before the picture.
    time.sleep(0.6)


def grid(report):
    return report["window"]["visible"] and len(cells(report)) > 0


def shoot(name, condition=grid, count=64, defaults=None, typed=None):
    with Session(app, count=count, defaults=defaults) as session:
        settled(session, grid if count else lambda r: "library-empty-title" in r["items"],
                "the first grid")
        if typed is not None:
            session.focus()
            session.type(typed)
        settled(session, condition, name)
        path = os.path.join(out, name + ".png")
        session.screenshot(path)
        print(path)


for skin in ("night", "dusk", "paper"):
    shoot("grid-" + skin, defaults={"ambergrid.skin": skin})
shoot("scrolling", defaults={"ambergrid.browsing": "scroll"})
shoot("search-no-hit", typed="xyzzy",
      condition=lambda r: "library-app-store-search" in r["items"])
shoot("empty-library", count=0, condition=lambda r: "library-empty-title" in r["items"])
shoot("search-chinese", typed="wx",
      condition=lambda r: r["state"]["search"]["query"] == "wx" and len(cells(r)) < 20)
shoot("german", defaults={"ambergrid.language": "german"})
shoot("german-search-no-hit", defaults={"ambergrid.language": "german"}, typed="xyzzy",
      condition=lambda r: "library-app-store-search" in r["items"])


def guide_pages(skin):
    """A newcomer's first run: each page of the guide, walked with Return."""
    with Session(app, count=30, first_run=True, defaults={"ambergrid.skin": skin}) as session:
        for step in range(4):
            if step:
                session.focus()
                session.key("Return")
            settled(session, lambda r: [n for n in r["items"] if n.startswith("onboarding-step-")]
                    == ["onboarding-step-%d" % step], "guide page %d" % step)
            path = os.path.join(out, "guide-%s-%d.png" % (skin, step))
            session.screenshot(path)
            print(path)


for skin in ("night", "paper"):
    guide_pages(skin)
