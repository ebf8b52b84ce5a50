#!/usr/bin/env bash
# A stress run of the stop signals, outside CI: starts the game 100 times (or $1 times),
# signals each start twice back to back at a moment drawn over its loading, and prints
# every start (signals, moment, exit code) and the tally of exit codes. Every start should
# end with 0. LANTERN_STOP_SEED=<seed> draws the moments of an earlier run again.
# Without a display it starts a virtual one (xvfb-run).
#   bash scripts/stress-signals.sh
#   LANTERN_STOP_SEED=1234 bash scripts/stress-signals.sh 20
#   BUILD_DIR=build-release bash scripts/stress-signals.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/lib/tool.sh
source scripts/lib/tool.sh
lantern_trail_build_targets lantern-trail lantern_e2e_tests >/dev/null
export LANTERN_STOP_STARTS="${1:-100}"
lantern_trail_run_in_build 1280x1024 tests/lantern_e2e_tests \
    --gtest_filter=StartAndQuit.TheSameStopTwiceAtOnceAnywhereInTheLoadingEndsTheGameWithExitCodeZero
