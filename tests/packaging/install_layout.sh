#!/usr/bin/env bash
# cmake --install into a scratch prefix puts every file in its standard place, and the
# installed program runs from there.
set -euo pipefail
build=$1
icons=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(bin/quillon share/applications/org.example.Quillon.desktop
    share/metainfo/org.example.Quillon.metainfo.xml share/man/man1/quillon.1.gz)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/quillon.png")
done
expected+=(share/icons/hicolor/scalable/apps/quillon.svg share/doc/quillon/copyright share/doc/quillon/changelog.gz)

fail=0
for f in "${expected[@]}"; do
    [ -f "$prefix/$f" ] || { echo "missing: $f"; fail=1; }
done
# Nothing else lands in the prefix.
while IFS= read -r f; do
    printf '%s\n' "${expected[@]}" | grep -qxF "$f" || { echo "unexpected: $f"; fail=1; }
done < <(cd "$prefix" && find . -type f -printf '%P\n')

[ -x "$prefix/bin/quillon" ] || { echo "bin/quillon is not executable"; fail=1; }
version=$("$prefix/bin/quillon" --version)
[ "$version" = "quillon 1.0.0.1" ] || { echo "installed quillon --version said: $version"; fail=1; }
gzip -t "$prefix/share/man/man1/quillon.1.gz" || fail=1
gzip -t "$prefix/share/doc/quillon/changelog.gz" || fail=1
# Each installed icon is the picture its folder names.
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/quillon.png
    [ -f "$png" ] || continue
    head -c 8 "$png" | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' || { echo "$png is not a PNG"; fail=1; }
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || { echo "$png is $dims"; fail=1; }
done

[ $fail -eq 0 ] && echo "installed ${#expected[@]} files in place"
exit $fail
