#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: starts a virtual X display (unless
# WINE_USE_DISPLAY=1 and $DISPLAY is set), lays a Wine prefix into $WINE_ENV_DIR (fresh unless
# KEEP_PREFIX=1), keeps one wineserver alive and ends all of it on exit.
#   WINE_ENV_DIR   folder for the prefix (required)
#   WINE_ENV_BITS  32 (default) for a 32-bit prefix and loader, 64 for a 64-bit one
#   WINE_ENV_DESKTOP  "bare" (default): no window manager, Wine orders and focuses the windows
#                  itself (the prefix's windows unmanaged); "openbox": Debian's openbox runs on
#                  the virtual display and the prefix's windows are left managed
# After wine_env_start, the functions wine, winepath and wineserver (and the exported
# WINE_ENV_LOADER, WINE_ENV_SERVER for child scripts) run the loader and server of that bitness.

# Debian's wine launcher takes the 32-bit loader whenever wine32 is installed, also for 64-bit
# programs, and its wineserver wrapper prefers the 64-bit server: each bitness names its own.
wine_env_select() {
    if [ "${WINE_ENV_BITS:-32}" = 64 ]; then
        export WINEARCH=win64
        export WINE_ENV_LOADER=/usr/lib/wine/wine64
        export WINE_ENV_SERVER=/usr/lib/wine/wineserver64
    else
        export WINEARCH=win32
        export WINE_ENV_LOADER=/usr/lib/wine/wine
        export WINE_ENV_SERVER=/usr/lib/wine/wineserver32
    fi
    export WINELOADER="$WINE_ENV_LOADER"
    export WINESERVER="$WINE_ENV_SERVER"
}

wine() { "$WINE_ENV_LOADER" "$@"; }
winepath() { "$WINE_ENV_LOADER" winepath.exe "$@"; }
wineserver() { "$WINE_ENV_SERVER" "$@"; }

# Without a window manager (the virtual display) Wine gives managed windows no title bar and
# waits up to two seconds for a manager to withdraw each one it hides; unmanaged, it hides them
# at once and draws their frames itself. On the user's own display the manager keeps them.
wine_unmanaged_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

# wine_env_window_manager start|stop: openbox on $DISPLAY, one for the display, its process
# id kept in a file so that separate steps (the tests' set-up and clean-up) share it.
wine_env_window_manager() {
    local pidfile="/tmp/.flagsmith-openbox-${DISPLAY#:}.pid" pid
    case "$1" in
        start)
            if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then
                return 0
            fi
            # A display that has a manager already (the user's own) keeps it.
            if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
                return 0
            fi
            # In a session of its own: it outlives the step that started it.
            setsid openbox --sm-disable </dev/null >/dev/null 2>&1 &
            pid=$!
            echo "$pid" >"$pidfile"
            # Running once it owns the window-manager selection of screen 0.
            local i
            for i in $(seq 1 100); do
                xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.05
            done
            echo "openbox did not start" >&2
            return 1
            ;;
        stop)
            if [ -f "$pidfile" ]; then
                pid=$(cat "$pidfile")
                rm -f "$pidfile"
                kill "$pid" >/dev/null 2>&1 || true
                # Gone once it has given up the selection.
                local i
                for i in $(seq 1 100); do
                    kill -0 "$pid" 2>/dev/null || break
                    sleep 0.05
                done
            fi
            ;;
    esac
}

wine_env_cleanup() {
    if [ -n "${WINEPREFIX:-}" ] && [ -n "${WINE_ENV_SERVER:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
        wine_env_window_manager stop
    fi
    if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
        kill "$WINE_ENV_XVFB_PID" >/dev/null 2>&1 || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=""
    fi
}

wine_env_start_display() {
    if [ "${WINE_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    [ -n "${WINE_ENV_XVFB_PID:-}" ] && return 0
    local n
    for n in $(seq 91 160); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            WINE_ENV_XVFB_PID=$!
            local i
            for i in $(seq 1 100); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.05
            done
            if kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            WINE_ENV_XVFB_PID=""
        fi
    done
    echo "no free X display for Xvfb" >&2
    return 1
}

wine_env_start() {
    : "${WINE_ENV_DIR:?WINE_ENV_DIR must name a folder}"
    trap 'wine_env_cleanup' EXIT
    trap 'wine_env_cleanup; exit 130' INT
    trap 'wine_env_cleanup; exit 143' TERM

    wine_env_start_display || return 1
    wine_env_select
    export WINEDEBUG=-all
    export WINEPREFIX="$WINE_ENV_DIR/wineprefix"
    mkdir -p "$WINE_ENV_DIR"
    if [ "${KEEP_PREFIX:-0}" != 1 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        rm -rf "$WINEPREFIX"
        # A prefix does not always see the fonts of Debian's fonts-wine (64-bit ones never,
        # 32-bit ones on some hosts): the program's window is drawn in Tahoma, and Wine draws
        # the glyphs of frame buttons and arrows in Marlett (without it a close button shows an
        # "r"). Installed into the prefix before the first program starts, each is a family
        # like any other.
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf \
            "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        # No Mono or Gecko installers: nothing here needs them.
        WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot.exe -i >/dev/null 2>&1
        wineserver -w
        # A crash must fail the test, not wait for someone to close a dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        if [ -n "${WINE_ENV_XVFB_PID:-}" ] && [ "${WINE_ENV_DESKTOP:-bare}" != openbox ]; then
            wine_unmanaged_windows
        fi
        wineserver -w
    fi
    if [ "${WINE_ENV_DESKTOP:-bare}" = openbox ]; then
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
        wine_env_window_manager start || return 1
    fi
    wineserver -p >/dev/null 2>&1
}

# The Unix process id of the wineserver of $WINEPREFIX.
wine_server_pid() {
    local pid
    for pid in $(ps -C wineserver,wineserver32,wineserver64 -o pid= --sort=start_time); do
        if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            ! tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qE ' -(w|k)'; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}
