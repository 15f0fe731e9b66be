#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need
# (listed in tools/debian-packages.txt). Does nothing when all are there.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t wanted < <(tr ' ' '\n' < tools/debian-packages.txt | sed '/^$/d')
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
