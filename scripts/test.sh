#!/usr/bin/env bash
# Sets up, builds and runs every test. OpenGL tests and the end-to-end tests need an X
# server: they all run inside a private Xvfb with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure "$@"
