#!/usr/bin/env bash
# Builds the program and runs it beside the stand-in WinFBE on a sample installation laid out
# under build/sample-run/ (Settings/WinFBE.ini, Tools/ with the program, its library and its
# presets), then saves a screenshot to build/sample-run/screen.png. BUILD_DIR picks the build
# folder. The 32-bit program where the host runs 32-bit code, else the 64-bit one
# (FLAGSMITH_RUN32=1 or 0 overrides the check).
# With $DISPLAY set it uses that display (WINE_USE_DISPLAY=0 picks a virtual one instead) and
# waits until the program ends; on a virtual display it closes the stand-in after the
# screenshot, which makes the program close itself.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
run="$build/sample-run"
window_wait_s=20
program_end_wait_s=10

source "$root/tools/build-env.sh"
bits=$(flagsmith_run_bits)
echo "Running the $bits-bit program"
flagsmith_build "$build" "$bits" run-build.log FlagsmithII Alertkit WinFBEStandIn || exit 1
dir=$(flagsmith_build_dir "$build" "$bits")

source "$root/tools/lay-tree.sh"
lay_tree "$run" "$dir/bin"

if [ -n "${DISPLAY:-}" ]; then
    export WINE_USE_DISPLAY="${WINE_USE_DISPLAY:-1}"
fi
WINE_ENV_DIR="$dir" WINE_ENV_BITS="$bits"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1

# Polls until an X window with exactly this title exists.
wait_for_window() {
    local title=$1 i
    for i in $(seq 1 $((window_wait_s * 10))); do
        xdotool search --name "^${title}\$" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window \"$title\" after ${window_wait_s}s" >&2
    return 1
}

keylog=$(winepath -w "$run/keys.log")
"$WINE_ENV_LOADER" "$dir/bin/WinFBEStandIn.exe" "$keylog" >"$run/standin.out" 2>&1 </dev/null &
standin_pid=$!
wait_for_window "WinFBE stand-in" || exit 1
# The program makes its own folder current; starting it from there mirrors a shortcut.
(cd "$run/Tools" && exec "$WINE_ENV_LOADER" FlagsmithII.exe >"$run/program.out" 2>&1 </dev/null) &
program_pid=$!
wait_for_window "FLG" || exit 1
# A few watch ticks, so the status bar and the window order have settled before the picture.
sleep 1
import -window root "$run/screen.png" && echo "screenshot: $run/screen.png"

if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$standin_pid" 2>/dev/null
    for i in $(seq 1 $((program_end_wait_s * 10))); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program_pid" 2>/dev/null && { echo "FlagsmithII still runs without WinFBE" >&2; exit 1; }
    wait "$program_pid"
    rc=$?
else
    echo "FlagsmithII runs beside the stand-in WinFBE; close either window to end."
    wait "$program_pid"
    rc=$?
    kill "$standin_pid" 2>/dev/null
fi
echo "FlagsmithII ended with exit code $rc"
exit $rc
