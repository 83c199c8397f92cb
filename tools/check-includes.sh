#!/usr/bin/env bash
# Checks that includes run one way: framework/ includes only framework/, app/ adds app/, ui/
# adds ui/ and the library's header; alertkit/ includes of the program only framework/handles.h.
# Inside ui/ only the entry includes startup.h. A pure file (no _win in its name, outside ui/'s
# shell files) includes neither a platform header nor a _win header.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
status=0
fail() {
    echo "$1: $2" >&2
    status=1
}
platform='<(windows|commctrl|shlwapi|shellapi|mmsystem|winver|richedit)\.h>'
while IFS= read -r file; do
    folder=${file%%/*}
    case "$folder" in
        framework) allowed='framework' ;;
        app) allowed='framework|app' ;;
        ui) allowed='framework|app|ui|alertkit/alertkit\.h' ;;
        alertkit) allowed='alertkit|framework/handles\.h' ;;
    esac
    while IFS= read -r line; do
        target=$(sed -n 's/^#include "\([^"]*\)".*/\1/p' <<<"$line")
        [ -n "$target" ] || continue
        grep -Eq "^($allowed)(/|$)" <<<"$target" || fail "$file" "includes $target"
        if [ "$folder" = ui ] && [ "$target" = ui/startup.h ] &&
            [ "$file" != ui/flagsmith_main.cpp ] && [ "$file" != ui/startup.cpp ]; then
            fail "$file" "includes ui/startup.h (only the entry does)"
        fi
    done < <(grep -E '^#include "' "$file")
    base=$(basename "$file")
    pure=0
    case "$folder" in
        framework | app) [[ "$base" == *_win.* || "$base" == handles.h ]] || pure=1 ;;
        ui) [[ "$base" == main_layout.* ]] && pure=1 ;;
    esac
    if [ "$pure" = 1 ]; then
        grep -Eq "^#include ($platform|\"[^\"]*_win\.h\")" "$file" &&
            fail "$file" "is pure by its name but includes a platform header"
    fi
done < <(find framework app ui alertkit \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
[ "$status" = 0 ] && echo "includes run framework -> app -> ui; pure files include no platform header"
exit "$status"
