#!/usr/bin/env bash
# Runs every benchmark against an existing build directory and prints its figures.
#   bench/run-all.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
echo "== Table walk: engine against snmpwalk and snmpbulkwalk (1000 rows, 4 columns; osprey-sim, snmpsim; 10,000 rows on snmpsim)"
"$build/bench-walk"
echo
echo "== Requests and time per catalogue page (osprey-sim answering 50 ms late; then at most 40 bindings a GETBULK)"
"$here/walk/pages.sh" "$build"
echo
echo "== A list page in the window against osprey-export (1000 forwarding entries; osprey-sim, snmpsim)"
"$build/bench-page" --rows 1000 2>/dev/null
echo
echo "== A big table in the window (10,000 forwarding entries): time, event-loop gap, memory"
"$build/bench-page" --rows 10000 --repeat 1 --snmpsim none 2>/dev/null
echo
echo "== Idle main window: LED polling and blinking, answering switch"
"$here/idle/idle.sh" "$build"
echo
echo "== Idle main window: silent switch"
"$here/idle/idle.sh" "$build" --silent
