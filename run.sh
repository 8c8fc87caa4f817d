#!/usr/bin/env bash
# Installs what is missing, builds the program in Release, seeds workspace/ from the bundled
# samples on first run (never overwriting your files there) and starts Torvex - CAM in it.
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)

./scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release

mkdir -p workspace
cp -rn data/. workspace/

cd workspace
exec "$top/build/release/app/torvex-cam"
