# A real SDL game controller (SDL's virtual one, plugged in after the game has
# started): A and the d-pad work the logo and the menus into a new game, the
# left stick walks, the right stick aims, pulling the pad out pauses to the
# menu; then, on a range, the right stick aims at an enemy and the right
# trigger kills it.
source "$KEL_E2E_LIB"

pad() { echo "$*" >> pad.in; sleep 0.4; }
# tap BUTTON: a press a few frames long.
tap() { pad press "$1"; pad release "$1"; }

start_pad_kel() {
  : > pad.in
  "$KEL_PAD_KEL" "$@" >kel.out 2>kel.err &
  KEL_PID=$!
  win=$(wait_game_window)
  sleep 2
  focus "$win"
}

centre_change() {
  { compare -metric RMSE "$1"[160x160+320+200] "$2"[160x160+320+200] null: 2>&1 || true; } |
    sed -E 's/.*\((.*)\).*/\1/'
}

forge_shooting_range
write_config 0 800 600

# From the logo into the first level by pad alone.
start_pad_kel
pad plug
tap a                   # skip the logo
tap down                # "New game"
tap a
tap a                   # "Start"
sleep 2
shot standing
pad axis lefty -1
sleep 0.8
pad axis lefty 0
shot walked
pad axis rightx -1
sleep 0.5
pad axis rightx 0
shot turned
pad unplug
sleep 0.5
shot paused
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(cat kel.err))"
! grep -q "pad:" kel.err || fail "the pad driver complained: $(cat kel.err)"

walked=$(centre_change standing.png walked.png)
turned=$(centre_change walked.png turned.png)
awk -v d="$walked" 'BEGIN { exit !(d > 0.02) }' || fail "the left stick did not walk the player (change $walked)"
awk -v d="$turned" 'BEGIN { exit !(d > 0.01) }' || fail "the right stick did not turn the player (change $turned)"
# The pause menu is the main menu's backdrop: the whole picture changes.
paused=$(distance turned.png paused.png)
awk -v d="$paused" 'BEGIN { exit !(d > 0.1) }' || fail "pulling the pad out did not pause (change $paused)"

# The range: aim up the screen at the target and hold the trigger.
capture_mix fight.wav
ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf" start_pad_kel -map data/maps/range
sleep 1
pad plug
pad axis righty -1
for _ in $(seq 1 6); do pad axis righttrigger 1; pad axis righttrigger 0; done
sleep 1.5
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC on the range"
death_at=$(onset fight.wav sinc 4800-5200)
length=$(soxi -D fight.wav)
awk -v d="$death_at" -v l="$length" 'BEGIN { exit !(d < l - 0.01) }' || fail "the trigger did not kill the target"
echo "ok: walked $walked, turned $turned, paused $paused; the target died at $death_at s"
