#!/usr/bin/env bash
# Sourced by tools/test.sh: the Wine of the other Debian release, for the tests that drive the
# real program. Debian's old stable release and its stable one ship different Wines; users run
# the program under both, so the tests run under the host's Wine and under the other one.
#   other_wine_suite: the archive name of the other release ("stable" on a host of the old
#       stable release, else "oldstable"), as the host's own package indexes name its release.
#   other_wine_root BUILD BITS: lays the other release's root into BUILD/other-wine/root with
#       Wine (32-bit Wine too for BITS 32), Xvfb, openbox and ctest, unless the root there was
#       laid from the same package list; prints its folder. Laid by mmdebstrap from the Debian
#       registry, in a mount namespace of its own: a run killed midway leaves nothing mounted,
#       and the half-laid root is laid afresh next time.
#   other_wine_enter ROOT BUILD COMMAND...: runs COMMAND as root inside ROOT with bubblewrap:
#       the project, the build folder and (where it lies beside the project) the shared folder
#       bound in at their own paths, a /tmp and a network namespace of its own (the root's X
#       display can take any number without meeting the host's), and every process of it ended
#       with the command.
#   other_wine_version ROOT: the Wine version of that root ("10.0").

other_wine_project=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The archive of the host's release, and the mirror its sources name for it.
other_wine_host_archive() {
    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    apt-cache policy 2>/dev/null |
        sed -n "s/.* release .*a=\([a-z-]*\),n=$codename,.*/\1/p" | head -n 1
}

other_wine_suite() {
    if [ "$(other_wine_host_archive)" = oldstable ]; then echo stable; else echo oldstable; fi
}

# The host's mirrors of the main archive and of the security archive.
other_wine_mirror() {
    local codename url
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    url=$(apt-cache policy 2>/dev/null |
        sed -n "s|^ *[0-9]* \(https\{0,1\}://[^ ]*\) $codename$1/main amd64 Packages|\1|p" | head -n 1)
    if [ -n "$url" ]; then echo "$url"; elif [ -n "$1" ]; then
        echo http://deb.debian.org/debian-security
    else echo http://deb.debian.org/debian; fi
}

other_wine_packages() {
    local list=(wine wine64 fonts-wine xvfb openbox x11-utils cmake procps)
    [ "$1" = 32 ] && list+=(wine32:i386)
    echo "${list[*]}"
}

other_wine_root() {
    local build=$1 bits=$2 suite dir list main security
    suite=$(other_wine_suite)
    dir="$build/other-wine"
    list="$suite: $(other_wine_packages "$bits")"
    if [ -f "$dir/root/etc/os-release" ] && [ "$(cat "$dir/root.list" 2>/dev/null)" = "$list" ]; then
        echo "$dir/root"
        return 0
    fi
    main=$(other_wine_mirror "")
    security=$(other_wine_mirror -security)
    rm -rf "$dir/root" "$dir/root.new" "$dir/root.list"
    mkdir -p "$dir"
    echo "Laying the $suite release's root for its Wine ($dir/root)" >&2
    local include architectures=amd64
    include=$(other_wine_packages "$bits" | tr ' ' ',')
    [ "$bits" = 32 ] && architectures=amd64,i386
    # A mirror may serve a stale i386 index of the security archive (then no i386 library
    # matches its amd64 twin); the root is a test bed, not a system, so it is then laid from
    # the release and its updates alone, all at one version.
    local sources
    for sources in security plain; do
        local mirrors=("deb $main $suite main" "deb $main $suite-updates main")
        [ "$sources" = security ] && mirrors+=("deb $security $suite-security main")
        if unshare --mount --propagation private \
            mmdebstrap --quiet --mode=root --variant=apt --architectures=$architectures \
            --include="$include" --aptopt='Acquire::Retries "3"' \
            "$suite" "$dir/root.new" "${mirrors[@]}" >"$dir/mmdebstrap.log" 2>&1; then
            mv "$dir/root.new" "$dir/root"
            echo "$list" >"$dir/root.list"
            echo "$dir/root"
            return 0
        fi
        rm -rf "$dir/root.new"
    done
    tail -n 20 "$dir/mmdebstrap.log" >&2
    echo "the $suite release's root could not be laid (log: $dir/mmdebstrap.log)" >&2
    return 1
}

other_wine_version() {
    awk '/^Package: /{p=$2} p=="wine64" && /^Version: /{print $2; exit}' \
        "$1/var/lib/dpkg/status" 2>/dev/null | sed 's/[~+-].*//'
}

other_wine_enter() {
    local root=$1 build=$2
    shift 2
    local binds=(--bind "$other_wine_project" "$other_wine_project")
    case "$build/" in
        "$other_wine_project"/*) ;;
        *) binds+=(--bind "$build" "$build") ;;
    esac
    local shared
    shared=$(cd "$other_wine_project/.." && pwd)/shared
    [ -d "$shared" ] && binds+=(--ro-bind "$shared" "$shared")
    bwrap --bind "$root" / --dev-bind /dev /dev --proc /proc --perms 1777 --tmpfs /tmp "${binds[@]}" \
        --unshare-pid --unshare-ipc --unshare-net --die-with-parent \
        --setenv HOME /root --setenv PATH /usr/sbin:/usr/bin:/sbin:/bin \
        --chdir "$other_wine_project" "$@"
}
