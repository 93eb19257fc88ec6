# Sourced by the end-to-end tests. Runs inside scripts/sandbox with a network namespace
# (TUVORA_SANDBOX_NET=1) and the real init scripts of squid and the content filter
# (TUVORA_SANDBOX_STUBS=cron): everything started here lives in that namespace, on
# loopback addresses only, and is stopped again when the test exits.

E2E_DIR=/tmp/e2e
E2E_ORIGIN=127.0.1.1
# Domains of the tests, all served by origin.py on E2E_ORIGIN, each also written with
# a trailing dot. E2E_HOSTS: more "ADDRESS NAME..." lines for /etc/hosts.
E2E_DOMAINS=${E2E_DOMAINS:-"open.test games.test www.games.test social.test school.test lab.school.test library.test"}
E2E_HOSTS=${E2E_HOSTS:-}
# Addresses on the namespace's loopback interface where origin.py serves as well: a
# public one (documentation ranges), a LAN one, and a public IPv6 one.
E2E_PUBLIC=203.0.113.7
E2E_LAN=192.168.77.1
E2E_PUBLIC6=2001:db8::7

e2e_fail() {
    echo "FAIL: $*" >&2
    E2E_FAILURES=$((E2E_FAILURES + 1))
}
E2E_FAILURES=0

e2e_check_sandbox() {
    if [ "${TUVORA_SANDBOX:-}" != inside ] || [ "${TUVORA_SANDBOX_NET:-}" != inside ]; then
        echo "run me through scripts/sandbox with TUVORA_SANDBOX_NET=1" >&2
        exit 2
    fi
}

# Waits up to $2 seconds for the command $1.
e2e_wait() {
    local tries=$(($2 * 10))
    while [ "$tries" -gt 0 ]; do
        eval "$1" && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

e2e_listening() {
    ss -ltnH "sport = :$1" | grep -q .
}

e2e_start() {
    e2e_check_sandbox
    mkdir -p "$E2E_DIR"
    # squid and the filter switch to their own users, which only real root can do; in
    # a user namespace (a developer's run without root) the test is skipped.
    if ! chown proxy "$E2E_DIR" 2>/dev/null; then
        echo "skipped: needs root (the services switch to their own users)"
        exit 77
    fi
    chown root "$E2E_DIR"
    trap e2e_stop EXIT
    echo "$E2E_ORIGIN $E2E_DOMAINS $(printf '%s. ' $E2E_DOMAINS)" >> /etc/hosts
    [ -n "$E2E_HOSTS" ] && echo "$E2E_HOSTS" >> /etc/hosts
    ip addr add "$E2E_PUBLIC/32" dev lo
    ip addr add "$E2E_LAN/32" dev lo
    ip addr add "$E2E_PUBLIC6/128" dev lo nodad

    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=tuvora-e2e \
        -keyout "$E2E_DIR/origin.key" -out "$E2E_DIR/origin.pem" >/dev/null 2>&1
    python3 "$E2E_HERE/origin.py" "$E2E_DIR/origin.pem" "$E2E_DIR/origin.key" \
        "$E2E_ORIGIN" "$E2E_PUBLIC" "$E2E_LAN" "$E2E_PUBLIC6" >"$E2E_DIR/origin.log" 2>&1 </dev/null &
    E2E_ORIGIN_PID=$!
    e2e_wait "e2e_listening 443" 10 || { echo "origin servers did not start" >&2; cat "$E2E_DIR/origin.log"; exit 1; }

    e2e_load_firewall
    /etc/init.d/squid start >"$E2E_DIR/squid-init.log" 2>&1 </dev/null
    e2e_wait "e2e_listening 3128" 20 || { echo "squid did not start" >&2; cat "$E2E_DIR/squid-init.log"; exit 1; }
    /etc/init.d/dansguardian start >"$E2E_DIR/filter-init.log" 2>&1 </dev/null \
        || { echo "the content filter did not start" >&2; cat "$E2E_DIR/filter-init.log"; exit 1; }
}

# The web redirect and the IPv6 web rules, loaded the way the tray loads them.
e2e_load_firewall() {
    iptables-restore < /etc/tuvora/firewall.conf
    ip6tables-restore --noflush < /etc/tuvora/firewall6.conf
    ip6tables -C OUTPUT -j tuvora-web6 2>/dev/null || ip6tables -I OUTPUT -j tuvora-web6
}

# Processes of this network namespace other than this shell and its ancestors: what
# the test started. Compared by namespace, never by name, so the host's own squid or
# filter are never touched.
e2e_namespace_daemons() {
    local ours pid
    ours=$(readlink /proc/self/ns/net)
    # Outside a network namespace of the sandbox's own every daemon of the host would match.
    [ -n "$ours" ] && [ -n "${TUVORA_SANDBOX_HOST_NET:-}" ] && [ "$ours" != "$TUVORA_SANDBOX_HOST_NET" ] || return 0
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$pid" -eq $$ ] || [ "$pid" -eq "$BASHPID" ] && continue
        [ "$(readlink "/proc/$pid/ns/net" 2>/dev/null)" = "$ours" ] || continue
        case "$(cat "/proc/$pid/comm" 2>/dev/null)" in
            squid | e2guardian | python3 | lighttpd | log_file_daemon | pinger) echo "$pid" ;;
        esac
    done
}

e2e_stop() {
    local status=$?
    /etc/init.d/dansguardian stop >/dev/null 2>&1 </dev/null || true
    /etc/init.d/squid stop >/dev/null 2>&1 </dev/null || true
    [ -n "${E2E_ORIGIN_PID:-}" ] && kill "$E2E_ORIGIN_PID" 2>/dev/null
    # squid's stop returns before its last process is gone. Nothing started in this
    # namespace may outlive the test: it would keep the test's output open.
    e2e_wait "[ -z \"\$(e2e_namespace_daemons)\" ]" 10 || kill -KILL $(e2e_namespace_daemons) 2>/dev/null
    if [ "$status" -ne 0 ] || [ "$E2E_FAILURES" -ne 0 ]; then
        echo "--- squid access log"; tail -n 20 /var/log/squid/access.log 2>/dev/null
        echo "--- filter access log"; tail -n 20 /var/log/e2guardian/access.log 2>/dev/null
    fi
    if [ "$E2E_FAILURES" -ne 0 ]; then
        echo "$E2E_FAILURES check(s) failed"
        exit 1
    fi
    exit "$status"
}

# e2e_at "YYYY-MM-DD HH:MM:SS" COMMAND...: runs the command with the clock starting at
# that local time. libfaketime is loaded directly: the faketime wrapper waits for every
# process that inherited its descriptors, daemons restarted by the command included.
e2e_at() {
    local when=$1
    shift
    local library
    library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
    timeout 60 env LD_PRELOAD="$library" FAKETIME="@$when" "$@"
}

# Fetches a URL the way a browser without proxy settings does; the firewall's redirect
# sends it through the filter. Prints one word:
#   passed   the page came from the origin server
#   banned   the filter's block page
#   denied   squid refused the request (outside the white list)
#   refused  the connection was reset, refused or closed without an answer
#   other:…  anything else (a fault of the set-up, never a pass)
# E2E_CLIENT: a command to run curl under (another user); E2E_CURL: more options.
e2e_fetch() {
    local url=$1 body code rc=0 host
    host=${url#*://}
    host=${host%%/*}
    case "$host" in
        \[*\]) ;;
        *:*) host=${host%:*} ;;
    esac
    host=${host%.}
    mkdir -p "$E2E_DIR"
    body=$(mktemp "$E2E_DIR/body.XXXXXX") && chmod 666 "$body"
    code=$(env -u http_proxy -u https_proxy -u HTTP_PROXY -u HTTPS_PROXY -u ALL_PROXY -u all_proxy \
        ${E2E_CLIENT:-} curl --noproxy '' -k -s -m 10 ${E2E_CURL:-} -o "$body" -w '%{http_code}' "$url" 2>/dev/null) || rc=$?
    if [ "$rc" -eq 0 ] && grep -qF "tuvora-e2e-origin page of $host<" "$body" 2>/dev/null; then
        echo passed
    elif [ "$rc" -eq 0 ] && grep -qF "Tuvora - Access Denied" "$body"; then
        echo banned
    elif [ "$rc" -eq 0 ] && [ "$code" = 403 ]; then
        echo denied
    elif [ "$rc" -eq 7 ] || [ "$rc" -eq 35 ] || [ "$rc" -eq 52 ] || [ "$rc" -eq 56 ]; then
        echo refused
    else
        echo "other:$code/$rc"
    fi
    rm -f "$body"
}

# e2e_expect WHAT URL...: each URL must give WHAT; "blocked" accepts banned, denied
# and refused, the three ways the filter or the proxy keep a page away.
e2e_expect() {
    local want=$1 url got
    shift
    for url in "$@"; do
        got=$(e2e_fetch "$url")
        case "$want:$got" in
            blocked:banned | blocked:denied | blocked:refused) ;;
            "$want:$want") ;;
            *) e2e_fail "$url: expected $want, got $got" ;;
        esac
    done
}
