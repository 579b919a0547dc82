#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its tools need;
# asks apt only when something is missing.
set -euo pipefail
source "$(dirname "$0")/csomagok.sh"
csomagok=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  qt6-charts-dev libqt6opengl6-dev
  qt6-translations-l10n breeze-icon-theme libqt6svg6
  libsqlite3-dev sqlite3
  libicu-dev
  libsodium-dev
  libzip-dev zip unzip
  fonts-liberation fonts-dejavu-core
  libzint-dev
  pxlib-dev
  postgresql-15 libqt6sql6-psql libpq-dev
  poppler-utils zbar-tools
  xvfb xauth openbox
)
csomag_telepit "${csomagok[@]}"
