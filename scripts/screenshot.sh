#!/usr/bin/env bash
# Takes a picture of the test form of the component layer, for a person to look at after
# changing a form: builds ui_demo (windows preset), shows the form under Xvfb in a Wine
# virtual desktop (a prefix of its own, so that Wine draws captions and frames) and saves a
# PNG. Usage: scripts/screenshot.sh [out.png] [--popup]
#   --popup   also opens the pop-up list of the kind edit
# HX_SCREENSHOT_BUILD selects the build directory (default build/windows).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$HX_ROOT"

OUT=build/screenshots/test_form.png
DEMO_ARGS=()
for a in "$@"; do
  case "$a" in
    --*) DEMO_ARGS+=("$a") ;;
    *) OUT=$a ;;
  esac
done
BUILD=${HX_SCREENSHOT_BUILD:-build/windows}
mkdir -p "$(dirname "$OUT")"

if [ "$BUILD" = build/windows ]; then
  cmake --preset windows >/dev/null
else
  cmake --preset windows -B "$BUILD" >/dev/null
fi
cmake --build "$BUILD" --target ui_demo >/dev/null

export WINEPREFIX="$HX_ROOT/build/wineprefix-x11"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# A free display number.
n=99
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n - 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
DEMO_PID=
LOG=$(mktemp)
cleanup() {
  [ -n "$DEMO_PID" ] && kill "$DEMO_PID" 2>/dev/null || true
  timeout 30 wineserver -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  rm -f "$LOG"
}
trap cleanup EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  timeout 120 wineboot -i >/dev/null 2>&1 </dev/null
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
  timeout 30 wineserver -k
fi

# The demo prints "shown" once the form is up and settled.
timeout 120 wine "$BUILD/platform/ui/ui_demo.exe" --seconds 60 "${DEMO_ARGS[@]}" >"$LOG" 2>&1 </dev/null &
DEMO_PID=$!
for _ in $(seq 300); do grep -q shown "$LOG" 2>/dev/null && break; sleep 0.1; done
sleep 0.5
import -window root "$OUT"
echo "Screenshot: $OUT"
