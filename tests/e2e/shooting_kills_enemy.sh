# A purpose-built level with one enemy straight ahead of the player: clicking
# the left button kills it. The mix, captured by OpenAL Soft's wave writer,
# holds the shot, then the enemy's pain, then its death (the test type cries
# and dies in pure tones of their own), and with heavy blood an F12
# screenshot shows red blood marks around where it stood.
source "$KEL_E2E_LIB"

cp -a "$KEL_DEMO_DIR" demo
cat > demo/sounds/test_pain.txt <<'SOUND'
sound length=0.3 seed=1 gain=0.8
voice sine freq=3000 attack=0.002 hold=0.25 decay=0.04
SOUND
cat > demo/sounds/test_death.txt <<'SOUND'
sound length=0.4 seed=1 gain=0.8
voice sine freq=5000 attack=0.002 hold=0.35 decay=0.04
SOUND
cat > demo/sounds/test_quiet.txt <<'SOUND'
sound length=0.05 seed=1 gain=0.01
voice sine freq=100
SOUND
printf 'data/sound/test_pain.wav\ndata/sound/test_death.wav\ndata/sound/test_quiet.wav\n' >> demo/sound.list
# A target that neither walks nor shoots nor calls out: only its pain and death are heard.
add_grunt_type target test_pain.wav test_death.wav test_quiet.wav test_quiet.wav <<'NUMBERS'
<speed> 0
<range> 0
<shoot_delay> 1000
<shoot_delay_2> 500
<bullets/shell> 1
<damage> 0
<health> 40
<health_pain> 20
NUMBERS
cat > demo/levels/range.txt <<'LEVEL'
level
settings <ambient_lightsource> 0.6 0.6 0.6 <next_level> data/maps/range
legend "#" wall texture=data/textures/walls/stone.tga
legend "." floor texture=data/textures/floors/flagstone.tga
legend "S" like="." start
legend "g" like="." enemy=target
row "#######"
row "#.....#"
row "#..g..#"
row "#.....#"
row "#.....#"
row "#..S..#"
row "#.....#"
row "#######"
LEVEL
"$KEL_FORGE" demo forged >forge.log 2>&1 || fail "forge failed: $(tail -5 forge.log)"
cp forged/maps/range* data/maps/
cp forged/enemy forged/sound.list data/
cp forged/sound/test_*.wav data/sound/

# red_pixels IMAGE: blood-red pixels in the play area above the player.
red_pixels() {
  convert "$1" -crop 800x330+0+0 +repage -fx '(r > 0.45 && g < 0.3 * r && b < 0.3 * r)' \
    -colorspace Gray -format '%[fx:round(mean*w*h)]' info:
}

write_config 0 800 600
echo '<ultra_blood>' >> data/opengl
capture_mix fight.wav
ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf" start_kel -map data/maps/range
win=$(wait_game_window)
sleep 3
focus "$win"
xdotool mousemove --window "$win" 400 120  # straight ahead, at the target
sleep 1
shot before
for _ in $(seq 1 9); do  # three hits kill it; spare shots for slow frames
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.4
done
sleep 1.5
shot after
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"

shot_at=$(onset fight.wav)
pain_at=$(onset fight.wav sinc 2800-3200)
death_at=$(onset fight.wav sinc 4800-5200)
length=$(soxi -D fight.wav)
awk -v s="$shot_at" -v p="$pain_at" -v d="$death_at" -v l="$length" \
  'BEGIN { exit !(s < l - 0.01 && p < l - 0.01 && d < l - 0.01 && s <= p + 0.005 && p < d) }' ||
  fail "expected shot <= pain < death in the mix: shot $shot_at, pain $pain_at, death $death_at (of $length s)"
red_before=$(red_pixels before.png) red_after=$(red_pixels after.png)
[ "$red_after" -gt $((red_before + 40)) ] || fail "no blood marks: $red_before red pixels before, $red_after after"
mkdir -p "${KEL_E2E_KEEP:-/tmp/kel-e2e-shots}" && cp after.png "${KEL_E2E_KEEP:-/tmp/kel-e2e-shots}/shooting_after.png"
echo "ok: shot at $shot_at s, pain at $pain_at s, death at $death_at s; red pixels $red_before -> $red_after"
