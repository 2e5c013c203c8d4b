#!/usr/bin/env bash
# The Windows build under Wine: builds the windows preset (orvik.exe, its zip,
# the core tests and the Windows front end's tests), checks that orvik.exe
# needs only Windows' own DLLs, runs the core tests, the front end's tests
# under a virtual X server (dialogs need a window station), the usage and the
# demo's batch run, and compares the
# batch run's export and configuration file with the Linux build's
# (build/release/orvik, when it is there) in the same time zone.
# Every Wine process runs in a prefix of its own under a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
for tool in wine xvfb-run x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/build-windows.sh installs it)"; exit 1; }
done
jobs=${JOBS:-$(nproc)}
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target orvik orvik_zip orvik_tests orvik_win32_tests
exe=$root/build/windows/orvik.exe
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all TZ=UTC
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

echo "== the import table holds only Windows' own DLLs"
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | sort)
echo "$dlls"
for dll in $dlls; do
  case "${dll,,}" in
    kernel32.dll | msvcrt.dll | netapi32.dll | wldap32.dll | crypt32.dll | shell32.dll | advapi32.dll | user32.dll | \
      ws2_32.dll) ;;
    gdi32.dll | comctl32.dll | comdlg32.dll) ;;  # the window's
    *) fail "orvik.exe needs $dll" ;;
  esac
done

echo "== the core tests under Wine"
wine "$root/build/windows/tests/orvik_tests.exe" --gtest_brief=1 \
  --gtest_filter="$(cat "$root/build/windows/wine-gtest-filter.txt")" || fail "core tests"

echo "== the Windows front end's tests under a virtual X server"
# A prefix of their own, whose Wine starts on that display; Wine draws the
# windows' frames itself, as no window manager runs there.
(
  export WINEPREFIX=$work/gui-prefix
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 60 wineserver -w || true  # so that the tests' Wine starts afresh on the virtual display
  status=0
  timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24" \
    wine "$root/build/windows/tests/orvik_win32_tests.exe" --gtest_brief=1 || status=$?
  wineserver -k >/dev/null 2>&1 || true
  exit $status
) || fail "front end tests"

echo "== orvik.exe /SIM:demo /AS opens the window, whose run writes the export and the summary"
(
  export WINEPREFIX=$work/gui-prefix
  mkdir "$work/window"
  cd "$work/window"
  cat > run.sh <<EOS
wine "$exe" /SIM:demo /AS /CF:g.cfg &
for i in \$(seq 1 120); do [ -s LastLogonSummary.txt ] && [ -s g.cfg ] && break; sleep 0.5; done
wineserver -k
EOS
  timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" bash run.sh >/dev/null 2>&1 || true
  for file in Ambrel.txt LastLogonSummary.txt g.cfg; do [ -s "$file" ] || exit 1; done
) || fail "the window's run"

echo "== orvik.exe /? prints the usage"
wine "$exe" '/?' | grep -q '^Usage: orvik' || fail "usage"

echo "== orvik.exe /BATCH /SIM:demo: the demo's failing controller gives status 1"
mkdir "$work/win" "$work/linux"
status=0
(cd "$work/win" && wine "$exe" /BATCH /SIM:demo /CF:o.cfg >out.txt) || status=$?
[ "$status" -eq 1 ] || fail "status $status"
for file in Ambrel.txt LastLogonSummary.txt o.cfg; do [ -s "$work/win/$file" ] || fail "no $file"; done
if [ -x "$root/build/release/orvik" ]; then
  echo "== the same export and configuration as the Linux build, each reading the other's file"
  status=0
  (cd "$work/linux" && "$root/build/release/orvik" /BATCH /SIM:demo /CF:o.cfg >out.txt) || status=$?
  [ "$status" -eq 1 ] || fail "Linux status $status"
  cmp "$work/win/Ambrel.txt" "$work/linux/Ambrel.txt" || fail "the exports differ"
  # The summary's lines are the same but for the times and the seconds each controller took.
  times='s/[0-9]{1,2}[/.:][0-9]{2}[/.:][0-9]{2,4}//g; s/,[0-9]+( *\r?)$/,\1/'
  diff <(sed -E "$times" "$work/win/LastLogonSummary.txt") <(sed -E "$times" "$work/linux/LastLogonSummary.txt") ||
    fail "the summaries differ"
  # Each build reads the other's configuration and exports the same again.
  mv "$work/win/Ambrel.txt" "$work/win/first.txt"
  mv "$work/linux/Ambrel.txt" "$work/linux/first.txt"
  cp "$work/win/o.cfg" "$work/linux/from-windows.cfg"
  cp "$work/linux/o.cfg" "$work/win/from-linux.cfg"
  status=0
  (cd "$work/win" && wine "$exe" /BATCH /SIM:demo /CF:from-linux.cfg >/dev/null) || status=$?
  [ "$status" -eq 1 ] || fail "Windows status $status with the Linux configuration"
  status=0
  (cd "$work/linux" && "$root/build/release/orvik" /BATCH /SIM:demo /CF:from-windows.cfg >/dev/null) || status=$?
  [ "$status" -eq 1 ] || fail "Linux status $status with the Windows configuration"
  cmp "$work/win/Ambrel.txt" "$work/linux/Ambrel.txt" || fail "the exports from each other's configuration differ"
else
  echo "(no build/release/orvik: the comparison with the Linux build is left out)"
fi
ls -l "$exe" "$root"/build/windows/orvik-*-win64.zip
[ "$failed" -eq 0 ] && echo "Windows build: all checks passed."
exit "$failed"
