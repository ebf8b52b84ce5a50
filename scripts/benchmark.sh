#!/usr/bin/env bash
# Builds and runs the rendering benchmark: a fixed scripted run of the shipped course at
# 800 x 600, printing per-pass and per-frame milliseconds (median and 95th percentile), the
# frame rate, the time from launch to the first frame (with its phases: libraries, window
# and context, programs and assets, first draw) and the peak resident memory.
# Without a display it starts a virtual one (xvfb-run).
#   bash scripts/benchmark.sh          # 600 frames per run
#   bash scripts/benchmark.sh 300      # a shorter run
#   BUILD_DIR=build-render bash scripts/benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target lantern-trail-benchmark -j"$(nproc)"
binary="$(pwd)/$build/tools/benchmark/lantern-trail-benchmark"
# The game reads ../Models and ../Shader: run one level below the repository root.
cd "$build"
if [ -n "${DISPLAY:-}" ]; then
  "$binary" "$@"
else
  xvfb-run -a -s "-screen 0 800x600x24" "$binary" "$@"
fi
