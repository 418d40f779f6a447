#!/usr/bin/env bash
# Installs what is needed, builds the launcher and starts it on generated sample applications in
# a throwaway home, so nothing of the user's own settings or applications is read or written.
# Without a display it runs under Xvfb and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)

scripts/setup.sh
cmake --preset default
cmake --build --preset default

launcher=build/default/window/orbitdeck
if [ ! -x "$launcher" ]; then
  echo "not built yet: the launcher window is not part of this checkout"
  exit 0
fi

home=$(mktemp -d /tmp/orbitdeck-home.XXXXXX)
python3 scripts/make-sample-apps.py --home "$home" --count 64 >/dev/null
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_CACHE_HOME="$home/.cache"
echo "throwaway home: $home"

if [ -n "${DISPLAY:-}" ]; then
  exec "$source/$launcher"
fi

shot="$home/orbitdeck-screenshot.png"
xvfb-run -a -s "-screen 0 1440x900x24" bash -c '
  "$1" & app=$!
  for _ in $(seq 1 100); do
    xdotool search --name "^Orbitdeck$" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 2
  import -window root "$2"
  kill $app
' _ "$source/$launcher" "$shot"
echo "screenshot: $shot"
