#!/usr/bin/env bash
# cpack -G DEB builds a package whose files sit under /usr, whose dependencies come from
# dpkg-shlibdeps, whose program runs once unpacked, and whose changelog names its version.
set -euo pipefail
build=$1
icons=$2
source=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/quillon_1.0.0.1_*.deb)
fail=0

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/quillon ./usr/share/applications/org.example.Quillon.desktop \
    ./usr/share/metainfo/org.example.Quillon.metainfo.xml ./usr/share/man/man1/quillon.1.gz \
    ./usr/share/doc/quillon/copyright ./usr/share/doc/quillon/changelog.gz; do
    grep -qxF "$f" <<<"$contents" || { echo "package lacks $f"; fail=1; }
done
# The icons are packaged under their sizes.
for size in 16 32 48 64 128 256; do
    f=./usr/share/icons/hicolor/${size}x${size}/apps/quillon.png
    grep -qxF "$f" <<<"$contents" || { echo "package lacks $f"; fail=1; }
done
grep -qxF ./usr/share/icons/hicolor/scalable/apps/quillon.svg <<<"$contents" || { echo "package lacks the SVG icon"; fail=1; }
if grep -v '^\./usr/' <<<"$contents" | grep -qvx '\./'; then
    echo "package has files outside /usr:"; grep -v '^\./usr/' <<<"$contents"; fail=1
fi

[ "$(dpkg-deb -f "$deb" Package)" = quillon ] || fail=1
[ "$(dpkg-deb -f "$deb" Version)" = 1.0.0.1 ] || fail=1
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail=1
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -q "$lib" <<<"$depends" || { echo "Depends lacks $lib: $depends"; fail=1; }
done

root=$out/root
dpkg-deb -x "$deb" "$root"
version=$("$root/usr/bin/quillon" --version)
[ "$version" = "quillon 1.0.0.1" ] || { echo "unpacked quillon --version said: $version"; fail=1; }

# The changelog's last entry is this version.
logged=$(dpkg-parsechangelog -l "$source/dist/changelog" -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] || { echo "dist/changelog ends at $logged"; fail=1; }

[ $fail -eq 0 ] && echo "package $(basename "$deb") checked"
exit $fail
