#!/bin/bash
# launcherlist -d DIR against desktop entries made here (XDG_DATA_DIRS points at them):
# the menu.xml the policy editor reads, and its speed on a large menu.
#   launcherlist.sh LAUNCHERLIST
set -uo pipefail
launcherlist=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

entry() { # DIR ID BODY
    mkdir -p "$(dirname "$1/applications/$2")"
    printf '%s\n' "$3" > "$1/applications/$2"
}
first=$work/first
second=$work/second
entry "$second" mines.desktop $'[Desktop Entry]\nType=Application\nName=Mines\nComment=Old comment\nExec=mines-old\nCategories=Game;'
entry "$first" mines.desktop $'[Desktop Entry]\nType=Application\nName=Mines\nComment=Find the mines\nIcon=gnome-mines\nExec=gnome-mines %u\nCategories=GTK;Game;LogicGame;'
entry "$first" kde/calc.desktop $'# a comment\n[Desktop Entry]\nType=Application\nName=Calc\\sPro\nGenericName=Calculator\nExec=kcalc\nCategories=Qt;Utility;\n[Desktop Action New]\nName=Other name\nExec=other'
entry "$first" player.desktop $'[Desktop Entry]\nType=Application\nName=Player\nExec=player %F\nCategories=Audio;Player;'
entry "$first" hidden.desktop $'[Desktop Entry]\nType=Application\nName=Hidden one\nExec=hidden\nHidden=true\nCategories=Game;'
entry "$first" nodisplay.desktop $'[Desktop Entry]\nType=Application\nName=Helper\nExec=helper\nNoDisplay=true\nCategories=Utility;'
entry "$first" link.desktop $'[Desktop Entry]\nType=Link\nName=Web link\nURL=http://example.org/'
entry "$first" plain.desktop $'[Desktop Entry]\nType=Application\nName=Plain & <odd>\nExec=plain'
mkdir -p "$work/out"
XDG_DATA_DIRS=$first:$second "$launcherlist" -d "$work/out" || fail "launcherlist failed"

python3 - "$work/out/menu.xml" "$first" <<'PY' || failures=$((failures + 1))
import sys, xml.etree.ElementTree as ET
menu, first = sys.argv[1], sys.argv[2]
root = ET.parse(menu).getroot()
groups = {}
for group in root.find("Itens"):
    assert group.get("Type") == "ServiceGroup", group.get("Type")
    names = []
    for service in group.find("Itens"):
        assert service.get("Type") == "Service"
        names.append(tuple(service.findtext(k) for k in ("Name", "Description", "Icon", "Exec", "DesktopFile")))
    groups[group.findtext("Name")] = names
expected = {
    "Games": [("Mines", "Find the mines", "gnome-mines", "gnome-mines %u", first + "/applications/mines.desktop")],
    "Accessories": [("Calc Pro", "", "", "kcalc", first + "/applications/kde/calc.desktop")],
    "Multimedia": [("Player", "", "", "player %F", first + "/applications/player.desktop")],
    "Other": [("Plain & <odd>", "", "", "plain", first + "/applications/plain.desktop")],
}
if groups != expected:
    print("FAIL: menu.xml groups\n  got      %r\n  expected %r" % (groups, expected), file=sys.stderr)
    sys.exit(1)
PY

# No arguments, or a folder that cannot be written: an error, and no menu.
"$launcherlist" 2>/dev/null && fail "launcherlist without -d succeeded"
"$launcherlist" -d "$work/missing/folder" 2>/dev/null && fail "launcherlist into a missing folder succeeded"

# A school machine's menu: 3000 entries in one folder.
big=$work/big
for i in $(seq 1 3000); do
    printf '[Desktop Entry]\nType=Application\nName=App %s\nComment=Number %s\nIcon=app%s\nExec=/opt/apps/app%s --run %%U\nCategories=Education;\n' \
        "$i" "$i" "$i" "$i" > "$work/app$i.desktop"
done
mkdir -p "$big/applications" && mv "$work"/app*.desktop "$big/applications/"
start=$(date +%s%N)
XDG_DATA_DIRS=$big "$launcherlist" -d "$work/out" || fail "launcherlist on 3000 entries failed"
ms=$(( ($(date +%s%N) - start) / 1000000 ))
echo "3000 entries exported in $ms ms"
[ "$ms" -lt 5000 ] || fail "3000 entries took $ms ms"
[ "$(grep -c '<Entry Type="Service">' "$work/out/menu.xml")" = 3000 ] || fail "not every entry of the large menu was exported"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
