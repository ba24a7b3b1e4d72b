# Without data/opengl and with no setup program next to kel, the game shows
# "Nelze nacist: data/opengl" and ends with status 1. The message box is
# dismissed with a real key press.
source "$KEL_E2E_LIB"

rm -f data/opengl setup
start_kel
box=$(wait_window ERROR)
sleep 0.3
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_exit 10
[ "$KEL_RC" = 1 ] || fail "exit status $KEL_RC, expected 1"
grep -q 'Nelze nacist: data/opengl' kel.err || fail "message not reported (stderr: $(cat kel.err))"
echo "ok: missing configuration ends the game with status 1"
