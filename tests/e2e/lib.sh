# Shared helpers for the end-to-end scripts. Each script sources this file.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under xvfb-run (scripts/test does)"
[ -x "$KEL_GAME_DIR/kel" ] || fail "no kel in $KEL_GAME_DIR"

# A throw-away copy of the game directory; removed when the script ends.
GAME=$(mktemp -d /tmp/kel-e2e-XXXXXX)
KEL_PID=
cleanup() {
  if [ -n "$KEL_PID" ] && kill -0 "$KEL_PID" 2>/dev/null; then kill -9 "$KEL_PID" 2>/dev/null || true; fi
  rm -rf "$GAME"
}
trap cleanup EXIT
cp -a "$KEL_GAME_DIR/." "$GAME/"
cd "$GAME"
# build/game is also where scripts/play plays: what a player left there (the
# chosen mode, settings, saves, screenshots) is no part of a test's game.
rm -rf data/opengl data/settings data/savegame data/screenshots data/tmp

# write_config FULLSCREEN WIDTH HEIGHT: a data/opengl as the setup program writes it.
write_config() {
  mkdir -p data
  printf '<fullscreen> %s\n<resolution> %s %s\n<color_depth> 32\n<marks_life> 25.0\n' "$1" "$2" "$3" > data/opengl
}

# start_kel ARGS...: starts the game in the background; output goes to kel.out/kel.err.
start_kel() {
  ./kel "$@" >kel.out 2>kel.err &
  KEL_PID=$!
}

# start_setup: starts the setup program alone, in the background, as the
# program under test (KEL_PID); output goes to setup.out/setup.err.
start_setup() {
  ./setup >setup.out 2>setup.err &
  KEL_PID=$!
}

# wait_window NAME: prints the id of the first window whose name is NAME.
wait_window() {
  local name=$1 id=
  for _ in $(seq 1 100); do
    # xwininfo sees every window, also the unmanaged ones message boxes open.
    id=$(xwininfo -root -tree 2>/dev/null | grep -F " \"$name\": " | awk '{print $1; exit}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$KEL_PID" 2>/dev/null || fail "kel ended before showing '$name' (stderr: $(cat kel.err))"
    sleep 0.1
  done
  fail "no window named '$name' after 10 s"
}

# wait_exit SECONDS: waits for kel to end and sets KEL_RC to its exit status.
wait_exit() {
  local limit=$1
  for _ in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$KEL_PID" 2>/dev/null; then
      KEL_RC=0
      wait "$KEL_PID" || KEL_RC=$?
      KEL_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "kel still running after $limit s"
}

# wait_game_window: prints the id of kel's own window (found by its process,
# since the title changes once play starts).
wait_game_window() {
  local id=
  for _ in $(seq 1 150); do
    id=$(xdotool search --pid "$KEL_PID" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$KEL_PID" 2>/dev/null || fail "kel ended early (stderr: $(cat kel.err))"
    sleep 0.1
  done
  fail "no kel window after 15 s"
}

# focus WINDOW: gives the window the keyboard, so xdotool's key events reach it.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }

# shot NAME: presses F12, waits for the next screenshot and converts it to NAME.png.
shot() {
  local before after n
  before=$(ls data/screenshots 2>/dev/null | wc -l)
  xdotool key F12
  for _ in $(seq 1 50); do
    after=$(ls data/screenshots 2>/dev/null | wc -l)
    [ "$after" -gt "$before" ] && break
    sleep 0.1
  done
  [ "$after" -gt "$before" ] || fail "F12 wrote no screenshot"
  sleep 0.3  # let the file be written in full
  n=$(ls data/screenshots | sort | tail -1)
  convert -auto-orient "data/screenshots/$n" "$1.png"
}

# click WINDOW X Y: a left click held long enough for a program that reads the
# button state per event (the setup program) to see it down.
click() {
  xdotool mousemove --window "$1" "$2" "$3" mousedown 1 sleep 0.1 mouseup 1
}

# expect_setup_markers SCREENSHOT M1 M2 M3: the setup window shows the base
# picture everywhere except the three marker rectangles, which hold the
# highlight picture's pixels (nothing hovered).
expect_setup_markers() {
  local shot=$1; shift
  local -A rects=([1]="129 75 160 107" [3]="129 112 160 144" [5]="143 147 175 179" [7]="146 183 177 215"
                  [9]="163 219 195 252" [11]="400 180 434 210" [13]="480 180 520 210" [15]="245 430 275 456"
                  [17]="245 457 275 478")
  local args=() m l t r b differing
  for m in "$@"; do
    read -r l t r b <<<"${rects[$m]}"
    args+=( \( data/setup_select.bmp -crop "$((r - l))x$((b - t))+$l+$t" +repage \) -geometry "+$l+$t" -composite )
  done
  convert data/setup_base.bmp "${args[@]}" expected_setup.png
  differing=$(compare -metric AE "$shot" expected_setup.png null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "$differing pixels of $shot differ from the base picture with markers $*"
  differing=$(compare -metric AE "$shot" data/setup_base.bmp null: 2>&1 || true)
  [ "$differing" != 0 ] || fail "$shot shows no marker at all"
}

# region_stat IMAGE W H X Y FX: an ImageMagick fx statistic of a crop, e.g. mean.
region_stat() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -format "%[fx:$6]" info:
}

# forge_levels NAME...: forges ./demo (a copy of the demo sources the script
# added levels to) and puts the named levels into the game's data/maps/.
forge_levels() {
  "$KEL_FORGE" demo forged >forge.log 2>&1 || fail "forge failed: $(cat forge.log)"
  local name
  for name in "$@"; do cp forged/maps/"$name".pack forged/maps/"$name"_* data/maps/; done
}

# write_door_level FILE KEY NEXT: a corridor from the start (bottom) up to a
# locked door with the exit behind it; KEY is "k" to put the door's key on the
# way, "." for none. NEXT is the level the exit leads to.
write_door_level() {
  cat > "$1" <<LEVEL
level
settings <ambient_lightsource> 0.4 0.4 0.4 <next_level> $3
legend "#" wall texture=data/textures/walls/stone.tga
legend "." floor texture=data/textures/floors/flagstone.tga
legend "S" like="." start
legend "E" like="." exit
legend "L" door like="." model=data/models/doors/door_locked.def
legend "k" like="." model=data/models/items/key.def
row "######"
row "#.E..#"
row "#LL###"
row "#....#"
row "#.$2..#"
row "#....#"
row "#.S..#"
row "######"
LEVEL
}

# distance A B: root mean square difference of two pictures, 0 to 1.
distance() { { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -E 's/.*\((.*)\).*/\1/'; }

# press KEY: one key press, and time for a frame or two to take it.
press() { xdotool key "$1"; sleep 0.6; }

# onset WAV [EFFECTS...]: seconds from the start of a capture to the first
# sound that passes the sox effects (a band around a test tone, say "sinc
# 2800-3200") above 10 % of full scale, or, without effects, to the first sound
# above 2 %. Test tones mix in at about 25 % RMS; the demo sounds' share of
# such a band stays near 2 %.
onset() {
  local wav=$1 threshold=2%
  shift
  [ $# -gt 0 ] && threshold=10%
  sox "$wav" trimmed.wav "$@" silence 1 0.002 "$threshold"
  awk -v a="$(soxi -D "$wav")" -v b="$(soxi -D trimmed.wav)" 'BEGIN { printf "%.3f", a - b }'
}

# capture_mix WAV: OpenAL Soft's wave writer will capture the game's mix into
# WAV; start the game with ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf".
capture_mix() { printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$PWD/$1" > alsoft.conf; }

# add_grunt_type NAME PAIN DEATH SIGHT SHOOT: appends to ./demo/enemy an enemy
# type drawn and animated as the grunt, with these sounds (names under
# data/sound/); its numbers (<speed>, <range>, <damage>, ...) come on stdin.
add_grunt_type() {
  {
    printf '\n<next_enemy_type>\n<name> %s\n' "$1"
    printf '<model> data/models/characters/grunt.md2\n<texture> data/textures/characters/grunt.tga\n'
    printf '<texture_pain> data/textures/characters/grunt_pain.tga\n'
    printf '<sound_pain> data/sound/%s\n<sound_death> data/sound/%s\n' "$2" "$3"
    printf '<sound_sight> data/sound/%s\n<sound_shoot> data/sound/%s\n' "$4" "$5"
    cat
    printf '<anim_stop> stand\n<anim_chuze> run\n<anim_utok> attack\n<anim_smrt> death\n'
  } >> demo/enemy
}

# forge_enemy_room NAME TYPE ROW...: forges ./demo with demo/levels/NAME.txt,
# a brightly lit room of stone walls (#) and flagstone floor (.) laid out by
# the ROWs, with the start at S and an enemy of TYPE at each g, and puts
# data/maps/NAME into the game.
forge_enemy_room() {
  local name=$1 type=$2 row
  shift 2
  {
    echo level
    echo "settings <ambient_lightsource> 0.6 0.6 0.6 <next_level> data/maps/$name"
    echo 'legend "#" wall texture=data/textures/walls/stone.tga'
    echo 'legend "." floor texture=data/textures/floors/flagstone.tga'
    echo 'legend "S" like="." start'
    echo "legend \"g\" like=\".\" enemy=$type"
    for row in "$@"; do echo "row \"$row\""; done
  } > "demo/levels/$name.txt"
  "$KEL_FORGE" demo forged >forge.log 2>&1 || fail "forge failed: $(tail -5 forge.log)"
  cp forged/maps/"$name"* data/maps/
}

# forge_shooting_range: puts data/maps/range into the game: a small room with
# one enemy of the type "target" three cells straight ahead (up the screen) of
# the player's start. The target neither walks nor shoots; its pain and death
# are pure tones (3000 and 5000 Hz) that onset can find in a captured mix.
forge_shooting_range() {
  cp -a "$KEL_DEMO_DIR" demo
  cat > demo/sounds/test_pain.txt <<'SOUND'
sound length=0.3 seed=1 gain=0.8
voice sine freq=3000 attack=0.002 hold=0.25 decay=0.04
SOUND
  cat > demo/sounds/test_death.txt <<'SOUND'
sound length=0.4 seed=1 gain=0.8
voice sine freq=5000 attack=0.002 hold=0.35 decay=0.04
SOUND
  cat > demo/sounds/test_quiet.txt <<'SOUND'
sound length=0.05 seed=1 gain=0.01
voice sine freq=100
SOUND
  printf 'data/sound/test_pain.wav\ndata/sound/test_death.wav\ndata/sound/test_quiet.wav\n' >> demo/sound.list
  # A target that neither walks nor shoots nor calls out: only its pain and death are heard.
  add_grunt_type target test_pain.wav test_death.wav test_quiet.wav test_quiet.wav <<'NUMBERS'
<speed> 0
<range> 0
<shoot_delay> 1000
<shoot_delay_2> 500
<bullets/shell> 1
<damage> 0
<health> 40
<health_pain> 20
NUMBERS
  forge_enemy_room range target "#######" "#.....#" "#..g..#" "#.....#" "#.....#" "#..S..#" "#.....#" "#######"
  cp forged/enemy forged/sound.list data/
  cp forged/sound/test_*.wav data/sound/
}
