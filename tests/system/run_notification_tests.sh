#!/usr/bin/env bash
# Runs the desktop notification tests on a private session bus: first with no notification
# service (one that could be started on demand must stay unstarted), then with a mock one.
# Arguments: build folder, source folder.
set -euo pipefail
build=$1
src=$2
here="$src/tests/system"
test_binary="$build/tests/system/notification_system_test"
source "$here/bus_helpers.sh"
trap bus_cleanup EXIT

# A startable service that only leaves a mark: sending must never start it.
marker="$BUS_TMP/started-by-activation"
mkdir -p "$BUS_TMP/session/services"
cat >"$BUS_TMP/session/services/org.freedesktop.Notifications.service" <<SERVICE
[D-BUS Service]
Name=org.freedesktop.Notifications
Exec=/usr/bin/touch $marker
SERVICE

bus_start_daemon "$here/session-bus.conf.in" session
export DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS
export QUILLON_TEST_PRIVATE_SESSION_BUS=$BUS_ADDRESS

status=0
"$test_binary" --gtest_filter='NoNotificationService.*' || status=1
sleep 0.5
if [ -e "$marker" ]; then
    echo "the notification service was started on demand" >&2
    status=1
fi

bus_start_mock session notification_daemon '{}'
bus_wait_name session org.freedesktop.Notifications
"$test_binary" --gtest_filter='NotificationService.*' || status=1
bus_stop_mock
exit $status
