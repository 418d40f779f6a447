#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the default build with all
# labels (unit, ui, x11 with the installed program started from a temporary prefix, fuzz-replay,
# bench smoke runs), a Debug build of the program started and quit, a Release build of the program
# with warnings as errors, then everything again under AddressSanitizer and
# UndefinedBehaviorSanitizer with the unit and view tests and fuzz corpora.
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

# The installed build: -O3 inlines more and warns where the others do not. The program only,
# the tests already ran above.
cmake --preset release
cmake --build --preset release

cmake --preset asan
cmake --build --preset asan
ctest --preset asan -L 'unit|fuzz-replay'
# Qt's raster engine keeps buffers past exit whose owners the leak checker cannot trace through
# Qt's frames; the view tests check memory errors and undefined behaviour, not leaks.
ASAN_OPTIONS=detect_leaks=0 ctest --preset asan -L ui
