#!/usr/bin/env bash
# Installs what is needed, builds the launcher and starts it on generated sample applications in
# a throwaway home, so nothing of the user's own settings or applications is read or written.
# Without a display it runs under Xvfb and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)

scripts/setup.sh
cmake --preset default
cmake --build --preset default --target orbitdeck

launcher="$source/build/default/orbitdeck"
if [ ! -x "$launcher" ]; then
  echo "not built yet: the launcher window is not part of this checkout"
  exit 0
fi

home=$(mktemp -d /tmp/orbitdeck-home.XXXXXX)
roots=$(python3 scripts/make-sample-apps.py --home "$home" --count 64 --desktop-entries 16 |
  tail -n 1)
# Bundles from the sample roots, desktop entries from the sample data folders (the user's and
# the system's) with their icon theme; the desktop's own settings (and its dock) stay untouched.
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_DATA_DIRS="$home/usr/share" XDG_CACHE_HOME="$home/.cache" ORBITDECK_APP_ROOTS="$roots"
export GSETTINGS_BACKEND=memory
unset XDG_CURRENT_DESKTOP
# Its own runtime folder, so it does not hand over to a launcher started elsewhere without a bus.
export XDG_RUNTIME_DIR="$home"
echo "throwaway home: $home"

if [ -n "${DISPLAY:-}" ]; then
  exec "$launcher"
fi

# Headless: the window's state report says when the first-run guide a newcomer sees is up; a
# screenshot of it, then Escape skips it and a second screenshot shows the full grid.
guide_shot="$home/orbitdeck-first-run-guide.png"
shot="$home/orbitdeck-screenshot.png"
export ORBITDECK_STATE_REPORT="$home/state.json"
"$source/scripts/with-xvfb.sh" 1440x900x24 bash -c '
  report="$ORBITDECK_STATE_REPORT"
  wait_for() { # pattern, present (1) or absent (0)
    for _ in $(seq 1 300); do
      if grep -q "$1" "$report" 2>/dev/null; then [ "$2" = 1 ] && return; else [ "$2" = 0 ] && return; fi
      sleep 0.1
    done
  }
  "$1" & app=$!
  wait_for "\"library-cell-" 1
  wait_for "\"onboarding-skip\"" 1
  sleep 1
  import -window root "$2"
  xdotool search --onlyvisible --name "^Orbitdeck$" windowfocus --sync key Escape 2>/dev/null || true
  wait_for "\"onboarding-skip\"" 0
  sleep 1
  import -window root "$3"
  kill $app
' _ "$launcher" "$guide_shot" "$shot"
echo "first-run guide: $guide_shot"
echo "screenshot: $shot"
