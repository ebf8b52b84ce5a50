#!/usr/bin/env bash
# Rebuilds the data generator and regenerates every file the game reads from Models/
# (models, textures, the course, the sky, the font, the sounds). The output is
# deterministic: running this twice gives identical files, so Models/ only changes in git
# when the generator does. Needs the packages of scripts/setup.sh (lame for the sounds).
#   bash scripts/generate-data.sh            # build in build/, write Models/
#   BUILD_DIR=build-data bash scripts/generate-data.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target lantern-datagen -j"$(nproc)"
# Everything in Models/ is generated: start from an empty folder so nothing stale stays.
rm -rf Models
"$build/tools/lantern-datagen" --out Models
