# Without data/opengl the game runs the setup program that sits next to it, in
# the same working directory, waits for it, and starts with what it wrote.
source "$KEL_E2E_LIB"

rm -f data/opengl
cat > setup <<'SETUP'
#!/bin/sh
sleep 0.5
mkdir -p data
printf '<fullscreen> 0\n<resolution> 640 480\n<color_depth> 32\n' > data/opengl
SETUP
chmod +x setup

start_kel
win=$(wait_window Kel)
grep -q 'Geometry: 640x480' <<<"$(xdotool getwindowgeometry "$win")" || fail "window does not use the settings setup wrote"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
echo "ok: setup ran first and its settings applied"
