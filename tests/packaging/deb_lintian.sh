#!/usr/bin/env bash
# lintian, Debian's own check of a package, has nothing to say about the .deb: no error, no
# warning, no note (the copyright file, the changelog, the hardening of the program).
# Arguments: build folder.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
command -v lintian >/dev/null || { echo "lintian is missing (tools/deps.sh test installs it)"; exit 1; }
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/quillon_*.deb)

status=0
report=$(lintian --display-info --fail-on error,warning,info "$deb" 2>&1) || status=$?
# Apart from its remark on running as root, lintian must have nothing to say.
said=$(grep -vx 'running with root privileges is not recommended!' <<<"$report" || true)
if [ $status -ne 0 ] || [ -n "$said" ]; then
    echo "lintian on $(basename "$deb") (status $status):"
    echo "$said"
    exit 1
fi
echo "lintian $(lintian --print-version) has nothing to say about $(basename "$deb")"
