# A purpose-built level with an enemy that sees the player and shoots until
# the player's health is 0. The captured mix shows its shots (a tone of their
# own) stopping once the player's death cry (another tone) sounds; the
# picture then rests (the death animation has ended and the enemy froze); and
# Esc after death shows the game-over menu instead of the game.
source "$KEL_E2E_LIB"

cp -a "$KEL_DEMO_DIR" demo
cat > demo/sounds/test_enemy_shot.txt <<'SOUND'
sound length=0.15 seed=1 gain=0.8
voice sine freq=6000 attack=0.002 hold=0.12 decay=0.02
SOUND
cat > demo/sounds/test_player_death.txt <<'SOUND'
sound length=0.4 seed=1 gain=0.8
voice sine freq=7500 attack=0.002 hold=0.35 decay=0.04
SOUND
printf 'data/sound/test_enemy_shot.wav\ndata/sound/test_player_death.wav\n' >> demo/sound.list
sed -i 's|^<sound_death> .*|<sound_death> data/sound/test_player_death.wav|' demo/player
add_grunt_type gunner grunt_pain.wav grunt_death.wav grunt_sight.wav test_enemy_shot.wav <<'NUMBERS'
<speed> 0
<range> 10
<shoot_delay> 600
<shoot_delay_2> 100
<bullets/shell> 5
<damage> 12
<health> 1000
<health_pain> 20
NUMBERS
forge_enemy_room ambush gunner "#######" "#.....#" "#..g..#" "#.....#" "#..S..#" "#.....#" "#######"
cp forged/enemy forged/player forged/sound.list data/
cp forged/sound/test_*.wav data/sound/

# around_player A B: how much the picture around the player differs (0..1).
around_player() { distance "$1[160x200+320+160]" "$2[160x200+320+160]"; }

write_config 0 800 600
capture_mix ambush.wav
ALSOFT_DRIVERS=wave ALSOFT_CONF="$PWD/alsoft.conf" start_kel -map data/maps/ambush
win=$(wait_game_window)
sleep 2
focus "$win"
xdotool mousemove --window "$win" 740 40  # the crosshair out of the way
sleep 8  # shot dead, and the death played out
shot dead_a
sleep 1.5
shot dead_b
xdotool key Escape
sleep 1
shot gameover
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"

length=$(soxi -D ambush.wav)
first_shot=$(onset ambush.wav sinc 5800-6200)
death=$(onset ambush.wav sinc 7300-7700)
sox ambush.wav reversed.wav reverse
last_shot_end=$(awk -v l="$length" -v r="$(onset reversed.wav sinc 5800-6200)" 'BEGIN { printf "%.3f", l - r }')
awk -v s="$first_shot" -v d="$death" -v l="$length" 'BEGIN { exit !(s < d && d < l - 0.01) }' ||
  fail "the player did not die of the shots: first shot $first_shot s, death $death s (of $length s)"
awk -v e="$last_shot_end" -v d="$death" 'BEGIN { exit !(e < d + 0.3) }' ||
  fail "enemies went on shooting after the death at $death s: last shot ends at $last_shot_end s"
rest=$(around_player dead_a.png dead_b.png)
awk -v d="$rest" 'BEGIN { exit !(d < 0.01) }' || fail "the picture still moves after the death (change $rest)"
menu_change=$({ compare -metric RMSE dead_b.png gameover.png null: 2>&1 || true; } | sed -E 's/.*\((.*)\).*/\1/')
awk -v d="$menu_change" 'BEGIN { exit !(d > 0.1) }' || fail "Esc after death did not show the game-over menu (change $menu_change)"
echo "ok: first shot $first_shot s, death $death s, last shot ends $last_shot_end s; change at rest $rest"
