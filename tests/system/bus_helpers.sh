# Shared by the bus-driven test scripts: private bus daemons and python3-dbusmock services
# that live only as long as the script. Source it; call bus_cleanup from an EXIT trap.

BUS_PIDS=()
BUS_TMP=$(mktemp -d)
chmod 700 "$BUS_TMP"

bus_cleanup() {
    local pid
    for pid in "${BUS_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${BUS_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$BUS_TMP"
}

# bus_start_daemon CONFIG_TEMPLATE NAME: starts dbus-daemon on a config made from the template;
# its address is in BUS_ADDRESS. (Not in a subshell: the pid must reach the cleanup list.)
bus_start_daemon() {
    local template=$1 name=$2
    local dir="$BUS_TMP/$name"
    mkdir -p "$dir/socket" "$dir/services"
    sed -e "s|@BUS_DIR@|$dir/socket|g" -e "s|@SERVICE_DIR@|$dir/services|g" "$template" >"$dir/bus.conf"
    dbus-daemon --config-file="$dir/bus.conf" --fork --print-address=1 --print-pid=1 >"$dir/started"
    local address pid
    address=$(sed -n 1p "$dir/started")
    pid=$(sed -n 2p "$dir/started")
    [ -n "$address" ] && [ -n "$pid" ] || { echo "dbus-daemon did not start" >&2; return 1; }
    # The daemon forked away from us, so only its pid file knows it.
    BUS_PIDS+=("$pid")
    BUS_ADDRESS=$address
}

# bus_wait_name system|session NAME: waits up to 10 s for NAME to be owned.
bus_wait_name() {
    local bus=$1 name=$2 i
    for i in $(seq 100); do
        if dbus-send --"$bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner "string:$name" 2>/dev/null | grep -q "boolean true"; then
            return 0
        fi
        sleep 0.1
    done
    echo "$name did not appear on the $bus bus" >&2
    return 1
}

# bus_start_mock system|session TEMPLATE PARAMETERS_JSON: starts a dbusmock service in the
# background; its pid is in MOCK_PID.
bus_start_mock() {
    local bus=$1 template=$2 parameters=$3
    /usr/bin/python3 -m dbusmock --"$bus" --template "$template" --parameters "$parameters" \
        >>"$BUS_TMP/mock.log" 2>&1 &
    MOCK_PID=$!
    BUS_PIDS+=("$MOCK_PID")
}

bus_stop_mock() {
    kill "$MOCK_PID" 2>/dev/null || true
    wait "$MOCK_PID" 2>/dev/null || true
}
