#!/usr/bin/env bash
# Sets up, builds and starts the game. Extra arguments go to the game (width height windowmode).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set): Lantern Trail needs a screen to open its window."
  echo "On a desktop, run this command from a terminal inside your graphical session."
  exit 1
fi
# The game reads ../Models/ and ../Shader/, so it runs from the build folder.
cd build
exec ./lantern-trail "$@"
