# The player's <volume> is the gain of the whole mix: the same shot, captured
# by OpenAL Soft's wave writer, is silent at 0 and about half as loud at 50 as
# at 100.
source "$KEL_E2E_LIB"

peak() { { sox "$1" -n stat 2>&1 || true; } | awk '/Maximum amplitude/ {print $3}'; }

# shot_at VOLUME: the peak of one shot fired in the first level.
shot_at() {
  printf '<volume> %s\n' "$1" > data/settings
  capture_mix "shot_$1.wav"
  ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf" start_kel -map data/maps/test
  local win
  win=$(wait_game_window)
  sleep 3
  focus "$win"
  xdotool mousemove --window "$win" 400 150
  sleep 0.5
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 1
  "$KEL_CLOSE_WINDOW" "$win"
  wait_exit 15
  [ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC at volume $1"
  peak "shot_$1.wav"
}

write_config 0 800 600
full=$(shot_at 100)
half=$(shot_at 50)
none=$(shot_at 0)
[ -n "$full" ] && [ -n "$half" ] && [ -n "$none" ] || fail "no capture (100: '$full', 50: '$half', 0: '$none')"
awk -v p="$full" 'BEGIN { exit !(p > 0.05) }' || fail "no shot heard at volume 100 (peak $full)"
awk -v f="$full" -v h="$half" 'BEGIN { exit !(h > 0.35 * f && h < 0.65 * f) }' ||
  fail "volume 50 is not about half of 100 (peaks $half and $full)"
awk -v p="$none" 'BEGIN { exit !(p == 0) }' || fail "volume 0 is not silent (peak $none)"
echo "ok: shot peaks $full at 100, $half at 50, $none at 0"
