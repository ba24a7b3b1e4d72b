# The shipped playthrough of the demo campaign (demo/campaign/campaign.dem,
# recorded by scripts/record_campaign) replays as a timedemo from the logo to
# the victory menu, and every F12 screenshot it takes matches the stored one
# (demo/campaign/shot-NNNN.tga.bz2) within the software renderer's rounding.
# A change of play breaks the replay; rerun scripts/record_campaign when the
# change is meant.
source "$KEL_E2E_LIB"
compare_shots=$(dirname "${BASH_SOURCE[0]}")/compare_shots.py
stored=$KEL_DEMO_DIR/campaign

rm -rf data/screenshots data/savegame
write_config 0 640 480  # the demo brings its own window size
start_kel -timedemo "$stored/campaign.dem"
wait_exit 170
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(tail -3 kel.err))"
end=$(grep '^demo:' kel.out || true)
grep -q ' ended in menu "victory"$' <<<"$end" || fail "the replay did not end in victory: '$end'"
python3 "$compare_shots" "$stored" data/screenshots || fail "the screenshots differ from the recorded ones"

# The comparison must notice a missing and a changed picture.
cp -a data/screenshots missing && rm "$(ls missing/*.tga | head -1)"
python3 "$compare_shots" "$stored" missing >/dev/null 2>&1 && fail "a missing screenshot went unnoticed"
cp -a data/screenshots changed
first=$(ls changed/*.tga | head -1)
python3 -c 'import sys; p = sys.argv[1]; d = open(p, "rb").read(); open(p, "wb").write(d[:18] + bytes(255 - v for v in d[18:]))' "$first"
python3 "$compare_shots" "$stored" changed >/dev/null 2>&1 && fail "a changed screenshot went unnoticed"
echo "ok: $end; $(grep '^timedemo:' kel.out kel.err | head -1 | sed 's/^[^:]*://')"
