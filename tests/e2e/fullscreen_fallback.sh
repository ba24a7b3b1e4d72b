# Full screen at a size the display has no mode for (Xvfb offers only 1024x768)
# asks "Tesk GL" whether to use a window instead. Yes gives a window of the
# requested size; No says "Program Will Now Close." and ends the game.
source "$KEL_E2E_LIB"

answer_box() { # answer_box CAPTION KEY
  local box
  box=$(wait_window "$1")
  sleep 0.3
  xdotool windowfocus --sync "$box"
  xdotool key "$2"
}

write_config 1 800 600
start_kel
answer_box "Tesk GL" Return   # Yes
win=$(wait_window Kel)
grep -q 'Geometry: 800x600' <<<"$(xdotool getwindowgeometry "$win")" || fail "no 800x600 window after Yes"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC after Yes and close"

start_kel
answer_box "Tesk GL" Escape   # No
answer_box ERROR Return       # "Program Will Now Close."
wait_exit 10
grep -q 'Program Will Now Close.' kel.err || fail "no closing message (stderr: $(cat kel.err))"
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC after No"
echo "ok: full-screen fallback answers Yes and No"
