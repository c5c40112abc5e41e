#!/usr/bin/env bash
# Starts the settings window under an X server of its own with a session bus
# and the accessibility bus, and reads it through AT-SPI (window_check.py).
# Exit status 77 (skipped, with the reason) where that cannot start here.
set -uo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
skip() { echo "OVERGESLAGEN: $*"; exit 77; }

command -v Xvfb >/dev/null || skip "Xvfb ontbreekt (pakket xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session ontbreekt (pakket dbus)"
command -v xdotool >/dev/null || skip "xdotool ontbreekt (pakket xdotool)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "de toegankelijkheidsbus ontbreekt (pakket at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi ontbreekt (pakket python3-pyatspi)"

# Xvfb chooses a display number nobody uses and tells it.
numberfile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$numberfile"' EXIT
for _ in $(seq 100); do [ -s "$numberfile" ] && break; sleep 0.1; done
[ -s "$numberfile" ] || skip "Xvfb start niet"
display=":$(head -n1 "$numberfile")"
export DISPLAY="$display"
unset QT_QPA_PLATFORM
# A runtime folder of this run (the bus launcher and Qt want one).
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- /usr/bin/python3 "$here/window_check.py" "$program"
status=$?
rm -rf "$XDG_RUNTIME_DIR"
exit $status
