#!/usr/bin/env bash
# Starts the window under a virtual X server on the built-in demo, waits for
# the collection to complete (the export file appears) and saves a picture of
# the screen to build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
missing=()
for p in xvfb xauth imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
cmake --preset release >/dev/null
cmake --build --preset release --target orvik
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$(pwd)/build/screenshot.png"
cat > "$work/run.sh" <<EOS
#!/usr/bin/env bash
cd "$work"
"$(pwd)/build/release/orvik" /SIM:demo /AS "/CF:$work/orvik.cfg" &
pid=\$!
for i in \$(seq 1 120); do [ -f "$work/Ambrel.txt" ] && break; sleep 0.5; done
sleep 1
import -window root "$out"
kill \$pid
EOS
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x800x24" "$work/run.sh"
echo "Saved $out"
