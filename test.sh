#!/usr/bin/env bash
# Installs what is missing, builds the tests with warnings as errors and AddressSanitizer +
# UndefinedBehaviorSanitizer, and runs every test (the window tests on a virtual display).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTORVEX_TESTS=ON -DTORVEX_SANITIZE=ON -DTORVEX_WERROR=ON
cmake --build build/test

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build/test
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure
