# Without its key the locked door stops the player, and the no-key sound is
# heard once for the whole time the player pushes against it. Every other
# sound is made silent and the no-key sound a plain tone, so the captured mix
# (OpenAL Soft's wave writer) shows each play of it as one burst.
source "$KEL_E2E_LIB"

cp -a "$KEL_DEMO_DIR" demo
write_door_level demo/levels/door_nokey.txt . data/maps/door_end
write_door_level demo/levels/door_end.txt . data/maps/door_nokey
forge_levels door_nokey door_end

for f in data/sound/*.wav; do sox -n -r 22050 -c 1 -b 16 "$f" trim 0 0.05; done
sox -n -r 22050 -c 1 -b 16 data/sound/locked.wav synth 0.4 sine 660 gain -3

write_config 0 800 600
capture_mix mix.wav
ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf" start_kel -map data/maps/door_nokey
win=$(wait_game_window)
sleep 3
focus "$win"
xdotool mousemove --window "$win" 400 100  # face up the corridor
sleep 1
xdotool keydown w
sleep 5
xdotool keyup w
sleep 0.5
grep -q '^data/maps/door_end' kel.out && fail "the player passed the locked door without its key"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"

# Bursts: runs of 20 ms windows louder than a tenth of full scale. One play
# of the 0.4 s tone is one burst of about 0.4 s; a sound restarted every
# frame would sound on for as long as the player pushes.
sox mix.wav -t raw -r 8000 -c 1 -b 16 -e signed-integer mix.raw
read -r bursts loud < <(python3 - mix.raw <<'PY'
import array, sys
samples = array.array("h", open(sys.argv[1], "rb").read())
window, loud, bursts, windows = 160, False, 0, 0
for i in range(0, len(samples), window):
    now = max((abs(s) for s in samples[i:i + window]), default=0) > 3277
    bursts += now and not loud
    windows += now
    loud = now
print(bursts, windows * window / 8000)
PY
)
[ "$bursts" = 1 ] || fail "the no-key sound played $bursts times, not once"
awk -v s="$loud" 'BEGIN { exit !(s > 0.2 && s < 0.7) }' || fail "the no-key sound lasted $loud s, not one play"
echo "ok: stopped at the locked door; no-key sound once ($loud s)"
