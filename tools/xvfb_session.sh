# Sourced by the scripts that look at the real program: an Xvfb display with openbox, so
# that windows get real frames. start_xvfb_session WIDTHxHEIGHT sets DISPLAY and the pids
# in $xvfb and $wm, and the temporary file in $display_file (all for the caller's clean-up);
# the caller defines fail().
start_xvfb_session() {
    local size=$1
    # Xvfb picks a free display itself and writes its number to the given descriptor.
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    [ -s "$display_file" ] || fail "Xvfb did not start"
    DISPLAY=":$(cat "$display_file")"
    export DISPLAY
    unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP
    export QT_QPA_PLATFORM=xcb

    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
}
