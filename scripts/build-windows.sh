#!/usr/bin/env bash
# Builds the Windows program with mingw-w64 on Debian 12: build/windows/orvik.exe
# and build/windows/orvik-<version>-win64.zip. Installs what it needs first
# (as root, or through sudo). JOBS sets the parallel build jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 zip googletest nlohmann-json3-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${JOBS:-$(nproc)}" --target orvik orvik_zip
ls -l build/windows/orvik.exe build/windows/orvik-*-win64.zip
