#!/usr/bin/env bash
# Sourced by the run, benchmark and screenshot scripts: the installation they run the program in.
#   lay_tree DEST BIN   the sample installation (Settings/WinFBE.ini as WinFBE writes it,
#                       Tools/FlagsmithII.ini) copied to DEST, with the program and the library
#                       from BIN in DEST/Tools. Its switch line matches a preset, so the program
#                       starts without a message.

lay_tree() {
    local dest=$1 bin=$2
    local root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    rm -rf "$dest"
    cp -r "$root/sample" "$dest"
    cp "$bin/FlagsmithII.exe" "$bin/Alertkit.dll" "$dest/Tools/"
}
