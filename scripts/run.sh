#!/usr/bin/env bash
# Sets up, builds and starts the game. Extra arguments go to the game (width height windowmode).
# Without a display (a server, a container) the autopilot plays the course instead, inside a
# private X server, and leaves screenshots and a summary in build/demo/.
# LANTERN_TRAIL_COURSE=FILE plays that course instead of Models/level.json; so does a first
# argument --course NAME, NAME a course of Models/courses/ (--courses lists them), a file,
# or a generated course: random, random:SEED or random:SEED:easy|medium|hard.
#   bash scripts/run.sh --course 2-s-bends 1024 768 0
set -euo pipefail
source "$(dirname "$0")/../package/launchers/courses.sh"
lantern_trail_course_option "$(dirname "$0")/../Models/courses" "$@"
shift "$lantern_trail_taken"
# A course named relative to where the command was started: made absolute before the
# script changes folder (a generated course's name stays as it is).
if [ -n "${LANTERN_TRAIL_COURSE:-}" ] && ! lantern_trail_is_generated "$LANTERN_TRAIL_COURSE"; then
  export LANTERN_TRAIL_COURSE="$(realpath -m -- "$LANTERN_TRAIL_COURSE")"
fi
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
# The game and the demo read ../Models/ and ../Shader/, so they run from the build folder.
cd build
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set): the autopilot plays the course in a virtual screen instead."
  status=0
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ./tools/demo/lantern-trail-demo 800 600 demo || status=$?
  echo "Screenshots and summary.txt are in $(pwd)/demo/"
  echo "To play yourself, run this command from a terminal inside a graphical session."
  exit "$status"
fi
exec ./lantern-trail "$@"
