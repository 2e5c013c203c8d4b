#!/usr/bin/env bash
# Installs what is needed, builds orvik and runs its main job on the built-in
# demo directory: a collection of five simulated controllers without a window,
# then the export, the summary and the configuration file, all in build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvik
mkdir -p build/demo
cd build/demo
status=0
../release/orvik /BATCH /SIM:demo /CF:orvik.cfg /PDF:report.pdf || status=$?
echo "orvik exited with $status (1: a controller ended in Error, as the demo's CORP-DC3 is meant to)."
echo "Files in $(pwd):"
ls -l
[ "$status" -le 1 ]
