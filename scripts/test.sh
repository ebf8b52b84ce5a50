#!/usr/bin/env bash
# Sets up, builds and runs every test. OpenGL tests and the end-to-end tests need an X
# server: they all run inside a private Xvfb with Mesa's software renderer. One end-to-end
# test plays the game built with the address and undefined-behaviour sanitizers, another
# starts the one built with ThreadSanitizer; each gets its own build folder. CTest runs
# every test case in a process of its own; one of them is a 30-second run of the course
# fuzzer, which scripts/fuzz.sh builds with clang into build-fuzz/. The package's test
# unpacks the Debian package that scripts/package.sh makes here from build/ (and checks
# with lintian), rather than building it again in a folder of its own.
# Extra arguments go to CTest. Each game a test starts is driven through its own window, so
# the cases may run side by side on the one display: `bash scripts/test.sh -j2` (or
# `-j4 --schedule-random`) runs the suite faster on a machine with more cores. The server runs
# with -noreset: by default it resets whenever its last client leaves, and drops a game that
# connects at that moment (between two test cases) with "Failed to open display".
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
BUILD_DIR=build bash scripts/package.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLANTERN_SANITIZE=ON -DLANTERN_TESTS=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)" --target lantern-trail
export LANTERN_SANITIZED_GAME="$PWD/build-sanitize/lantern-trail"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANTERN_SANITIZE_THREAD=ON -DLANTERN_TESTS=OFF >/dev/null
cmake --build build-tsan -j"$(nproc)" --target lantern-trail
export LANTERN_THREAD_SANITIZED_GAME="$PWD/build-tsan/lantern-trail"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure "$@"
