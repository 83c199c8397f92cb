#!/usr/bin/env bash
# Builds everything and runs all tests under Wine on a virtual display.
# Extra arguments go to ctest (for example -R alertkit).  BUILD_DIR picks the build folder.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

source "$root/tools/build-env.sh"
flagsmith_build "$build" build.log || exit 1

WINE_ENV_DIR="$build"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1

ctest --test-dir "$build" --output-on-failure "$@"
rc=$?
wine_env_cleanup
trap - EXIT INT TERM
exit $rc
