#!/usr/bin/env bash
# Installs what building and testing orvik needs on Debian 12 (run as root).
set -euo pipefail
packages=(
  cmake ninja-build g++ git ca-certificates
  libgtest-dev libbenchmark-dev nlohmann-json3-dev
  clang libclang-rt-14-dev clang-format
  qt6-base-dev libgl-dev xvfb xauth poppler-utils fonts-liberation2
  lintian desktop-file-utils man-db dpkg-dev
  libldap-dev libsasl2-dev libsasl2-modules-gssapi-mit libgnutls28-dev pkg-config
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 zip googletest
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
