#!/bin/bash
# Runs a command on a desktop of its own: a fresh Xvfb display, a D-Bus session
# and the accessibility bus, the way assistive technology meets the program.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 command [args...]" >&2; exit 2; }

if [ -z "${DRAVA_DESKTOP_INNER:-}" ]; then
    export DRAVA_DESKTOP_INNER=1
    exec dbus-run-session -- "$0" "$@"
fi

runtime=$(mktemp -d /tmp/drava-desktop.XXXXXX)
export XDG_RUNTIME_DIR="$runtime"
chmod 700 "$runtime"
exec 3> "$runtime/display"
# -noreset: an X server resets when its last client leaves, and a client that
# connects during the reset is turned away (seen after xdpyinfo below).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset > "$runtime/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$runtime/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$runtime/display")"
# Ready when a client can talk to it.
for _ in $(seq 100); do
    xdpyinfo > /dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo > /dev/null 2>&1 || { echo "Xvfb did not start:"; cat "$runtime/xvfb.log"; exit 1; } >&2
/usr/libexec/at-spi-bus-launcher --launch-immediately > "$runtime/atspi.log" 2>&1 &
atspi=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0

status=0
"$@" || status=$?
kill "$atspi" "$xvfb" 2>/dev/null || true
wait 2>/dev/null || true
rm -rf "$runtime"
exit "$status"
