# Sourced by scripts that start the program against a local simulator.
# Writes the registry stand-in and the per-switch INI file the program reads.

# write_registry DIR BUILD: DIR/registry.ini names the program (by its 12-character
# module file name) and DIR/Conf/ as the folder of the per-switch INI files, and
# registers the host, whose MIB browser programs (MIB, IFMib, EthernetLike,
# Bridge, VLan, Rmon) are the stand-in osprey-browser beside the program: the
# browser pages of the menu then find a host and say no "No Path!".
write_registry() {
    local dir=$1 build=$2 ent
    ent=$(sed -n 's/^#define OSPREY_ENT_NUMBER \([0-9]*\).*/\1/p' "$build/generated/osprey_config.h")
    mkdir -p "$dir/Conf"
    cat > "$dir/registry.ini" <<INI
; Registry stand-in (KORVAN_REGISTRY), generated.
[\\SOFTWARE\\Korvan\\Modules\\HelpPath]
1.3.6.1.4.1.$ent.10.48.1=$build/osprey-panel
[\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile]
Path=$dir/Conf/
[\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\halyard51.exe]
Path=$build/
INI
}

# write_switch_ini DIR PORT: SNMPv2c settings for 127.0.0.1 on the given agent port.
write_switch_ini() {
    local dir=$1 port=$2
    mkdir -p "$dir/Conf"
    cat > "$dir/Conf/127.0.0.1.cfg" <<INI
; Per-switch settings for 127.0.0.1, generated.
[Program Information]
AgentPort=$port
Version=1
ContextName=
ContextEngineID=
SecurityModel=1
SecurityLevel=0
SecurityName=
AuthProtocol=0
PrivProtocol=0
AuthPassword=
PrivPassword=
INI
}
