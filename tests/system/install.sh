#!/bin/bash
# The install, inside scripts/sandbox: a staged "cmake --install" puts every piece at its
# fixed path with its modes; tuvora-system then puts the configuration in place without
# overwriting what is there, and its remove gives squid and the blocked programs back.
#   install.sh BUILD_DIR
set -uo pipefail
build=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
[ "${TUVORA_SANDBOX:-}" = inside ] || { echo "run me through scripts/sandbox" >&2; exit 2; }
# The firewall tools, as root's search path has them; a normal user's may not.
PATH=$PATH:/usr/sbin:/sbin
stage=/tmp/stage

echo "== cmake --install into a staging folder"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/tmp/install.log 2>&1 || { cat /tmp/install.log; fail "cmake --install failed"; }
mode() { stat -c %a "$stage$1" 2>/dev/null || echo missing; }
for path in /usr/bin/blocking.sh /usr/bin/iwatch.sh /usr/local/bin/yasla /usr/bin/launcherlist \
    /usr/bin/enactpolicy /etc/init.d/dansguardian /usr/share/tuvora/system/tuvora-system; do
    [ "$(mode "$path")" = 755 ] || fail "$path: mode $(mode "$path")"
done
for program in appstop tuvora tuvoratray; do
    if grep -q "^$program:" <(cd "$build" && cmake --build . --target help 2>/dev/null | sed 's/^\.\.\. //; s/ .*//; s/$/:/'); then
        [ "$(mode /usr/bin/$program)" = 4755 ] || fail "/usr/bin/$program: mode $(mode /usr/bin/$program), not set-user-id"
    fi
done
for path in etc/tuvora/policyConfig.xml etc/tuvora/firewall.conf etc/squid/squid.conf \
    etc/dansguardian/dansguardian.conf etc/dansguardian/dansguardianf1.conf opt/tuvorass/lists/isTuvss; do
    [ -e "$stage/usr/share/tuvora/system/$path" ] || fail "template $path missing"
done
# A staged install leaves the machine's configuration to the package scripts.
[ -e "$stage/etc/tuvora" ] && fail "a staged install wrote /etc/tuvora"

echo "== tuvora-system install keeps what is there and moves squid's own configuration aside"
# invoke-rc.d must not start anything here.
rm -f /usr/sbin/policy-rc.d
printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod 755 /usr/sbin/policy-rc.d
rm -rf /etc/tuvora /etc/dansguardian
mkdir -p /etc/tuvora
echo '<TuvoraConfig><Password>kept</Password></TuvoraConfig>' > /etc/tuvora/policyConfig.xml
printf 'http_port 3128\n# squid as Debian ships it\n' > /etc/squid/squid.conf
rm -f /etc/squid/whitelist
templates=$stage/usr/share/tuvora/system
"$templates/tuvora-system" install "$templates" || fail "tuvora-system install failed"
grep -q kept /etc/tuvora/policyConfig.xml || fail "an existing policyConfig.xml was overwritten"
for dir in lists incoming snapshots; do [ -d /etc/tuvora/$dir ] || fail "/etc/tuvora/$dir missing"; done
[ "$(stat -c '%F %a %u' /var/lib/tuvora)" = "directory 755 0" ] || fail "/var/lib/tuvora is not root's own folder"
cmp -s /etc/tuvora/firewall.conf "$templates/etc/tuvora/firewall.conf" || fail "firewall.conf not installed"
cmp -s /etc/tuvora/firewall6.conf "$templates/etc/tuvora/firewall6.conf" || fail "firewall6.conf not installed"
grep -q '^http_access allow Safe_ports' /etc/squid/squid.conf && grep -q '^#http_access allow whitelist' /etc/squid/squid.conf \
    || fail "squid.conf is not the suite's"
grep -q 'as Debian ships it' /etc/squid/squid.conf.before-tuvora || fail "squid's own squid.conf was not kept aside"
[ -e /etc/squid/whitelist ] || fail "/etc/squid/whitelist missing"
grep -q "^bannedsitelist = '/etc/dansguardian/emptylist'" /etc/dansguardian/dansguardianf1.conf || fail "dansguardianf1.conf missing"
[ -e /etc/dansguardian/languages/tuvora/messages ] || fail "the block page's messages are not reachable"
[ -s /opt/tuvorass/lists/isTuvss ] && [ -e /opt/tuvorass/lists/school.xml ] || fail "policy server folder incomplete"
[ "$(readlink /etc/lighttpd/conf-enabled/50-tuvss.conf)" = ../conf-available/50-tuvss.conf ] || fail "web server folder not enabled"
# Installed a second time (an upgrade), nothing changes and no backup is overwritten.
echo "# changed by the engine" >> /etc/dansguardian/dansguardianf1.conf
"$templates/tuvora-system" install "$templates"
grep -q 'changed by the engine' /etc/dansguardian/dansguardianf1.conf || fail "an upgrade overwrote dansguardianf1.conf"
grep -q 'as Debian ships it' /etc/squid/squid.conf.before-tuvora || fail "an upgrade overwrote squid's kept configuration"

echo "== tuvora-system remove gives back squid.conf, blocked programs and root's cron table"
# A program blocked without a record of its mode (remove_modes.sh has the recorded ones),
# on a file system of its own, as a separately mounted /usr/local would be.
mount -t tmpfs -o mode=0755 tuvora-local /usr/local/sbin || fail "cannot mount a file system on /usr/local/sbin"
printf '#!/bin/sh\necho game\n' > /usr/local/sbin/e2egame.tuvora
chmod 700 /usr/local/sbin/e2egame.tuvora
ln -sfn /usr/bin/blocking.sh /usr/local/sbin/e2egame
printf '00 8 * * 1  /usr/bin/enactpolicy -1 activate 1\n55 7 * * 1  /usr/bin/touch /tmp/policyintwarning\n30 2 * * *  /usr/local/sbin/backup\n' |
    crontab -u root -
# The firewall as the tray and a policy in force leave it (twice loaded, the IPv6 set).
iptables-restore < /etc/tuvora/firewall.conf
for _ in 1 2; do
    ip6tables-restore --noflush < /etc/tuvora/firewall6.conf
    ip6tables -I OUTPUT -j tuvora-web6
done
printf '*filter\n:tuvora-rules - [0:0]\n-A tuvora-rules -p udp -m udp --dport 443 -j REJECT\nCOMMIT\n' | iptables-restore --noflush
iptables -I OUTPUT -j tuvora-rules
"$templates/tuvora-system" remove || fail "tuvora-system remove failed"
if iptables-save | grep -q -e tuvora -e REDIRECT || ip6tables-save | grep -q tuvora; then
    fail "the suite's firewall rules are still there: $(iptables-save; ip6tables-save)"
fi
grep -q 'as Debian ships it' /etc/squid/squid.conf || fail "squid.conf was not given back"
[ -e /etc/squid/squid.conf.before-tuvora ] && fail "the kept squid.conf is still lying around"
# The program blocked without a record: back, for root alone.
[ -f /usr/local/sbin/e2egame ] && [ ! -L /usr/local/sbin/e2egame ] && [ "$(stat -c %a /usr/local/sbin/e2egame)" = 700 ] \
    || fail "the blocked program was not given back"
[ "$(crontab -u root -l 2>/dev/null)" = "30 2 * * *  /usr/local/sbin/backup" ] || fail "root's cron table: $(crontab -u root -l 2>&1)"
[ -e /etc/lighttpd/conf-enabled/50-tuvss.conf ] && fail "the web server folder is still enabled"
grep -q kept /etc/tuvora/policyConfig.xml || fail "remove lost the settings"
"$templates/tuvora-system" purge
[ -e /etc/tuvora ] || [ -e /etc/dansguardian ] || [ -e /opt/tuvorass ] || [ -e /var/lib/tuvora ] && fail "purge left the suite's state"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
