#!/bin/sh
# The secondary windows in the real binary under X with a window manager, driven by xdotool:
# one click on a colour field opens one colour window, and OK opens no other; Tab does the
# same as a click; set order and the font windows open and close; a screenshot of each.
QUOREL=$1 SRC=$2 BUILD=$3
. "$SRC/tests/e2e/lib.sh"
need_display "$@"

work=$(scratch_album)
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || fail "no scratch album"
"$QUOREL" album/harbour.jpg >"$work/out.txt" 2>&1 &
pid=$!
main=$(wait_window "^Quorel\$") || fail "no main window"
sleep 1

settle() { sleep 1.5; }

# A click on the heading colour field (600, 50, 50 x 20): exactly one colour window.
click_at "$main" 625 60
colour=$(wait_window "^Set colour\$") || fail "a click on the colour field opened no colour window"
settle
[ "$(count_windows "Set colour")" = 1 ] || fail "more than one colour window after one click"
# The main window takes no input meanwhile: Abandon does nothing.
click_at "$main" 620 520
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the disabled main window took a click on Abandon"
# Drag the red slider (30, 60, 250 x 20) to its end with the button held.
xdotool mousemove --window "$colour" 36 70 mousedown 1
for x in 80 140 200 260 290; do xdotool mousemove --window "$colour" "$x" 70; sleep 0.1; done
screenshot colour-window-dragging
xdotool mouseup 1
sample=$(pixel_at "$colour" 150 30)
is_red "$sample" || fail "the colour sample is $sample after dragging red to the end"
click_at "$colour" 150 160
settle
[ "$(count_windows "Set colour")" = 0 ] || fail "a colour window is open again after OK"
[ "$(xdotool getactivewindow)" = "$main" ] || fail "the main window is not active after OK"
field=$(pixel_at "$main" 645 66)
is_red "$field" || fail "the heading colour field shows $field, not red, after OK"

# Tab from the rename prefix field (110, 155) into the heading colour field: one window.
click_at "$main" 130 165
xdotool key Tab
colour=$(wait_window "^Set colour\$") || fail "Tab into the colour field opened no colour window"
settle
[ "$(count_windows "Set colour")" = 1 ] || fail "more than one colour window after Tab"
click_at "$colour" 150 160
settle
[ "$(count_windows "Set colour")" = 0 ] || fail "a colour window is open again after OK (Tab)"

# Set order (20, 510): the window, then OK.
click_at "$main" 65 520
order=$(wait_window "^Set order\$") || fail "Set order opened no window"
click_at "$order" 60 20
sleep 0.5
screenshot set-order-window
click_at "$order" 220 230
settle
[ "$(count_windows "Set order")" = 0 ] || fail "the set-order window stayed open after OK"

# The heading font button (350, 50): the system font chooser, then "Font type".
click_at "$main" 470 60
chooser=$(wait_window "Font") || fail "the font button opened no font chooser"
sleep 1
screenshot font-chooser
xdotool windowfocus --sync "$chooser" key Return
fonttype=$(wait_window "^Font type\$") || fail "no Font type window after the chooser"
sleep 0.5
screenshot font-type-window
click_at "$fonttype" 100 90
settle
[ "$(count_windows "Font type")" = 0 ] || fail "the Font type window stayed open after OK"
[ "$(xdotool getactivewindow)" = "$main" ] || fail "the main window is not active after the font windows"

click_at "$main" 620 520
wait_exit "$pid" || fail "Abandon did not end the tool"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
