#!/usr/bin/env bash
# Rebuilds the data generator and regenerates every file the game reads from Models/
# (models, textures, the course, the sky, the font, the sounds), and the desktop icons in
# package/icons/ (which the game never reads, so they stay out of Models/). The output is
# deterministic: running this twice gives identical files, so Models/ only changes in git
# when the generator does. Needs the packages of scripts/setup.sh (lame for the sounds).
#   bash scripts/generate-data.sh            # build in build/, write Models/
#   BUILD_DIR=build-data bash scripts/generate-data.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target lantern-datagen -j"$(nproc)"
# Everything in Models/ and package/icons/ is generated: start from empty folders so nothing
# stale stays.
rm -rf Models package/icons
"$build/tools/lantern-datagen" --out Models --icons package/icons
