#!/usr/bin/env bash
# The desktop program in a real X server, driven by keys as a person would:
# Escape on the start menu leaves the program running with its menu shown,
# Enter on the menu's first button opens the parcel window under its exact
# title, and Escape does not close that window either. Then, on a laptop
# screen of 1366x768 under a window manager, the building and parcel
# windows' whole frames lie above a 40-pixel task bar.
# Usage: desktop_check.sh VADREL_BINARY DATA_DIR
set -euo pipefail
vadrel="$(realpath "$1")"
data="$2"
for p in Xvfb xdotool; do
  if ! command -v "$p" >/dev/null; then
    echo "SKIP: $p is not installed (scripts/deps.sh installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
  for pid in $app_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# An X server on a free display, told by the server itself: start_xvfb WxH.
start_xvfb() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb $1 did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -1 "$work/display")"
  for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}
start_xvfb 1280x1024

cp "$data"/*.XML "$work"/
(cd "$work" && ASAN_OPTIONS=detect_leaks=0 exec "$vadrel" >"$work/vadrel.log" 2>&1) &
app_pid=$!

find_window() {  # a visible window whose whole title matches
  for _ in $(seq 300); do
    local id
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
press() {  # keys to a window given the focus
  xdotool windowfocus --sync "$1"
  shift
  xdotool key "$@"
  sleep 0.5
}

menu="$(find_window '^Vadrel$')" || fail "no start menu titled 'Vadrel'"
press "$menu" Escape
kill -0 "$app_pid" 2>/dev/null || fail "Escape on the start menu ended the program"
find_window '^Vadrel$' >/dev/null || fail "Escape on the start menu hid it"

press "$menu" Return
parcel="$(find_window '^Generador GML PARCELAS$')" ||
  fail "Enter on 'GML Parcela' opened no window titled exactly 'Generador GML PARCELAS': $(xdotool search --name . getwindowname %@ 2>/dev/null | sort -u | tr '\n' '|')"
press "$parcel" Escape
find_window '^Generador GML PARCELAS$' >/dev/null || fail "Escape closed the parcel window"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
app_pid=""

# The laptop screen, with a window manager that draws title bars.
if ! command -v openbox >/dev/null || ! command -v xwininfo >/dev/null; then
  echo "SKIP: openbox or xwininfo is not installed (scripts/deps.sh installs them)"
  exit 77
fi
kill "$xvfb_pid" 2>/dev/null || true
wait "$xvfb_pid" 2>/dev/null || true
start_xvfb 1366x768
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
trap 'kill $wm_pid 2>/dev/null || true; cleanup' EXIT
sleep 1
(cd "$work" && ASAN_OPTIONS=detect_leaks=0 exec "$vadrel" >"$work/vadrel.log" 2>&1) &
app_pid=$!
menu="$(find_window '^Vadrel$')" || fail "no start menu on the laptop screen"
press "$menu" Tab Return
building="$(find_window '^Generador de GML de Edificio$')" || fail "Tab, Enter on the menu opened no building window"
sleep 1
# A window's whole frame, title bar included, above the task bar.
fits() {
  local name="$1" id="$2" x y w h left right top bottom
  eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print "x=" $NF} /Absolute upper-left Y/ {print "y=" $NF}
                                      /^  Width/ {print "w=" $NF} /^  Height/ {print "h=" $NF}')"
  extents="$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,//g')"
  read -r left right top bottom <<<"${extents:-0 0 0 0}"
  local x0=$((x - left)) y0=$((y - top)) x1=$((x + w + right)) y1=$((y + h + bottom))
  echo "$name window frame: $x0,$y0 - $x1,$y1"
  [ "$x0" -ge 0 ] && [ "$y0" -ge 0 ] && [ "$x1" -le 1366 ] && [ "$y1" -le 728 ] ||
    fail "the $name window's frame $x0,$y0 - $x1,$y1 leaves 0,0 - 1366,728"
}
fits building "$building"
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
(cd "$work" && ASAN_OPTIONS=detect_leaks=0 exec "$vadrel" >"$work/vadrel.log" 2>&1) &
app_pid=$!
menu="$(find_window '^Vadrel$')" || fail "no start menu on the laptop screen the second time"
press "$menu" Return
parcel="$(find_window '^Generador GML PARCELAS$')" || fail "Enter on 'GML Parcela' opened no parcel window"
sleep 1
fits parcel "$parcel"
echo "desktop check passed"
