#!/usr/bin/env bash
# Builds and runs the screenshot program: the real game at 800 x 600 (or the size given)
# writes PNG images of the start, mid-course with a glowing fruit and the ball's shadow, a
# collected fruit fading away, the path into the first curve, the end piece ahead, and the
# "Game Over" and "Congrats!" end screens into screenshots/ (ignored by git). Without a
# display it starts a virtual one (xvfb-run).
#   bash scripts/screenshots.sh
#   bash scripts/screenshots.sh 1920x1080
#   BUILD_DIR=build-render bash scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target lantern-trail-screenshots -j"$(nproc)"
binary="$(pwd)/$build/tools/screenshots/lantern-trail-screenshots"
out="$(pwd)/screenshots"
# The game reads ../Models and ../Shader: run one level below the repository root.
cd "$build"
size="${1:-800x600}"
if [ -n "${DISPLAY:-}" ]; then
  "$binary" "$out" "$size"
else
  xvfb-run -a -s "-screen 0 ${size}x24" "$binary" "$out" "$size"
fi
