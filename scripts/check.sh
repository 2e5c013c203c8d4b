#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the optimised build
# (benchmarks compiled too), the AddressSanitizer + UndefinedBehaviorSanitizer
# build and the ThreadSanitizer build; then a minute of fuzzing the
# configuration reader, the SRV answer parser and the font string parser (a
# crash input lands in build/fuzz/; keep it as a regression file under
# tests/data/ or fuzz/corpus/).
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
echo "== fuzzing: configuration reader, SRV answer parser, font string parser (clang, ASan + UBSan)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target orvik_config_fuzzer orvik_srv_fuzzer orvik_font_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir "$corpus/config" "$corpus/srv" "$corpus/font"
find tests/data -name '*.cfg' -size -8k -exec cp {} "$corpus/config/" \;
cp fuzz/corpus/srv/* "$corpus/srv/"
cp fuzz/corpus/font/* "$corpus/font/"
# FUZZ_SECONDS in all: two thirds for the configuration reader, a sixth for each parser.
seconds=${FUZZ_SECONDS:-60}
fuzz() {  # fuzz <target> <share of the seconds: a/b> <max input length> <corpus>
  local s=$((seconds * ${2%/*} / ${2#*/}))
  "./build/fuzz/fuzz/$1" -max_total_time=$((s > 0 ? s : 1)) -max_len="$3" -artifact_prefix=build/fuzz/ "$4"
}
fuzz orvik_config_fuzzer 2/3 4096 "$corpus/config"
fuzz orvik_srv_fuzzer 1/6 1024 "$corpus/srv"
fuzz orvik_font_fuzzer 1/6 256 "$corpus/font"
echo "All tests passed."
