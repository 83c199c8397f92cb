#!/usr/bin/env bash
# Runs a Windows program on the virtual display and saves the whole screen as a PNG.
#   tools/screenshot.sh OUT.png PROGRAM.exe [args...]
#   SCREENSHOT_DELAY  seconds to wait before the picture (default 3)
#   WINE_ENV_DIR      prefix folder (default build/screenshot-env); KEEP_PREFIX=1 reuses it
#   WINE_ENV_BITS     32 or 64, the bitness of PROGRAM.exe (default: 64 when the program is
#                     a 64-bit one or the host does not run 32-bit code, else 32)
set -uo pipefail
if [ $# -lt 2 ]; then
    echo "usage: $0 OUT.png PROGRAM.exe [args...]" >&2
    exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "$1")
shift

bash "$root/tools/install-deps.sh" || exit 1
source "$root/tools/build-env.sh"
if [ -z "${WINE_ENV_BITS:-}" ]; then
    WINE_ENV_BITS=$(flagsmith_run_bits)
    if LC_ALL=C head -c 4096 "$1" 2>/dev/null | grep -qaP 'PE\x00\x00\x64\x86'; then WINE_ENV_BITS=64; fi
fi
export WINE_ENV_DIR="${WINE_ENV_DIR:-$root/build/screenshot-env-$WINE_ENV_BITS}"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1
wine_unmanaged_windows

log=$(mktemp)
"$WINE_ENV_LOADER" "$@" >"$log" 2>&1 </dev/null &
program=$!
sleep "${SCREENSHOT_DELAY:-3}"
import -window root "$out"
rc=$?
kill "$program" >/dev/null 2>&1
wait "$program" 2>/dev/null
rm -f "$log"
[ $rc -eq 0 ] && echo "saved $out"
exit $rc
