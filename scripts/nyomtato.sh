#!/usr/bin/env bash
# Installs what the real printing test needs: CUPS (the scheduler, its client
# programs and the filters that make PDF) and poppler-utils to read the PDF
# back. Nothing is set up here: the test starts a scheduler of its own in a
# temporary folder, so the machine's CUPS settings, its running scheduler
# and its default printer stay as they are. Run as root on Debian 12.
set -euo pipefail
source "$(dirname "$0")/csomagok.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "nyomtato.sh: root jog kell a csomagok telepítéséhez." >&2
  exit 1
fi

csomag_telepit cups cups-client cups-filters poppler-utils
