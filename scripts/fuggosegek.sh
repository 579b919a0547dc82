#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its tools need;
# asks apt only when something is missing.
set -euo pipefail
csomagok=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libsqlite3-dev sqlite3
  fonts-liberation fonts-dejavu-core
  poppler-utils
  xvfb xauth
)
hianyzo=()
for c in "${csomagok[@]}"; do
  dpkg-query -W -f='${Status}' "$c" 2>/dev/null | grep -q "install ok installed" || hianyzo+=("$c")
done
if [ ${#hianyzo[@]} -gt 0 ]; then
  echo "Telepítendő csomagok: ${hianyzo[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${hianyzo[@]}"
fi
