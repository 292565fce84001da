#!/bin/sh
# Writes what reached the simulator during a fixed session of the widget
# tests: every generic page opened and a row created in two requests, the
# Set Check, new-row, row-dialog edit and delete flows of the generic pages,
# VLAN Static Add and port-based VLAN Add, trunk Add and Set. Two builds that
# send the same requests give the same file, so a change meant to keep the
# behaviour can be checked with diff:
#
#     scripts/sim-session-log.sh build before.log
#     ... change, build ...
#     scripts/sim-session-log.sh build after.log && diff before.log after.log
#
# Counters that move on their own and the simulator's uptime are masked.
set -eu
build=${1:?usage: sim-session-log.sh BUILD_DIR OUTPUT}
out=${2:?usage: sim-session-log.sh BUILD_DIR OUTPUT}
case $out in /*) ;; *) out=$PWD/$out ;; esac
: > "$out.raw"
export OSPREY_SIM_SESSION_LOG="$out.raw" QT_QPA_PLATFORM=offscreen

run() { # test program, gtest filter
    "$build/tests/$1" --gtest_filter="$2" >/dev/null 2>&1 || echo "sim-session-log: $1 $2 failed" >&2
}
run menu/menu_page_tests 'PageTest.EveryGenericPageOpensWithItsVariables:PageTest.AccessControlTablesCreateRowsInTwoRequests'
run pages/pages_sim_tests 'PagesSim.SetCheck*:PagesSim.NewRow*:PagesSim.EditWrites*:PagesSim.DeleteWrites*:PagesSim.RowDialogCloses*'
run forms/forms_vlan_sim_tests 'VlanFormsSim.DeletingAndAddingVlanTen*:VlanFormsSim.PortBasedVlanIsAdded*'
run forms/forms_port_sim_tests 'PortFormsSim.TrunkAdd*:PortFormsSim.TrunkSetWrites*'
sed -E 's/(TimeTicks|Counter32|Counter64|Gauge32)[: ]+[0-9]+/\1 N/g' "$out.raw" > "$out"
rm -f "$out.raw"
wc -l < "$out"
