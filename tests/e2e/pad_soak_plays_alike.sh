# A soak of a pad demo (-timedemo -loops 3) plays every loop alike: the pad
# ends the recording with the right stick aiming and the trigger held, so a
# loop that kept them would neither aim nor fire as the game enters play with
# both held, and would draw other screenshots. The menus are stepped by the
# left stick.
source "$KEL_E2E_LIB"

pad() { echo "$*" >> pad.in; sleep 0.4; }
tap() { pad press "$1"; pad release "$1"; }

write_config 0 400 300
: > pad.in
"$KEL_PAD_KEL" -record pad.dem >kel.out 2>kel.err &
KEL_PID=$!
win=$(wait_game_window)
sleep 2
pad plug
tap a                   # skip the logo
pad axis lefty 1        # down to "New game"
pad axis lefty 0
tap a
pad axis rightx 0.8     # held as play begins
pad axis righttrigger 1
tap a                   # "Start"
sleep 0.5
pad axis righttrigger 0
tap back                # a screenshot
pad axis righttrigger 1
pad axis leftx -0.6
sleep 0.3
tap back
sleep 0.3
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "recording ended with status $KEL_RC (stderr: $(cat kel.err))"
rm -rf data/screenshots

./kel -timedemo pad.dem -loops 3 >soak.out 2>soak.err || fail "the soak ended with status $? ($(cat soak.err))"
ends=$(grep '^demo: .* ended ' soak.out || true)
[ "$(wc -l <<<"$ends")" = 3 ] || fail "expected three demo ends, got: $(tr '\n' ';' <<<"$ends")"
[ "$(sort -u <<<"$ends" | wc -l)" = 1 ] || fail "the loops ended apart: $(tr '\n' ';' <<<"$ends")"
shots=(data/screenshots/*.tga)
[ "${#shots[@]}" = 6 ] || fail "expected 2 screenshots a loop, found ${#shots[@]}"
for k in 0 1; do
  cmp -s "${shots[k]}" "${shots[k + 4]}" || fail "loop 3 drew ${shots[k + 4]} unlike ${shots[k]} of loop 1"
done
echo "ok: three loops of $(grep -o '[0-9]* frames' soak.out | head -1) ended alike: $(head -1 <<<"$ends")"
