#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, only when some are missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libgtest-dev libgmock-dev libbenchmark-dev
    libpolyclipping-dev libdxflib-dev nlohmann-json3-dev
    xvfb xauth fonts-dejavu-core
    help2man man-db dpkg-dev file
    desktop-file-utils appstream libxml2-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
