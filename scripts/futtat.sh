#!/usr/bin/env bash
# Installs what is missing, builds, lays down a sample installation in
# ./telepites on the first run, and starts the program over it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/fuggosegek.sh
bash scripts/epit.sh
mappa="${KAZETTORA_MAPPA:-$PWD/telepites}"
if [ ! -f "$mappa/Data/kazettora.db" ]; then
  ./build/kazettora --program-dir "$mappa" --setup --sample
fi
export LANG="${KAZETTORA_LANG:-hu_HU.UTF-8}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Nincs grafikus kijelző: a program egy virtuális kijelzőn (Xvfb) indul."
  exec xvfb-run -a -s "-screen 0 1280x800x24" ./build/kazettora --program-dir "$mappa"
fi
exec ./build/kazettora --program-dir "$mappa"
