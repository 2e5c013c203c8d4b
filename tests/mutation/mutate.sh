#!/usr/bin/env bash
# A mutation pass over the unit tests: each small fault of faults.tsv is
# applied alone to a scratch copy of the sources, orvik_tests is rebuilt there
# and run, and the fault counts as killed when the run fails (or overruns its
# time-out) and as survived when it passes. Not part of CI: a full pass takes
# some minutes per dozen faults.
#
#   tests/mutation/mutate.sh [--check] [area-regex]
#
# --check only applies each fault and shows its diff (no build), to keep the
# list in step with the code. Environment: ORVIK_MUTATION_DIR (scratch folder,
# kept between passes so that rebuilds stay small), ORVIK_MUTATION_TIMEOUT
# (seconds per test run, default 180), ORVIK_MUTATION_FILTER (gtest filter;
# by default the LDAP tests, which none of the faults touch and which need
# their fake servers, are left out).
set -uo pipefail

check=0
if [[ ${1:-} == --check ]]; then
    check=1
    shift
fi
areas=${1:-.}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
scratch=${ORVIK_MUTATION_DIR:-${TMPDIR:-/tmp}/orvik-mutation}
run_timeout=${ORVIK_MUTATION_TIMEOUT:-180}
gtest_filter=${ORVIK_MUTATION_FILTER:--Ldap*}
copy=$scratch/source
build=$scratch/build
mkdir -p "$copy" "$build"

# The sources as they stand in the work tree (tracked files, edits included).
# Only a file whose bytes changed since the last pass is written, with the
# time of now: one edited before the scratch build may be older than its
# objects, and must be rebuilt all the same.
fresh=$scratch/fresh
rm -rf "$fresh" && mkdir -p "$fresh"
(cd "$root" && git ls-files -z) | (cd "$root" && tar --null -T - -cf -) | (cd "$fresh" && tar -xf -)
(cd "$fresh" && find . -type f -print0) | while IFS= read -r -d '' f; do
    if ! cmp -s "$fresh/$f" "$copy/$f"; then
        mkdir -p "$(dirname "$copy/$f")"
        cp "$fresh/$f" "$copy/$f"
    fi
done
rm -rf "$fresh"

# A pass that was cut short may have left a mutant's objects behind: the file
# it changed (restored by the copy above with its old time) is rebuilt.
if [[ -f $scratch/mutated ]]; then
    touch "$copy/$(cat "$scratch/mutated")"
fi

current=""
restore() {
    if [[ -n $current ]]; then
        cp "$copy/$current.orig" "$copy/$current"
        rm -f "$copy/$current.orig"
        touch "$copy/$current"  # newer than the mutant's objects: rebuilt next time
        current=""
    fi
}
trap restore EXIT INT TERM

build_tests() {
    timeout 900 cmake --build "$build" --target orvik_tests -j2 </dev/null >"$scratch/build.log" 2>&1
}
run_tests() {
    timeout "$run_timeout" "$build/tests/orvik_tests" --gtest_brief=1 "--gtest_filter=$gtest_filter" \
        </dev/null >"$scratch/run.log" 2>&1
}

if [[ $check == 0 ]]; then
    cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVIK_BUILD_BENCH=OFF \
        >"$scratch/configure.log" 2>&1 || { echo "configure failed: $scratch/configure.log"; exit 2; }
    build_tests || { echo "the unmutated build fails: $scratch/build.log"; exit 2; }
    run_tests || { echo "the unmutated tests fail: $scratch/run.log"; exit 2; }
    rm -f "$scratch/mutated"
fi

declare -A killed survived
total_killed=0
total_survived=0
survivors=()
while IFS=$'\t' read -r -u 3 area file script what; do
    [[ -z $area || $area == \#* ]] && continue
    [[ $area =~ $areas ]] || continue
    current=$file
    echo "$file" >"$scratch/mutated"
    cp "$copy/$file" "$copy/$file.orig"
    sed -z -i -e "$script" "$copy/$file"
    if cmp -s "$copy/$file" "$copy/$file.orig"; then
        echo "NOT APPLIED  $area: $what ($file)"
        restore
        continue
    fi
    if [[ $check == 1 ]]; then
        echo "== $area: $what"
        diff "$copy/$file.orig" "$copy/$file" | sed 's/^/   /'
        restore
        continue
    fi
    if ! build_tests; then
        echo "NO BUILD     $area: $what (not counted)"
        restore
        continue
    fi
    if run_tests; then
        result=survived
        survived[$area]=$((${survived[$area]:-0} + 1))
        total_survived=$((total_survived + 1))
        survivors+=("$area: $what")
    else
        result=killed
        killed[$area]=$((${killed[$area]:-0} + 1))
        total_killed=$((total_killed + 1))
    fi
    if [[ $result == killed ]]; then
        # by which tests (a run that overran its time-out names none)
        by=$(sed -n 's/^\[  FAILED  \] \([A-Za-z_][^ ,]*\).*/\1/p' "$scratch/run.log" | sort -u | head -3 | paste -sd' ')
        what="$what  [${by:-time-out or crash}]"
    fi
    printf '%-12s %s: %s\n' "$result" "$area" "$what"
    restore
done 3<"$here/faults.tsv"

[[ $check == 1 ]] && exit 0
# The scratch copy unmutated again, so the next pass starts from a clean build.
build_tests && rm -f "$scratch/mutated"

echo
for area in $(printf '%s\n' "${!killed[@]}" "${!survived[@]}" | sort -u); do
    k=${killed[$area]:-0}
    s=${survived[$area]:-0}
    echo "$area: $k/$((k + s)) killed"
done
all=$((total_killed + total_survived))
if ((all > 0)); then
    echo "kill rate: $total_killed/$all ($((100 * total_killed / all))%)"
fi
for s in "${survivors[@]}"; do echo "survived: $s"; done
