# Real key and mouse events move and turn the player, and walking is heard:
# OpenAL Soft's wave writer captures the mix of each run.
source "$KEL_E2E_LIB"

# run_level WAV: starts the first level with the mix captured into WAV.
run_level() {
  capture_mix "$1"
  ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf" start_kel -map data/maps/test
  win=$(wait_game_window)
  sleep 3
  focus "$win"
  xdotool mousemove --window "$win" 400 150  # straight ahead
  sleep 1
}

# peak WAV: the largest sample magnitude of the capture (0 for silence).
peak() { { sox "$1" -n stat 2>&1 || true; } | awk '/Maximum amplitude/ {print $3}'; }

# centre_change A B: how much the picture around the player differs (0..1).
centre_change() {
  # compare exits 1 when the pictures differ: that is the expected answer here.
  { compare -metric RMSE "$1"[160x160+320+200] "$2"[160x160+320+200] null: 2>&1 || true; } |
    sed -E 's/.*\((.*)\).*/\1/'
}

write_config 0 800 600

# Walking: half a second of W.
run_level walk.wav
shot before_walk
xdotool keydown w
sleep 0.5
xdotool keyup w
sleep 0.5
shot after_walk
# Turning: the cursor to the left of the window.
xdotool mousemove --window "$win" 40 300
sleep 1
shot after_turn
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC after walking"

walked=$(centre_change before_walk.png after_walk.png)
turned=$(centre_change after_walk.png after_turn.png)
awk -v d="$walked" 'BEGIN { exit !(d > 0.02) }' || fail "the player did not move (change $walked)"
awk -v d="$turned" 'BEGIN { exit !(d > 0.01) }' || fail "the player did not turn (change $turned)"

# Standing still: the same time in the level without a key.
run_level still.wav
sleep 1.5
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15

walk_peak=$(peak walk.wav)
still_peak=$(peak still.wav)
[ -n "$walk_peak" ] && [ -n "$still_peak" ] || fail "no capture (walk '$walk_peak', still '$still_peak')"
awk -v p="$walk_peak" 'BEGIN { exit !(p > 0.01) }' || fail "no footsteps in the walking mix (peak $walk_peak)"
awk -v p="$still_peak" 'BEGIN { exit !(p < 0.001) }' || fail "standing still is not silent (peak $still_peak)"
echo "ok: moved $walked, turned $turned; walking peak $walk_peak, standing peak $still_peak"
