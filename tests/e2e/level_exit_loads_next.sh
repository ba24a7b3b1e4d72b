# A purpose-built level whose start cell is right below an exit: one step
# forward loads the level its settings name next.
source "$KEL_E2E_LIB"

# Forge the demo again with two small levels added to its sources.
cp -a "$KEL_DEMO_DIR" demo
cat > demo/levels/exit_a.txt <<'LEVEL'
level
settings <ambient_lightsource> 0.4 0.4 0.4 <next_level> data/maps/exit_b
legend "#" wall texture=data/textures/walls/stone.tga
legend "." floor texture=data/textures/floors/flagstone.tga
legend "S" like="." start
legend "E" like="." exit
row "#####"
row "#...#"
row "#.E.#"
row "#.S.#"
row "#...#"
row "#####"
LEVEL
sed -e 's/exit_b/exit_a/' -e 's/0.4 0.4 0.4/0.3 0.3 0.5/' demo/levels/exit_a.txt > demo/levels/exit_b.txt
"$KEL_FORGE" demo forged >forge.log 2>&1 || fail "forge failed: $(cat forge.log)"
cp forged/maps/exit_a* forged/maps/exit_b* data/maps/

write_config 0 800 600
start_kel -map data/maps/exit_a
win=$(wait_game_window)
sleep 3
focus "$win"
xdotool mousemove --window "$win" 400 100  # face up the screen, toward the exit
sleep 1
grep -q 'data/maps/exit_b' kel.out && fail "the next level loaded before the player moved"
xdotool keydown w
sleep 0.6
xdotool keyup w
for _ in $(seq 1 50); do grep -q '^data/maps/exit_b' kel.out && break; sleep 0.1; done
grep -q '^data/maps/exit_b' kel.out || fail "stepping on the exit did not load data/maps/exit_b (log: $(tail -5 kel.out))"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
echo "ok: the exit loaded data/maps/exit_b"
