# Shared steps of the end-to-end tests: a real X server, the real binary, xdotool input.
# Sourced by the test scripts; QUOREL, SRC and BUILD are set by them.

fail() { echo "FAIL: $*"; exit 1; }

# Re-runs the calling script under its own X server unless one was given to it.
need_display() {
  if [ -z "$QUOREL_E2E_DISPLAY" ]; then
    command -v xvfb-run >/dev/null || fail "xvfb-run is missing (make test installs it)"
    export QUOREL_E2E_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
  fi
  unset QT_QPA_PLATFORM
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
}

# Prints the id of the first visible window whose title matches the pattern, waiting up to 20 s.
wait_window() {
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# Waits up to 20 s for the process, a child of this shell, to end; sets EXIT_CODE.
wait_exit() {
  for _ in $(seq 1 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      EXIT_CODE=$?
      return 0
    fi
    sleep 0.2
  done
  kill "$1" 2>/dev/null
  return 1
}

# Windows the process shows now.
visible_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null; }

screenshot() {
  mkdir -p "$BUILD/screenshots"
  import -window root "$BUILD/screenshots/$1.png" || fail "screenshot $1"
}

# A scratch album with the sample pictures and background library; prints its folder.
scratch_album() {
  dir=$(mktemp -d)
  cp -r "$SRC/samples/album" "$SRC/samples/Quorel" "$dir/"
  echo "$dir"
}
