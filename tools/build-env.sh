#!/usr/bin/env bash
# Sourced by the scripts that need built binaries.
#   flagsmith_build BUILD_DIR BITS LOG_NAME [TARGET...]: installs what is missing, configures
#       the 32-bit (BITS 32) or 64-bit (BITS 64) cross build, or the window-free core for this
#       host with clang and the sanitizers (BITS native), and builds the targets (all when none
#       are named); on failure shows the errors.
#   flagsmith_host_runs_32bit: whether this host executes 32-bit x86 programs natively.
#       FLAGSMITH_RUN32=1 or 0 overrides the check.
#   flagsmith_installed PKG: whether that Debian package is installed.
#   flagsmith_runs_32bit_wine: whether the host runs 32-bit code and 32-bit Wine is there.
#   flagsmith_run_bits: 32 where both hold, else 64: the build to run.
#   flagsmith_wine32_way: how 32-bit Wine came onto this host (or why it did not), as the
#       install said it.
#   flagsmith_build_dir BUILD_DIR BITS: the folder of that build (the 64-bit one lies inside
#       the 32-bit one's folder).

flagsmith_build_dir() {
    case "$2" in
        64) echo "$1/win64" ;;
        native) echo "$1/native" ;;
        *) echo "$1" ;;
    esac
}

flagsmith_build() {
    local build bits="$2"
    build=$(flagsmith_build_dir "$1" "$2")
    local log="$build/$3"
    shift 3
    local here toolchain
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    local configure=()
    case "$bits" in
        64) configure=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-x86_64.cmake") ;;
        native) configure=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
        *) configure=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake") ;;
    esac
    bash "$here/tools/install-deps.sh" || return 1
    mkdir -p "$build"
    cmake -S "$here" -B "$build" "${configure[@]}" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null ||
        return 1
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

# A 96-byte static i386 ELF program that only exits with code 42 (int 0x80, exit).
FLAGSMITH_ELF32_EXIT42='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x54\x00\x00\x00\x54\x80\x04\x08\x54\x80\x04\x08\x0c\x00\x00\x00\x0c\x00\x00\x00\x07\x00\x00\x00\x01\x00\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'

flagsmith_host_runs_32bit() {
    case "${FLAGSMITH_RUN32:-}" in
        1) return 0 ;;
        0) return 1 ;;
    esac
    case "$(uname -m)" in
        x86_64 | i?86) ;;
        *) return 1 ;;
    esac
    # A binfmt_misc handler for i386 programs (qemu-user) would run the probe in an emulator,
    # under which 32-bit Wine starts but hangs: only the kernel's own loader counts.
    local entry
    for entry in /proc/sys/fs/binfmt_misc/*; do
        case "$(basename "$entry")" in status | register) continue ;; esac
        [ -f "$entry" ] || continue
        if grep -qx enabled "$entry" 2>/dev/null &&
            grep -q '^magic 7f454c46010101000000000000000000020003' "$entry" 2>/dev/null; then
            return 1
        fi
    done
    local probe rc
    probe=$(mktemp) || return 1
    printf '%b' "$FLAGSMITH_ELF32_EXIT42" >"$probe"
    chmod +x "$probe"
    timeout -s KILL 5 "$probe" >/dev/null 2>&1
    rc=$?
    rm -f "$probe"
    [ "$rc" -eq 42 ]
}

# Whether Debian package PKG is installed.
flagsmith_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Whether the 32-bit programs can be run here: the host executes 32-bit code and 32-bit Wine
# is installed (installed first where missing; a Debian mirror caught mid-sync can leave no
# i386 C library matching the installed one, and then 32-bit Wine out). FLAGSMITH_RUN32=1
# skips the second check.
flagsmith_runs_32bit_wine() {
    flagsmith_host_runs_32bit || return 1
    [ "${FLAGSMITH_RUN32:-}" = 1 ] && return 0
    bash "$(dirname "${BASH_SOURCE[0]}")/install-deps.sh" >&2 || return 1
    flagsmith_installed wine32:i386
}

# Where tools/install-deps.sh notes how it installed 32-bit Wine.
FLAGSMITH_WINE32_WAY="${XDG_STATE_HOME:-$HOME/.local/state}/flagsmith/wine32-way"

flagsmith_wine32_way() {
    local way=""
    [ -s "$FLAGSMITH_WINE32_WAY" ] && way=$(cat "$FLAGSMITH_WINE32_WAY")
    if flagsmith_installed wine32:i386; then
        case "$way" in installed*) echo "$way" ;; *) echo "installed before" ;; esac
    else
        case "$way" in "not installed"*) echo "$way" ;; *) echo "not installed" ;; esac
    fi
}

flagsmith_run_bits() {
    if flagsmith_runs_32bit_wine; then echo 32; else echo 64; fi
}
