#!/usr/bin/env bash
# Installs everything Lantern Trail needs to build, run and test, from Debian's packages.
# Idempotent: packages already present are skipped, and the package lists are only
# refreshed when something is actually missing.
set -euo pipefail

packages=(
  # build tools
  build-essential cmake pkg-config git
  # the game's libraries
  libglfw3-dev libglew-dev libglm-dev libbullet-dev libjsoncpp-dev
  libassimp-dev libdevil-dev libsdl2-dev libsdl2-mixer-dev
  # tests (the X client library delivers key presses to one game's window)
  libgtest-dev googletest libx11-dev
  # the course fuzzer: clang with libFuzzer and the sanitizers' runtime
  clang libclang-rt-14-dev
  # a display for machines without one: X server, Mesa's software OpenGL, X tools
  xvfb xauth x11-utils x11-apps xdotool libgl1-mesa-dri mesa-utils imagemagick
  # the data generator's MP3 encoder
  lame zlib1g-dev
  # the Debian package: dependencies from the binaries (file, dpkg-shlibdeps), its checks
  dpkg-dev file lintian desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
