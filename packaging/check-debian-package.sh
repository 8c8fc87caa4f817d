#!/usr/bin/env bash
# Builds the Debian package from a build folder into a scratch folder and checks its file list:
# the programs, every sample file the repository holds (and nothing else there), the desktop
# entry, the icon, the metainfo, the MIME package and the manual pages; and that dpkg-shlibdeps
# found the libraries the programs need.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >cpack.log) || {
    cat "$scratch/cpack.log"
    exit 1
}
deb=$(ls "$scratch"/torvex_*.deb)
dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|' >"$scratch/contents"

expected=(
    /usr/bin/torvex-cam
    /usr/bin/torvex-nc
    /usr/share/applications/org.torvex.TorvexCAM.desktop
    /usr/share/icons/hicolor/scalable/apps/org.torvex.TorvexCAM.svg
    /usr/share/metainfo/org.torvex.TorvexCAM.metainfo.xml
    /usr/share/mime/packages/torvex.xml
    /usr/share/man/man1/torvex-cam.1.gz
    /usr/share/man/man1/torvex-nc.1.gz
)
if git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    samples=$(git -C "$source" ls-files data)
else
    samples=$(cd "$source" && find data -type f)
fi
for file in $samples; do
    [ "$(basename "$file")" = .gitkeep ] && continue
    expected+=("/usr/share/torvex/samples/${file#data/}")
done

status=0
for file in "${expected[@]}"; do
    if ! grep -qxF "$file" "$scratch/contents"; then
        echo "missing from the package: $file"
        status=1
    fi
done
grep '^/usr/share/torvex/samples/.*[^/]$' "$scratch/contents" | while read -r file; do
    if ! printf '%s\n' "${expected[@]}" | grep -qxF "$file"; then
        echo "not a sample: $file"
        exit 1
    fi
done || status=1
if ! dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6'; then
    echo "no library dependencies: $(dpkg-deb -f "$deb" Depends)"
    status=1
fi
[ $status -eq 0 ] || dpkg-deb -c "$deb"
exit $status
