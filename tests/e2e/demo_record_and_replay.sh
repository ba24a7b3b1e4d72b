# A game recorded with real input (walking, aiming, shooting, two F12
# screenshots) plays back to the very same pictures: played at its own pace and
# as a timedemo, each screenshot is byte for byte the one taken while
# recording, even with another window size configured. A damaged demo is
# refused before any window opens.
source "$KEL_E2E_LIB"

write_config 0 400 300
start_kel -record walk.dem -map data/maps/test
win=$(wait_game_window)
sleep 2
focus "$win"
xdotool mousemove --window "$win" 300 80
xdotool keydown w sleep 0.8 keyup w
shot recorded_walk
xdotool mousemove --window "$win" 120 200 click 1 sleep 0.3 click 1
sleep 0.3
shot recorded_fight
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "recording ended with status $KEL_RC (stderr: $(cat kel.err))"
grep -q '^demo: [0-9]* frames recorded in walk.dem' kel.out || fail "no recording line: $(tail -2 kel.out)"
mv data/screenshots recorded

write_config 0 640 480
for how in play timedemo; do
  ./kel -$how walk.dem >"$how.out" 2>"$how.err" || fail "-$how ended with status $? ($(cat "$how.err"))"
  grep -q '^demo: .* frames played, ended in game' "$how.out" || fail "-$how end line: $(tail -2 "$how.out")"
  for n in 0000 0001; do
    cmp -s "recorded/screenshot.$n.tga" "data/screenshots/screenshot.$n.tga" ||
      fail "-$how: screenshot $n differs from the recording"
  done
  [ ! -e data/screenshots/screenshot.0002.tga ] || fail "-$how wrote more screenshots than were taken"
  rm -rf data/screenshots
done
grep -Eq '^timedemo: [0-9]+ frames, [0-9.]+ s, [0-9.]+ fps, slowest frame [0-9.]+ ms' timedemo.out ||
  fail "timedemo figures: $(tail -1 timedemo.out)"

head -c 100 walk.dem > cut.dem
if ./kel -play cut.dem >cut.out 2>cut.err; then fail "a cut demo was played"; fi
grep -q 'cannot play the demo cut.dem: cut short' cut.err || fail "refusal message: $(cat cut.err)"
echo "ok: recorded and replayed to identical screenshots; $(tail -1 timedemo.out)"
