# A first start: kel finds no data/opengl, runs the real setup program next to
# it, and opens its own window in the mode picked there.
source "$KEL_E2E_LIB"

rm -f data/opengl
start_kel
win=$(wait_window "Kel engine setup program")
sleep 0.3
click "$win" 60 90    # 640 x 480
click "$win" 495 160  # windowed
click "$win" 400 445  # confirm
game=$(wait_window Kel)
grep -q 'Geometry: 640x480' <<<"$(xdotool getwindowgeometry "$game")" || fail "the game window is not 640x480"
grep -q '<resolution> 640 480' data/opengl || fail "data/opengl is: $(cat data/opengl)"
"$KEL_CLOSE_WINDOW" "$game"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
echo "ok: the game opened in the mode chosen in setup"
