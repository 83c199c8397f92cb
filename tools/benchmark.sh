#!/usr/bin/env bash
# Benchmarks the program against bare one-window baselines under Wine on a virtual display:
# start-up until the window is visible, CPU time over 10 s of idle ticking beside the
# stand-in WinFBE, and private memory across 60 s with 200 message boxes and 50 edit windows.
# Takes about two minutes.
#   bash tools/benchmark.sh [start-up runs]     (BUILD_DIR picks the build folder)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
runs="${1:-20}"

source "$root/tools/build-env.sh"
bits=$(flagsmith_run_bits)
flagsmith_build "$build" "$bits" bench-build.log FlagsmithII Alertkit WinFBEStandIn BenchDriver BenchBareWindow \
    || exit 1

dir=$(flagsmith_build_dir "$build" "$bits")
source "$root/tools/lay-tree.sh"
tree="$build/bench-run"
lay_tree "$tree" "$dir/bin"

WINE_ENV_DIR="$dir" WINE_ENV_BITS="$bits"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1
wine_unmanaged_windows

# WinFBE in front, as while the user works in it: without a window manager the X focus follows
# the pointer, so it rests where the stand-in's window opens.
xdotool mousemove --sync 300 240 2>/dev/null || true

win() { winepath -w "$1" 2>/dev/null; }
echo "Benchmark of FlagsmithII under $(wine --version) on a virtual display, $(nproc) cores"
echo
bash "$root/tools/wine-run.sh" "$dir/bin/BenchDriver.exe" "$(win "$tree/Tools/FlagsmithII.exe")" \
    "$(win "$dir/bin/BenchBareWindow.exe")" "$(win "$dir/bin/WinFBEStandIn.exe")" "$runs" \
    "$(win /proc)" "$(wine_server_pid)" | tr -d '\r'
rc=${PIPESTATUS[0]}
wine_env_cleanup
trap - EXIT INT TERM
exit "$rc"
