# shellcheck shell=bash
# Sourced by scripts/benchmark.sh, scripts/screenshots.sh and scripts/stress-signals.sh
# (bash, from the repository root), never run on its own: building one of the programs of
# tools/ (or other targets) and running it where the game runs.

# lantern_trail_build_targets TARGET...: configures the build folder (BUILD_DIR, else
# build/) and builds the TARGETs in it. Sets lantern_trail_build to the folder.
lantern_trail_build_targets() {
    lantern_trail_build="${BUILD_DIR:-build}"
    cmake -S . -B "$lantern_trail_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$lantern_trail_build" --target "$@" -j"$(nproc)"
}

# lantern_trail_build_tool NAME: builds the program of tools/NAME/ as
# lantern_trail_build_targets does. Sets lantern_trail_build to the folder and
# lantern_trail_tool to the program's absolute path.
lantern_trail_build_tool() {
    lantern_trail_build_targets "lantern-trail-$1"
    # shellcheck disable=SC2034 # read by the caller
    lantern_trail_tool="$(pwd)/$lantern_trail_build/tools/$1/lantern-trail-$1"
}

# lantern_trail_run_in_build SIZE COMMAND...: runs COMMAND from the build folder, one level
# below the repository root as the game's ../Models and ../Shader need, on the display or,
# without one, inside a virtual screen of SIZE (WIDTHxHEIGHT) that xvfb-run starts.
lantern_trail_run_in_build() {
    local size=$1
    shift
    (
        cd "$lantern_trail_build" || exit
        if [ -n "${DISPLAY:-}" ]; then
            "$@"
        else
            xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$@"
        fi
    )
}
