#!/usr/bin/env bash
# Runs one Windows program under Wine with the environment tools/wine-env.sh set up (its
# WINE_ENV_LOADER picks the 32- or 64-bit loader).
# Wine's own helper processes (services, explorer) outlive the program and inherit its
# output handles; a caller that waits for its pipe to close (ctest) would then wait for
# them too, so the program's output goes through a file.
export WINEDEBUG="${WINEDEBUG:--all}"
out=$(mktemp)
"${WINE_ENV_LOADER:-wine}" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
