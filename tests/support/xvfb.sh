# Helpers for real-window tests: a private Xvfb display, finding a window,
# pressing keys long enough for a 30 ms frame to see them.

fail() {
  echo "FAIL: $*" >&2
  [[ -f game.log ]] && sed 's/^/game: /' game.log >&2
  exit 1
}

start_xvfb() {
  # Xvfb picks a free display itself and tells us its number, so tests
  # running side by side never share or kill each other's server.
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" > /dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [[ -s "$display_file" ]] && break
    sleep 0.05
  done
  [[ -s "$display_file" ]] || { echo "FAIL: could not start Xvfb" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$display_file")"
  rm -f "$display_file"
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
