# A windowed 800x600 configuration opens a window named "Kel" of that size,
# runs frames, and a real close request ends the game with status 0.
source "$KEL_E2E_LIB"

write_config 0 800 600
start_kel
win=$(wait_window Kel)
geometry=$(xdotool getwindowgeometry "$win")
grep -q 'Geometry: 800x600' <<<"$geometry" || fail "window geometry: $geometry"
sleep 1
kill -0 "$KEL_PID" 2>/dev/null || fail "kel ended on its own"

"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC after closing the window (stderr: $(cat kel.err))"
echo "ok: window opened at 800x600 and closed with status 0"
