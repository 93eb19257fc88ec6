#!/bin/bash
# End to end: policies put into force by enactpolicy, as root's cron table runs it, and
# checked with a real HTTP client against the real squid and content filter behind the
# firewall's web redirect. Monday 2026-12-07 serves as the day of the week.
#   filter.sh BUILD_DIR      (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/harness.sh"
build=$1
enactpolicy=$build/enactpolicy/enactpolicy
policy=$build/tests/e2e/e2epolicy
monday_0900='2026-12-07 09:00:00'
monday_1200='2026-12-07 12:00:00'

e2e_start

enact_at() {
    e2e_at "$1" "$enactpolicy" -1 activate 1 >>"$E2E_DIR/enactpolicy.log" 2>&1 \
        || e2e_fail "enactpolicy at $1 did not finish"
}
filter_pid() {
    cat /run/tuvora-dansguardian.pid 2>/dev/null
}
squid_reconfigures() {
    grep -c 'Reconfiguring Squid Cache' /var/log/squid/cache.log 2>/dev/null || true
}
set_control_mode() {
    sed -i "s#<Status>[0-9]*</Status>#<Status>$1</Status>#" /etc/tuvora/policyConfig.xml
}

maca=$(printf 'ma\xc3\xa7\xc3\xa3')            # a banned word with non-ASCII letters
maca_url=ma%C3%A7%C3%A3

echo "== Black list, Monday 09:00 (a restricted hour)"
"$policy" 1 --black --url games.test --url social.test --word jogatina --word "$maca" \
    --internet 1:8-11 --active
enact_at "$monday_0900"
e2e_expect banned http://games.test/ http://www.games.test/ http://social.test/
e2e_expect passed http://open.test/ http://school.test/ http://open.test/say/harmless
e2e_expect banned http://open.test/say/jogatina "http://open.test/say/$maca_url" \
    "http://school.test/say/a%20$maca_url%20a"
echo "== ... and over HTTPS, by the server name alone"
e2e_expect refused https://games.test/ https://www.games.test/
# Without a server name (a bare address) nothing can be checked: refused.
e2e_expect refused "https://$E2E_ORIGIN/"
e2e_expect passed https://open.test/ https://school.test/

echo "== ... and for a browser set to use squid, or the filter, as its proxy"
for proxy in http://127.0.0.1:3128 http://127.0.0.1:8080; do
    for url in http://games.test/ https://games.test/ http://open.test/say/jogatina; do
        got=$(curl -k -s -m 10 -x "$proxy" "$url" 2>/dev/null)
        case "$got" in *"tuvora-e2e-origin"*) e2e_fail "$url through the proxy $proxy passed" ;; esac
    done
    curl -s -m 10 -x "$proxy" http://open.test/ | grep -q "tuvora-e2e-origin page of open.test<" \
        || e2e_fail "http://open.test/ through the proxy $proxy did not pass"
done

echo "== Monday 12:00: a free hour of the internet grid, everything passes"
enact_at "$monday_1200"
e2e_expect passed http://games.test/ http://social.test/ "http://open.test/say/$maca_url" https://games.test/

echo "== Free of Control: 09:00 again with Status 0, nothing blocked and nothing reloaded"
set_control_mode 0
pid_before=$(filter_pid)
reconfigures_before=$(squid_reconfigures)
enact_at "$monday_0900"
e2e_expect passed http://games.test/ http://open.test/say/jogatina https://games.test/
[ "$(filter_pid)" = "$pid_before" ] || e2e_fail "the content filter was restarted in Free of Control"
[ "$(squid_reconfigures)" = "$reconfigures_before" ] || e2e_fail "squid was reloaded in Free of Control"
set_control_mode 1

echo "== White list, Monday 09:00: only school.test, library.test and their subdomains"
"$policy" 1 --black --url games.test --internet 1:8-11
"$policy" 2 --white --allow school.test --allow library.test --word jogatina --internet 1:8-11 --active
enact_at "$monday_0900"
e2e_expect passed http://school.test/ http://lab.school.test/ http://library.test/
e2e_expect blocked http://open.test/ http://games.test/ http://social.test/
e2e_expect banned http://school.test/say/jogatina
echo "== ... and over HTTPS"
e2e_expect passed https://school.test/ https://lab.school.test/
e2e_expect blocked https://open.test/ https://games.test/

echo "== A white list without any domain keeps every site out (squid's list file is then absent)"
"$policy" 2 --white --internet 1:8-11 --active
enact_at "$monday_0900"
e2e_expect blocked http://school.test/ http://open.test/ https://open.test/

echo "== Monday 12:00: the white list is lifted"
enact_at "$monday_1200"
e2e_expect passed http://open.test/ https://games.test/

[ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed"
