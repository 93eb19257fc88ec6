#!/bin/bash
# End to end: the ways real clients (curl, Python's HTTP client, as root and as an
# ordinary user, without proxy settings) tried to get around the filter: a trailing
# dot, bare addresses, other ports, IPv6, QUIC, banned words the way real pages write
# them, and a white list left behind in Free of Control. Monday 2026-12-07 serves as
# the day of the week.
#   enforce.sh BUILD_DIR     (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/harness.sh"
build=$1
enactpolicy=$build/enactpolicy/enactpolicy
policy=$build/tests/e2e/e2epolicy
monday_0900='2026-12-07 09:00:00'
monday_1200='2026-12-07 12:00:00'

# other.test lives on a public address; games.test and library.test have an IPv6
# address as well, v6.test only one. The other names have IPv4 addresses only, so
# that each check below meets one way around the filter at a time.
E2E_HOSTS="$E2E_PUBLIC other.test other.test.
$E2E_PUBLIC6 games.test library.test games.test. library.test. v6.test"
e2e_start

enact_at() {
    e2e_at "$1" "$enactpolicy" -1 activate 1 >>"$E2E_DIR/enactpolicy.log" 2>&1 \
        || e2e_fail "enactpolicy at $1 did not finish"
}
set_control_mode() {
    sed -i "s#<Status>[0-9]*</Status>#<Status>$1</Status>#" /etc/tuvora/policyConfig.xml
}
user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
squid_user=(setpriv --reuid=proxy --regid=proxy --clear-groups)

# verdict_is WHAT GOT: "blocked" stands for banned, denied or refused.
verdict_is() {
    case "$1:$2" in
        blocked:banned | blocked:denied | blocked:refused | "$1:$1") return 0 ;;
    esac
    return 1
}
# python_expect WHAT URL...: like e2e_expect, with Python's HTTP client.
python_expect() {
    local want=$1 url got
    shift
    for url in "$@"; do
        got=$(python3 "$E2E_HERE/client.py" url "$url")
        verdict_is "$want" "$got" || e2e_fail "$url (Python): expected $want, got $got"
    done
}
# probe_expect WHAT tcp|udp ADDRESS PORT [COMMAND...]: a bare connection or datagram.
probe_expect() {
    local want=$1 kind=$2 address=$3 port=$4 got
    shift 4
    # Debian's own python3: another user may not reach the caller's.
    got=$("$@" /usr/bin/python3 "$E2E_HERE/client.py" "$kind" "$address" "$port" 2>&1)
    [ "$got" = "$want" ] || e2e_fail "$kind $address:$port${*:+ as $*}: expected $want, got $got"
}

word=$(printf 'proibi\xc3\xa7\xc3\xa3o')   # a banned word with non-ASCII letters
word_url=proibi%C3%A7%C3%A3o

echo "== Black list, Monday 09:00: games.test, social.test and two words banned"
"$policy" 1 --black --url games.test --url social.test --word jogatina --word "$word" --internet 1:8-11 --active
enact_at "$monday_0900"
e2e_expect banned http://social.test/

echo "== A trailing dot names the same site, over HTTP and HTTPS"
e2e_expect banned http://social.test./ http://www.games.test./
python_expect banned http://social.test./
python_expect refused https://social.test./ https://www.games.test./
python_expect passed http://open.test./ https://open.test./

echo "== Bare public addresses are refused, directly and through the proxy; private ones are not"
e2e_expect denied "http://$E2E_PUBLIC/" http://3405803783/
E2E_CURL="-x http://127.0.0.1:3128" e2e_expect blocked "https://$E2E_PUBLIC/" "http://$E2E_PUBLIC/"
e2e_expect passed "http://$E2E_LAN/" "http://$E2E_ORIGIN/"
E2E_CURL="-x http://127.0.0.1:3128" e2e_expect passed "https://$E2E_LAN/"

echo "== Other ports stay open under a black list"
e2e_expect passed http://other.test:8000/ "http://[$E2E_PUBLIC6]:8000/"

echo "== IPv6 web traffic is refused: clients fall back to IPv4 and the filter"
e2e_expect refused "http://[$E2E_PUBLIC6]/" "https://[$E2E_PUBLIC6]/" http://v6.test/
E2E_CLIENT="${user[*]}" e2e_expect refused "http://[$E2E_PUBLIC6]/" https://v6.test/
E2E_CURL=-6 e2e_expect refused http://games.test/ https://library.test/
e2e_expect banned http://games.test/
e2e_expect passed http://library.test/ https://library.test/
python_expect banned http://games.test/
python_expect refused https://games.test/

echo "== QUIC (UDP port 443) to public addresses is refused while the rules are in force"
probe_expect refused udp "$E2E_PUBLIC" 443
probe_expect refused udp "$E2E_PUBLIC" 443 "${user[@]}"
probe_expect refused udp "$E2E_PUBLIC6" 443
probe_expect passed udp "$E2E_LAN" 443

echo "== Banned words the way real pages write them"
for form in upper title latin1 latin1upper named decimal hex json jsonescaped javascript xhtml big3 big8; do
    e2e_expect banned "http://open.test/form/$form/$word_url"
done
E2E_CURL=--compressed e2e_expect banned "http://open.test/form/gzip/$word_url"
e2e_expect banned http://open.test/form/javascript/jogatina "http://open.test/form/upper/a%20jogatina%20a"
# ... and pages without them still pass, the large and the packed ones too.
for form in upper latin1 named json big8; do
    e2e_expect passed "http://open.test/form/$form/proibi%C3%A7%C3%B5es-n%C3%A3o"
done
E2E_CURL=--compressed e2e_expect passed http://open.test/form/gzip/harmless
echo "   a word split by a tag (a known limit, see README): $(e2e_fetch "http://open.test/form/tags/$word_url")"

echo "== White list, Monday 09:00: only school.test"
"$policy" 1 --black --url games.test --internet 1:8-11
"$policy" 2 --white --allow school.test --word jogatina --internet 1:8-11 --active
enact_at "$monday_0900"
e2e_expect passed http://school.test/ https://school.test/
e2e_expect blocked http://open.test/ https://open.test/

echo "== ... other ports of public addresses are refused, for every user but squid's"
e2e_expect refused http://other.test:8000/ "http://[$E2E_PUBLIC6]:8000/"
E2E_CLIENT="${user[*]}" e2e_expect refused http://other.test:8000/
E2E_CLIENT="${squid_user[*]}" e2e_expect passed http://other.test:8000/
probe_expect refused tcp "$E2E_PUBLIC" 8000 "${user[@]}"
probe_expect passed tcp "$E2E_PUBLIC" 53
e2e_expect passed "http://$E2E_LAN:8000/" "http://$E2E_ORIGIN:8000/"

echo "== ... a trailing dot and bare addresses get no further"
python_expect passed https://school.test./ http://school.test./
python_expect blocked https://open.test./ http://open.test./
e2e_expect blocked "http://$E2E_PUBLIC/"
E2E_CURL="-x http://127.0.0.1:3128" e2e_expect blocked "https://$E2E_PUBLIC/"

echo "== Monday 12:00: a free hour lifts the refusals; IPv6 web traffic stays refused"
enact_at "$monday_1200"
e2e_expect passed http://other.test:8000/ "http://[$E2E_PUBLIC6]:8000/" "http://$E2E_PUBLIC/" http://open.test/
probe_expect passed udp "$E2E_PUBLIC" 443
e2e_expect refused "http://[$E2E_PUBLIC6]/"

echo "== Free of Control while a white list is in force leaves squid open"
enact_at "$monday_0900"
e2e_expect refused http://other.test:8000/
set_control_mode 0
enact_at "$monday_0900"
grep -q '^http_access allow Safe_ports' /etc/squid/squid.conf && grep -q '^#http_access allow whitelist' /etc/squid/squid.conf \
    || e2e_fail "squid.conf keeps the white list in Free of Control: $(grep http_access /etc/squid/squid.conf | tr '\n' ' ')"
e2e_expect passed http://other.test:8000/
# The next reload (or a reboot) must not close every site.
/etc/init.d/squid reload >/dev/null 2>&1 </dev/null
e2e_wait '[ "$(e2e_fetch http://open.test/)" = passed ]' 15 || e2e_fail "after squid's reload in Free of Control open.test is $(e2e_fetch http://open.test/)"
e2e_expect passed http://school.test/ "http://$E2E_PUBLIC/"
set_control_mode 1

[ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed"
