#!/usr/bin/env bash
# Installs what is needed, builds orvik and runs its main job on the built-in demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvik
./build/release/orvik
