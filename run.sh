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
for model in Models/*.mdl; do
    echo "== $model"
    "$top/build/release/cli/torvex-nc" info "$model"
done
echo "== Roughing program of Models/collared.mdl"
"$top/build/release/cli/torvex-nc" rough Models/collared.mdl --ops 0,2,4 \
    --safe 5 --offset 2 --speed 1200 --rest 0.5 --depth 2 --transversal 100 --longitudinal 200 \
    --left-knife Knives/Rough80.knf --right-knife Knives/Left45.knf --left-tool 1 --right-tool 2
