#!/usr/bin/env bash
# Sourced by the scripts that need built binaries.
# flagsmith_build BUILD_DIR LOG_NAME [TARGET...]: installs what is missing, configures the
# cross build and builds the targets (all when none are named); on failure shows the errors.

flagsmith_build() {
    local build="$1" log="$1/$2"
    shift 2
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    bash "$here/tools/install-deps.sh" || return 1
    cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null || return 1
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    if ! cmake --build "$build" -j "$(nproc)" "${targets[@]}" >"$log" 2>&1; then
        grep -E -B2 -A6 'error|Error' "$log" | head -n 200
        echo "build failed (log: $log)" >&2
        return 1
    fi
    grep -E 'warning:' "$log" | sort -u | head -n 50
    return 0
}
