#!/bin/bash
# Measures the switch from one black list to a black list of 100,000 domains: the time
# from enactpolicy's start until the filter enforces the new list, service restarts
# included. Meanwhile a client keeps asking for a domain of both lists, which must never
# pass: while the filter restarts its connections are refused, not let through.
#   switch_time.sh BUILD_DIR     (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/harness.sh"
build=$1
enactpolicy=$build/enactpolicy/enactpolicy
policy=$build/tests/e2e/e2epolicy
limit_ms=${TUVORA_SWITCH_LIMIT_MS:-15000}   # a loaded CI machine is slower; the target is 5 s

e2e_start

echo "== Black list A: games.test"
"$policy" 1 --black --url games.test --internet all --active
e2e_at "2026-12-07 09:00:00" "$enactpolicy" -1 activate 1 >/dev/null 2>&1
e2e_expect banned http://games.test/
e2e_expect passed http://social.test/

echo "== Black list B: 100,000 domains, games.test and social.test among them"
seq -f 'd%06g.test' 1 99998 > "$E2E_DIR/domains"
printf 'games.test\nsocial.test\n' >> "$E2E_DIR/domains"
"$policy" 1 --black --urls-from "$E2E_DIR/domains" --internet all --active

probe_log=$E2E_DIR/probes
: > "$probe_log"
(
    # Bounded: at most 60 s or 2000 requests.
    end=$((SECONDS + 60)) n=0
    while [ ! -e "$E2E_DIR/stop" ] && [ $SECONDS -lt $end ] && [ $n -lt 2000 ]; do
        for url in http://games.test/ http://social.test/; do
            verdict=$(E2E_DIR=$E2E_DIR/p e2e_fetch "$url")
            echo "$(date +%s%3N) $url $verdict" >> "$probe_log"
        done
        n=$((n + 1))
    done
) &
prober=$!
mkdir -p "$E2E_DIR/p"
sleep 1
start=$(date +%s%3N)
e2e_at "2026-12-07 09:00:00" "$enactpolicy" -1 activate 1 >/dev/null 2>&1
done_at=$(date +%s%3N)
# Let the probes run until the new list has held for a few seconds.
e2e_wait "[ \$(tail -n 6 $probe_log | grep -c 'social.test/ banned') -ge 3 ]" 30
sleep 1
touch "$E2E_DIR/stop"
wait "$prober"

# Anything but the origin's page counts as kept out: the block page, a refused
# connection, or the filter's error page while squid re-reads its configuration.
leaks=$(awk -v t="$start" '$1 >= t && $2 == "http://games.test/" && $3 == "passed"' "$probe_log")
[ -z "$leaks" ] || e2e_fail "games.test was not kept out during the switch: $(echo "$leaks" | head -3)"
# social.test: passed (old list) until the switch, then kept out, never passed again.
enforced=$(awk -v t="$start" '$1 >= t && $2 == "http://social.test/" {
        if ($3 == "banned" && first == "") first = $1
        if ($3 == "passed" && first != "") late = 1
    }
    END { if (late || first == "") print "bad"; else print first }' "$probe_log")
if [ "$enforced" = bad ]; then
    e2e_fail "social.test was not blocked for good after the switch"
    grep social "$probe_log" | tail -n 20
else
    ms=$((enforced - start))
    echo "enactpolicy ran $((done_at - start)) ms; the 100,000-domain list was enforced after $ms ms"
    echo "verdicts during and after the switch (none may be a pass of games.test):"
    awk -v t="$start" '$1 >= t { print "   " $2 " " $3 }' "$probe_log" | sort | uniq -c
    [ "$ms" -le "$limit_ms" ] || e2e_fail "the switch took $ms ms (limit $limit_ms ms)"
fi

[ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed"
