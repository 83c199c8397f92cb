#!/usr/bin/env bash
# Builds everything and runs all tests under Wine on a virtual display.
# Extra arguments go to ctest (for example -R alertkit).  BUILD_DIR picks the build folder.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

bash "$root/tools/install-deps.sh" || exit 1
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null || exit 1
mkdir -p "$build"
if ! cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
    grep -E -B2 -A6 'error|Error' "$build/build.log" | head -n 200
    echo "build failed (log: $build/build.log)" >&2
    exit 1
fi
grep -E 'warning:' "$build/build.log" | sort -u | head -n 50

WINE_ENV_DIR="$build"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1

ctest --test-dir "$build" --output-on-failure "$@"
rc=$?
wine_env_cleanup
trap - EXIT INT TERM
exit $rc
