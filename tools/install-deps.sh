#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need: both MinGW-w64
# cross toolchains, Wine for the bitness the host can run (64-bit Wine always, 32-bit Wine
# where the host executes 32-bit code), and clang with its sanitizer and fuzzer runtimes for
# the native build of the core; openbox, the window manager of the tests' second desktop.
# Idempotent and quiet when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/build-env.sh"

packages=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          cmake make wine wine64 fonts-wine xvfb googletest x11-apps x11-utils imagemagick xdotool
          openbox
          clang libclang-rt-14-dev clang-format)
run32=0
if flagsmith_host_runs_32bit; then
    run32=1
    packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
if [ "$run32" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
