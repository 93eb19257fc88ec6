#!/bin/bash
# End to end: a policy switched on through the engine (Policy::enact, as the desktop
# programs do it) installs root's cron table; the commands of its lines, run at their
# own (faked) hours, switch the web filter and the application block on and off.
#   schedule.sh BUILD_DIR RECORDARGS   (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/harness.sh"
build=$1
recordargs=$2
policy=$build/tests/e2e/e2epolicy
sunday=2026-12-06   # the week the faked hours fall in: day 0 is this Sunday

e2e_start

# The gate script and a recording appstop stand-in (the real one needs a desktop).
install -m 755 "$E2E_HERE/../../system/bin/blocking.sh" /usr/bin/blocking.sh
install -m 755 "$recordargs" /usr/bin/appstop
export RECORD_ARGS=$E2E_DIR/appstop.calls
printf '#!/bin/sh\necho "the game runs: $*"\n' > /usr/local/bin/e2egame
chmod 755 /usr/local/bin/e2egame
ln -sf /usr/local/bin/e2egame /usr/bin/e2egame-alias

# The time of a cron line's first hour: "MM H[,H...] * * D  COMMAND".
line_time() {
    local minute hour day
    read -r minute hour _ _ day _ <<<"$1"
    hour=${hour%%,*}
    printf '%s %02d:%02d:00' "$(date -d "$sunday + $day days" +%F)" "$hour" "$minute"
}
line_command() {
    sed -E 's/^([^ ]+ +){5}//' <<<"$1"
}

echo "== Switching on, Monday 07:00 (free): internet Monday 08-09, the game Monday 08-09"

e2e_at "2026-12-07 07:00:00" "$policy" 1 --black --url games.test --internet 1:8-9 \
    --apps 1:8-9 --app /usr/share/applications/e2egame.desktop="e2egame %u" --enact \
    >>"$E2E_DIR/enact.log" 2>&1 || e2e_fail "Policy::enact did not finish"
crontab -u root -l > "$E2E_DIR/crontab" 2>/dev/null || e2e_fail "no cron table for root"
cat "$E2E_DIR/crontab"
expected="00 8 * * 1  /usr/bin/enactpolicy -1 activate 2
00 10 * * 1  /usr/bin/enactpolicy -1 schedule_deactivation 2
55 7 * * 1  /usr/bin/touch /var/lib/tuvora/policyappwarning
00 8 * * 1  /usr/bin/enactpolicy -1 activate 1
00 10 * * 1  /usr/bin/enactpolicy -1 schedule_deactivation 1
55 7 * * 1  /usr/bin/touch /var/lib/tuvora/policyintwarning"
[ "$(grep -v '^$' "$E2E_DIR/crontab")" = "$expected" ] || e2e_fail "root's cron table differs from the policy's schedule"
e2e_expect passed http://games.test/
[ "$(e2egame x)" = "the game runs: x" ] || e2e_fail "the game is blocked in a free hour"

# cron runs /usr/bin/enactpolicy; here that is the build's.
ln -sf "$build/enactpolicy/enactpolicy" /usr/bin/enactpolicy

echo "== The internet 'activate' line, run at its hour"
activate=$(grep 'activate 1$' "$E2E_DIR/crontab")
when=$(line_time "$activate")
[ "$when" = "2026-12-07 08:00:00" ] || e2e_fail "activate line at $when"
e2e_at "$when" sh -c "$(line_command "$activate")" >>"$E2E_DIR/enact.log" 2>&1
e2e_expect banned http://games.test/
e2e_expect refused https://games.test/
e2e_expect passed http://open.test/

echo "== The game, launched by its name in a restricted hour, meets the gate"
rm -f "$RECORD_ARGS"
out=$(cd / && PATH=/usr/local/bin:/usr/bin:/bin e2egame --level 3)
[ -z "$out" ] || e2e_fail "the blocked game ran: $out"
[ "$(cat "$RECORD_ARGS" 2>/dev/null)" = "$(printf 'argv0=/usr/local/bin/e2egame\narg=--level\narg=3')" ] \
    || e2e_fail "appstop was started as: $(cat "$RECORD_ARGS" 2>/dev/null)"
[ -L /usr/local/bin/e2egame ] && [ "$(readlink /usr/local/bin/e2egame)" = /usr/bin/blocking.sh ] \
    || e2e_fail "the game's path is not a link to the gate"

echo "== The 'schedule_deactivation' line, run at its hour"
deactivate=$(grep 'schedule_deactivation 1$' "$E2E_DIR/crontab")
when=$(line_time "$deactivate")
[ "$when" = "2026-12-07 10:00:00" ] || e2e_fail "deactivation line at $when"
e2e_at "$when" sh -c "$(line_command "$deactivate")" >>"$E2E_DIR/enact.log" 2>&1
e2e_expect passed http://games.test/ https://games.test/
[ "$(e2egame y)" = "the game runs: y" ] || e2e_fail "the game is still blocked after the deactivation line"
crontab -u root -l 2>/dev/null | grep -q 'activate 1$' || e2e_fail "the cron table is gone after the deactivation line"

echo "== Switching off through the engine removes the cron table"
e2e_at "2026-12-07 08:30:00" "$policy" 1 --black --url games.test --internet 1:8-9 --active --enact \
    >>"$E2E_DIR/enact.log" 2>&1
crontab -u root -l >/dev/null 2>&1 && e2e_fail "root's cron table is still there"
e2e_expect passed http://games.test/

[ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed"
