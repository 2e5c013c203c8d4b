#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the optimised build
# (benchmarks compiled too), the AddressSanitizer + UndefinedBehaviorSanitizer
# build and the ThreadSanitizer build; then a minute of fuzzing the
# configuration reader (a crash input lands in build/fuzz/; keep it as a
# regression file under tests/data/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
echo "== formatting (clang-format, .clang-format)"
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' |
  xargs clang-format --dry-run --Werror
echo "== the portable core compiles for Windows (mingw-w64)"
bash scripts/check-windows-syntax.sh
for preset in release asan tsan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset tests"
  ctest --preset "$preset" -j "$jobs"
done
echo "== configuration reader fuzzing (clang, ASan + UBSan)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target orvik_config_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
find tests/data -name '*.cfg' -size -8k -exec cp {} "$corpus/" \;
./build/fuzz/fuzz/orvik_config_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 \
  -artifact_prefix=build/fuzz/ "$corpus"
echo "All tests passed."
