#!/usr/bin/env bash
# Sourced by the benchmark and screenshot scripts: the installation they run the program in
# and the Wine settings they need.
#   lay_tree DEST BIN   DEST/Tools gets the program, the library and the presets from BIN;
#                       DEST/Settings/WinFBE.ini is written as WinFBE writes it (UTF-16LE, BOM, CRLF).

lay_tree() {
    local dest=$1 bin=$2
    rm -rf "$dest"
    mkdir -p "$dest/Tools" "$dest/Settings"
    cp "$bin/FlagsmithII.exe" "$bin/Alertkit.dll" "$dest/Tools/"
    printf '%s\r\n' '-gen gas' '-gen gas64' '-gen gcc -O 2' >"$dest/Tools/FlagsmithII.ini"
    # The switch line matches the second preset, so the start shows no message box.
    {
        printf '\xff\xfe'
        printf '%s\r\n' '[Options]' 'Language=english.lang' '' '[Compiler]' \
            'FBWINCompiler32=C:\WinFBE\Toolchains\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\fbc32.exe' \
            'CompilerSwitches=-w all -fpmode fast -fpu sse -gen gas64' |
            iconv -f UTF-8 -t UTF-16LE
    } >"$dest/Settings/WinFBE.ini"
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
