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
roots=$(python3 scripts/make-sample-apps.py --home "$home" --count 64 | tail -n 1)
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_CACHE_HOME="$home/.cache" ORBITDECK_APP_ROOTS="$roots"
echo "throwaway home: $home"

if [ -n "${DISPLAY:-}" ]; then
  exec "$launcher"
fi

# Headless: the window's state report says when the grid is on screen, and then when the
# first-run guide a newcomer sees has come up over it.
shot="$home/orbitdeck-screenshot.png"
export ORBITDECK_STATE_REPORT="$home/state.json"
xvfb-run -a -s "-screen 0 1440x900x24" bash -c '
  "$1" & app=$!
  for _ in $(seq 1 300); do
    grep -q "\"library-cell-" "$ORBITDECK_STATE_REPORT" 2>/dev/null && break
    sleep 0.1
  done
  for _ in $(seq 1 50); do
    grep -q "\"onboarding-skip\"" "$ORBITDECK_STATE_REPORT" 2>/dev/null && break
    sleep 0.1
  done
  sleep 1
  import -window root "$2"
  kill $app
' _ "$launcher" "$shot"
echo "screenshot: $shot"
