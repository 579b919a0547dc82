#!/usr/bin/env bash
# Sourced by the set-up scripts: csomag_telepit PKG... installs with apt the
# Debian packages of the list that are not installed yet (apt is asked only
# when something is missing).
csomag_telepit() {
  local hianyzo=() c
  for c in "$@"; do
    dpkg-query -W -f='${Status}' "$c" 2>/dev/null | grep -q "install ok installed" || hianyzo+=("$c")
  done
  if [ ${#hianyzo[@]} -gt 0 ]; then
    echo "Telepítendő csomagok: ${hianyzo[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${hianyzo[@]}"
  fi
}
