#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need: both MinGW-w64
# cross toolchains, Wine for the bitness the host can run (64-bit Wine always, 32-bit Wine
# where the host executes 32-bit code), and clang with its sanitizer and fuzzer runtimes for
# the native build of the core; openbox, the window manager of the tests' second desktop;
# mmdebstrap and bubblewrap, which lay and enter the other Debian release's root for the tests
# under its Wine. Every name is one the release offers under that name: the clang runtime is
# the one of the installed clang's own major version. Idempotent and quiet when everything is
# already there.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/build-env.sh"

packages=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          cmake make wine wine64 fonts-wine xvfb googletest x11-apps x11-utils imagemagick xdotool
          openbox mmdebstrap bubblewrap
          clang clang-format)
# The sanitizer and fuzzer runtime of the clang that compiles: the default clang's (a package
# of the release's default LLVM, as clang is) until one is installed.
if major=$(clang -dumpversion 2>/dev/null) && [ -n "$major" ]; then
    packages+=("libclang-rt-${major%%.*}-dev")
else
    packages+=(libclang-rt-dev)
fi
run32=0
if flagsmith_host_runs_32bit; then
    run32=1
    packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
    flagsmith_installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
# A failed try at 32-bit Wine is not repeated for an hour (every build asks for it again).
no_wine32="${TMPDIR:-/tmp}/flagsmith-no-wine32"
if [ "${missing[*]}" = wine32:i386 ] && [ -n "$(find "$no_wine32" -mmin -60 2>/dev/null)" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
if [ "$run32" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror caught mid-sync fails one index now and then ("File has unexpected size"); asked
# again after a pause it usually answers. Where it still does not, the install goes on with the
# indexes that did arrive, and fails by itself only if a package is then missing.
for attempt in 1 2 3; do
    if $SUDO apt-get update -qq; then break; fi
    if [ "$attempt" = 3 ]; then
        echo "apt-get update failed three times; installing from the indexes it has" >&2
    else
        sleep 20
    fi
done
install() { $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
rest=()
for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
if [ ${#rest[@]} -eq ${#missing[@]} ]; then
    install "${missing[@]}"
    exit
fi
# 32-bit Wine: multi-arch libraries must be at one version on both architectures. A mirror
# whose i386 index of the security archive is stale knows the amd64 security updates but not
# their i386 twins, and the plain install finds no i386 set to match ("held broken
# packages"). The release's own suite has both architectures at one version, so the same
# install then prefers it (apt's target release; in one go with the rest, before any amd64
# library comes from the security archive). Nothing installed is downgraded, the security
# archive stays in the sources, and the next upgrade takes both twins together once the mirror
# has them.
mkdir -p "$(dirname "$FLAGSMITH_WINE32_WAY")"
if install "${missing[@]}" 2>/dev/null; then
    echo "installed as the release offers it" >"$FLAGSMITH_WINE32_WAY"
    exit 0
fi
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if [ -n "$suite" ] && install -t "$suite" "${missing[@]}"; then
    echo "installed from the release's own suite ($suite), the i386 index of the security archive being behind the amd64 one" >"$FLAGSMITH_WINE32_WAY"
    exit 0
fi
# Without it the 32-bit programs are not run here (the scripts then take the 64-bit path),
# rather than the whole build left without its tools.
echo "32-bit Wine could not be installed; the 32-bit programs are not run on this host" >&2
echo "not installed: neither the plain install nor one from the release's own suite went through" >"$FLAGSMITH_WINE32_WAY"
touch "$no_wine32"
[ ${#rest[@]} -eq 0 ] || install "${rest[@]}"
