#!/bin/bash
# A first install, inside scripts/sandbox with a network namespace: "cmake --install"
# changes no running service; tuvora-system install sets the administrator password
# from a file or from the terminal, refuses one that the password dialog could never
# match, keeps one that is there (an empty one too), and without a terminal or a file
# says how to set one later. The installed log settings fit the settings dialog.
#   first_install.sh BUILD_DIR
set -uo pipefail
build=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
[ "${TUVORA_SANDBOX_NET:-}" = inside ] || { echo "run me through scripts/sandbox with TUVORA_SANDBOX_NET=1" >&2; exit 2; }
config=/etc/tuvora/policyConfig.xml
# The password as a reader of the XML sees it, or "(none)" without the element.
password() {
    python3 -c 'import sys, xml.etree.ElementTree as t
e = t.parse(sys.argv[1]).getroot().find("Password")
print("(none)" if e is None else e.text or "")' "$config"
}

echo "== cmake --install changes no service"
cmake --install "$build" >/tmp/install.log 2>&1 || { cat /tmp/install.log; fail "cmake --install failed"; }
[ -s /var/log/tuvora-sandbox/init.log ] && fail "cmake --install ran init scripts: $(cat /var/log/tuvora-sandbox/init.log)"
templates=$(sed -n 's#^-- Installing: \(.*\)/tuvora-system$#\1#p' /tmp/install.log)
[ -x "$templates/tuvora-system" ] || { fail "tuvora-system was not installed"; exit 1; }
system() { "$templates/tuvora-system" "$@"; }
# invoke-rc.d must start nothing from here on.
rm -f /usr/sbin/policy-rc.d
printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod 755 /usr/sbin/policy-rc.d

echo "== the installed log settings fit the settings dialog"
template=$templates/etc/tuvora/policyConfig.xml
python3 - "$template" <<'CHECK' || fail "the installed defaults are out of the dialog's ranges"
import sys, xml.etree.ElementTree as t
log = t.parse(sys.argv[1]).getroot().find("Log")
ranges = {"LogSize": (0, 99), "ShotInterval": (1, 99), "MaxAllowedShots": (0, 2000)}
bad = [(e.tag, e.text) for e in log.iter() if e.tag in ranges
       and not ranges[e.tag][0] <= int(e.text) <= ranges[e.tag][1]]
for tag, value in bad:
    print(tag, value)
sys.exit(1 if bad or log.find("ApplicationsLog/LogSize") is None else 0)
CHECK

echo "== a password from a file, and from the file the package's variable names"
rm -rf /etc/tuvora
printf 's3cr&t <x>\n' > /tmp/password
system install --password-file /tmp/password "$templates" </dev/null || fail "install with a password file failed"
[ "$(password)" = 's3cr&t <x>' ] || fail "password from the file: $(password)"
[ "$(stat -c %a "$config")" = 600 ] || fail "policyConfig.xml mode $(stat -c %a "$config")"
rm -rf /etc/tuvora
echo 'pkg' > /tmp/password
TUVORA_PASSWORD_FILE=/tmp/password system install "$templates" </dev/null || fail "install with TUVORA_PASSWORD_FILE failed"
[ "$(password)" = pkg ] || fail "password from TUVORA_PASSWORD_FILE: $(password)"

echo "== asked on a terminal, twice, until both entries agree (unless Debian's installs are unattended)"
rm -rf /etc/tuvora
printf 'abc\nabd\nabc\nabc\n' |
    env -u DEBIAN_FRONTEND script -qec "$templates/tuvora-system install $templates" /dev/null >/tmp/terminal.log 2>&1 ||
    fail "install on a terminal failed: $(cat /tmp/terminal.log)"
[ "$(password)" = abc ] || fail "password from the terminal: $(password)"
grep -q 'differ' /tmp/terminal.log || fail "differing entries were not asked again"
rm -rf /etc/tuvora
echo abc | DEBIAN_FRONTEND=noninteractive script -qec "$templates/tuvora-system install $templates" /dev/null >/dev/null 2>&1
[ "$(password)" = '(none)' ] || fail "an unattended install asked: $(password)"

echo "== a password the dialog could never match stops the install"
for refused in abcdefghijklmn '   '; do
    rm -rf /etc/tuvora
    printf '%s\n' "$refused" > /tmp/password
    system install --password-file /tmp/password "$templates" </dev/null 2>/dev/null && fail "'$refused' was taken"
    [ "$(password)" = '(none)' ] || fail "'$refused' was stored"
done

echo "== without a terminal or a file: a warning, and the next install asks again"
rm -rf /etc/tuvora
system install "$templates" </dev/null 2>/tmp/warning.log || fail "install without a password failed"
grep -q 'no administrator password is set' /tmp/warning.log || fail "no warning: $(cat /tmp/warning.log)"
[ "$(password)" = '(none)' ] || fail "a password was invented: $(password)"
echo later > /tmp/password
system install --password-file /tmp/password "$templates" </dev/null || fail "the second install failed"
[ "$(password)" = later ] || fail "the second install did not set the password: $(password)"

echo "== a password that is there is kept, an empty one too; tuvora-system password changes it"
printf '<TuvoraConfig>\n    <Password></Password>\n    <Type>0</Type>\n</TuvoraConfig>\n' > "$config"
system install --password-file /tmp/password "$templates" </dev/null || fail "an upgrade failed"
[ "$(password)" = '' ] || fail "an empty password was replaced: $(password)"
echo 'changed' | system password --password-file - || fail "tuvora-system password failed"
[ "$(password)" = changed ] || fail "tuvora-system password: $(password)"
[ "$(grep -c '<Password>' "$config")" = 1 ] || fail "more than one password element: $(cat "$config")"
grep -q '<Type>0</Type>' "$config" || fail "the other settings were lost"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
