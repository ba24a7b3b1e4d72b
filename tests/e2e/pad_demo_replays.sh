# A game played with a pad (SDL's virtual one, driven through ./pad.in) and
# recorded as a demo plays back to the very same pictures: walking by the
# left stick at part speed, aiming by the right, firing by the trigger,
# screenshots by Back, with the plain kel and no pad at all.
source "$KEL_E2E_LIB"

pad() { echo "$*" >> pad.in; sleep 0.3; }

write_config 0 400 300
: > pad.in
"$KEL_PAD_KEL" -record pad.dem -map data/maps/test >kel.out 2>kel.err &
KEL_PID=$!
win=$(wait_game_window)
sleep 2
pad plug
pad axis lefty -0.6
pad axis leftx 0.3
sleep 0.5
pad axis lefty 0
pad axis leftx 0
pad axis rightx -0.8
pad axis righty -0.5
pad press back
pad release back
pad axis righttrigger 1
pad axis righttrigger 0
pad press rightshoulder
pad release rightshoulder
pad axis rightx 0.7
pad press back
pad release back
sleep 0.5
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "recording ended with status $KEL_RC (stderr: $(cat kel.err))"
! grep -q "pad:" kel.err || fail "the pad driver complained: $(cat kel.err)"
grep -q '^demo: [0-9]* frames recorded in pad.dem' kel.out || fail "no recording line: $(tail -2 kel.out)"
[ -e data/screenshots/screenshot.0001.tga ] || fail "Back took no screenshots while recording"
[ "$(head -c 6 pad.dem | tail -c 2 | od -An -tu2 | tr -d ' ')" = 2 ] || fail "the demo is not of version 2"
mv data/screenshots recorded

for how in play timedemo; do
  ./kel -$how pad.dem >"$how.out" 2>"$how.err" || fail "-$how ended with status $? ($(cat "$how.err"))"
  for n in 0000 0001; do
    cmp -s "recorded/screenshot.$n.tga" "data/screenshots/screenshot.$n.tga" ||
      fail "-$how: screenshot $n differs from the recording"
  done
  rm -rf data/screenshots
done
# The pad did something: the two pictures differ.
cmp -s recorded/screenshot.0000.tga recorded/screenshot.0001.tga && fail "the pad changed nothing between the shots"
echo "ok: a pad demo of $(grep -o '[0-9]* frames' kel.out) replays to identical screenshots"
