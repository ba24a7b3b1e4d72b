# With no data/opengl, the real setup program: clicks on 1024 x 768, windowed
# and multitexturing disabled light exactly those three markers, and confirm
# writes exactly those settings.
source "$KEL_E2E_LIB"

rm -f data/opengl
start_setup
win=$(wait_window "Kel engine setup program")
grep -q 'Geometry: 640x480' <<<"$(xdotool getwindowgeometry "$win")" || fail "setup window is not 640x480"
sleep 0.3
click "$win" 70 163   # 1024 x 768
click "$win" 495 160  # windowed
click "$win" 160 467  # multitexturing disabled
xdotool mousemove --window "$win" 600 300  # over no choice
sleep 0.5
import -window "$win" chosen.png
expect_setup_markers chosen.png 5 13 17
click "$win" 400 445  # confirm
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(cat setup.err))"
printf '<fullscreen> 0\n<resolution> 1024 768\n<color_depth> 32\n<marks_life> 25.0\n<MULTITEXTURING_DISABLE>\n' > expected
cmp data/opengl expected || fail "data/opengl is: $(cat data/opengl)"
[ -z "$(ls data | grep '^opengl\.')" ] || fail "a temporary file was left: $(ls data)"
echo "ok: the chosen mode is shown and written"
