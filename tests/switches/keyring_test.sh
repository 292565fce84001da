#!/usr/bin/env bash
# The switch list against a real Secret Service keyring (gnome-keyring-daemon,
# unlocked, inside a private D-Bus session), from an empty HOME:
#   - switches added on the command line keep their secrets in the keyring:
#     no file under HOME holds one, and "open" finds them there;
#   - bad input on the command line gets a message and changes nothing;
#   - while switches are opened again and again, every process's
#     /proc/PID/cmdline is sampled: none of the processes started here shows a
#     secret, and the program opened reads the simulator with the secrets it
#     was handed.
#
#   keyring_test.sh BUILD_DIR SOURCE_DIR
# Exit status 77 (skipped) when dbus-run-session or gnome-keyring-daemon is missing.
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$2" && pwd)
for tool in dbus-run-session gnome-keyring-daemon python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/osprey-keyring-test.XXXXXX")
SIM_PID=""
cleanup() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
    # The programs opened, should the test have stopped half-way.
    for pid in $(cat "$WORK/opened" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT

# A private HOME and nothing of the caller's desktop.
export HOME="$WORK/home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_STATE_HOME XDG_DATA_HOME XDG_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY \
    OSPREY_KEYRING OSPREY_SECRETS
export QT_QPA_PLATFORM=offscreen
# Every process started here inherits the mark; the sampler tells them by it.
export OSPREY_TEST_MARK="keyring-test-$$-$RANDOM"

mkdir -p "$WORK/sim"
"$BUILD/osprey-sim" --listen udp:127.0.0.1:0 --ready-file "$WORK/sim/ready" --log "$WORK/sim/log" \
    --exit-with-parent > "$WORK/sim/out" 2>&1 &
SIM_PID=$!
PORT=""
for _ in $(seq 1 100); do
    PORT=$(sed -n 's/^udp:127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$WORK/sim/ready" 2>/dev/null || true)
    [ -n "$PORT" ] && break
    sleep 0.1
done
[ -n "$PORT" ] || { echo "FAIL: the simulator did not start: $(cat "$WORK/sim/out")"; exit 1; }

. "$SOURCE/scripts/lib/switch-setup.sh"
write_registry "$WORK/reg" "$BUILD"
export KORVAN_REGISTRY="$WORK/reg/registry.ini"
export PORT BUILD WORK

# The steps inside the private session, from a file: a script given on the
# command line would itself show the secrets to the sampler.
cat > "$WORK/inner.sh" <<'INNER'
set -euo pipefail
fail() { echo "FAIL: $*"; exit 1; }
switches() { "$BUILD/osprey-switches" "$@"; }
printf "keyring-test-password" | gnome-keyring-daemon --unlock --components=secrets > /dev/null

# --- adding: the secrets go to the keyring, bad input changes nothing ---
printf "read=ravine\nwrite=lantern\n" | switches add lab-2c --address 127.0.0.1 --port "$PORT" --version 2c \
    || fail "add lab-2c"
printf "auth=sha-auth-pass\npriv=sha-priv-pass\n" | switches add lab-v3 --address 127.0.0.1 --port "$PORT" \
    --version 3 --user sha-user --level 3 --auth SHA --priv AES || fail "add lab-v3"
before=$(cat "$HOME/.config/osprey/switch-list.json")
expect_refused() {
    local status=0 wanted=$1 input=$2; shift 2
    printf "$input" | switches "$@" > "$WORK/out" 2> "$WORK/err" || status=$?
    [ "$status" -eq "$wanted" ] || fail "$* gave $status, not $wanted: $(cat "$WORK/err")"
    grep -q "osprey-switches" "$WORK/err" || fail "$* said nothing"
    [ "$(cat "$HOME/.config/osprey/switch-list.json")" = "$before" ] || fail "$* changed the list"
}
expect_refused 2 "read=a\nwrite=b\n" add bad-port --address 127.0.0.1 --port 70000 --version 2c
expect_refused 2 "read=a\n" add no-write --address 127.0.0.1 --version 2c
expect_refused 2 "auth=short\npriv=sha-priv-pass\n" add short --address 127.0.0.1 --version 3 --user u --auth SHA --priv AES
expect_refused 2 "read=a\nwrite=b\n" add lab-2c --address 127.0.0.1 --version 2c
expect_refused 2 "read=a\nwrite=b\n" add bad-address --address 300.1.1.1.1 --version 2c
expect_refused 2 "" add secret-arg --address 127.0.0.1 --version 2c --read public
expect_refused 2 "community=x\n" add bad-line --address 127.0.0.1 --version 2c
expect_refused 1 "" remove nobody
[ "$(switches list)" = "$(printf "lab-2c\t127.0.0.1\t$PORT\t2c\nlab-v3\t127.0.0.1\t$PORT\t3")" ] \
    || fail "list: $(switches list)"

for secret in ravine lantern sha-auth-pass sha-priv-pass; do
    if found=$(grep -r -l -a -F "$secret" "$HOME"); then fail "$secret is in clear in $found"; fi
done
echo "ok: no file under HOME holds a secret"

# --- opening while every command line is sampled ---
python3 - "$WORK/samples" "$WORK/stop" <<PY &
import os, sys, time
out, stop = sys.argv[1], sys.argv[2]
mark = os.environ["OSPREY_TEST_MARK"].encode()
secrets = [b"ravine", b"lantern", b"sha-auth-pass", b"sha-priv-pass"]
samples = hits = modules = 0
leaks = []
while not os.path.exists(stop):
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                cmdline = f.read()
        except OSError:
            continue
        samples += 1
        if b"/I127.0.0.1" in cmdline:
            modules += 1
        if any(s in cmdline for s in secrets):
            try:
                with open("/proc/%s/environ" % pid, "rb") as f:
                    ours = mark in f.read()
            except OSError:
                ours = False
            if ours:
                leaks.append(cmdline.replace(b"\0", b" ").decode(errors="replace"))
with open(out, "w") as f:
    f.write("%d %d %d\n" % (samples, modules, len(leaks)))
    f.write("\n".join(leaks[:5]) + "\n")
PY
SAMPLER=$!
sleep 0.5
pids=()
for round in 1 2 3 4 5; do
    for name in lab-2c lab-v3; do
        line=$(timeout 30 "$BUILD/osprey-switches" open "$name" < /dev/null) || fail "open $name"
        pid=$(echo "$line" | sed -n "s/.*(process \([0-9]*\)).*/\1/p")
        echo "$pid" >> "$WORK/opened"
        pids+=("$pid")
    done
    sleep 1
done
sleep 3
touch "$WORK/stop"
wait "$SAMPLER"
for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
read -r samples modules leaks < "$WORK/samples"
echo "sampled $samples command lines, $modules of the opened program"
[ "$modules" -gt 0 ] || fail "the sampler never saw the opened program"
[ "$leaks" -eq 0 ] || fail "secrets in command lines: $(tail -n +2 "$WORK/samples")"
echo "ok: no command line showed a secret"
INNER
dbus-run-session -- bash "$WORK/inner.sh"
# The program read the simulator with the secrets handed to it, under both versions.
grep -q "v2c.*read" "$WORK/sim/log" || { echo "FAIL: no SNMPv2c read reached the simulator"; head "$WORK/sim/log"; exit 1; }
grep -q "v3" "$WORK/sim/log" || { echo "FAIL: no SNMPv3 request reached the simulator"; head "$WORK/sim/log"; exit 1; }
echo "ok: the opened program read the simulator under SNMPv2c and SNMPv3"
