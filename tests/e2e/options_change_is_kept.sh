# The Options menu shows the player's settings and changes them in place:
# Left lowers the sound volume, which data/settings keeps at once, and after a
# restart the menu shows the kept value and goes on from it.
source "$KEL_E2E_LIB"

# to_options: from the logo through the main menu to Options, the volume highlighted.
to_options() {
  start_kel
  win=$(wait_game_window)
  sleep 2
  focus "$win"
  press Return  # skip the logo
  press Down; press Down; press Down; press Down; press Return
}

# value_area IMAGE: the printed values beside the plaques.
value_area() { convert "$1" -crop 140x230+540+230 +repage "$2"; }

write_config 0 800 600
to_options
shot options_at_100
press Left
shot options_at_90
[ "$(head -1 data/settings)" = "<volume> 90" ] || fail "Left did not write <volume> 90 (data/settings: $(cat data/settings 2>/dev/null))"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"

value_area options_at_100.png before.png
value_area options_at_90.png after.png
changed=$(distance before.png after.png)
awk -v d="$changed" 'BEGIN { exit !(d > 0.005) }' || fail "the shown volume did not change (difference $changed)"

to_options
shot restarted
value_area restarted.png restarted_values.png
same=$(compare -metric AE after.png restarted_values.png null: 2>&1 || true)
[ "$same" = 0 ] || fail "after a restart the values differ from those shown before it ($same pixels)"
press Left
[ "$(head -1 data/settings)" = "<volume> 80" ] || fail "a restart did not keep <volume> 90 (data/settings: $(cat data/settings))"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
echo "ok: shown volume changed by $changed; 90 kept over a restart, then 80"
