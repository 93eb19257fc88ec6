#!/bin/bash
# End to end, the Debian package: built with CPack from this build, installed with dpkg
# on a machine whose squid still has its own configuration, it must filter (squid and
# the filter started from what the package put in place, a policy put into force by the
# installed enactpolicy); removed, it must give squid and e2guardian their own
# configuration back.
#   package.sh BUILD_DIR    (inside scripts/sandbox with TUVORA_SANDBOX_NET=1)
set -uo pipefail
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/harness.sh"
build=$1
e2e_check_sandbox

echo "== cpack -G DEB"
cpack -G DEB -B /tmp/package --config "$build/CPackConfig.cmake" >/tmp/cpack.log 2>&1 || { cat /tmp/cpack.log; exit 1; }
deb=$(ls /tmp/package/tuvora_*.deb)
dpkg-deb -f "$deb" Depends | grep -q 'e2guardian' || e2e_fail "the package does not depend on e2guardian"

# The machine before: squid's own configuration, no trace of the suite. Nothing may
# start a service during the install (the test starts its own, in this namespace).
printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod 755 /usr/sbin/policy-rc.d
rm -rf /etc/tuvora /etc/dansguardian /etc/init.d/dansguardian /etc/lighttpd/conf-available/50-tuvss.conf
printf 'http_port 3128\nhttp_access allow localhost\nhttp_access deny all\n' > /etc/squid/squid.conf
cp /etc/squid/squid.conf /tmp/squid.conf.own
rm -f /etc/squid/whitelist

echo "== dpkg -i"
# Desktop dependencies (kdialog, ...) may be missing on a test machine: forced. The
# administrator password comes from a file, as in an unattended install; no terminal
# is ever asked, even when the test runs from one.
echo 'e2e-secret' > /tmp/tuvora-password
TUVORA_PASSWORD_FILE=/tmp/tuvora-password dpkg -i --force-depends "$deb" </dev/null >/tmp/dpkg.log 2>&1 \
    || { cat /tmp/dpkg.log; e2e_fail "dpkg -i failed"; }
grep -q '<Password>e2e-secret</Password>' /etc/tuvora/policyConfig.xml || e2e_fail "the install did not set the password"
for path in /usr/bin/enactpolicy /usr/bin/blocking.sh /usr/bin/launcherlist /usr/local/bin/yasla \
    /etc/init.d/dansguardian /etc/tuvora/firewall.conf /etc/dansguardian/dansguardian.conf; do
    [ -e "$path" ] || e2e_fail "$path missing after the install"
done
[ "$(stat -c %a /etc/tuvora/policyConfig.xml)" = 600 ] || e2e_fail "policyConfig.xml is not root-only"
if [ -e /usr/bin/appstop ]; then
    [ "$(stat -c '%a %U' /usr/bin/appstop)" = "4755 root" ] || e2e_fail "appstop is not set-user-id root"
fi
cmp -s /etc/squid/squid.conf.before-tuvora /tmp/squid.conf.own || e2e_fail "squid's own squid.conf was not kept"

echo "== The installed suite filters"
e2e_start
"$build/tests/e2e/e2epolicy" 1 --black --url games.test --internet all --active
e2e_at "2026-12-07 09:00:00" /usr/bin/enactpolicy -1 activate 1 >/dev/null 2>&1
e2e_expect banned http://games.test/
e2e_expect refused https://games.test/
e2e_expect passed http://open.test/ https://open.test/

echo "== dpkg -r gives the machine back"
# The package's own stop is refused here (policy-rc.d) and its init script goes with it:
# the test stops the filter it started while it still can.
/etc/init.d/dansguardian stop >/dev/null 2>&1 </dev/null
dpkg -r tuvora </dev/null >/tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; e2e_fail "dpkg -r failed"; }
cmp -s /etc/squid/squid.conf /tmp/squid.conf.own || e2e_fail "squid.conf was not given back"
[ -e /etc/init.d/dansguardian ] && e2e_fail "the dansguardian service is still installed"
[ -e /usr/bin/enactpolicy ] && e2e_fail "enactpolicy is still installed"
crontab -u root -l 2>/dev/null | grep -q enactpolicy && e2e_fail "root's cron table still runs enactpolicy"
[ -e /var/lib/tuvora/e2guardian-disabled ] && e2e_fail "e2guardian's own service was not turned back on"
dpkg -P tuvora </dev/null >/dev/null 2>&1
[ -e /etc/tuvora ] && e2e_fail "purge left /etc/tuvora"

[ "$E2E_FAILURES" -eq 0 ] && echo "all checks passed"
