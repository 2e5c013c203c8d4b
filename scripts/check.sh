#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the optimised build
# (benchmarks compiled too), the AddressSanitizer + UndefinedBehaviorSanitizer
# build and the ThreadSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
for preset in release asan tsan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset tests"
  ctest --preset "$preset" -j "$jobs"
done
echo "All tests passed."
