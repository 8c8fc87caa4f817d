#!/usr/bin/env bash
# Checks the MIME package: well-formed XML, compiled by update-mime-database into a scratch
# database where each of our extensions names its type, and every type the desktop entry opens
# defined there.
set -euo pipefail
package=$1
desktop=$2

xmllint --noout "$package"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mime/packages"
cp "$package" "$scratch/mime/packages/"
update-mime-database "$scratch/mime"

status=0
for glob in application/x-torvex-model:*.mdl application/x-torvex-stock:*.mdls \
    application/x-torvex-knife:*.knf application/x-torvex-job:*.tjob text/x.gcode:*.nc; do
    if ! grep -qF ":$glob" "$scratch/mime/globs2"; then
        echo "the MIME package does not name $glob"
        status=1
    fi
done
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    if ! grep -qxF "$type" "$scratch/mime/types"; then
        echo "the desktop entry opens $type, which the MIME package does not define"
        status=1
    fi
done
exit $status
