#!/usr/bin/env bash
# Runs the desktop notification tests on a private session bus: first with no notification
# server at all, then with one installed for the bus to start on demand (a mock that reads
# markup), then with a running one that takes plain text only.
# Arguments: build folder, source folder.
set -euo pipefail
build=$1
src=$2
here="$src/tests/system"
test_binary="$build/tests/system/notification_system_test"
source "$here/bus_helpers.sh"
activated_pid="$BUS_TMP/activated.pid"
stop_activated() {
    [ -s "$activated_pid" ] && kill "$(cat "$activated_pid")" 2>/dev/null || true
}
trap 'stop_activated; bus_cleanup' EXIT

bus_start_daemon "$here/session-bus.conf.in" session
export DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS
export QUILLON_TEST_PRIVATE_SESSION_BUS=$BUS_ADDRESS

status=0
"$test_binary" --gtest_filter='NoNotificationServer.*' || status=1

# A server the bus starts when a notification comes, as dunst or mako are installed.
starter="$BUS_TMP/start-notification-server"
cat >"$starter" <<STARTER
#!/bin/sh
echo \$\$ >"$activated_pid"
export DBUS_SESSION_BUS_ADDRESS="\$DBUS_STARTER_ADDRESS"
exec /usr/bin/python3 -m dbusmock --session --template notification_daemon >>"$BUS_TMP/mock.log" 2>&1
STARTER
chmod +x "$starter"
cat >"$BUS_TMP/session/services/org.freedesktop.Notifications.service" <<SERVICE
[D-BUS Service]
Name=org.freedesktop.Notifications
Exec=$starter
SERVICE
dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.ReloadConfig >/dev/null
"$test_binary" --gtest_filter='ServerStartedOnDemand.*' || status=1
[ -s "$activated_pid" ] || { echo "the bus never started the notification server" >&2; status=1; }
stop_activated
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q "boolean false" && break
    sleep 0.1
done

bus_start_mock session notification_daemon '{"capabilities": "body actions"}'
bus_wait_name session org.freedesktop.Notifications
"$test_binary" --gtest_filter='PlainTextServer.*' || status=1
bus_stop_mock
exit $status
