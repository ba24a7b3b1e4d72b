# The setup program's failures: a data/opengl that cannot be replaced gives
# status 3 and a box, and the old one stays untouched; pictures that are
# missing or the wrong size leave a dark but working dialog.
source "$KEL_E2E_LIB"

mkdir data/opengl  # cannot be replaced by a file
start_setup
win=$(wait_window "Kel engine setup program")
"$KEL_CLOSE_WINDOW" "$win"
box=$(wait_window Error)
sleep 0.3
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_exit 10
[ "$KEL_RC" = 3 ] || fail "exit status $KEL_RC when the file cannot be written, expected 3"
grep -q "Couldn't write data/opengl" setup.err || fail "no write message (stderr: $(cat setup.err))"
[ -d data/opengl ] || fail "the old data/opengl is gone"
[ -z "$(ls data | grep '^opengl\.')" ] || fail "a temporary file was left: $(ls data)"
rmdir data/opengl

rm data/setup_select.bmp
convert -size 100x100 xc:white BMP3:data/setup_base.bmp
start_setup
win=$(wait_window "Kel engine setup program")
xdotool mousemove --window "$win" 600 300
sleep 0.5
import -window "$win" bare.png
[ "$(region_stat bare.png 640 480 0 0 maxima)" = 0 ] || fail "a picture that is not 640x480 was shown"
click "$win" 400 445  # confirm still works where its picture is missing
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC without pictures"
grep -q '<resolution> 800 600' data/opengl || fail "data/opengl is: $(cat data/opengl)"
echo "ok: setup fails safely"
