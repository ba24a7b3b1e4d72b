# Closing the setup window writes the file as confirming does. An old 720 x 576
# is kept (with the 800 x 600 marker shown), and tags setup does not write
# are dropped.
source "$KEL_E2E_LIB"

printf '<ultra_blood>\n<fullscreen> 0\n<resolution> 720 576\n<color_depth> 16\n<marks_life> 3.5\n' > data/opengl
start_setup
win=$(wait_window "Kel engine setup program")
xdotool mousemove --window "$win" 600 300
sleep 0.5
import -window "$win" old.png
expect_setup_markers old.png 3 13 15
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(cat setup.err))"
printf '<fullscreen> 0\n<resolution> 720 576\n<color_depth> 32\n<marks_life> 25.0\n' > expected
cmp data/opengl expected || fail "data/opengl is: $(cat data/opengl)"
echo "ok: closing writes the old mode back"
