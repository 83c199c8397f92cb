#!/usr/bin/env bash
# Builds everything and runs all tests. First the window-free core, built for this host with
# clang: its unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, its fuzzers for
# a bounded time each, and the formatting check. Then under Wine on a virtual display: on a host
# that runs 32-bit code the 32-bit suite, then the 64-bit suite (which keeps the sources 64-bit
# clean); on one that does not, the 64-bit suite, and the 32-bit binaries checked without
# running them. Then the Wine tests of the bitness the host runs (32-bit where it can) once more
# under the Wine of the other Debian release, in its root (tools/other-wine.sh), with the
# binaries already built. Extra arguments go to ctest (for example -R alertkit);
# "--repeat N" first runs each Wine entry until it fails, at most N times.
#   BUILD_DIR        the build folder (the 64-bit build lies in its win64/)
#   FLAGSMITH_RUN32  1 or 0 overrides the check whether this host runs 32-bit code
#   FLAGSMITH_SUITES "native", "32" or "64" (or several) runs only those suites (default: the
#                    native one and what the host can run)
#   FLAGSMITH_WINES  "host", "other" (or both, the default), or a Wine's major version ("8",
#                    "10"): the Wines the suites run under
# Inside the other release's root the script runs with FLAGSMITH_PREBUILT=1 (nothing built)
# and FLAGSMITH_PREFIX_DIR (the folder of that Wine's prefix).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
source "$root/tools/build-env.sh"
source "$root/tools/wine-env.sh"
source "$root/tools/other-wine.sh"

repeat=()
if [ "${1:-}" = --repeat ]; then
    repeat=(--repeat "until-fail:${2:?--repeat needs a count}")
    shift 2
fi
# The host's Wine version, asked when a suite runs: on a fresh machine Wine is installed with
# the first build.
host_wine() { dpkg-query -W -f='${Version}' wine64 2>/dev/null | sed 's/[~+-].*//'; }
host_release="Debian $(. /etc/os-release && echo "${VERSION_ID:-?}")"
# wine_wanted host|other: whether FLAGSMITH_WINES names that Wine (a major version other than
# the host Wine's names the other one).
wine_wanted() {
    local word
    for word in ${FLAGSMITH_WINES:-host other}; do
        case "$word" in
            host | other) [ "$word" = "$1" ] && return 0 ;;
            "$(host_wine | cut -d. -f1)") [ "$1" = host ] && return 0 ;;
            *) [ "$1" = other ] && return 0 ;;
        esac
    done
    return 1
}

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
flagsmith_host_runs_32bit && done_line="$done_line; 32-bit Wine: $(flagsmith_wine32_way)"
echo "${done_line/Tested:/Testing:}"

total=0 failed=0 skipped=0 skipped_names="" status=0 desktops_bare=0 desktops_openbox=0
wines_line=""
# suite BITS WINE(0|1) [ctest args...]: builds one bitness (only the deliverables when its
# tests are not to be run) and runs its tests (the Wine ones only where the host's Wine is
# wanted).
suite() {
    local bits=$1 with_wine=$2
    shift 2
    local dir out targets=()
    dir=$(flagsmith_build_dir "$build" "$bits")
    [ "$with_wine" = 1 ] || [ "$bits" = native ] || targets=(FlagsmithII Alertkit)
    if [ "${FLAGSMITH_PREBUILT:-0}" != 1 ]; then
        if [ "$bits" = native ]; then echo "== native build of the core"; else echo "== $bits-bit build"; fi
        if ! flagsmith_build "$build" "$bits" build.log "${targets[@]}"; then
            status=1 failed=$((failed + 1)) total=$((total + 1))
            return
        fi
    fi
    [ "$with_wine" = 1 ] && ! wine_wanted host && return
    out=$(mktemp)
    if [ "$bits" = native ]; then
        echo "== the window-free core, natively under ASan and UBSan, with its fuzzers"
    elif [ "$with_wine" = 1 ]; then
        echo "== $bits-bit suite under $bits-bit Wine $(host_wine) ($host_release)"
        WINE_ENV_DIR="${FLAGSMITH_PREFIX_DIR:-$dir}" WINE_ENV_BITS="$bits"
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
        desktops_bare=0 desktops_openbox=0
        run_ctest "$bits" "$dir" "$out" -LE openbox "${repeat[@]}" "$@"
        echo "== $bits-bit suite under $bits-bit Wine $(host_wine), under a window manager (openbox)"
        run_ctest "$bits" "$dir" "$out" -L openbox "${repeat[@]}" "$@"
        wine_env_cleanup
        trap - EXIT INT TERM
        note_wine "Wine $(host_wine) ($host_release, this host's), $bits-bit"
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
    # (ctest writes no "N/M" before a repeated entry.)
    if grep -qE '^ *([0-9]+/[0-9]+ )?Test +#[0-9]+: (e2e|robust|real_winfbe)_test ' "$out"; then
        desktops_bare=1
    fi
    if grep -qE '^ *([0-9]+/[0-9]+ )?Test +#[0-9]+: (e2e|robust|real_winfbe)_test_openbox ' "$out"; then
        desktops_openbox=1
    fi
}

# note_wine WHAT: which desktops the end-to-end tests of the run just ended had, for the
# summary's line of that Wine.
note_wine() {
    local desktops=""
    [ "$desktops_bare" = 1 ] && desktops="without a window manager"
    [ "$desktops_openbox" = 1 ] && desktops="${desktops:+$desktops and }under openbox"
    wines_line="$wines_line
  under $1: ${desktops:-no desktop}"
}

# other_suite BITS [ctest args...]: the Wine tests of one bitness, built already, under the
# Wine of the other Debian release: this script again inside that release's root, its counts
# added to the totals.
other_suite() {
    local bits=$1 rootfs version out run32=0
    shift
    [ "$bits" = 32 ] && run32=1
    echo "== $bits-bit suite under the Wine of the $(other_wine_suite) Debian release"
    if ! rootfs=$(other_wine_root "$build" "$bits"); then
        status=1 failed=$((failed + 1)) total=$((total + 1))
        return
    fi
    version=$(other_wine_version "$rootfs")
    out=$(mktemp)
    other_wine_enter "$rootfs" "$build" env FLAGSMITH_PREBUILT=1 FLAGSMITH_SUITES="$bits" \
        FLAGSMITH_RUN32="$run32" FLAGSMITH_WINES=host BUILD_DIR="$build" \
        FLAGSMITH_PREFIX_DIR="$build/other-wine/prefix$bits" \
        bash "$root/tools/test.sh" "${repeat[@]/#until-fail:/}" -E '^binaries_check$' "$@" 2>&1 |
        tee "$out"
    local rc=${PIPESTATUS[0]} counts
    counts=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests failed, \([0-9]*\) skipped out of \([0-9]*\)$/\1 \2 \3/p' "$out" | tail -n 1)
    if [ -z "$counts" ]; then
        status=1 failed=$((failed + 1)) total=$((total + 1))
    else
        read -r f s t <<<"$counts"
        failed=$((failed + f)) skipped=$((skipped + s)) total=$((total + t))
        skipped_names="$skipped_names$(sed -n 's/^Skipped://p' "$out" | sed "s/(\([0-9]*\))/(\1, Wine $version)/g")"
    fi
    [ "$rc" -eq 0 ] || status=1
    wines_line="$wines_line
$(grep '^  under Wine' "$out" | sed "s/, this host's)/, in its root)/")"
    rm -f "$out"
}

other_done=0
for bits in $suites; do
    if [ "$bits" = native ]; then
        suite native 0 "$@"
        [ "$static32" = 1 ] && suite 32 0 -L static "$@"
    else
        suite "$bits" 1 "$@"
        # The other Wine runs the bitness the host runs: the first of the Wine suites.
        if [ "$other_done" = 0 ] && wine_wanted other; then
            other_suite "$bits" "$@"
        fi
        other_done=1
    fi
done

echo
echo "$done_line"
echo "Wines and desktops of the end-to-end, robust and real-editor tests:${wines_line:- none}"
[ "$skipped" -gt 0 ] && echo "Skipped:$skipped_names"
passed=$((total - failed - skipped))
percent=0
[ "$total" -gt 0 ] && percent=$((100 * passed / total))
echo "${percent}% tests passed, $failed tests failed, $skipped skipped out of $total"
exit $status
