#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the default build with all
# labels (unit, ui, x11 with the installed program started from a temporary prefix, fuzz-replay,
# bench smoke runs), a Debug build of the program started and quit, then the Qt-free libraries
# again under AddressSanitizer and UndefinedBehaviorSanitizer with their unit tests and fuzz
# corpora.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset default
cmake --build --preset default
ctest --preset default

# Unoptimised, quitting runs every destructor as written: the program must end cleanly.
cmake --preset debug
cmake --build --preset debug --target orbitdeck
scripts/with-xvfb.sh 1440x900x24 python3 tests/x11-instance/instance_x11_test.py \
  build/debug/orbitdeck socket

cmake --preset asan -DORBITDECK_WITH_QT=OFF
cmake --build --preset asan
ctest --preset asan -L 'unit|fuzz-replay'
