# The shipped campaign playthrough replayed on the sanitizer kel with leak
# detection on: it must reach the victory menu, and AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer must have nothing to say.
#   KEL_GAME_DIR=build/game KEL_SANITIZER_KEL=build-asan/game/kel \
#   KEL_E2E_LIB=tests/e2e/lib.sh KEL_DEMO_DIR=demo bash campaign_on_sanitizer_kel.sh
# Only what is not ours may be suppressed: see system_noise.supp.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$KEL_E2E_LIB"

cp "$KEL_SANITIZER_KEL" ./kel
rm -rf data/screenshots data/savegame
write_config 0 640 480  # the demo brings its own window size
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$here/system_noise.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ALSOFT_DRIVERS=null
"$here/with_gl_driver_kept.sh" ./kel -timedemo "$KEL_DEMO_DIR/campaign/campaign.dem" >kel.out 2>kel.err &
KEL_PID=$!
wait_exit 1200
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error:|UndefinedBehaviorSanitizer' kel.err; then
  grep -E -A12 'ERROR|SUMMARY|runtime error:' kel.err | head -60 >&2
  fail "the sanitizers reported (exit status $KEL_RC)"
fi
[ "$KEL_RC" = 0 ] || fail "exit status $KEL_RC (stderr: $(tail -3 kel.err))"
end=$(grep '^demo:' kel.out || true)
grep -q ' ended in menu "victory"$' <<<"$end" || fail "the replay did not end in victory: '$end'"
echo "ok: $end, no sanitizer report; $(grep '^timedemo:' kel.out | sed 's/^timedemo: //')"
