#!/usr/bin/env bash
# Runs a Windows program on the virtual display and saves the whole screen as a PNG.
#   tools/screenshot.sh OUT.png PROGRAM.exe [args...]
#   SCREENSHOT_DELAY  seconds to wait before the picture (default 3)
#   WINE_ENV_DIR      prefix folder (default build/screenshot-env); KEEP_PREFIX=1 reuses it
set -uo pipefail
if [ $# -lt 2 ]; then
    echo "usage: $0 OUT.png PROGRAM.exe [args...]" >&2
    exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "$1")
shift

bash "$root/tools/install-deps.sh" || exit 1
export WINE_ENV_DIR="${WINE_ENV_DIR:-$root/build/screenshot-env}"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1
# The virtual display has no window manager: Wine then draws title bars and frames itself
# only for windows it does not hand to a manager.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null &
program=$!
sleep "${SCREENSHOT_DELAY:-3}"
import -window root "$out"
rc=$?
kill "$program" >/dev/null 2>&1
wait "$program" 2>/dev/null
rm -f "$log"
[ $rc -eq 0 ] && echo "saved $out"
exit $rc
