#!/usr/bin/env bash
# Checks the Debian package as it will be installed, without installing it:
# unpacks it (dpkg -x) into a temporary directory, checks its control data and
# its files, and runs the unpacked osprey-export against the unpacked
# osprey-sim with a registry stand-in made from the packaged one. A file
# missing from the package, a dependency not declared or a man page that does
# not render makes it fail.
#
#   scripts/package-check.sh [PACKAGE.deb]     (default: the newest build/osprey_*.deb)
#
# Needs dpkg, groff and gzip; no display, no root.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

DEB=${1:-}
if [ -z "$DEB" ]; then
    DEB=$(ls -t "${BUILD_DIR:-build}"/osprey_*.deb 2>/dev/null | head -n 1 || true)
fi
if [ -z "$DEB" ] || [ ! -f "$DEB" ]; then
    echo "package-check: no package (run make package first, or name the .deb)" >&2
    exit 2
fi
DEB=$(cd "$(dirname "$DEB")" && pwd)/$(basename "$DEB")

WORK=$(mktemp -d "${TMPDIR:-/tmp}/osprey-package-check.XXXXXX")
SIM_PID=""
cleanup() {
    if [ -n "$SIM_PID" ] && kill -0 "$SIM_PID" 2>/dev/null; then
        kill "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() {
    echo "ok: $*"
}

# --- control data ------------------------------------------------------------------
depends=$(dpkg-deb -f "$DEB" Depends)
for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libsnmp40 qt6-qpa-plugins libqt6keychain1; do
    case ", $depends," in
        *", $wanted "*|*", $wanted,"*) pass "depends on $wanted" ;;
        *) fail "Depends lacks $wanted: $depends" ;;
    esac
done
dpkg-deb --ctrl-tarfile "$DEB" | tar -tf - | grep -qx './conffiles' \
    && pass "conffiles" || fail "no conffiles in the control archive"

# --- files -------------------------------------------------------------------------
PKG="$WORK/root"
dpkg -x "$DEB" "$PKG"
LIB="$PKG/usr/lib/osprey"
expected=(
    usr/bin/osprey
    usr/bin/osprey-switches
    usr/bin/osprey-export
    usr/bin/osprey-config
    usr/bin/osprey-sim
    usr/lib/osprey/osprey
    usr/lib/osprey/osprey-switches
    usr/lib/osprey/osprey-panel
    usr/lib/osprey/osprey-export
    usr/lib/osprey/osprey-config
    usr/lib/osprey/osprey-sim
    usr/lib/osprey/osprey.sim
    "usr/lib/osprey/Osprey 2.HLP"
    usr/lib/osprey/errmsg/common.err
    usr/lib/osprey/errmsg/snmp.err
    usr/lib/osprey/errmsg/snmpv3.err
    usr/lib/osprey/errmsg/snmpusm.err
    usr/lib/osprey/errmsg/snmpclass.err
    usr/lib/osprey/errmsg/kvsnmp.err
    usr/lib/osprey/errmsg/snmp.msg
    usr/share/man/man1/osprey.1.gz
    usr/share/man/man1/osprey-switches.1.gz
    usr/share/man/man1/osprey-export.1.gz
    usr/share/man/man1/osprey-config.1.gz
    usr/share/man/man1/osprey-sim.1.gz
    usr/share/applications/osprey.desktop
    usr/share/icons/hicolor/48x48/apps/osprey.png
    usr/share/icons/hicolor/256x256/apps/osprey.png
    etc/korvan/registry.ini
)
for file in "${expected[@]}"; do
    if [ -e "$PKG/$file" ]; then pass "$file"; else fail "missing $file"; fi
done
[ -d "$PKG/etc/korvan/Conf" ] && pass "etc/korvan/Conf/" || fail "missing etc/korvan/Conf/"
for program in osprey osprey-switches osprey-export osprey-config osprey-sim; do
    [ -x "$LIB/$program" ] || fail "$program is not executable"
    if unresolved=$(ldd "$LIB/$program" 2>&1 | grep "not found"); then
        fail "$program needs libraries that are not there: $unresolved"
    fi
done
[ "$(readlink "$LIB/osprey-panel")" = "osprey" ] || fail "osprey-panel is not a link to osprey"
sh -n "$PKG/usr/bin/osprey" && grep -q 'lib/osprey/osprey"$' "$PKG/usr/bin/osprey" \
    && pass "start script" || fail "the start script usr/bin/osprey is broken"
grep -q 'lib/osprey/osprey-switches"$' "$PKG/usr/bin/osprey" \
    && pass "start script without parameters starts the switch list" \
    || fail "the start script does not start osprey-switches without parameters"

# --- osprey-browser ----------------------------------------------------------------
# The stand-in for the host's MIB browser programs, under the six names the
# launcher starts.
BROWSER_LINKS=(MIB IFMib EthernetLike Bridge VLan Rmon)
if [ ! -e "$LIB/osprey-browser" ]; then
    fail "osprey-browser is missing"
else
    [ -x "$LIB/osprey-browser" ] && pass "osprey-browser" || fail "osprey-browser is not executable"
    for link in "${BROWSER_LINKS[@]}"; do
        [ "$(readlink -f "$LIB/$link")" = "$(readlink -f "$LIB/osprey-browser")" ] \
            && pass "$link" || fail "$link does not lead to osprey-browser"
    done
fi
# --- end of osprey-browser ---------------------------------------------------------

# --- man pages, desktop entry ----------------------------------------------------------
for page in osprey osprey-switches osprey-export osprey-config osprey-sim; do
    warnings=$(gzip -dc "$PKG/usr/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1 || true)
    if [ -n "$warnings" ]; then fail "man page $page: $warnings"; else pass "man page $page renders"; fi
done
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$PKG/usr/share/applications/osprey.desktop" && pass "desktop entry" \
        || fail "desktop entry"
fi
grep -qx 'Exec=osprey' "$PKG/usr/share/applications/osprey.desktop" || fail "desktop entry does not start osprey"
grep -qx 'Icon=osprey' "$PKG/usr/share/applications/osprey.desktop" || fail "desktop entry has no icon"

# --- the unpacked export against the unpacked simulator ---------------------------------
if [ -x "$PKG/usr/bin/osprey-sim" ] && [ -x "$PKG/usr/bin/osprey-export" ]; then
    RUN="$WORK/run"
    mkdir -p "$RUN/Conf" "$WORK/state"
    # The packaged registry, pointed at the unpacked tree and a private
    # folder of INI files.
    sed -e "s|=/usr/lib/osprey/|=$LIB/|" -e "s|^Path=.*|Path=$RUN/Conf/|" \
        "$PKG/etc/korvan/registry.ini" > "$RUN/registry.ini"
    grep -q "=$LIB/osprey-panel\$" "$RUN/registry.ini" || fail "the packaged registry does not name osprey-panel"

    "$PKG/usr/bin/osprey-sim" --listen udp:127.0.0.1:0 --ready-file "$RUN/sim.ready" --exit-with-parent \
        > "$RUN/sim.out" 2>&1 &
    SIM_PID=$!
    PORT=""
    for _ in $(seq 1 100); do
        if [ -s "$RUN/sim.ready" ]; then
            PORT=$(sed -n 's/^udp:127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$RUN/sim.ready")
            [ -n "$PORT" ] && break
        fi
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$PORT" ]; then
        fail "the unpacked simulator did not start: $(cat "$RUN/sim.out")"
    else
        pass "unpacked osprey-sim answers on port $PORT"
        # shellcheck source=lib/switch-setup.sh
        . "$ROOT/scripts/lib/switch-setup.sh"
        write_switch_ini "$RUN" "$PORT"
        status=0
        (cd "$RUN" && env -u DISPLAY -u WAYLAND_DISPLAY KORVAN_REGISTRY="$RUN/registry.ini" \
            "$PKG/usr/bin/osprey-export" /I127.0.0.1 /Rravine /Wlantern --page "Port Control Table" --csv \
            --boot-counter-dir "$WORK/state" > "$RUN/export.csv" 2> "$RUN/export.err") || status=$?
        if [ "$status" -ne 0 ]; then
            fail "unpacked osprey-export exited $status: $(cat "$RUN/export.err")"
        elif [ "$(head -n 1 "$RUN/export.csv")" != "Port Index,Administration State,Nway State,Flow Control State" ] \
            || [ "$(wc -l < "$RUN/export.csv")" -ne 27 ]; then
            fail "unpacked osprey-export wrote: $(head -n 3 "$RUN/export.csv")"
        else
            pass "unpacked osprey-export read the 26 ports from the unpacked osprey-sim"
        fi
        status=0
        (cd "$RUN" && env -u DISPLAY -u WAYLAND_DISPLAY KORVAN_REGISTRY="$RUN/registry.ini" \
            "$PKG/usr/bin/osprey-config" /I127.0.0.1 /Rravine /Wlantern --boot-counter-dir "$WORK/state" \
            snapshot --pages "VLAN Static Form" > "$WORK/snapshot.json" 2> "$WORK/config.err" \
            && env -u DISPLAY -u WAYLAND_DISPLAY KORVAN_REGISTRY="$RUN/registry.ini" \
            "$PKG/usr/bin/osprey-config" /I127.0.0.1 /Rravine /Wlantern --boot-counter-dir "$WORK/state" \
            diff "$WORK/snapshot.json" >> "$WORK/config.err" 2>&1) || status=$?
        if [ "$status" -ne 0 ] || ! grep -q '"VLAN Name"' "$WORK/snapshot.json"; then
            fail "unpacked osprey-config exited $status: $(cat "$WORK/config.err")"
        else
            pass "unpacked osprey-config took a snapshot of the unpacked osprey-sim and found it equal"
        fi
        [ -s "$WORK/state/KvSNMP_PP_BootCounter" ] || fail "no boot counter in --boot-counter-dir"
        leftovers=$(cd "$RUN" && ls -A | grep -vx -e registry.ini -e Conf -e sim.ready -e sim.out \
            -e export.csv -e export.err || true)
        [ -z "$leftovers" ] && pass "the export left no file behind" || fail "the export left: $leftovers"
    fi
fi

# --- the unpacked switch list, from an empty HOME, without a keyring -----------------------
if [ -x "$PKG/usr/bin/osprey-switches" ]; then
    SW_HOME="$WORK/home"
    mkdir -p "$SW_HOME"
    switches() {
        env -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_STATE_HOME \
            HOME="$SW_HOME" OSPREY_KEYRING=off QT_QPA_PLATFORM=offscreen "$PKG/usr/bin/osprey-switches" "$@"
    }
    status=0; switches --help > "$WORK/sw.out" 2>&1 || status=$?
    [ "$status" -eq 0 ] && grep -q "osprey-switches add NAME" "$WORK/sw.out" \
        && pass "osprey-switches --help" || fail "osprey-switches --help exited $status: $(cat "$WORK/sw.out")"
    status=0; switches frobnicate > /dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] && pass "osprey-switches: a usage error gives 2" || fail "a usage error gave $status"
    status=0; switches add lab --address 127.0.0.1 --version 3 --user noauth-user --level 1 \
        < /dev/null > "$WORK/sw.out" 2>&1 || status=$?
    [ "$status" -eq 0 ] && [ "$(switches list)" = "$(printf 'lab\t127.0.0.1\t161\t3')" ] \
        && pass "osprey-switches add and list" || fail "osprey-switches add gave $status: $(cat "$WORK/sw.out")"
    [ "$(stat -c %a "$SW_HOME/.config/osprey/switch-list.json" 2>/dev/null)" = 600 ] \
        && pass "the switch list is readable by its owner alone" || fail "the switch list's mode is not 600"
    switches > "$WORK/sw-window.out" 2>&1 &
    SW_PID=$!
    sleep 3
    if kill -0 "$SW_PID" 2>/dev/null; then
        pass "the unpacked switch list's window runs"
        kill "$SW_PID"; wait "$SW_PID" 2>/dev/null || true
    else
        fail "the switch list's window ended at once: $(cat "$WORK/sw-window.out")"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "package-check: $failures failed" >&2
    exit 1
fi
echo "package-check: $DEB is complete"
