#!/usr/bin/env bash
# Builds everything and runs all tests. First the window-free core, built for this host with
# clang: its unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, its fuzzers for
# a bounded time each, and the formatting check. Then under Wine on a virtual display: on a host
# that runs 32-bit code the 32-bit suite, then the 64-bit suite (which keeps the sources 64-bit
# clean); on one that does not, the 64-bit suite, and the 32-bit binaries checked without
# running them. Extra arguments go to ctest (for example -R alertkit).
#   BUILD_DIR        the build folder (the 64-bit build lies in its win64/)
#   FLAGSMITH_RUN32  1 or 0 overrides the check whether this host runs 32-bit code
#   FLAGSMITH_SUITES "native", "32" or "64" (or several) runs only those suites (default: the
#                    native one and what the host can run)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
source "$root/tools/build-env.sh"
source "$root/tools/wine-env.sh"

if flagsmith_runs_32bit_wine; then
    suites="${FLAGSMITH_SUITES:-native 32 64}"
    static32=0
    done_line="Tested: the native core suite, the 32-bit and the 64-bit suite under Wine (this host runs 32-bit code)"
else
    suites="${FLAGSMITH_SUITES:-native 64}"
    static32=1
    why="this host does not run 32-bit code"
    flagsmith_host_runs_32bit && why="32-bit Wine could not be installed on this host"
    done_line="Tested: the native core suite, the 64-bit suite under 64-bit Wine; the 32-bit binaries checked statically ($why)"
fi
if [ -n "${FLAGSMITH_SUITES:-}" ]; then
    static32=0
    done_line="Tested: the suites ${FLAGSMITH_SUITES} only (FLAGSMITH_SUITES)"
fi
echo "${done_line/Tested:/Testing:}"

total=0 failed=0 skipped=0 skipped_names="" status=0 desktops_bare=0 desktops_openbox=0
# suite BITS WINE(0|1) [ctest args...]: builds one bitness (only the deliverables when its
# tests are not to be run) and runs its tests.
suite() {
    local bits=$1 with_wine=$2
    shift 2
    local dir out targets=()
    dir=$(flagsmith_build_dir "$build" "$bits")
    [ "$with_wine" = 1 ] || [ "$bits" = native ] || targets=(FlagsmithII Alertkit)
    if [ "$bits" = native ]; then echo "== native build of the core"; else echo "== $bits-bit build"; fi
    if ! flagsmith_build "$build" "$bits" build.log "${targets[@]}"; then
        status=1 failed=$((failed + 1)) total=$((total + 1))
        return
    fi
    out=$(mktemp)
    if [ "$bits" = native ]; then
        echo "== the window-free core, natively under ASan and UBSan, with its fuzzers"
    elif [ "$with_wine" = 1 ]; then
        echo "== $bits-bit suite under $bits-bit Wine"
        WINE_ENV_DIR="$dir" WINE_ENV_BITS="$bits"
        if ! wine_env_start; then
            echo "Wine did not start" >&2
            status=1 failed=$((failed + 1)) total=$((total + 1))
            return
        fi
    else
        echo "== $bits-bit binaries, checked without running them"
    fi
    if [ "$with_wine" = 1 ]; then
        # The tests of what a person sees run on both desktops, one after the other: without
        # a window manager, then under openbox (the entries labelled openbox start it).
        run_ctest "$bits" "$dir" "$out" -LE openbox "$@"
        echo "== $bits-bit suite under $bits-bit Wine, under a window manager (openbox)"
        run_ctest "$bits" "$dir" "$out" -L openbox "$@"
        wine_env_cleanup
        trap - EXIT INT TERM
    else
        run_ctest "$bits" "$dir" "$out" "$@"
    fi
    rm -f "$out"
}

# run_ctest BITS DIR OUT [ctest args...]: one ctest run, its counts added to the totals. A run
# that selects nothing counts as nothing.
run_ctest() {
    local bits=$1 dir=$2 out=$3 rc counts names
    shift 3
    ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$out"
    rc=${PIPESTATUS[0]}
    grep -q '^No tests were found' "$out" && return
    counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$out" | tail -n 1)
    # ctest counts a skipped test among the passed ones and lists it under "did not run".
    names=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$out" | tr '\n' ' ')
    for name in $names; do
        skipped=$((skipped + 1)) skipped_names="$skipped_names $name($bits)"
    done
    if [ -n "$counts" ]; then
        failed=$((failed + ${counts% *})) total=$((total + ${counts#* }))
    fi
    if [ "$rc" -ne 0 ] || [ -z "$counts" ]; then
        status=1
        [ -z "$counts" ] && failed=$((failed + 1)) total=$((total + 1))
    fi
    # Which desktops the end-to-end tests ran on, for the summary.
    if grep -qE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: (e2e|robust|real_winfbe)_test ' "$out"; then
        desktops_bare=1
    fi
    if grep -qE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: (e2e|robust|real_winfbe)_test_openbox ' "$out"; then
        desktops_openbox=1
    fi
}

for bits in $suites; do
    if [ "$bits" = native ]; then
        suite native 0 "$@"
        [ "$static32" = 1 ] && suite 32 0 -L static "$@"
    else
        suite "$bits" 1 "$@"
    fi
done

echo
echo "$done_line"
desktops=""
[ "$desktops_bare" = 1 ] && desktops="without a window manager"
[ "$desktops_openbox" = 1 ] && desktops="${desktops:+$desktops and }under openbox"
echo "Desktops of the end-to-end, robust and real-editor tests: ${desktops:-none}"
[ "$skipped" -gt 0 ] && echo "Skipped:$skipped_names"
passed=$((total - failed - skipped))
percent=0
[ "$total" -gt 0 ] && percent=$((100 * passed / total))
echo "${percent}% tests passed, $failed tests failed, $skipped skipped out of $total"
exit $status
