# Helpers for real-window tests: a private Xvfb display, finding a window,
# pressing keys long enough for a 30 ms frame to see them.

fail() {
  echo "FAIL: $*" >&2
  [[ -f game.log ]] && sed 's/^/game: /' game.log >&2
  exit 1
}

start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp > /dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo > /dev/null 2>&1 && return 0
      xdotool getmouselocation > /dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "FAIL: could not start Xvfb" >&2
  exit 1
}

stop_xvfb() { [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true; }

# Prints the id of the first visible window whose name matches, waiting up
# to 10 s for it.
find_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Holds a key for 100 ms (a frame lasts at least 30 ms), then pauses.
press() {
  local id=$1 key=$2
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  xdotool keydown "$key"
  sleep 0.1
  xdotool keyup "$key"
  sleep 0.15
}
