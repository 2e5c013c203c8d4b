#!/usr/bin/env bash
# Builds the Debian package, installs it, runs the installed program from
# PATH on the demo directory, checks the menu entry and the manual page, and
# removes the package again. Run as root on a machine it may install on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
deb=$(ls build/package/orvik_*.deb)
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "./$deb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(
  cd "$work"
  status=0
  orvik /BATCH /SIM:demo "/CF:$work/orvik.cfg" > out.txt || status=$?
  # The demo has one controller that fails on purpose: status 1, files written all the same.
  [ "$status" -eq 1 ] || { echo "orvik /BATCH ended with $status"; cat out.txt; exit 1; }
  for f in Ambrel.txt LastLogonSummary.txt orvik.cfg; do
    [ -s "$f" ] || { echo "missing: $f"; exit 1; }
  done
  orvik /BATCH /SIM:/usr/share/doc/orvik/examples/example-directory.json "/CF:$work/example.cfg" >/dev/null || [ $? -eq 1 ]
  orvik --version
)
desktop-file-validate /usr/share/applications/orvik.desktop
if command -v systemd-analyze >/dev/null; then
  # The example units as a user would copy them.
  mkdir -p "$work/units" "$work/runtime"
  cp /usr/share/doc/orvik/examples/orvik-nightly.* "$work/units/"
  XDG_RUNTIME_DIR="$work/runtime" systemd-analyze verify --user "$work/units/orvik-nightly.timer" \
    "$work/units/orvik-nightly.service"
  # A user manager has only its own targets (no network-online.target): a
  # user unit that names another waits for nothing.
  for target in $(grep -hv '^[[:space:]]*[#;]' "$work"/units/orvik-nightly.* | grep -oE '[[:alnum:]@_.-]+\.target'); do
    [ -e "/usr/lib/systemd/user/$target" ] || { echo "a user unit names the system target $target"; exit 1; }
  done
fi
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l /usr/share/man/man1/orvik.1.gz 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man page warnings: $warnings"; exit 1; }
apt-get remove -y -q orvik
if [ -e /usr/bin/orvik ]; then echo "orvik still installed"; exit 1; fi
echo "Package installed, ran and was removed."
