# Sourced by the journey test and by scripts/pictures, after harness.sh (for e2e_wait):
# the demo's desktop on a private X server, and what a person does on it, by keys and
# clicks on windows found by their titles. Window titles are passed whole ("Tuvora -
# Login"); DESKTOP_PASSWORD is what give_password types, DESKTOP_LOGIN the title of the
# password dialog in the session's language, DESKTOP_FAILURES the folder where a step
# that fails leaves a picture of the screen.
DESKTOP_LOGIN=${DESKTOP_LOGIN:-"Tuvora - Login"}
DESKTOP_FAILURES=${DESKTOP_FAILURES:-/tmp}
desktop_step=0
desktop_logs=/tmp

# desktop_start USER LOG_DIR: Xvfb (1024 x 768) and scripts/sandbox's demo session as
# USER on it; DISPLAY is set for what follows. The server does not reset when its last
# client leaves: the probes that come and go while the session starts would otherwise
# reset it under the programs that are connecting.
desktop_start() {
    local user=$1 logs=$2
    desktop_logs=$logs
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$logs/display" >"$logs/xvfb.log" 2>&1 &
    e2e_wait "[ -s $logs/display ]" 20 || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(cat "$logs/display")
    "$(dirname "${BASH_SOURCE[0]}")/../../scripts/demo-session" "$user" &
}

# step WHAT COMMAND...: one step of what a person does; when it fails, a picture of the
# screen, the windows shown and what the session's programs said, and the end.
step() {
    local what=$1 shot
    shift
    desktop_step=$((desktop_step + 1))
    echo "== $desktop_step. $what"
    "$@" && return 0
    shot=$(printf '%s/step%02d.png' "$DESKTOP_FAILURES" "$desktop_step")
    import -window root "$shot" >/dev/null 2>&1
    echo "FAIL: step $desktop_step, \"$what\", did not happen; the screen then: $shot" >&2
    echo "--- the windows shown"
    xdotool search --onlyvisible --name . 2>&1 | while read -r window; do xdotool getwindowname "$window"; done | sort -u
    for log in /tmp/session-*.log "$desktop_logs/xvfb.log"; do
        echo "--- $log"
        cat "$log"
    done
    exit 1
}

# The pattern that finds a window by its whole title. xdotool reads titles in the C
# library's "C" locale, where letters beyond ASCII are lost: any run of them matches.
title_pattern() { # TITLE
    printf '^%s$' "$1" | LC_ALL=C sed 's/[\x80-\xff][\x80-\xff]*/.*/g'
}
shown() { # TITLE: a window with that title is on the screen
    xdotool search --onlyvisible --name "$(title_pattern "$1")" >/dev/null 2>&1
}
await_window() { # TITLE
    e2e_wait "shown '$1'" 30
}
await_no_window() { # TITLE
    e2e_wait "! shown '$1'" 30
}
window_id() { # TITLE
    xdotool search --onlyvisible --name "$(title_pattern "$1")" 2>/dev/null | head -n 1
}
# keys TITLE KEY...: the window is brought to the front and given the keys.
keys() {
    local window
    window=$(window_id "$1")
    shift
    [ -n "$window" ] && timeout 20 xdotool windowactivate --sync "$window" key --delay 80 "$@"
}
# write TITLE TEXT: the window is brought to the front and the text typed into it.
write() {
    local window
    window=$(window_id "$1")
    [ -n "$window" ] && timeout 20 xdotool windowactivate --sync "$window" type --delay 60 "$2"
}
# click TITLE X Y: a left click at that place of the window.
click() {
    local window
    window=$(window_id "$1")
    [ -n "$window" ] && timeout 20 xdotool windowactivate --sync "$window" mousemove --window "$window" "$2" "$3" click 1
}
# The tray's icon, once it is docked in the panel (a child of another window than the
# screen's root).
tray_icon() {
    local icon root
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    for icon in $(xdotool search --onlyvisible --classname psidock 2>/dev/null); do
        [ "$(xwininfo -tree -id "$icon" | awk '/Parent window id:/ { print $4 }')" != "$root" ] && echo "$icon" && return
    done
}
tray_menu_shown() {
    xdotool search --onlyvisible --classname tuvoratray >/dev/null 2>&1
}
# Right-clicks the icon until its menu shows (a tray at work on a policy takes no clicks,
# and a person clicks again).
open_tray_menu() {
    local icon tries=10
    until tray_menu_shown; do
        [ "$tries" -gt 0 ] || return 1
        tries=$((tries - 1))
        icon=$(tray_icon)
        [ -n "$icon" ] && xdotool mousemove --window "$icon" 8 8 click 3
        e2e_wait tray_menu_shown 3
    done
}
# tray_menu KEY...: opens the menu and picks an entry with the keys given.
tray_menu() {
    open_tray_menu && xdotool key --delay 80 "$@"
}
# The password dialog comes up; the password goes in and the dialog away.
give_password() {
    await_window "$DESKTOP_LOGIN" && write "$DESKTOP_LOGIN" "$DESKTOP_PASSWORD" && keys "$DESKTOP_LOGIN" Return &&
        await_no_window "$DESKTOP_LOGIN"
}
# The keys that take a schedule table's focus to a cell and switch it: DAY HOUR
# (day 0 = Sunday).
cell_keys() {
    local keys=(ctrl+Home) i
    for ((i = 0; i < $1; i++)); do keys+=(Down); done
    for ((i = 0; i < $2; i++)); do keys+=(Right); done
    echo "${keys[@]} space"
}
# mark_hours EDITOR_TITLE: on a schedule page of the policy editor, with the focus on the
# page list, clears the table with its Select All box, then switches on the hours read
# from the standard input ("DAY HOUR" lines). Ends with the focus on the page list.
mark_hours() {
    local editor=$1 day hour
    keys "$editor" Tab Tab space shift+Tab || return 1
    while read -r day hour; do
        keys "$editor" $(cell_keys "$day" "$hour") || return 1
    done
    keys "$editor" shift+Tab
}
