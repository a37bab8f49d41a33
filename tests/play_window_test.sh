#!/bin/bash
# Plays the first keys of a battle in a real window under Xvfb and checks
# what the player sees: terrain, the map cursor after moving it onto Zuroru,
# the order menu opened with "Move" in red, and the unit panel. The
# screenshots stay in <build>/screenshots for inspection.
set -u
build=$(cd "${1:-.}" && pwd)
shots="$build/screenshots"
mkdir -p "$shots"
rm -f "$shots"/play_*.png

fail() { echo "FAIL: $*"; exit 1; }
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$build/thalryn" ] || fail "no game in $build"

xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# Xvfb picks a free display itself and tells us its number.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"

(cd "$build" && SDL_AUDIODRIVER=dummy exec ./thalryn) &
game_pid=$!
# The window may be made again while the game starts: look it up afresh.
find_window() {
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Thalryn$' 2>/dev/null | tail -n1)
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  fail "the game's window did not appear"
}
find_window
sleep 1.5
find_window
xdotool windowfocus "$window" 2>/dev/null

# A press longer than a frame, then a pause, as a player types.
press() {
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
  sleep 0.3
}
shot() {
  sleep 0.3
  find_window
  import -window "$window" "$shots/$1" || fail "no screenshot $1"
}

shot play_start.png
press Right
press Down
shot play_cursor_on_zuroru.png
press Return
shot play_menu_open.png

# Pixels of a region (WxH+X+Y) whose colour the awk test accepts ($r $g $b).
count() {
  convert "$shots/$1" -crop "$2" +repage -depth 8 txt:- |
    awk -v test="$3" '
    function hex(s) { return index("0123456789ABCDEF", substr(s, 1, 1)) * 16 + index("0123456789ABCDEF", substr(s, 2, 1)) - 17 }
    NR > 1 {
      if (match($0, /#[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]/)) {
        h = toupper(substr($0, RSTART + 1, 6))
        r = hex(substr(h, 1, 2)); g = hex(substr(h, 3, 2)); b = hex(substr(h, 5, 2))
        if ((test == "red" && r >= 240 && g <= 16 && b <= 16) ||
            (test == "white" && r >= 240 && g >= 240 && b >= 240) ||
            (test == "lit" && r + g + b > 30)) n++
      }
    } END { print n + 0 }'
}
distinct() {
  convert "$shots/$1" -crop "$2" +repage -depth 8 -format %k info:
}
same() {  # 0 when two regions are identical
  a=$(convert "$shots/$1" -crop "$3" +repage -depth 8 rgb:- | md5sum)
  b=$(convert "$shots/$2" -crop "$3" +repage -depth 8 rgb:- | md5sum)
  [ "$a" = "$b" ]
}

status=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; status=1; fi
}

# Terrain fills the battlefield (x 0-767, y 0-447): lit and many-coloured.
lit=$(count play_menu_open.png 768x448+0+0 lit)
colours=$(distinct play_menu_open.png 768x448+0+0)
check "terrain drawn in the battlefield ($lit lit pixels, $colours colours)" \
  "[ $lit -gt 250000 ] && [ $colours -ge 6 ]"

# Tiles show their terrain picture: map (0, 0) the border (frame 1), (3, 3)
# Plains (frame 4), (5, 3) Water (frame 3), cut from the terrain picture's
# cells at (1 + 65 * (n mod 4), 1 + 65 * (n div 4)).
tile_matches() {  # screen x, y, frame
  local fx=$((1 + 65 * ($3 % 4))) fy=$((1 + 65 * ($3 / 4)))
  convert "$shots/play_menu_open.png" -crop "64x64+$1+$2" +repage "$shots/.tile_a.png"
  convert "$build/TERRAINTEXTURES.BMP" -crop "64x64+$fx+$fy" +repage "$shots/.tile_b.png"
  local diff
  diff=$(compare -metric AE -fuzz 6% "$shots/.tile_a.png" "$shots/.tile_b.png" null: 2>&1)
  rm -f "$shots/.tile_a.png" "$shots/.tile_b.png"
  [ "$diff" = "0" ]
}
check "border tile shows the border terrain" "tile_matches 0 0 1"
check "Plains tile shows Plains" "tile_matches 192 192 4"
check "Water tile shows Water" "tile_matches 320 192 3"

# The cursor left (1, 1) at screen (64, 64) and lies on Zuroru's (2, 2) tile.
check "cursor left its first tile" "! same play_start.png play_cursor_on_zuroru.png 64x64+64+64"
check "cursor drawn on Zuroru's tile" "! same play_start.png play_cursor_on_zuroru.png 64x64+128+128"
check "tiles away from the cursor unchanged" "same play_start.png play_cursor_on_zuroru.png 64x64+512+256"

# The order menu: "Move" red once it is open, white before.
red_before=$(count play_cursor_on_zuroru.png 60x16+375+460 red)
red_after=$(count play_menu_open.png 60x16+375+460 red)
white_after=$(count play_menu_open.png 60x16+375+460 white)
check "\"Move\" in red with the menu open ($red_after red pixels)" \
  "[ $red_before -eq 0 ] && [ $red_after -gt 20 ] && [ $white_after -eq 0 ]"
attack_red=$(count play_menu_open.png 60x16+375+485 red)
attack_white=$(count play_menu_open.png 60x16+375+485 white)
check "\"Attack\" stays white" "[ $attack_red -eq 0 ] && [ $attack_white -gt 20 ]"

# The unit panel: none on the empty first tile, lines of text on Zuroru.
panel_before=$(count play_start.png 330x115+25+453 white)
panel_after=$(count play_menu_open.png 330x115+25+453 white)
check "unit panel shown for Zuroru ($panel_after white pixels)" \
  "[ $panel_before -eq 0 ] && [ $panel_after -gt 300 ]"
terrain_text=$(count play_menu_open.png 250x70+450+463 white)
check "terrain panel text present" "[ $terrain_text -gt 100 ]"

press Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
check "Escape ends the game" "! kill -0 $game_pid 2>/dev/null"
echo "screenshots: $shots/play_start.png $shots/play_cursor_on_zuroru.png $shots/play_menu_open.png"
exit $status
