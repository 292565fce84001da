#!/usr/bin/env bash
# Idle cost of the main window: the program runs against the switch simulator
# with its front panel polling the LED status every three seconds and its
# blink timer running; nothing else happens. Prints the CPU time the program
# used over the measuring period (as a share of one core) and its resident
# memory at the end (and peak).
#
#   bench/idle/idle.sh [BUILD_DIR] [--seconds N] [--silent]
#
#   BUILD_DIR   build directory holding osprey and osprey-sim (default: build)
#   --seconds N measuring period (default 60), after a 5-second warm-up
#   --silent    the simulator answers the first request only: every later
#               poll times out (the cost of a switch that stopped answering)
#
# Without a display the program runs on a private Xvfb server.
# Targets: under 1 % of one core, under 80 MB resident.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD="$ROOT/build"
SECONDS_TO_MEASURE=60
WARM_UP=5
SILENT=""
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) SECONDS_TO_MEASURE=$2; shift 2 ;;
        --silent) SILENT=yes; shift ;;
        -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
        *) BUILD=$(cd "$1" && pwd); shift ;;
    esac
done

PROGRAM="$BUILD/osprey"
SIMULATOR="$BUILD/osprey-sim"
for f in "$PROGRAM" "$SIMULATOR"; do
    [ -x "$f" ] || { echo "idle.sh: $f is missing; build the project first" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/osprey-idle.XXXXXX")
SIM_PID=""
PROGRAM_PID=""
XVFB_PID=""
cleanup() {
    for pid in "$PROGRAM_PID" "$SIM_PID" "$XVFB_PID"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    if [ -n "${OSPREY_IDLE_KEEP:-}" ]; then echo "idle.sh: kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The simulator on a free loopback port.
SIM_ARGS=(--listen udp:127.0.0.1:0 --ready-file "$WORK/ready" --log "$WORK/sim.log")
[ -z "$SILENT" ] || SIM_ARGS+=(--stop-after 1)
"$SIMULATOR" "${SIM_ARGS[@]}" >"$WORK/sim.out" 2>&1 &
SIM_PID=$!
for _ in $(seq 1 100); do
    [ -s "$WORK/ready" ] && break
    kill -0 "$SIM_PID" 2>/dev/null || break
    sleep 0.05
done
[ -s "$WORK/ready" ] || { echo "idle.sh: the simulator did not start:" >&2; cat "$WORK/sim.out" >&2; exit 1; }
PORT=$(sed -n 's/.*:\([0-9]*\)$/\1/p' "$WORK/ready")

# Registry stand-in and per-switch INI file pointing the program at it.
. "$(dirname "$0")/../../scripts/lib/switch-setup.sh"
write_registry "$WORK" "$BUILD"
write_switch_ini "$WORK" "$PORT"
export KORVAN_REGISTRY="$WORK/registry.ini"

# A display of its own when there is none.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec 5>"$WORK/display"
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.out" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.05
    done
    [ -s "$WORK/display" ] || { echo "idle.sh: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$WORK/display")"
fi

(cd "$WORK" && exec "$PROGRAM" /I127.0.0.1 /Rravine /Wlantern) >"$WORK/program.out" 2>&1 &
PROGRAM_PID=$!

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$PROGRAM_PID/stat"; }
status_kb() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$PROGRAM_PID/status"; }
gets() { grep -c '^GET ' "$WORK/sim.log" 2>/dev/null || true; }

sleep "$WARM_UP"
kill -0 "$PROGRAM_PID" 2>/dev/null || { echo "idle.sh: the program ended early:" >&2; cat "$WORK/program.out" >&2; exit 1; }
HZ=$(getconf CLK_TCK)
t0=$(cpu_ticks)
g0=$(gets)
start=$(date +%s.%N)
sleep "$SECONDS_TO_MEASURE"
t1=$(cpu_ticks)
g1=$(gets)
end=$(date +%s.%N)
rss=$(status_kb VmRSS)
hwm=$(status_kb VmHWM)

awk -v t0="$t0" -v t1="$t1" -v hz="$HZ" -v s="$start" -v e="$end" -v rss="$rss" -v hwm="$hwm" \
    -v polls="$((g1 - g0))" -v silent="${SILENT:-no}" 'BEGIN {
    wall = e - s
    cpu = (t1 - t0) / hz
    printf "Idle main window, %s switch, %.1f s measured after a %d s warm-up\n", \
        (silent == "yes" ? "silent" : "answering"), wall, '"$WARM_UP"'
    printf "  LED polls sent:      %d\n", polls
    printf "  CPU time:            %.2f s = %.2f %% of one core (target < 1 %%)\n", cpu, 100 * cpu / wall
    printf "  Resident memory:     %.1f MB (peak %.1f MB; target < 80 MB)\n", rss / 1024, hwm / 1024
}'
