# Helpers of the real-window tests: an Xvfb display, the program's window, clicks in design
# points, screenshots and pixel reads. Sourced by the test scripts; exit code 77 means skipped.

skip() {
  echo "SKIPPED: $*"
  exit 77
}

need_tools() {
  for t in Xvfb xdotool import xdpyinfo; do
    command -v "$t" >/dev/null 2>&1 || skip "$t is not installed (scripts/setup.sh installs it)"
  done
  [ -x /usr/bin/convert ] || skip "ImageMagick's convert is not installed"
}

# Starts Xvfb on a display it picks itself (no races with other servers) and exports DISPLAY;
# stopped when the script exits.
start_display() {
  local file="$OUT/xvfb-display" n=""
  rm -f "$file"
  Xvfb -displayfd 3 -screen 0 1024x1100x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 &
  XVFB_PID=$!
  trap cleanup EXIT
  for _ in $(seq 1 100); do
    n=$(tr -dc '0-9' <"$file" 2>/dev/null)
    if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  skip "no X display could be started"
}

cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  return 0
}

# Starts the program in the background and waits for its window (by title). What the reader
# remembers goes to $OUT/state (XDG_STATE_HOME), never to the user's own state folder; a test
# that wants a fresh start removes it first.
start_app() {
  local title=$1; shift
  mkdir -p "$OUT/state"
  XDG_STATE_HOME="$OUT/state" SDL_AUDIODRIVER=dummy "$@" >"$OUT/app.log" 2>&1 &
  APP_PID=$!
  WID=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
  [ -n "$WID" ] || { cat "$OUT/app.log"; fail "no window titled '$title' appeared"; }
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
  echo "window $WID at $WIN_X,$WIN_Y size ${WIN_W}x$WIN_H"
}

fail() {
  echo "FAILED: $*"
  exit 1
}

# Design point (640 x 960, origin bottom left) to screen pixel.
to_screen() {
  SX=$(( WIN_X + $1 * WIN_W / 640 ))
  SY=$(( WIN_Y + (960 - $2) * WIN_H / 960 ))
}

click() {
  to_screen "$1" "$2"
  xdotool mousemove "$SX" "$SY" click 1
  sleep "${3:-0.6}"
}

drag() {
  to_screen "$1" "$2"
  xdotool mousemove "$SX" "$SY" mousedown 1
  local i
  for i in 1 2 3 4 5 6 7 8; do
    local x=$(( $1 + ($3 - $1) * i / 8 )) y=$(( $2 + ($4 - $2) * i / 8 ))
    to_screen "$x" "$y"
    xdotool mousemove "$SX" "$SY"
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.6
}

shot() {
  import -window root "$OUT/$1"
  echo "screenshot $OUT/$1"
}

# Prints "r g b" of the screenshot's pixel under a design point.
pixel() {
  to_screen "$2" "$3"
  /usr/bin/convert "$OUT/$1" -format '%[fx:int(255*p{'"$SX"','"$SY"'}.r)] %[fx:int(255*p{'"$SX"','"$SY"'}.g)] %[fx:int(255*p{'"$SX"','"$SY"'}.b)]' info:
}

# True when the colour "r g b" is within 40 of the expected one on every channel.
near() {
  local r g b er eg eb
  read -r r g b <<<"$1"
  read -r er eg eb <<<"$2"
  [ $(( (r-er)*(r-er) < 1600 && (g-eg)*(g-eg) < 1600 && (b-eb)*(b-eb) < 1600 )) -eq 1 ]
}
