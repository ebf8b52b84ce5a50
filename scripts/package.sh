#!/usr/bin/env bash
# Builds the Debian package (lantern-trail_VERSION_ARCH.deb) with CPack, checks it with
# lintian (and its desktop entry with desktop-file-validate) and names the folder it is in.
# By default it builds in a folder of its own, build-package/, optimised (Release) with
# Debian's hardening flags; BUILD_DIR packages an existing build instead, as the test
# suite does with build/. The package's dependencies are read from the programs' shared
# libraries (dpkg-shlibdeps). Exit code 1 when lintian reports an error.
#   bash scripts/package.sh                  # build-package/package/lantern-trail_*.deb
#   BUILD_DIR=build bash scripts/package.sh  # build/package/lantern-trail_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-package}"
if [ -z "${BUILD_DIR:-}" ]; then
  # Debian's compiler and linker flags: fortified functions, stack protector, read-only
  # relocations. Release optimises over their -O2.
  CFLAGS="$(dpkg-buildflags --get CFLAGS)" CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS)" \
    CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)" LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLANTERN_TESTS=OFF >/dev/null
else
  cmake -S . -B "$build" >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
rm -rf "$build/package/_CPack_Packages"
deb="$(ls "$build"/package/*.deb)"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate package/lantern-trail.desktop
fi
echo "lintian:"
status=0
lintian --fail-on error "$deb" || status=$?
echo "Depends: $(dpkg-deb --field "$deb" Depends)"
echo "Package: $(du -k "$deb" | cut -f1) KiB (installed $(dpkg-deb --field "$deb" Installed-Size) KiB)"
echo "The package is in $(cd "$(dirname "$deb")" && pwd)/: $(basename "$deb")"
exit "$status"
