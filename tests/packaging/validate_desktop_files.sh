#!/usr/bin/env bash
# The menu entry, the AppStream metadata and the manual page pass their validators, the
# manual documents every option that --help offers, and the autostart entry the program
# writes is a valid desktop entry.
set -euo pipefail
build=$1
source=$2
dist=$source/dist
quillon=$build/app/quillon
fail=0

desktop-file-validate "$dist/org.example.Quillon.desktop" || fail=1
appstreamcli validate --no-net --explain "$dist/org.example.Quillon.metainfo.xml" || fail=1

warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$dist/quillon.1" 2>&1)
if [ -n "$warnings" ]; then
    echo "groff warnings in quillon.1:"; echo "$warnings"; fail=1
fi
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$dist/quillon.1" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "man warnings in quillon.1:"; echo "$warnings"; fail=1
fi

# Each long option of the help text is described in the manual.
manual=$(LC_ALL=C.UTF-8 groff -man -Tascii -P-cbou -rLL=200n "$dist/quillon.1")
for option in $("$quillon" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qE -- "${option}([^A-Za-z0-9-]|$)" <<<"$manual" || { echo "quillon.1 does not describe $option"; fail=1; }
done
grep -q 'QUILLON_SHUTDOWN_DRY_RUN' <<<"$manual" || { echo "quillon.1 lacks QUILLON_SHUTDOWN_DRY_RUN"; fail=1; }

# The entry that --install-autostart writes, from a folder whose name needs quoting.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/my book"
(cd "$scratch/my book" && XDG_CONFIG_HOME="$scratch/config" "$quillon" --install-autostart >/dev/null)
entry=$scratch/config/autostart/quillon.desktop
desktop-file-validate "$entry" || fail=1
grep -qx "Path=$scratch/my book" "$entry" || { echo "autostart entry has no Path of the book folder"; fail=1; }

[ $fail -eq 0 ] && echo "desktop files valid"
exit $fail
