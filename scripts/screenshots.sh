#!/usr/bin/env bash
# Builds and runs the screenshot program: the real game at 800 x 600 (or the size given)
# and a render scale of 1 (or the one given, 0.5 to 1) writes PNG images of the start, mid-course with a glowing fruit and the ball's shadow, a
# collected fruit fading away, the path into the first curve, the end piece ahead, and the
# "Game Over" and "Congrats!" end screens into screenshots/ (ignored by git). Without a
# display it starts a virtual one (xvfb-run).
#   bash scripts/screenshots.sh
#   bash scripts/screenshots.sh 1920x1080
#   bash scripts/screenshots.sh 1920x1080 0.5
#   BUILD_DIR=build-render bash scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/tool.sh
size="${1:-800x600}"
lantern_trail_build_tool screenshots
lantern_trail_run_in_build "$size" "$lantern_trail_tool" "$(pwd)/screenshots" "$size" ${2:+"$2"}
