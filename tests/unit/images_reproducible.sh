#!/usr/bin/env bash
# The committed pictures are exactly what tools/make_images.py draws.
set -euo pipefail
build=$1 src=$2
out="$build/regenerated-res"
rm -rf "$out"
python3 "$src/tools/make_images.py" "$out"
cd "$out"
find . -type f | sort | while read -r f; do cmp "$f" "$src/res/$f"; done
echo "all $(find . -type f | wc -l) pictures match"
