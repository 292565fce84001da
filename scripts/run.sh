#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
#
# When the bundled switch simulator has been built (build/osprey-sim), it is
# started first on a free loopback UDP port, and the program is pointed at it
# through a generated set-up in a private run directory (run/ by default):
#   run/registry.ini       the registry stand-in (KORVAN_REGISTRY): where the
#                          program and its message files are, where the
#                          per-switch INI files are, and the host, whose MIB
#                          browser programs are the stand-in osprey-browser in
#                          the build directory
#   run/Conf/127.0.0.1.cfg the per-switch INI file: the simulator's port, SNMPv2c
#   run/sim.log            what reached the simulator
# The program runs in run/ (its SNMP boot counter file is kept there) as
#   osprey /I127.0.0.1 /Rravine /Wlantern
# and the simulator is stopped when the program ends.
#
# Without a display (no DISPLAY or WAYLAND_DISPLAY) the program runs under Xvfb;
# after OSPREY_SHOT_DELAY seconds (default 5) a screenshot of its main window is
# written to run/osprey-main-window.png and the program is ended.
#
# Only the programs it starts are built (the program, the simulator and the
# MIB browser stand-in the program's menu starts), not the tests.
#
# BUILD_DIR (default build) and RUN_DIR (default run) choose the directories;
# OSPREY_NO_BUILD=1 uses the build directory as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=${BUILD_DIR:-build}
RUN_DIR=${RUN_DIR:-$ROOT/run}
SHOT_DELAY=${OSPREY_SHOT_DELAY:-5}

RUN_TARGETS="osprey osprey-sim osprey-browser"
if [ -z "${OSPREY_NO_BUILD:-}" ]; then
    echo "run.sh: installing the Debian packages that are missing (if any)..."
    scripts/install-deps.sh
    echo "run.sh: building $RUN_TARGETS into $BUILD_DIR/ (not the tests; $(nproc) jobs)..."
    start=$(date +%s)
    BUILD_DIR="$BUILD_DIR" BUILD_TARGETS="$RUN_TARGETS" scripts/build.sh
    echo "run.sh: built in $(($(date +%s) - start)) s."
fi
BUILD=$(cd "$BUILD_DIR" && pwd)
PROGRAM="$BUILD/osprey"
SIMULATOR="$BUILD/osprey-sim"

mkdir -p "$RUN_DIR/Conf"
RUN_DIR=$(cd "$RUN_DIR" && pwd)

# The registry names the program by its 12-character module file name (a link
# to the program that the build puts beside it).
. scripts/lib/switch-setup.sh
write_registry "$RUN_DIR" "$BUILD"

SIM_PID=""
PROGRAM_PID=""
cleanup() {
    if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then kill "$PROGRAM_PID" 2>/dev/null || true; fi
    if [ -n "$SIM_PID" ] && kill -0 "$SIM_PID" 2>/dev/null; then
        kill "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

rm -f "$RUN_DIR/Conf/127.0.0.1.cfg"
if [ -x "$SIMULATOR" ]; then
    # Port 0: the simulator picks a free port and names it in its ready file.
    rm -f "$RUN_DIR/sim.ready"
    "$SIMULATOR" --listen udp:127.0.0.1:0 --ready-file "$RUN_DIR/sim.ready" --log "$RUN_DIR/sim.log" \
        >"$RUN_DIR/sim.out" 2>&1 &
    SIM_PID=$!
    PORT=""
    for _ in $(seq 1 100); do
        if [ -s "$RUN_DIR/sim.ready" ]; then
            PORT=$(sed -n 's/^udp:127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$RUN_DIR/sim.ready")
            [ -n "$PORT" ] && break
        fi
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$PORT" ]; then
        echo "run.sh: the simulator did not start; its output:" >&2
        cat "$RUN_DIR/sim.out" >&2 || true
        exit 1
    fi
    echo "Simulator listening on udp:127.0.0.1:$PORT (log: $RUN_DIR/sim.log)"
    write_switch_ini "$RUN_DIR" "$PORT"
else
    echo "No simulator built ($SIMULATOR): the program talks to 127.0.0.1:161."
fi

export KORVAN_REGISTRY="$RUN_DIR/registry.ini"
ARGS=(/I127.0.0.1 /Rravine /Wlantern)
cd "$RUN_DIR"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "Starting: $PROGRAM ${ARGS[*]} (in $RUN_DIR)"
    status=0
    "$PROGRAM" "${ARGS[@]}" || status=$?
    exit "$status"
fi

# No display: run under Xvfb, take a screenshot of the main window, end.
SHOT="$RUN_DIR/osprey-main-window.png"
rm -f "$SHOT"
echo "No display: running under Xvfb; screenshot in ${SHOT_DELAY}s."
export OSPREY_PROGRAM="$PROGRAM" OSPREY_SHOT="$SHOT" OSPREY_SHOT_DELAY="$SHOT_DELAY"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$OSPREY_PROGRAM" "$@" &
    pid=$!
    sleep "$OSPREY_SHOT_DELAY"
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        exit $?
    fi
    # The main window is captioned with the address; a message box (start-up
    # failure) is shown on the whole screen instead.
    id=$(xwininfo -root -tree 2>/dev/null | awk "/\"127.0.0.1\"/ { print \$1; exit }")
    if [ -n "$id" ]; then import -window "$id" "$OSPREY_SHOT"; else import -window root "$OSPREY_SHOT"; fi
    kill "$pid"
    wait "$pid" 2>/dev/null
    exit 0
' run-under-xvfb "${ARGS[@]}" || status=$?
if [ -f "$SHOT" ]; then
    echo "Screenshot of the main window: $SHOT"
else
    echo "run.sh: the program ended (status $status) before the screenshot was taken." >&2
    [ "$status" -ne 0 ] || status=1
fi
exit "$status"
