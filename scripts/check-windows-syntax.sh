#!/usr/bin/env bash
# Every source file of the portable core (base, settings, engine, output, app,
# forms) must compile for Windows: a syntax check with mingw-w64's g++, each
# layer seeing the headers of the layers below it as in the real build.
set -euo pipefail
cd "$(dirname "$0")/.."
compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "$compiler is missing (scripts/install-deps.sh installs it)"; exit 1; }
roots=$(mktemp -d)
trap 'rm -rf "$roots"' EXIT
for layer in base settings platform engine output app forms; do ln -s "$PWD/src/$layer" "$roots/$layer"; done
failed=0
for file in $(git ls-files 'src/base/*.cpp' 'src/settings/*.cpp' 'src/engine/*.cpp' 'src/output/*.cpp' 'src/app/*.cpp' \
  'src/forms/*.cpp'); do
  if ! "$compiler" -std=c++23 -fsyntax-only -Wall -Wextra -I"$roots" "$file"; then
    echo "does not compile for Windows: $file"
    failed=1
  fi
done
# The core reaches the system only through the platform layer.
if git grep -n -E '#include <(sys/|unistd|fcntl|dirent|signal|poll|netdb|arpa/|resolv|netinet/|pthread|windows)' -- \
  src/base src/settings src/engine src/output src/app src/forms; then
  echo "a system header outside src/platform and src/ui"
  failed=1
fi
exit $failed
