#!/usr/bin/env bash
# Brings LinuxCNC's standalone G-code interpreter (rs274, Debian package linuxcnc-uspace) into a
# folder without installing anything: the package and the libraries it needs that this machine
# lacks are fetched with `apt-get download` and unpacked with `dpkg -x`. The folder then holds
# `rs274`, a wrapper that runs the interpreter with its libraries.
#
#     scripts/fetch-rs274.sh DEST
#
# When it cannot, DEST/rs274-unavailable.txt says why (the interpreter tests print it and fail)
# and the exit status is 1. A second run with a working interpreter in DEST does nothing.
set -uo pipefail

dest=${1:?usage: fetch-rs274.sh DEST}
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
wrapper="$dest/rs274"
reason="$dest/rs274-unavailable.txt"

fail() {
    echo "LinuxCNC's interpreter rs274 is not available: $*" | tee "$reason" >&2
    rm -f "$wrapper"
    exit 1
}

# A tiny lathe program that the interpreter must accept.
works() {
    local scratch
    scratch=$(mktemp -d) || return 1
    printf 'T1 P1 Q3 ;\n' >"$scratch/t.tbl"
    printf 'G18 G21 G90 G94 G40 G8\nG0 X10 Z5\nG1 X5 F100\nG2 X8 Z2 R3\nM30\n' >"$scratch/t.ngc"
    (cd "$scratch" && HOME="$scratch" "$wrapper" -g -t t.tbl t.ngc) 2>/dev/null | grep -q 'ARC_FEED'
    local status=$?
    rm -rf "$scratch"
    return $status
}

if [ -x "$wrapper" ] && works; then
    rm -f "$reason"
    exit 0
fi

command -v apt-get >/dev/null && command -v dpkg >/dev/null || fail "this is not a Debian system"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! apt-cache show linuxcnc-uspace >/dev/null 2>&1; then
    $sudo apt-get update -qq >/dev/null 2>&1 || fail "apt-get update failed"
    apt-cache show linuxcnc-uspace >/dev/null 2>&1 ||
        fail "no package linuxcnc-uspace in this machine's package sources"
fi

# The interpreter links these libraries (its shared libraries are in the package itself); with
# every library they depend on, they are all it needs at run time. Python starts inside it, so the
# Python standard library comes along when the machine lacks it.
packages=(linuxcnc-uspace)
needed=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances libboost-python1.74.0 libpython3.11 libedit2 libtirpc3 |
    grep -v '^[ <]' | grep '^lib' | sort -u) || fail "the libraries' dependencies cannot be listed"
for p in $needed; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        packages+=("$p")
    fi
done

debs="$dest/debs"
root="$dest/root"
rm -rf "$debs" "$root"
mkdir -p "$debs" "$root"
chmod 777 "$debs" # apt downloads as its own user when it can
echo "Fetching ${packages[*]} into $dest"
(cd "$debs" && apt-get download -qq "${packages[@]}" 2>&1 | grep -v unsandboxed) >&2
for p in "${packages[@]}"; do
    ls "$debs/${p}_"*.deb >/dev/null 2>&1 || fail "apt-get download $p failed"
done
for deb in "$debs"/*.deb; do
    dpkg -x "$deb" "$root" || fail "dpkg -x $(basename "$deb") failed"
done
rm -rf "$debs"

python_home=""
[ -d "$root/usr/lib/python3.11/encodings" ] && python_home="export PYTHONHOME=\"$root/usr\""
cat >"$wrapper" <<EOF
#!/bin/sh
# LinuxCNC's interpreter, unpacked by scripts/fetch-rs274.sh.
export LD_LIBRARY_PATH="$root/usr/lib:$root/usr/lib/x86_64-linux-gnu:$root/lib/x86_64-linux-gnu\${LD_LIBRARY_PATH:+:\$LD_LIBRARY_PATH}"
$python_home
exec "$root/usr/bin/rs274" "\$@"
EOF
chmod +x "$wrapper"

missing=$(LD_LIBRARY_PATH="$root/usr/lib:$root/usr/lib/x86_64-linux-gnu:$root/lib/x86_64-linux-gnu" \
    ldd "$root/usr/bin/rs274" | grep 'not found' | awk '{print $1}' | sort -u | tr '\n' ' ')
[ -z "$missing" ] || fail "libraries not found after unpacking: $missing"
works || fail "the unpacked interpreter does not run a simple lathe program"
rm -f "$reason"
echo "rs274 is ready: $wrapper"
