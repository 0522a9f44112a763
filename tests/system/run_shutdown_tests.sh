#!/usr/bin/env bash
# Runs the shutdown tests against a logind mock on a private system bus, one mock per set of
# rights, and finally with no logind at all. Arguments: build folder, source folder.
set -euo pipefail
build=$1
src=$2
here="$src/tests/system"
test_binary="$build/tests/system/shutdown_system_test"
view_binary="$build/tests/system/shutdown_view_system_test"
source "$here/bus_helpers.sh"
trap bus_cleanup EXIT

bus_start_daemon "$here/system-bus.conf.in" system
address=$BUS_ADDRESS
case "$address" in
    unix:*"$BUS_TMP"*) ;;
    *) echo "refusing a system bus outside the test's folder: $address" >&2; exit 1 ;;
esac
export DBUS_SYSTEM_BUS_ADDRESS=$address
export QUILLON_TEST_PRIVATE_SYSTEM_BUS=$address

status=0
run_with_mock() {
    local parameters=$1 filter=$2
    shift 2
    bus_start_mock system "$here/logind_template.py" "$parameters"
    bus_wait_name system org.freedesktop.login1
    "$test_binary" --gtest_filter="$filter" || status=1
    # The clock window on the same mock: the named test functions only.
    QT_QPA_PLATFORM=offscreen TZ=UTC "$view_binary" "$@" || status=1
    bus_stop_mock
}

run_with_mock '{"CanPowerOff": "yes", "CanReboot": "yes"}' 'LogindAllowed.*' \
    allowedShutDownAndEscape allowedDryRestartAndEscape allowedAdministratorsShutdownIsLeftAlone \
    allowedCancelOnTheNoticeWhileTheSchedulerIsOpen allowedCloseBoxCancels
run_with_mock '{"CanPowerOff": "challenge", "CanReboot": "challenge", "SetWallMessage": "challenge"}' \
    'LogindChallenge.*' challengedRestartAndEscape challengedSixSecondPromptCountsFromTheAgreement \
    challengedRefusedCancelShowsLogindsTime challengedLateGrantBringsTheNotice
run_with_mock '{"CanPowerOff": "no", "CanReboot": "no"}' 'LogindRefused.*' \
    refusedShowsEveryStepsMessageInOrder
"$test_binary" --gtest_filter='NoLogind.*' || status=1
if [ $status -ne 0 ]; then
    echo "--- mock log ---" >&2
    cat "$BUS_TMP/mock.log" >&2 || true
fi
exit $status
