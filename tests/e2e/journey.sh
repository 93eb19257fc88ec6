#!/bin/bash
# End to end, a parent's journey through the windows, gone the way a person goes it. On a
# desktop (Xvfb, the demo's window manager and panel) whose session is a child's
# account, the installed tray is docked; its menu opens the administration program behind
# the administrator password, where a new policy gets a site in its black list, a banned
# word and the current hour in both schedules, and is activated. The real squid and
# content filter then block the site and the page with the word; Free of Control Mode
# lets both through, Under Control Mode blocks them again, and Exit with the password
# ends the tray and the administration program, leaving the policy marked active.
# Only keys and clicks on windows found by their titles drive the programs. A step that
# fails leaves a picture of the screen in OUTPUT_DIR.
#   journey.sh BUILD_DIR OUTPUT_DIR      (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$E2E_HERE/../.." && pwd)
E2E_DOMAINS="games.test open.test"
. "$E2E_HERE/harness.sh"
. "$E2E_HERE/desktop.sh"
. "$top/scripts/paths"
. "$top/scripts/suite-in-sandbox"
build=$1
out=$2
DESKTOP_PASSWORD=Pai-2026
site=games.test
word=jogatina
name=Homework

e2e_start
journey_end() {
    local status=$?
    suite_end_namespace
    (exit "$status")
    e2e_stop
}
trap journey_end EXIT
rm -rf "$out"
mkdir -p "$out"
DESKTOP_FAILURES=$out

suite_install "$build" "$E2E_DIR/install.log" || exit 1
suite_set_password "$build" "$DESKTOP_PASSWORD" || exit 1
desktop_start "$(suite_session_user)" "$E2E_DIR" || exit 1

# The hour of now as "DAY HOUR" (day 0 = Sunday), in the programs' time zone; near its
# end the next hour too, so that the journey does not outrun the hour it marked.
hours_to_mark() {
    local day hour minute
    read -r day hour minute < <(env -u TZ date '+%w %-H %-M')
    echo "$day $hour"
    [ "$minute" -lt 50 ] || echo "$(((day + (hour + 1) / 24) % 7)) $(((hour + 1) % 24))"
}
# web WANT URL...: each address gives WANT (see e2e_fetch; "blocked": banned, denied or
# refused), waiting a while for the filter to take up its new rules.
gives() { # WANT URL
    case "$1:$(e2e_fetch "$2")" in
        blocked:banned | blocked:denied | blocked:refused | "$1:$1") return 0 ;;
        *) return 1 ;;
    esac
}
web() {
    local want=$1 url
    shift
    for url in "$@"; do
        e2e_wait "gives $want '$url'" 30 || { echo "$url: expected $want, got $(e2e_fetch "$url")" >&2; return 1; }
    done
}
policy_file() {
    grep -l "<Name>$name</Name>" "$Paths_PolicyDir"/policy_*.xml 2>/dev/null | head -n 1
}
# Processes of this namespace with that name (other sandboxes' are not this journey's).
running_here() {
    local pid
    for pid in $(suite_namespace_processes); do
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$1" ] && return 0
    done
    return 1
}

step "the tray docks in the panel" e2e_wait "[ -n \"\$(tray_icon)\" ]" 60
step "Policy Configuration in the tray's menu asks for the password" \
    eval 'tray_menu Down Return && await_window "Tuvora - Login"'
step "the password opens the policy list" eval 'give_password && await_window "Tuvora - Configuration"'
step "New opens the policy editor" eval 'keys "Tuvora - Configuration" alt+n && await_window Tuvora'
# The editor opens with the focus on its page list.
step "name and description" eval 'keys Tuvora Tab && write Tuvora "$name" && keys Tuvora Tab &&
    write Tuvora "No games during homework"'
step "a site into the black list of the Internet page" eval 'keys Tuvora shift+Tab shift+Tab Down Tab Tab Tab &&
    write Tuvora "$site" && keys Tuvora Return'
step "a banned word on the Content Filter tab" eval 'keys Tuvora shift+Tab shift+Tab Right Tab &&
    write Tuvora "$word" && keys Tuvora Return'
step "the current hour in the internet schedule" eval 'keys Tuvora shift+Tab shift+Tab Down Down &&
    mark_hours Tuvora < <(hours_to_mark)'
step "the current hour in the application schedule" eval 'keys Tuvora Down && mark_hours Tuvora < <(hours_to_mark)'
step "OK saves the policy" eval 'keys Tuvora alt+s && await_no_window Tuvora && [ -n "$(policy_file)" ]'
# A click in the list's empty part gives it the focus; typing the name selects the row,
# and three tabs lead to Activate.
step "Activate puts the new policy into force" eval 'click "Tuvora - Configuration" 200 250 &&
    write "Tuvora - Configuration" "$name" && keys "Tuvora - Configuration" Tab Tab Tab space &&
    e2e_wait "grep -q \"<Status>1</Status>\" \"\$(policy_file)\"" 30'
step "the site and the page with the word are blocked, others pass" \
    eval 'web blocked "http://$site/" && web banned "http://open.test/say/$word" && web passed http://open.test/'
step "Free of Control Mode, with the password, lets both through" \
    eval 'tray_menu Down Down Down Return && give_password && web passed "http://$site/" "http://open.test/say/$word"'
step "Under Control Mode, with the password, blocks them again" \
    eval 'tray_menu Down Down Return && give_password && web blocked "http://$site/" &&
    web banned "http://open.test/say/$word"'
step "Exit, with the password, ends the tray and the administration program" \
    eval 'tray_menu Up Return && give_password && e2e_wait "! running_here tuvoratray && ! shown \"Tuvora - Configuration\"" 20'
step "the policy stays marked active, lifted until the next session" \
    eval 'grep -q "<Status>1</Status>" "$(policy_file)" && web passed "http://$site/"'
echo "the journey went through"
