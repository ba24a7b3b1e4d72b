# Shared helpers for the end-to-end scripts. Each script sources this file.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under xvfb-run (scripts/test does)"
[ -x "$KEL_GAME_DIR/kel" ] || fail "no kel in $KEL_GAME_DIR"

# A throw-away copy of the game directory; removed when the script ends.
GAME=$(mktemp -d /tmp/kel-e2e-XXXXXX)
KEL_PID=
cleanup() {
  if [ -n "$KEL_PID" ] && kill -0 "$KEL_PID" 2>/dev/null; then kill -9 "$KEL_PID" 2>/dev/null || true; fi
  rm -rf "$GAME"
}
trap cleanup EXIT
cp -a "$KEL_GAME_DIR/." "$GAME/"
cd "$GAME"

# write_config FULLSCREEN WIDTH HEIGHT: a data/opengl as the setup program writes it.
write_config() {
  mkdir -p data
  printf '<fullscreen> %s\n<resolution> %s %s\n<color_depth> 32\n<marks_life> 25.0\n' "$1" "$2" "$3" > data/opengl
}

# start_kel ARGS...: starts the game in the background; output goes to kel.out/kel.err.
start_kel() {
  ./kel "$@" >kel.out 2>kel.err &
  KEL_PID=$!
}

# wait_window NAME: prints the id of the first window whose name is NAME.
wait_window() {
  local name=$1 id=
  for _ in $(seq 1 100); do
    # xwininfo sees every window, also the unmanaged ones message boxes open.
    id=$(xwininfo -root -tree 2>/dev/null | grep -F " \"$name\": " | awk '{print $1; exit}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$KEL_PID" 2>/dev/null || fail "kel ended before showing '$name' (stderr: $(cat kel.err))"
    sleep 0.1
  done
  fail "no window named '$name' after 10 s"
}

# wait_exit SECONDS: waits for kel to end and sets KEL_RC to its exit status.
wait_exit() {
  local limit=$1
  for _ in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$KEL_PID" 2>/dev/null; then
      KEL_RC=0
      wait "$KEL_PID" || KEL_RC=$?
      KEL_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "kel still running after $limit s"
}
