#!/usr/bin/env bash
# Configures and builds into ./build (or $KALORINA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KALORINA_BUILD_DIR:-build}
launcher=()
# A compiler cache, where the machine has one, makes rebuilds of several checkouts cheap.
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j "${KALORINA_JOBS:-2}"
