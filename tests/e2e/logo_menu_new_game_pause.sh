# Started without arguments the game shows the logo, Enter skips to the main
# menu (its backdrop, not the loading log), the keys reach "New game" and its
# "Start", the level plays, Esc pauses to the main menu and its first item
# ("game") resumes play. Closing the window writes the slot label file.
source "$KEL_E2E_LIB"

# The backdrop as the menu shows it: its top 768 rows over the 800 x 600 window.
convert data/textures/backdrops/menu_main.jpg -crop 1024x768+0+0 +repage -resize '800x600!' main.png
near() { awk -v d="$(distance "$1" main.png)" 'BEGIN { exit !(d < 0.12) }'; }

write_config 0 800 600
rm -rf data/savegame
start_kel
win=$(wait_game_window)
focus "$win"
sleep 2
shot logo
near logo.png && fail "the logo looks like the main menu ($(distance logo.png main.png))"

press Return
shot menu
near menu.png || fail "the menu does not show the main backdrop ($(distance menu.png main.png))"
logo_menu=$(distance logo.png menu.png)
awk -v d="$logo_menu" 'BEGIN { exit !(d > 0.05) }' || fail "logo and menu look alike ($logo_menu)"

press Down  # the highlight moves to "New game"
shot menu_down
moved=$(distance menu.png menu_down.png)
awk -v d="$moved" 'BEGIN { exit !(d > 0.005) }' || fail "Down did not move the highlight ($moved)"

press Return  # the new game menu
press Return  # its "Start"
sleep 3
shot level
near level.png && fail "still a menu after starting a new game"
spread=$(region_stat level.png 760 420 20 60 standard_deviation)
awk -v s="$spread" 'BEGIN { exit !(s > 0.04) }' || fail "the level is not drawn (deviation $spread)"

press Escape
shot paused
near paused.png || fail "Esc in game did not show the main menu ($(distance paused.png main.png))"

press Return  # "game": resume
shot resumed
near resumed.png && fail "the game did not resume from the pause menu"

"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(cat kel.err))"
[ "$(cat data/savegame/slots)" = "$(printf 'Prazdno_/_Empty\nPrazdno_/_Empty\nPrazdno_/_Empty')" ] ||
  fail "slot labels: $(cat data/savegame/slots 2>&1)"
mkdir -p "${KEL_E2E_KEEP:-/tmp/kel-e2e-shots}" && cp menu.png "${KEL_E2E_KEEP:-/tmp/kel-e2e-shots}/main_menu.png"
echo "ok: logo, menu ($(distance menu.png main.png) from its backdrop, $logo_menu from the logo, highlight move $moved), new game, pause and resume"
