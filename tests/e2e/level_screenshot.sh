# The first level started with -map in an 800x600 window: an F12 screenshot shows
# a lit level (not one flat colour, walls and floor apart), the HUD panels in
# their places and the crosshair under the mouse.
source "$KEL_E2E_LIB"

# crosshair_pixels IMAGE X Y: pale grey pixels in the 24x24 box centred at (X, Y).
# The crosshair is white and pulses between half and full opacity; the level
# around it is lit in warm colours or lies in shadow, so pale grey marks it.
crosshair_pixels() {
  convert "$1" -crop "24x24+$(($2 - 12))+$(($3 - 12))" +repage \
    -fx '(saturation < 0.2 && lightness > 0.25)' -colorspace Gray -format '%[fx:round(mean*w*h)]' info:
}

write_config 0 800 600
start_kel -map data/maps/test
win=$(wait_game_window)
sleep 3  # level loading and the crosshair's fade-in
focus "$win"
xdotool mousemove --window "$win" 600 200
sleep 1.5
shot first
[ "$(identify -format '%wx%h' first.png)" = 800x600 ] || fail "screenshot size $(identify -format '%wx%h' first.png)"

# The play area (above the HUD strip) is lit and far from uniform.
spread=$(region_stat first.png 760 420 20 60 standard_deviation)
mean=$(region_stat first.png 760 420 20 60 mean)
awk -v s="$spread" 'BEGIN { exit !(s > 0.04) }' || fail "play area nearly uniform (deviation $spread)"
awk -v m="$mean" 'BEGIN { exit !(m > 0.03 && m < 0.9) }' || fail "play area mean brightness $mean"

# The HUD frame's panels: the strip at the bottom differs from the play area,
# and the health panel shows its text.
hud_spread=$(region_stat first.png 800 60 0 540 standard_deviation)
awk -v s="$hud_spread" 'BEGIN { exit !(s > 0.04) }' || fail "no HUD panels in the bottom strip ($hud_spread)"

# The crosshair follows the cursor.
xdotool mousemove --window "$win" 200 200
sleep 1.5
shot second
a_here=$(crosshair_pixels first.png 600 200) a_there=$(crosshair_pixels first.png 200 200)
b_here=$(crosshair_pixels second.png 200 200) b_there=$(crosshair_pixels second.png 600 200)
[ "$a_here" -ge 20 ] && [ "$a_here" -gt "$((a_there * 2))" ] || fail "crosshair not at (600, 200): $a_here vs $a_there"
[ "$b_here" -ge 20 ] && [ "$b_here" -gt "$((b_there * 2))" ] || fail "crosshair not at (200, 200): $b_here vs $b_there"

mkdir -p "${KEL_E2E_KEEP:-/tmp/kel-e2e-shots}" && cp first.png "${KEL_E2E_KEEP:-/tmp/kel-e2e-shots}/level_test.png"
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 15
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC"
echo "ok: play area deviation $spread, mean $mean; HUD deviation $hud_spread; crosshair $a_here/$b_here"
