# A purpose-built level with one enemy straight ahead of the player: clicking
# the left button kills it. The mix, captured by OpenAL Soft's wave writer,
# holds the shot, then the enemy's pain, then its death (the test type cries
# and dies in pure tones of their own), and with heavy blood an F12
# screenshot shows red blood marks around where it stood.
source "$KEL_E2E_LIB"

forge_shooting_range

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
