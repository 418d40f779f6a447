#!/bin/sh
# with-xvfb.sh WxHxD command...: runs command on a private Xvfb.
# The server picks its own free display (-displayfd) and skips any number whose sockets are
# only partly free, so parallel runs never share a server, not even with servers started in
# another mount namespace (xvfb-run -a only looks at lock files in this /tmp).
set -eu
screen="$1"
shift
state=$(mktemp -d "${TMPDIR:-/tmp}/with-xvfb.XXXXXX")
server=""
clean_up() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$state"
}
trap clean_up EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$state/display" 2>"$state/log" &
server=$!
tries=0
while ! grep -q '^[0-9][0-9]*$' "$state/display" 2>/dev/null; do
    if ! kill -0 "$server" 2>/dev/null || [ "$tries" -ge 600 ]; then
        echo "with-xvfb: Xvfb did not start:" >&2
        cat "$state/log" >&2
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.05
done

status=0
DISPLAY=":$(cat "$state/display")" "$@" || status=$?
exit "$status"
