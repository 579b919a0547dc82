#!/usr/bin/env bash
# Runs a Qt Test program on a virtual X display with a real window manager
# (openbox). A window manager frames a window only after it appears and then
# tells the frame's size: what the offscreen platform cannot show. Exits 77
# (the test is skipped) where Xvfb or openbox is missing.
set -u
program="$1"
shift
if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null; then
  echo "Xvfb vagy openbox nincs telepítve: a teszt kimarad."
  exit 77
fi
mappa=$(mktemp -d)
xvfb=""
kezelo=""
vege() {
  [ -n "$kezelo" ] && kill "$kezelo" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$mappa"
}
trap vege EXIT

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$mappa/kijelzo" >"$mappa/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 200); do
  [ -s "$mappa/kijelzo" ] && break
  sleep 0.05
done
if [ ! -s "$mappa/kijelzo" ]; then
  echo "Az Xvfb nem indult el:"; cat "$mappa/xvfb.log"
  exit 1
fi
export DISPLAY=":$(head -n1 "$mappa/kijelzo")"

# openbox runs its start-up command once it manages the screen.
HOME="$mappa" openbox --sm-disable --startup "touch $mappa/kesz" >"$mappa/openbox.log" 2>&1 &
kezelo=$!
for _ in $(seq 1 200); do
  [ -e "$mappa/kesz" ] && break
  sleep 0.05
done
if [ ! -e "$mappa/kesz" ]; then
  echo "Az openbox nem indult el:"; cat "$mappa/openbox.log"
  exit 1
fi

QT_QPA_PLATFORM=xcb "$program" "$@"
