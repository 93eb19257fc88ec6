#!/bin/bash
# tuvora-system remove, inside scripts/sandbox: every program that the engine blocked
# gets back the mode it had when it was moved aside, set-user-id and set-group-id bits
# included, and what was swapped since is left alone.
#   remove_modes.sh BUILD_DIR SYSTEM_SOURCE_DIR
set -uo pipefail
build=$1
src=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
[ "${TUVORA_SANDBOX:-}" = inside ] || { echo "run me through scripts/sandbox" >&2; exit 2; }
if [ "$(stat -c %u /)" != 0 ]; then
    echo "skipped: root owns no folder here (a user namespace), so nothing can be blocked"
    exit 77
fi

# invoke-rc.d must not start anything here.
printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod 755 /usr/sbin/policy-rc.d
install -m 755 "$src/bin/blocking.sh" /usr/bin/blocking.sh
bin=/opt/tuvora-remove/bin
mkdir -p "$bin" /opt/tuvora-remove/real
chmod 755 /opt/tuvora-remove "$bin"
tools="suidtool:4755 sgidtool:2755 stafftool:750 game:755"
apps=()
for tool in $tools swapped:755; do
    name=${tool%%:*}
    printf '#!/bin/sh\necho %s\n' "$name" > "$bin/$name"
    chmod "${tool#*:}" "$bin/$name"
    apps+=(--app "/usr/share/applications/$name.desktop=$name")
done
printf '#!/bin/sh\n' > /opt/tuvora-remove/real/shell
chmod 755 /opt/tuvora-remove/real/shell
sed -i 's|<Status>[0-9]*</Status>|<Status>1</Status>|' /etc/tuvora/policyConfig.xml

echo "== the engine blocks four programs and one more"
PATH=$bin:$PATH "$build/tests/e2e/e2epolicy" 1 --internet none --apps all "${apps[@]}" --enact \
    || fail "the policy was not put into force"
for tool in $tools swapped:755; do
    name=${tool%%:*}
    [ -L "$bin/$name" ] && [ "$(stat -c %a "$bin/$name.tuvora")" = 700 ] || fail "$name was not blocked"
done
# Swapped for a link to another of root's programs while it was aside.
rm -f "$bin/swapped.tuvora"
ln -s /opt/tuvora-remove/real/shell "$bin/swapped.tuvora"

echo "== tuvora-system remove gives each its own mode back"
"$src/bin/tuvora-system" remove 2>/tmp/remove.err || fail "tuvora-system remove failed"
for tool in $tools; do
    name=${tool%%:*}
    [ -f "$bin/$name" ] && [ ! -L "$bin/$name" ] && [ ! -e "$bin/$name.tuvora" ] || fail "$name was not put back"
    [ "$(stat -c %a "$bin/$name")" = "${tool#*:}" ] || fail "$name: mode $(stat -c %a "$bin/$name"), not ${tool#*:}"
    [ "$("$bin/$name")" = "$name" ] || fail "$name does not run"
done
[ "$(stat -c %a /opt/tuvora-remove/real/shell)" = 755 ] || fail "the link's target changed mode"
[ -L "$bin/swapped.tuvora" ] || fail "the swapped program was moved"
grep -q "left as it is: $bin/swapped.tuvora" /tmp/remove.err || fail "remove did not say what it left: $(cat /tmp/remove.err)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
