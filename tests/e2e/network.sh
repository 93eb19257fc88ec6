#!/bin/bash
# End to end, the network mode: a "school server" (a network namespace of its own, with
# its own /etc/tuvora in machine mode 1) publishes policies with the engine and serves
# them with the real lighttpd and the suite's /tuvss configuration; the "classroom
# machine" (the test's namespace, its default route through the server over a veth
# pair) runs the tray's network check and periodic work as a normal user, with the real
# squid, content filter and web redirect. Web pages are fetched through the redirect.
#   network.sh BUILD_DIR TRAYDRIVER    (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/harness.sh"
build=$1
driver=$2
policy=$build/tests/e2e/e2epolicy
server=10.77.0.1
client=10.77.0.2
school_ns=tuvora-school
tick=4 # seconds between two checks of the classroom machine (the tray's are 10)

e2e_start
school_etc=$E2E_DIR/school-etc
tray_log=$E2E_DIR/tray.log
driver_pid=
network_cleanup() {
    if [ "$E2E_FAILURES" -ne 0 ]; then
        echo "--- the tray's work"; tail -n 20 "$E2E_DIR/traydriver.log" "$tray_log" 2>/dev/null
    fi
    [ -n "$driver_pid" ] && kill "$driver_pid" 2>/dev/null && wait "$driver_pid" 2>/dev/null
    stop_server
    ip netns del "$school_ns" 2>/dev/null
}
trap 'status=$?; network_cleanup; (exit $status); e2e_stop' EXIT

echo "== The school server and the classroom machine, joined by a veth pair"
ip netns add "$school_ns" || exit 1
ip link add tuvora-c type veth peer name tuvora-s
ip link set tuvora-s netns "$school_ns"
ip addr add "$client/24" dev tuvora-c
ip link set tuvora-c up
ip -n "$school_ns" addr add "$server/24" dev tuvora-s
ip -n "$school_ns" link set tuvora-s up
ip -n "$school_ns" link set lo up
ip route add default via "$server"

mkdir -p "$school_etc/lists"
sed -e 's#<Type>[0-9]*</Type>#<Type>1</Type>#' /etc/tuvora/policyConfig.xml > "$school_etc/policyConfig.xml"
chmod 600 "$school_etc/policyConfig.xml"
# A command on the school server: its network namespace, its own /etc/tuvora.
school() {
    ip netns exec "$school_ns" sh -c 'mount --bind "$0" /etc/tuvora && exec "$@"' "$school_etc" "$@"
}
mkdir -p /etc/lighttpd/conf-enabled /opt/tuvorass/lists
ln -sfn ../conf-available/50-tuvss.conf /etc/lighttpd/conf-enabled/50-tuvss.conf
cp "$E2E_HERE/../../system/server/"* /opt/tuvorass/lists/
start_server() {
    school lighttpd -f /etc/lighttpd/lighttpd.conf </dev/null >/dev/null 2>&1 || e2e_fail "lighttpd did not start"
    e2e_wait "ip netns exec $school_ns ss -ltnH 'sport = :80' | grep -q ." 10 || e2e_fail "lighttpd does not listen"
}
stop_server() {
    local pid
    pid=$(cat /run/lighttpd.pid 2>/dev/null) || return 0
    kill "$pid" 2>/dev/null
    e2e_wait "! kill -0 $pid 2>/dev/null" 10
    rm -f /run/lighttpd.pid
}
start_server
# publish NUMBER OPTIONS...: the server's policy written anew and published by the
# engine; withdraw: the same policy, marked active, taken back. Two changes in one
# second would give the same date stamp.
publish() {
    sleep 1
    school "$policy" "$@" --enact || e2e_fail "publishing $* failed"
}
withdraw() {
    sleep 1
    school "$policy" "$@" --active --enact || e2e_fail "withdrawing $* failed"
}
school_2=(2 --black --url games.test --type 2)
school_3=(3 --black --url library.test --type 2)
parent_4=(4 --black --url open.test --type 1)

echo "== The classroom machine: a white list in force, the tray's work started by a normal user"
sed -i -e 's#<Type>[0-9]*</Type>#<Type>0</Type>#' -e 's#<Status>[0-9]*</Status>#<Status>1</Status>#' \
    -e 's#<NextPolicy>[0-9]*</NextPolicy>#<NextPolicy>7</NextPolicy>#' /etc/tuvora/policyConfig.xml
# Only these sites: without the rule that keeps the server out of the redirect, the
# classroom machine could not reach it either.
"$policy" 1 --white --allow open.test --allow school.test --allow library.test --enact
e2e_expect passed http://open.test/ http://school.test/
e2e_expect blocked http://games.test/ http://social.test/
cp "$driver" "$E2E_DIR/traydriver"
chown root:root "$E2E_DIR/traydriver"
chmod 4755 "$E2E_DIR/traydriver"
: > "$tray_log"
chmod 666 "$tray_log"
# The tray runs as the session's user, set-user-id root like the installed program.
driver_user=${TUVORA_E2E_TRAY_USER:-nobody}
setpriv --reuid="$driver_user" --regid="$(id -gn "$driver_user")" --clear-groups env -i "$E2E_DIR/traydriver" \
    "$tray_log" $((tick * 1000)) >"$E2E_DIR/traydriver.log" 2>&1 </dev/null &
driver_pid=$!

now_ms() { date +%s%3N; }
# The tray's log tells when a change has ended: its menu changes once the policy is in
# force. mark gives the log's length; wait_mode FROM WHAT SECONDS waits until a line
# WHAT comes after line FROM, and prints the milliseconds it took.
mark() { wc -l < "$tray_log"; }
wait_mode() {
    local from=$1 want=$2 limit=$3 start
    start=$(now_ms)
    until tail -n +$((from + 1)) "$tray_log" | grep -q " $want\$"; do
        if [ $(($(now_ms) - start)) -gt $((limit * 1000)) ]; then
            echo "no \"$want\" in the tray's log after ${limit}s" >&2
            return 1
        fi
        sleep 0.1
    done
    echo $(($(now_ms) - start))
}
# Milliseconds from the start of the check that found the new stamp to the policy in force.
since_tick() {
    tail -n +$(($1 + 1)) "$tray_log" | awk '/ tick$/ { tick = $1 } / network$/ { print $1 - tick; exit }'
}
local_policy_marked() {
    grep -q '<Status>1</Status>' /etc/tuvora/lists/policy_1.xml
}
# One check period, and the services' restart of the policy's activation.
period=$((tick + 10))
# The local white list (games.test denied by squid), the two school policies (a page
# banned by the filter).
expect_local() {
    e2e_expect denied http://games.test/ http://social.test/
    e2e_expect passed http://open.test/ http://library.test/ http://school.test/
    local_policy_marked || e2e_fail "the local policy is not marked active"
}

echo "== The school policy arrives and is in force"
from=$(mark)
publish "${school_2[@]}"
took=$(wait_mode "$from" network $((period + tick))) || e2e_fail "the school policy did not come"
echo "   from the new school stamp to the school policy in force: ${took} ms ($(since_tick "$from") ms from the check)"
e2e_expect banned http://games.test/
e2e_expect passed http://social.test/ http://open.test/
local_policy_marked || e2e_fail "the local policy is no longer marked active"
[ "$(iptables -t nat -S OUTPUT | sed -n 2p)" = "-A OUTPUT -d $server/32 -j RETURN" ] \
    || e2e_fail "the traffic to the server is not kept out of the redirect: $(iptables -t nat -S OUTPUT)"
[ "$(iptables -t nat -S OUTPUT | grep -c RETURN)" -eq 1 ] || e2e_fail "more than one rule for the server"

echo "== A changed stamp brings the new rules"
from=$(mark)
publish "${school_3[@]}"
took=$(wait_mode "$from" network "$period") || e2e_fail "the new school policy did not come"
echo "   from the new school stamp to the new policy in force: ${took} ms ($(since_tick "$from") ms from the check)"
e2e_expect banned http://library.test/
e2e_expect passed http://games.test/

echo "== An empty school.xml brings the local policy back"
from=$(mark)
withdraw "${school_3[@]}"
took=$(wait_mode "$from" local "$period") || e2e_fail "the local policy did not come back"
echo "   from the withdrawal to the local policy in force: ${took} ms"
expect_local

echo "== A stopped server brings the local policy back"
withdraw "${school_2[@]}" # still marked active on the server
from=$(mark)
publish "${school_2[@]}"
wait_mode "$from" network "$period" >/dev/null || e2e_fail "the school policy did not come again"
from=$(mark)
stop_server
took=$(wait_mode "$from" local "$period") || e2e_fail "the local policy did not come back"
echo "   from the server's stop to the local policy in force: ${took} ms"
expect_local
echo "== ... and the same school policy again once the server is back"
from=$(mark)
start_server
wait_mode "$from" network "$period" >/dev/null || e2e_fail "the school policy did not come back with the server"
e2e_expect banned http://games.test/

echo "== A parent policy of type 1 lands in the local list under NextPolicy"
from=$(mark)
publish "${parent_4[@]}"
wait_mode "$from" "restart admin" "$period" >/dev/null || e2e_fail "the parent policy did not come"
grep -q '<Type>1</Type>' /etc/tuvora/lists/policy_7.xml 2>/dev/null || e2e_fail "no policy_7.xml of type 1"
grep -q '<NextPolicy>8</NextPolicy>' /etc/tuvora/policyConfig.xml || e2e_fail "NextPolicy did not grow"
e2e_expect passed http://open.test/

echo "== A file the user plants where downloads once went is never loaded"
"$policy" 91 --black --url school.test --type 2 --active >/dev/null
mv /etc/tuvora/lists/policy_91.xml "$E2E_DIR/planted.xml" && chmod 644 "$E2E_DIR/planted.xml"
setpriv --reuid=nobody --regid=nogroup --clear-groups sh -c \
    "cp $E2E_DIR/planted.xml /tmp/school.xml && ln -s /tmp/school.xml /tmp/parent.xml" || e2e_fail "could not plant"
setpriv --reuid=nobody --regid=nogroup --clear-groups touch /var/lib/tuvora/network/school.xml 2>/dev/null \
    && e2e_fail "a user could write into the network folder"
[ "$(stat -c '%a %U' /var/lib/tuvora/network)" = "700 root" ] || e2e_fail "the network folder is not root's own"
from=$(mark)
withdraw "${parent_4[@]}" # parent.xml empty: a download all the same
wait_mode "$from" "restart admin" "$period" >/dev/null || e2e_fail "the empty parent.xml was not taken"
[ -e /etc/tuvora/lists/policy_7.xml ] && e2e_fail "the empty parent.xml did not remove policy_7.xml"
e2e_expect passed http://school.test/
cmp -s /tmp/school.xml "$E2E_DIR/planted.xml" || e2e_fail "the planted file was touched"

echo "== A teacher policy in the incoming folder is in force within 10 s; an inactive one ends teacher mode"
# Each written beside the folder's files under another name, then renamed into it.
drop_teacher_policy() {
    cp "$school_etc/lists/policy_$1.xml" "/etc/tuvora/incoming/.policy_$1.part"
    mv "/etc/tuvora/incoming/.policy_$1.part" "/etc/tuvora/incoming/policy_$1.xml"
}
school "$policy" 90 --black --url school.test --active >/dev/null
from=$(mark)
drop_teacher_policy 90
took=$(wait_mode "$from" teacher 10) || e2e_fail "the teacher policy was not in force within 10 s"
echo "   from the teacher policy's drop to it in force: ${took} ms"
e2e_expect banned http://school.test/
e2e_expect passed http://games.test/
school "$policy" 92 --black --url library.test >/dev/null
from=$(mark)
drop_teacher_policy 92
took=$(wait_mode "$from" local 10) || e2e_fail "the inactive teacher policy did not end teacher mode"
echo "   from the inactive teacher policy's drop to the local policy in force: ${took} ms"
[ -z "$(ls -A /etc/tuvora/incoming)" ] || e2e_fail "the incoming folder is not empty: $(ls -A /etc/tuvora/incoming)"
local_policy_marked || e2e_fail "the local policy is not marked active"
# Out of teacher mode the network check goes on at once: the school policy comes again,
# and the teacher's rules are gone.
from=$(mark)
wait_mode "$from" network "$period" >/dev/null || e2e_fail "the network check did not resume"
e2e_expect banned http://games.test/
e2e_expect passed http://school.test/

kill -0 "$driver_pid" 2>/dev/null || e2e_fail "the tray's work ended: $(tail -n 5 "$E2E_DIR/traydriver.log")"
[ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed"
