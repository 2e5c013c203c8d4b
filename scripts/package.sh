#!/usr/bin/env bash
# Builds the Debian package (build/package/orvik_<version>_<arch>.deb) with
# Debian's hardening flags, and checks it with lintian when that is there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=build/package
rm -rf "$build"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DORVIK_BUILD_TESTS=OFF -DORVIK_BUILD_BENCH=OFF
cmake --build "$build"
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/orvik_*.deb)
echo "package: $deb"
if command -v lintian >/dev/null; then
  # Tags that do not apply to a package built outside a Debian source tree are listed in the README.
  lintian --no-tag-display-limit "$deb" || true
fi
