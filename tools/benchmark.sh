#!/usr/bin/env bash
# Benchmarks the program against two one-window yardsticks under Wine on a virtual display: the
# bare window, and the floor (the same window with the program's manifest, InitCommonControlsEx
# with every class and the import of ALERTKIT). It measures start-up until the window is
# visible, CPU time over 10 s of idle ticking beside the stand-in WinFBE, and private memory
# across 60 s with 200 message boxes and 50 edit windows; the three programs are started in
# turn, so that the load of a shared machine falls on all of them alike. It does so for each
# bitness the host runs (32-bit, then 64-bit, or 64-bit alone; FLAGSMITH_RUN32 overrides the
# host check; FLAGSMITH_BENCH_BITS=32 or 64 picks one). Takes about four minutes per bitness.
#   bash tools/benchmark.sh [start-up runs]     (BUILD_DIR picks the build folder)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
runs="${1:-20}"

source "$root/tools/build-env.sh"
source "$root/tools/lay-tree.sh"

bench_bitness() (
    local bits=$1 dir tree
    flagsmith_build "$build" "$bits" bench-build.log FlagsmithII Alertkit WinFBEStandIn \
        BenchDriver BenchBareWindow BenchFloorWindow || exit 1
    dir=$(flagsmith_build_dir "$build" "$bits")
    tree="$dir/bench-run"
    lay_tree "$tree" "$dir/bin"

    WINE_ENV_DIR="$dir" WINE_ENV_BITS="$bits"
    source "$root/tools/wine-env.sh"
    wine_env_start || exit 1
    wine_unmanaged_windows

    # WinFBE in front, as while the user works in it: without a window manager the X focus
    # follows the pointer, so it rests where the stand-in's window opens.
    xdotool mousemove --sync 300 240 2>/dev/null || true

    win() { winepath -w "$1" 2>/dev/null; }
    echo "Benchmark of the $bits-bit FlagsmithII under $(wine --version) on a virtual display," \
        "$(nproc) cores"
    echo
    bash "$root/tools/wine-run.sh" "$dir/bin/BenchDriver.exe" "$(win "$tree/Tools/FlagsmithII.exe")" \
        "$(win "$dir/bin/BenchFloorWindow.exe")" "$(win "$dir/bin/BenchBareWindow.exe")" \
        "$(win "$dir/bin/WinFBEStandIn.exe")" "$runs" "$(win /proc)" "$(wine_server_pid)" |
        tr -d '\r'
    rc=${PIPESTATUS[0]}
    wine_env_cleanup
    trap - EXIT INT TERM
    exit "$rc"
)

all_bits=64
flagsmith_runs_32bit_wine && all_bits="32 64"
all_bits=${FLAGSMITH_BENCH_BITS:-$all_bits}
rc=0
for bits in $all_bits; do
    bench_bitness "$bits" || rc=1
    echo
done
exit "$rc"
