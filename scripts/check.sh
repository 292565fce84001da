#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build} scripts/build.sh "$@"
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
# Most tests spend their time waiting for a simulator's answer or a time-out,
# not on the processor: three at a time per core keeps both busy.
ctest --output-on-failure -j"$(($(nproc) * 3))" --timeout 300
