#!/bin/sh
# The real binary under X: the chooser, the main window, Abandon; and a cancelled chooser.
QUOREL=$1 SRC=$2 BUILD=$3
. "$SRC/tests/e2e/lib.sh"
need_display "$@"

work=$(scratch_album)
trap 'rm -rf "$work"' EXIT
cd "$work" || fail "no scratch album"

# Choosing a picture in the chooser opens the album.
"$QUOREL" >"$work/out1.txt" 2>&1 &
pid=$!
chooser=$(wait_window "^Quorel File select\$") || fail "no chooser titled 'Quorel File select'"
xdotool windowfocus --sync "$chooser"
sleep 0.5
xdotool type --delay 20 "$work/album/harbour.jpg"
xdotool key Return
main=$(wait_window "^Quorel\$") || fail "no main window titled 'Quorel' after choosing a picture"
sleep 1
screenshot main-window
geometry=$(xdotool getwindowgeometry "$main")
echo "$geometry" | grep -q "670x535" || fail "main window is not 670x535: $geometry"
# Abandon, at 580,510 (80 x 20) in the window, ends the tool with exit code 0.
xdotool mousemove --window "$main" 620 520 click 1
wait_exit "$pid" || fail "Abandon did not end the tool"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Abandon"

# Escape in the chooser: the message box appears, and its OK ends the tool with exit code 0.
"$QUOREL" >"$work/out2.txt" 2>&1 &
pid=$!
chooser=$(wait_window "^Quorel File select\$") || fail "no chooser the second time"
xdotool windowfocus --sync "$chooser"
sleep 0.5
xdotool key Escape
box=""
for _ in $(seq 1 50); do
  for w in $(visible_windows "$pid"); do
    name=$(xdotool getwindowname "$w")
    [ "$name" != "Quorel" ] && [ "$name" != "Quorel File select" ] && box=$w
  done
  [ -n "$box" ] && break
  sleep 0.2
done
[ -n "$box" ] || fail "no message box after cancelling the chooser"
kill -0 "$pid" 2>/dev/null || fail "the tool ended before the message was answered"
screenshot nothing-selected
xdotool windowfocus --sync "$box"
xdotool key Return
wait_exit "$pid" || fail "OK of the message box did not end the tool"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after the message"
echo "1 passed, 0 failed"
