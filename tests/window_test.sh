#!/usr/bin/env bash
# A real window under Xvfb: the game opens "Thalryn", shows its first frame
# (the battlefield above, the black panel strip below), and Escape ends it
# with status 0 within five seconds.
set -euo pipefail
build=${1:?build directory}
cd "$build"
source "$(dirname "$0")/support/xvfb.sh"
start_xvfb
export SDL_AUDIODRIVER=dummy

./thalryn > game.log 2>&1 &
game=$!
trap 'kill $game 2>/dev/null || true; stop_xvfb' EXIT
id=$(find_window "^Thalryn$") || fail "no window named Thalryn appeared" 
sleep 0.5
mkdir -p screenshots
import -window "$id" screenshots/window_start.png
size=$(identify -format '%wx%h' screenshots/window_start.png)
[[ "$size" == "799x599" ]] || fail "window client area is $size, expected 799x599"

# Below the battlefield (y 448 on) the frame stays cleared to black but for
# the panel text; the battlefield itself is lit.
battlefield=$(convert screenshots/window_start.png -crop 768x384+0+0 -format '%[fx:mean]' info:)
strip=$(convert screenshots/window_start.png -crop 60x20+730+560 -format '%[fx:maxima]' info:)
awk -v m="$battlefield" 'BEGIN { exit !(m > 0.1) }' || fail "the battlefield is dark (mean $battlefield)"
[[ "$strip" == "0" ]] || fail "the cleared strip is not black (brightest channel $strip)"

press "$id" Escape
for _ in $(seq 50); do
  kill -0 $game 2>/dev/null || break
  sleep 0.1
done
if kill -0 $game 2>/dev/null; then fail "the game did not end within 5 s of Escape"; fi
wait $game && status=0 || status=$?
[[ $status -eq 0 ]] || fail "the game exited with status $status"
echo "window test passed"
