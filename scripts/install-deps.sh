#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
# Does nothing when they are all present already.
set -euo pipefail
packages=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev qtkeychain-qt6-dev
  libsnmp-dev snmp snmpd
  libgtest-dev googletest
  xvfb xauth imagemagick x11-utils fonts-dejavu-core
  python3
  tcpdump
  dbus gnome-keyring  # the switch list's test against a real keyring
)
# More packages for one purpose, e.g. OSPREY_EXTRA_PACKAGES=snmpsim for the benchmarks,
# "clang libclang-rt-14-dev llvm" (clang, libFuzzer and the sanitizers' runtimes, the
# symbolizer) for the fuzz harnesses (scripts/fuzz.sh).
# shellcheck disable=SC2206
packages+=(${OSPREY_EXTRA_PACKAGES:-})
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
# The packaged snmpd starts a system agent; the tests start their own on loopback.
if command -v systemctl >/dev/null 2>&1; then $SUDO systemctl disable --now snmpd >/dev/null 2>&1 || true; fi
