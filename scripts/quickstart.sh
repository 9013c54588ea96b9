#!/usr/bin/env bash
# Sets everything up and shows the main job on the bundled sample picture: installs the
# Debian packages, builds the release preset, then encodes samples/sunset.png losslessly
# and lossily, describes the result, decodes a region to PNG and lists what was made.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release > /dev/null
cmake --build --preset release

velmar=build/release/bin/velmar
out=build/quickstart
mkdir -p "$out"
set -x
"$velmar" plugins
"$velmar" encode samples/sunset.png "$out/sunset-lossless.webp"
"$velmar" encode samples/sunset.png "$out/sunset-lossy.webp" --lossy --quality 75
"$velmar" info "$out/sunset-lossless.webp"
"$velmar" info --json "$out/sunset-lossy.webp"
"$velmar" decode "$out/sunset-lossy.webp" "$out/sun.png" --region 150,60,120,120
"$velmar" ls "$PWD/$out/*"
{ set +x; } 2>/dev/null
ls -l samples/sunset.png "$out"
