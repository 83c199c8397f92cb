#!/usr/bin/env bash
# Renders the documentation screenshots under a virtual display: the main window in both
# layouts, the edit window and a message box, each cropped to its window, into docs/.
#   bash tools/screenshots.sh     (BUILD_DIR picks the build folder)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
docs="$root/docs"

source "$root/tools/build-env.sh"
bits=$(flagsmith_run_bits)
flagsmith_build "$build" "$bits" shots-build.log FlagsmithII Alertkit WinFBEStandIn WindowPoke || exit 1

dir=$(flagsmith_build_dir "$build" "$bits")
source "$root/tools/lay-tree.sh"
tree="$build/shots-run"
lay_tree "$tree" "$dir/bin"
cp "$tree/Tools/FlagsmithII.exe" "$tree/Tools/FlagsmithIIL.exe"

# No window manager draws frames on the virtual display; unmanaged, Wine draws them itself.
WINE_ENV_DIR="$dir" WINE_ENV_BITS="$bits"
source "$root/tools/wine-env.sh"
wine_env_start || exit 1
wine_unmanaged_windows

poke() { wine "$dir/bin/WindowPoke.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }

# shoot NAME TITLE [CLASS]: the window's rectangle cut out of the whole screen.
shoot() {
    local name=$1 rect
    rect=$(poke rect "${@:2}") || { echo "no window \"$2\" for $name" >&2; return 1; }
    read -r x y w h <<<"$rect"
    # Without a window manager the X focus follows the pointer: resting on the caption keeps
    # the window active, and no control under it is drawn hot by Wine's theme.
    xdotool mousemove --sync $((x + w / 2)) $((y + 8)) 2>/dev/null || true
    # A window counts as visible before Wine has mapped and painted it; a second also covers
    # the first status-bar ticks.
    sleep 1
    import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$docs/$name.png"
    echo "docs/$name.png (${w}x${h})"
}

# run_program EXE: started beside the stand-in from its own folder, as WinFBE's File > User Tools does.
run_program() { (cd "$tree/Tools" && wine "$1" >/dev/null 2>&1 </dev/null &); }

(cd "$tree" && wine "$dir/bin/WinFBEStandIn.exe" >/dev/null 2>&1 </dev/null &)
poke rect "WinFBE stand-in" >/dev/null || { echo "the stand-in did not start" >&2; exit 1; }

mkdir -p "$docs"
status=0
readonly APPLY=1102 EDIT=1103 BOX_OK=1001 EDIT_CANCEL=2

run_program FlagsmithII.exe
shoot main-window FLG || status=1

# Apply with "No preset used" selected: the program's message with its icon.
poke click FLG "No preset used"
poke click FLG "$APPLY"
shoot message-box FLG '#32770' || status=1
poke click FLG "$BOX_OK" '#32770'
poke gone FLG '#32770'

poke click FLG "$EDIT"
shoot edit-window "FLG - Edit" || status=1
poke click "FLG - Edit" "$EDIT_CANCEL"
poke gone "FLG - Edit"

# One instance at a time: the large layout starts once the small one has gone.
poke close FLG
poke gone FLG
sleep 1
run_program FlagsmithIIL.exe
shoot main-window-large FLG || status=1
poke close FLG
poke gone FLG

wine_env_cleanup
trap - EXIT INT TERM
exit "$status"
