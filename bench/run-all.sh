#!/usr/bin/env bash
# Runs every benchmark against an existing build directory and prints its figures.
#   bench/run-all.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
echo "== Table walk: engine against snmpwalk (1000 rows, 4 columns)"
"$build/bench-walk"
echo
echo "== Idle main window: LED polling and blinking, answering switch"
"$here/idle/idle.sh" "$build"
echo
echo "== Idle main window: silent switch"
"$here/idle/idle.sh" "$build" --silent
