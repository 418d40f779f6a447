#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the default build with all
# labels (unit, ui, x11, fuzz-replay, bench smoke runs), then the Qt-free libraries again under
# AddressSanitizer and UndefinedBehaviorSanitizer with their unit tests and fuzz corpora.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset asan -DORBITDECK_WITH_QT=OFF
cmake --build --preset asan
ctest --preset asan -L 'unit|fuzz-replay'
