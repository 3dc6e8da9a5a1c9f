#!/usr/bin/env bash
# Runs a command in a D-Bus session of its own with a secret service on it:
#   with_secret_store.sh keyring COMMAND...  gnome-keyring, its login keyring unlocked with a test password
#   with_secret_store.sh silent COMMAND...   one that takes every call and answers none
# The session is started here (dbus-run-session) and ends with the command, the service with it.
set -euo pipefail
if [ -z "${ORV_OWN_SESSION_BUS:-}" ]; then
  mkdir -p -m 700 "${XDG_RUNTIME_DIR:?}"
  ORV_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi
kind=$1
shift
case "$kind" in
  keyring) printf test | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null 2>&1 & ;;
  silent) /usr/bin/python3 "$(dirname "$0")/silent_secret_service.py" & ;;
  *) echo "unknown store $kind" >&2; exit 2 ;;
esac
service=$!
trap 'kill "$service" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
       org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null | grep -q 'boolean true'; then
    break
  fi
  sleep 0.1
done
"$@"
