#!/usr/bin/env bash
# The switch list against a real Secret Service keyring (gnome-keyring-daemon,
# unlocked, inside a private D-Bus session), from an empty HOME:
#   - switches added on the command line keep their secrets in the keyring:
#     no file under HOME holds one, and "open" finds them there;
#   - bad input on the command line gets a message and changes nothing;
#   - while switches are opened again and again, every process's
#     /proc/PID/cmdline is sampled: none of the processes started here shows a
#     secret, and the program opened reads the simulator with the secrets it
#     was handed;
#   - six commands adding switches at once all land, each with its keyring
#     item, and removing them at once leaves none;
#   - a keyring that does not answer (stopped) makes a command give up with a
#     message and the window say so, keep what was typed and live on when the
#     keyring answers late (switches_unit_tests, with the keyring's pid);
#   - a locked keyring is reported as locked, not as one without the secrets.
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
# The daemon takes its bus name after it has forked: until then the bus would
# start another one, whose keyring is locked.
for _ in $(seq 1 100); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.freedesktop.secrets | grep -q true && break
    sleep 0.1
done

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

# --- six commands at once ---
in_keyring() {
    gdbus call --session --dest org.freedesktop.secrets --object-path /org/freedesktop/secrets \
        --method org.freedesktop.Secret.Service.SearchItems "{'user': '$1', 'server': 'osprey-switches'}" \
        | grep -q objectpath
}
for i in 1 2 3 4 5 6; do
    printf "read=r$i\nwrite=w$i\n" | switches add "q$i" --address 127.0.0.1 --port "$PORT" --version 2c \
        > "$WORK/q$i.out" 2>&1 &
done
wait
for i in 1 2 3 4 5 6; do
    grep -q "Added \"q$i\"" "$WORK/q$i.out" || fail "add q$i: $(cat "$WORK/q$i.out")"
    switches list | grep -q "^q$i	" || fail "q$i is not in the list: $(switches list)"
    in_keyring "q$i" || fail "the keyring has no item for q$i"
done
for i in 1 2 3 4 5 6; do switches remove "q$i" > "$WORK/q$i.out" 2>&1 & done
wait
[ "$(switches list | grep -c '^q' || true)" -eq 0 ] || fail "removed at once, some stayed: $(switches list)"
for i in 1 2 3 4 5 6; do
    if in_keyring "q$i"; then fail "the keyring kept an item for the removed q$i"; fi
done
echo "ok: six adds at once landed, six removes at once left nothing in the list or the keyring"

# --- a keyring that does not answer ---
KEYRING_PID=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID org.freedesktop.secrets | sed -n 's/.*uint32 \([0-9]*\).*/\1/p')
[ -n "$KEYRING_PID" ] || fail "no pid for the keyring"
before=$(cat "$HOME/.config/osprey/switch-list.json")
resume_and_fail() { kill -CONT "$KEYRING_PID"; fail "$@"; }
kill -STOP "$KEYRING_PID"
status=0
printf "read=a\nwrite=b\n" | timeout 60 "$BUILD/osprey-switches" add stalled --address 127.0.0.1 --version 2c \
    > "$WORK/out" 2> "$WORK/err" || status=$?
[ "$status" -eq 1 ] || resume_and_fail "add with a stopped keyring gave $status: $(cat "$WORK/err")"
grep -q "did not answer" "$WORK/err" || resume_and_fail "add said: $(cat "$WORK/err")"
[ "$(cat "$HOME/.config/osprey/switch-list.json")" = "$before" ] || resume_and_fail "the list changed"
# The window (the test resumes the keyring itself once it has given up).
status=0
OSPREY_TEST_STOPPED_KEYRING_PID=$KEYRING_PID timeout 60 "$BUILD/switches_unit_tests" \
    --gtest_filter='SwitchWindow.AKeyringThatDoesNotAnswer*' > "$WORK/window.out" 2>&1 || status=$?
kill -CONT "$KEYRING_PID"
[ "$status" -eq 0 ] || fail "the window against a stopped keyring: $(grep -v propagateSizeHints "$WORK/window.out")"
grep -q "\[       OK \]" "$WORK/window.out" || fail "the window test did not run: $(cat "$WORK/window.out")"
echo "ok: a keyring that does not answer is reported; the window lives on and keeps what was typed"

# --- a locked keyring ---
gdbus call --session --dest org.freedesktop.secrets --object-path /org/freedesktop/secrets \
    --method org.freedesktop.Secret.Service.Lock "['/org/freedesktop/secrets/collection/login']" > /dev/null
status=0
switches open lab-2c < /dev/null > "$WORK/out" 2> "$WORK/err" || status=$?
[ "$status" -eq 1 ] || fail "open with a locked keyring gave $status"
grep -q "the keyring is locked; unlock it" "$WORK/err" || fail "open said: $(cat "$WORK/err")"
if grep -q "not in the keyring" "$WORK/err"; then fail "open said the secrets are not there: $(cat "$WORK/err")"; fi
before=$(cat "$HOME/.config/osprey/switch-list.json")
expect_refused 1 "read=a\nwrite=b\n" add while-locked --address 127.0.0.1 --version 2c
grep -q "the keyring is locked" "$WORK/err" || fail "add said: $(cat "$WORK/err")"
echo "ok: a locked keyring is reported as locked"
INNER
dbus-run-session -- bash "$WORK/inner.sh"
# The program read the simulator with the secrets handed to it, under both versions.
grep -q "v2c.*read" "$WORK/sim/log" || { echo "FAIL: no SNMPv2c read reached the simulator"; head "$WORK/sim/log"; exit 1; }
grep -q "v3" "$WORK/sim/log" || { echo "FAIL: no SNMPv3 request reached the simulator"; head "$WORK/sim/log"; exit 1; }
echo "ok: the opened program read the simulator under SNMPv2c and SNMPv3"
