#!/usr/bin/env bash
# Runs the keyring tests against a real Secret Service: a session bus of its
# own with gnome-keyring's secrets part, unlocked, in a home of its own.
# Exit status 77 (skipped, with the reason) where that cannot start here.
set -uo pipefail
tests="$1"
skip() { echo "OVERGESLAGEN: $*"; exit 77; }

command -v dbus-run-session >/dev/null || skip "dbus-run-session ontbreekt (pakket dbus)"
command -v gnome-keyring-daemon >/dev/null || skip "gnome-keyring-daemon ontbreekt (pakket gnome-keyring)"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/run" "$home/data" "$home/config"
chmod 700 "$home/run"
export HOME="$home" XDG_RUNTIME_DIR="$home/run" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
export QT_QPA_PLATFORM=offscreen TARVELO_TEST_KEYRING=1

dbus-run-session -- bash -c '
  printf "proef\n" | gnome-keyring-daemon --unlock --components=secrets >/dev/null || exit 77
  # The service takes its name on the bus a moment after the daemon returns.
  for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null | grep -q "boolean true" && break
    sleep 0.1
  done
  exec "$0" --gtest_filter="Keyring*"' "$tests" 2> >(grep -v "Failed to set fd limit" >&2)
status=$?
[ $status -eq 77 ] && skip "de Secret Service van gnome-keyring start niet"
exit $status
