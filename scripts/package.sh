#!/usr/bin/env bash
# Builds the Debian package (lantern-trail_VERSION_ARCH.deb) with CPack, checks it with
# lintian (and its desktop entry with desktop-file-validate) and names the folder it is in.
# By default it builds in a folder of its own, build-package/, optimised (Release) with
# Debian's hardening flags; BUILD_DIR packages an existing build instead, as the test
# suite does with build/. The package's dependencies are read from the programs' shared
# libraries (dpkg-shlibdeps). Exit code 1 when lintian reports an error.
#   bash scripts/package.sh                  # build-package/deb/lantern-trail_*.deb
#   BUILD_DIR=build bash scripts/package.sh  # build/deb/lantern-trail_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-package}"
if [ -z "${BUILD_DIR:-}" ]; then
  # Debian's compiler and linker flags with all hardening on: fortified functions, stack
  # protector, position-independent code, read-only relocations bound at start. CMake reads
  # no CPPFLAGS, so the preprocessor's go with the compiler's. Release optimises over -O2.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLANTERN_TESTS=OFF >/dev/null
else
  cmake -S . -B "$build" >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/deb"
cpack --config "$build/CPackConfig.cmake" -B "$build/deb" >/dev/null
rm -rf "$build/deb/_CPack_Packages"
deb="$(ls "$build"/deb/*.deb)"

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
