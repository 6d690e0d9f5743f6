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
  start_window_manager
}

# A real window manager decides activation and stacking, as on a desktop.
start_window_manager() {
  command -v openbox >/dev/null || fail "openbox is missing (make test installs it)"
  openbox --sm-disable >/dev/null 2>&1 &
  for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  fail "the window manager did not start"
}

# Clicks at x, y of a window's client area.
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# Counts the visible windows with exactly this title.
count_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }

# Colour of the screen pixel at x, y of a window's client area, as "r,g,b".
pixel_at() {
  X=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  Y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  import -window root -crop "1x1+$((X + $2))+$((Y + $3))" \
    -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:- 2>/dev/null
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

# True when an "r,g,b" colour is plainly red (anti-aliased text may touch the pixel).
is_red() {
  echo "$1" | awk -F, '{ exit !($1 >= 200 && $2 <= 60 && $3 <= 60) }'
}
