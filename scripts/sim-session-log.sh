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
# Counters that move on their own, the simulator's uptime and its port (part
# of its engine ID, so of the SNMPv3 user table's indexes) are masked.
set -eu
build=${1:?usage: sim-session-log.sh BUILD_DIR OUTPUT}
out=${2:?usage: sim-session-log.sh BUILD_DIR OUTPUT}
case $out in /*) ;; *) out=$PWD/$out ;; esac
: > "$out.raw"
export OSPREY_SIM_SESSION_LOG="$out.raw" QT_QPA_PLATFORM=offscreen

run() { # test program, gtest filter
    "$build/$1" --gtest_filter="$2" >/dev/null 2>&1 || echo "sim-session-log: $1 $2 failed" >&2
}
run menu_page_tests 'PageTest.EveryGenericPageOpensWithItsVariables:PageTest.AccessControlTablesCreateRowsInTwoRequests'
run pages_sim_tests 'PagesSim.SetCheck*:PagesSim.NewRow*:PagesSim.EditWrites*:PagesSim.DeleteWrites*:PagesSim.RowDialogCloses*'
run forms_vlan_sim_tests 'VlanFormsSim.DeletingAndAddingVlanTen*:VlanFormsSim.PortBasedVlanIsAdded*'
run forms_port_sim_tests 'PortFormsSim.TrunkAdd*:PortFormsSim.TrunkSetWrites*'
sed -E -e 's/(TimeTicks|Counter32|Counter64|Gauge32)[: ]+[0-9]+/\1 N/g' \
    -e 's/\.[0-9]+\.128\.0\.126\.217\./.LEN.128.0.126.217./g' \
    -e 's/(111\.115\.112\.114\.101\.121\.45\.115\.105\.109\.45)(\.(4[89]|5[0-7]))+/\1.PORT/g' "$out.raw" > "$out"
rm -f "$out.raw"
wc -l < "$out"
