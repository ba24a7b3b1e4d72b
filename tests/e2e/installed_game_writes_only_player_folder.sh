# The installed game: the build (or, with KEL_INSTALL_DEB, the Debian
# package) installed into a temporary root and started
# through the installed launcher with a fresh player folder. It plays the level
# named on its command line, everything it writes lands in the player folder,
# and the install stays exactly as it was.
source "$KEL_E2E_LIB"

if [ -n "${KEL_INSTALL_DEB:-}" ]; then  # the Debian package's files instead (scripts/test's package suite)
  dpkg-deb -x "$KEL_INSTALL_DEB" root || fail "dpkg-deb -x $KEL_INSTALL_DEB failed"
else
  DESTDIR="$PWD/root" cmake --install "$KEL_BUILD_DIR" --prefix /usr >install.log || fail "install: $(cat install.log)"
fi
installed=$PWD/root/usr/share/games/kel/data
listing() { find root -printf '%p %y %s %T@\n' | sort; }
listing >before.txt

export XDG_DATA_HOME=$PWD/home
player=$XDG_DATA_HOME/kel
mkdir -p "$player/data"
ln -s "$PWD/no-such-entry" "$player/data/old_level"  # as an older install would have left it
(cd "$player" && write_config 0 800 600)

root/usr/games/kel -map data/maps/test >kel.out 2>kel.err &
KEL_PID=$!
win=$(wait_game_window)
sleep 3  # level loading
focus "$win"
(cd "$player" && shot level)
"$KEL_CLOSE_WINDOW" "$win"
wait_exit 10
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(cat kel.err))"

[ -s "$player/data/savegame/autosave" ] || fail "no autosave in the player folder: the level did not start there"
[ "$(ls "$player/data/screenshots")" = screenshot.0000.tga ] || fail "screenshots: $(ls "$player/data/screenshots")"
[ "$(readlink "$player/data/tex.list")" = "$installed/tex.list" ] || fail "data/tex.list is not a link into the install"
[ ! -L "$player/data/old_level" ] || fail "the stale link was kept"
listing >after.txt
diff before.txt after.txt >&2 || fail "the installed tree changed"
echo "ok: the installed game played from the player folder and left the install untouched"
