# A saved game survives the program: new game, a few steps, save into the
# second slot from the pause menu, close the window, start again, the slot's
# label holds the date, load the slot, and the player stands where it was
# saved. Then F6, a walk, and F7 put the player back again.
source "$KEL_E2E_LIB"

walk() { xdotool keydown w; sleep "$1"; xdotool keyup w; sleep 1; }
# view NAME: a screenshot with the cursor in one place, so only the player's
# position moves the picture.
view() { xdotool mousemove --window "$win" 600 150; sleep 1.5; shot "$1"; }
# closer A B C: picture A is much closer to B than to C.
closer() {
  local ab ac
  ab=$(distance "$1" "$2") ac=$(distance "$1" "$3")
  awk -v ab="$ab" -v ac="$ac" 'BEGIN { exit !(ab * 2 < ac) }' || fail "$4 ($1~$2 $ab, $1~$3 $ac)"
}

write_config 0 800 600
rm -rf data/savegame
start_kel
win=$(wait_game_window)
focus "$win"
sleep 2
press Return               # skip the logo
press Down; press Return   # "New game"
press Return               # "Start"
sleep 3
view start
walk 0.6
view saved
press Escape               # the pause menu: main, first item
press Down; press Down; press Down; press Return  # "Save"
press Down; press Return   # the second slot
[ -s data/savegame/slot2 ] || fail "no savegame written to the second slot"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
sed -n 2p data/savegame/slots | grep -Eq '^[0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4}_[0-9]{2}:[0-9]{2}$' ||
  fail "the second slot's label is not a date: $(cat data/savegame/slots)"

start_kel
win=$(wait_game_window)
focus "$win"
sleep 2
press Return               # skip the logo
press Down; press Down; press Return  # "Load"
press Down; press Return   # the second slot
sleep 3
view loaded
closer loaded.png saved.png start.png "the loaded game does not show the saved place"

press F6
sleep 1
[ -s data/savegame/quicksave ] || fail "F6 wrote no quicksave"
walk 0.6
view walked
press F7
sleep 3
view quickloaded
closer quickloaded.png loaded.png walked.png "F7 did not put the player back"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
echo "ok: saved, restarted, loaded; quicksave and quickload"
