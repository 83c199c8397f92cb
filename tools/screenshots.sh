#!/usr/bin/env bash
# Renders the documentation screenshots under a virtual display: the main window in both
# layouts, the edit window and a message box, each cropped to its window, into docs/; and,
# where the real WinFBE editor lies beside the project (../shared/winfbe), its "User Tools"
# dialog with the program's entry as README's one-line [UserTools] entry makes it.
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

# shoot_user_tools EDITOR_DIR: the real editor in a tree of its own, its settings file as a
# user leaves it after adding README's [UserTools] line (and with the update check off, whose
# run leaves the editor deaf to keys); Ctrl+F7 opens the dialog, the entry is picked in its
# list.
shoot_user_tools() {
    local from=$1 etree="$build/shots-editor" entry
    entry=$(grep -m 1 '^USERTOOL_[0-9]*=FlagsmithII|' "$root/README.md") ||
        { echo "no [UserTools] line in README.md" >&2; return 1; }
    rm -rf "$etree"
    mkdir -p "$etree/Tools"
    cp -r "$from/Settings" "$from/Languages" "$from/Themes" "$etree/"
    cp "$from/WinFBE$bits.exe" "$from/Scintilla$bits.dll" "$from/Lexilla$bits.dll" \
        "$from/cJSON$bits.dll" "$etree/"
    cp "$tree/Tools/FlagsmithII.exe" "$tree/Tools/Alertkit.dll" "$etree/Tools/"
    chmod -R u+w "$etree"
    # WinFBE.ini is UTF-16LE with a byte-order mark and CRLF; the entry takes the place of
    # the line with its number.
    { printf '\xff\xfe'
      iconv -f UTF-16 -t UTF-8 "$from/Settings/WinFBE.ini" |
          ENTRY="$entry" awk 'BEGIN { e = ENVIRON["ENTRY"]; key = substr(e, 1, index(e, "=")) }
              index($0, key) == 1 { print e "\r"; next }
              /^CheckForUpdates=/ { print "CheckForUpdates=0\r"; next }
              { print }' |
          iconv -f UTF-8 -t UTF-16LE
    } >"$etree/Settings/WinFBE.ini"
    (cd "$etree" && wine "WinFBE$bits.exe" >/dev/null 2>&1 </dev/null &)
    poke rect '*' WinFBE_Class >/dev/null || { echo "the editor did not start" >&2; return 1; }
    # After its first start in a fresh prefix the editor takes about 10 seconds to react.
    local try
    for try in 1 2 3 4 5 6; do
        poke keys '*' ctrl+118 WinFBE_Class && poke rect "User Tools" >/dev/null && break
    done
    poke pick "User Tools" FlagsmithII || { echo "no FlagsmithII entry in User Tools" >&2; return 1; }
    shoot user-tools "User Tools"
}
if [ -f "$root/../shared/winfbe/WinFBE$bits.exe" ]; then
    shoot_user_tools "$(cd "$root/../shared/winfbe" && pwd)" || status=1
else
    echo "docs/user-tools.png kept: the WinFBE editor is not beside the project (../shared/winfbe)"
fi

wine_env_cleanup
trap - EXIT INT TERM
exit "$status"
