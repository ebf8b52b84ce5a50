#!/usr/bin/env bash
# Fuzzes the course reader and checker for SECONDS (default 60) with libFuzzer, clang's
# address and undefined-behaviour sanitizers on. Builds the fuzzer into build-fuzz/, grows
# the corpus in build-fuzz/corpus/ (seeded from tests/fuzz/corpus/ and from every earlier
# finding in tests/fuzz/reproducers/, which it replays first) and writes any input
# that breaks something to build-fuzz/findings/: copy those into tests/fuzz/reproducers/,
# where the unit tests replay them. Further arguments go to libFuzzer (e.g. -jobs=2).
# Exit code 0 when nothing was found.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANTERN_FUZZ=ON \
  -DLANTERN_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target lantern-course-fuzzer
mkdir -p build-fuzz/corpus build-fuzz/findings
# Courses up to 32 KB reach the element limit; larger inputs only slow the search.
# A course that takes 10 s is a finding as much as a crash is.
build-fuzz/tests/fuzz/lantern-course-fuzzer build-fuzz/corpus tests/fuzz/corpus tests/fuzz/reproducers \
  -dict=tests/fuzz/course.dict -max_total_time="$seconds" -max_len=32768 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$@"
