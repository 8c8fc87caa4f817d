#!/usr/bin/env bash
# Installs what is missing, builds the program in Release, seeds user-workspace/ from the bundled
# samples on first run (never overwriting your files there) and starts Torvex - CAM in it.
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)

./scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release

mkdir -p user-workspace
cp -rn data/. user-workspace/

cd user-workspace
exec "$top/build/release/app/torvex-cam"
