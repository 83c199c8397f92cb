#!/usr/bin/env bash
# Sourced by the benchmark and screenshot scripts: the installation they run the program in
# and the Wine settings they need.
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

# Without a window manager Wine waits up to two seconds for one to withdraw each managed
# window it hides; unmanaged, it hides them at once and draws their frames itself.
wine_unmanaged_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

# The Unix process id of the wineserver of $WINEPREFIX.
wine_server_pid() {
    local pid
    for pid in $(ps -C wineserver,wineserver32,wineserver64 -o pid= --sort=start_time); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            ! tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qE ' -(w|k)'; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}
