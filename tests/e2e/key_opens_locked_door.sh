# Holding W walks the player over a key, through the locked door it opens and
# into the exit behind it: the loading log shows the next level.
source "$KEL_E2E_LIB"

cp -a "$KEL_DEMO_DIR" demo
write_door_level demo/levels/door_key.txt k data/maps/door_end
write_door_level demo/levels/door_end.txt . data/maps/door_key
forge_levels door_key door_end

write_config 0 800 600
start_kel -map data/maps/door_key
win=$(wait_game_window)
sleep 3
focus "$win"
xdotool mousemove --window "$win" 400 100  # face up the corridor
sleep 1
xdotool keydown w
for _ in $(seq 1 150); do grep -q '^data/maps/door_end' kel.out && break; sleep 0.1; done
xdotool keyup w
grep -q '^data/maps/door_end' kel.out || fail "the player did not get through the door to the exit (log: $(tail -5 kel.out))"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
echo "ok: key taken, door opened, data/maps/door_end loaded"
