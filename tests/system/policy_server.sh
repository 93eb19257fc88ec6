#!/bin/bash
# The policy server side: Debian's lighttpd with the suite's configuration serves
# /opt/tuvorass/lists under /tuvss, the paths the clients' trays poll.
#   policy_server.sh SYSTEM_SOURCE_DIR   (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
src=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
[ "${TUVORA_SANDBOX_NET:-}" = inside ] || { echo "run me through scripts/sandbox with TUVORA_SANDBOX_NET=1" >&2; exit 2; }
if [ "$(tr -s ' ' < /proc/self/uid_map)" != " 0 0 4294967295" ]; then
    echo "skipped: needs the machine's root (lighttpd switches to its own user)"
    exit 77
fi

mkdir -p /etc/lighttpd/conf-enabled /opt/tuvorass/lists
ln -sfn ../conf-available/50-tuvss.conf /etc/lighttpd/conf-enabled/50-tuvss.conf
cp "$src"/server/* /opt/tuvorass/lists/
echo "Mon Dec  7 09:00:00 UTC 2026" > /opt/tuvorass/lists/schoolpv
printf '<Policy><Name>Escola</Name></Policy>\n' > /opt/tuvorass/lists/school.xml
lighttpd -tt -f /etc/lighttpd/lighttpd.conf || fail "lighttpd rejects the configuration"
lighttpd -f /etc/lighttpd/lighttpd.conf </dev/null >/dev/null 2>&1 || fail "lighttpd did not start"
trap 'kill $(cat /run/lighttpd.pid 2>/dev/null) 2>/dev/null' EXIT
for _ in $(seq 50); do ss -ltnH 'sport = :80' | grep -q . && break; sleep 0.1; done

get() { wget -q -t 1 -T 2 -O - "http://127.0.0.1/tuvss/$1"; }
get isTuvss >/dev/null || fail "the probe document isTuvss is not served"
[ "$(get schoolpv)" = "Mon Dec  7 09:00:00 UTC 2026" ] || fail "schoolpv: $(get schoolpv)"
[ "$(get school.xml)" = "<Policy><Name>Escola</Name></Policy>" ] || fail "school.xml: $(get school.xml)"
get parent.xml >/dev/null || fail "the empty parent.xml is not served"
[ -z "$(get parent.xml)" ] || fail "parent.xml is not empty"
get "" >/dev/null 2>&1 && fail "the folder is listed"
get missing.xml >/dev/null 2>&1 && fail "a missing file was served"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
