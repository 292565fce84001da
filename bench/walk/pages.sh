#!/usr/bin/env bash
# Requests and time per catalogue page: osprey-export --all --stats against
# osprey-sim answering every request DELAY ms late (default 50), one line per
# table page with its rows, requests, time and the bindings the next GETBULK
# would ask for (the walks of one run learn the switch as they go); beside
# them the requests and time of the page exported alone by a fresh process
# (the first walk of the switch: "first"). Then the same export against a simulator that gives at most 40
# bindings per GETBULK answer (--bulk-max-bindings 40): the walks still use
# GETBULK (size above 0) and every page has the rows of the first run.
#
#   bench/walk/pages.sh [BUILD_DIR] [--delay MS]
#
# Targets: every table page of up to 30 rows in at most 3 requests, the
# 208-row tables in at most 4.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD="$ROOT/build"
DELAY=50
while [ $# -gt 0 ]; do
    case "$1" in
        --delay) DELAY=$2; shift 2 ;;
        -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
        *) BUILD=$(cd "$1" && pwd); shift ;;
    esac
done
EXPORT="$BUILD/osprey-export"
SIMULATOR="$BUILD/osprey-sim"
for f in "$EXPORT" "$SIMULATOR"; do
    [ -x "$f" ] || { echo "pages.sh: $f is missing; build the project first" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/osprey-pages.XXXXXX")
SIM_PID=""
stop_sim() {
    if [ -n "$SIM_PID" ] && kill -0 "$SIM_PID" 2>/dev/null; then
        kill "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    SIM_PID=""
}
trap 'stop_sim; if [ -n "${OSPREY_PAGES_KEEP:-}" ]; then echo "pages.sh: kept $WORK"; else rm -rf "$WORK"; fi' EXIT
trap 'exit 130' INT TERM

. "$ROOT/scripts/lib/switch-setup.sh"
write_registry "$WORK" "$BUILD"
export KORVAN_REGISTRY="$WORK/registry.ini"

# export_run NAME ALONE SIM-OPTION...: the simulator with those options, then
# osprey-export --all --stats into NAME.tsv and NAME.stats; with ALONE "yes"
# also every table page by a process of its own into NAME.alone.
export_run() {
    local name=$1 alone=$2
    shift 2
    rm -f "$WORK/ready"
    "$SIMULATOR" --listen udp:127.0.0.1:0 --ready-file "$WORK/ready" "$@" >"$WORK/sim.out" 2>&1 &
    SIM_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$WORK/ready" ] && break
        sleep 0.05
    done
    [ -s "$WORK/ready" ] || { echo "pages.sh: the simulator did not start:" >&2; cat "$WORK/sim.out" >&2; exit 1; }
    write_switch_ini "$WORK" "$(sed -n 's/.*:\([0-9]*\)$/\1/p' "$WORK/ready")"
    local status=0
    (cd "$WORK" && exec "$EXPORT" /I127.0.0.1 /Rravine --all --tsv --stats) \
        >"$WORK/$name.tsv" 2>"$WORK/$name.stats" || status=$?
    if [ "$alone" = yes ]; then
        : >"$WORK/$name.alone"
        "$EXPORT" --list --tsv | awk -F'\t' '$2 == "table" { print $4 }' | while IFS= read -r page; do
            (cd "$WORK" && "$EXPORT" /I127.0.0.1 /Rravine --page "$page" --tsv --stats 2>&1 >/dev/null |
                grep '^stats: ' | head -n 1 | sed "s/^/$page\t/") >>"$WORK/$name.alone" || true
        done
    fi
    stop_sim
    if [ "$status" != 0 ]; then
        echo "pages.sh: osprey-export --all ended with $status:" >&2
        grep -v '^stats: ' "$WORK/$name.stats" >&2 || true
    fi
}

export_run delayed yes --delay "$DELAY"
export_run capped no --bulk-max-bindings 40

python3 - "$WORK" "$DELAY" <<'PY'
import re, sys
work, delay = sys.argv[1], sys.argv[2]

def pages(name):
    """[(title, rows, lines, stats)] in export order."""
    sections, current = [], None
    for line in open(f"{work}/{name}.tsv", encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if line.startswith("# "):
            current = [line[2:], []]
            sections.append(current)
        elif current is not None and line:
            current[1].append(line)
    stats = [l.rstrip("\n") for l in open(f"{work}/{name}.stats") if l.startswith("stats: ")]
    out = []
    for (title, lines), s in zip(sections, stats):
        figures = dict(re.findall(r"(\w+)=(\d+)", s.rsplit(": ", 1)[1]))
        figures = {k: int(v) for k, v in figures.items()}
        out.append((title, max(0, len(lines) - 1), lines, figures))
    return out

delayed, capped = pages("delayed"), pages("capped")
alone = []
for line in open(f"{work}/delayed.alone"):
    name, stats = line.rstrip("\n").split("\t", 1)
    alone.append({k: int(v) for k, v in re.findall(r"(\w+)=(\d+)", stats.rsplit(": ", 1)[1])})
tables = [p for p in delayed if p[3]["requests"] > 0]
print(f"Every catalogue table page exported once (osprey-export --all --stats), the simulator answering "
      f"every request {delay} ms late; the process learns the switch as it goes (pages in menu order):\n")
print(f"  {'page':40} {'rows':>5} {'requests':>8} {'retries':>7} {'time (ms)':>9} {'size':>5}"
      f" {'first: requests':>15} {'time (ms)':>9}")
worst = {"small": [0, 0], "large": [0, 0]}
for (title, rows, _, f), a in zip(tables, alone + [{}] * (len(tables) - len(alone))):
    first = a.get("requests", -1)
    key, target = ("small", 3) if rows <= 30 else ("large", 4)
    worst[key][0] = max(worst[key][0], f["requests"])
    worst[key][1] = max(worst[key][1], first)
    mark = f"  over {target}" if max(f["requests"], first) > target else ""
    print(f"  {title[:40]:40} {rows:5} {f['requests']:8} {f['retries']:7} {f['time_ms']:9} {f['size']:5}"
          f" {first:15} {a.get('time_ms', -1):9}{mark}")
total_ms = sum(p[3]["time_ms"] for p in delayed)
print(f"\n  table pages: {len(tables)}; most requests for a page of up to 30 rows: {worst['small'][0]} in the run, "
      f"{worst['small'][1]} alone (target 3); for a larger page: {worst['large'][0]} in the run, "
      f"{worst['large'][1]} alone (target 4); whole export {total_ms / 1000:.1f} s")

same = sum(1 for a, b in zip(delayed, capped) if a[1] == b[1])
identical = sum(1 for a, b in zip(delayed, capped) if a[2] == b[2])
bulk = [p for p in capped if p[3]["requests"] > 0]
getnext = [p[0] for p in bulk if p[3]["size"] == 0]
print(f"\nThe same export against a simulator that answers a GETBULK with at most 40 bindings:\n")
print(f"  {'page':44} {'rows':>5} {'requests':>8} {'size':>5}")
for title, rows, _, f in bulk:
    if rows > 30:
        print(f"  {title[:44]:44} {rows:5} {f['requests']:8} {f['size']:5}")
print(f"  ... ({len(bulk)} table pages in all)")
print(f"\n  pages with the row count of the first run: {same} of {len(delayed)} "
      f"(the same text, counters and clocks included: {identical}); "
      f"table pages that fell back to GETNEXT: {len(getnext)} {getnext if getnext else ''}; "
      f"largest size: {max((p[3]['size'] for p in bulk), default=0)} bindings (cap 40)")
PY
