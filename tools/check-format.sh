#!/usr/bin/env bash
# Checks that every C++ source and header is formatted by the project's .clang-format
# (tools/check-format.sh --fix formats them in place).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
mapfile -t files < <(find alertkit app framework ui tests tools \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit $?
fi
clang-format --dry-run -Werror "${files[@]}" && echo "${#files[@]} files formatted as .clang-format says"
