#!/usr/bin/env bash
# Builds and runs the rendering benchmark: a fixed scripted run of the shipped course at
# 800 x 600 or the size given and a render scale of 1 (or auto, or 0.5 to 1), printing
# per-pass and per-frame milliseconds (median and 95th percentile), the frame rate, the
# time from launch to the first frame (with its phases: libraries, window and context,
# programs and assets, first draw), the peak resident memory, and 200 course switches: the
# time from N to the next course's first frame and the resident memory after.
# Without a display it starts a virtual one (xvfb-run) with a screen of that size.
#   bash scripts/benchmark.sh                  # 600 frames per run
#   bash scripts/benchmark.sh 300              # a shorter run
#   bash scripts/benchmark.sh 600 1920x1080    # a full-HD window
#   bash scripts/benchmark.sh 600 1920x1080 auto  # ... at the automatic render scale
#   BUILD_DIR=build-render bash scripts/benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/tool.sh
lantern_trail_build_tool benchmark
size="${2:-800x600}"
# A malformed size is the benchmark's to refuse, not the virtual screen's.
[[ $size =~ ^[0-9]+x[0-9]+$ ]] || size=800x600
lantern_trail_run_in_build "$size" "$lantern_trail_tool" "$@"
