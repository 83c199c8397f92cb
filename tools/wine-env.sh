#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: starts a virtual X display (unless
# WINE_USE_DISPLAY=1 and $DISPLAY is set), lays a 32-bit Wine prefix into $WINE_ENV_DIR
# (fresh unless KEEP_PREFIX=1), keeps one wineserver alive and ends all of it on exit.
#   WINE_ENV_DIR  folder for the prefix (required)

wine_env_cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
        kill "$WINE_ENV_XVFB_PID" >/dev/null 2>&1 || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=""
    fi
}

wine_env_start() {
    : "${WINE_ENV_DIR:?WINE_ENV_DIR must name a folder}"
    trap 'wine_env_cleanup' EXIT
    trap 'wine_env_cleanup; exit 130' INT
    trap 'wine_env_cleanup; exit 143' TERM

    if [ "${WINE_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        :
    else
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
                    break
                fi
                WINE_ENV_XVFB_PID=""
            fi
        done
        [ -n "${WINE_ENV_XVFB_PID:-}" ] || { echo "no free X display for Xvfb" >&2; return 1; }
    fi

    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEPREFIX="$WINE_ENV_DIR/wineprefix"
    mkdir -p "$WINE_ENV_DIR"
    if [ "${KEEP_PREFIX:-0}" != 1 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        rm -rf "$WINEPREFIX"
        # No Mono or Gecko installers: nothing here needs them.
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
        wineserver -w
        # A crash must fail the test, not wait for someone to close a dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # With no window manager on the virtual display, managed windows get no title bar
        # and every destroyed visible window costs Wine a 2-second wait. On the user's own
        # display the window manager keeps them.
        if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        fi
        wineserver -w
    fi
    wineserver -p >/dev/null 2>&1
}
