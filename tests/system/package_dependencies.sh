#!/bin/bash
# The Debian package's dependencies are decisions kept in cmake/package-dependencies.txt:
# the package states exactly those lists, the README's install section names each
# package, and every library the programs link comes from a package named there.
#   package_dependencies.sh SOURCE_DIR BUILD_DIR [ELF FILE...]
set -uo pipefail
src=$1
build=$2
shift 2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The list kept in the repository: "section package-expression" lines.
listed() { # SECTION
    awk -v section="[$1]" '
        /^\[/ { inside = ($1 == section); next }
        inside && NF && $1 !~ /^#/ {
            expression = $1
            for (i = 2; i < NF && $(i) == "|"; i += 2) expression = expression " | " $(i + 1)
            print expression
        }' "$src/cmake/package-dependencies.txt" | sort
}
# What the package states, from CPack's configuration of this build.
packaged() { # VARIABLE
    sed -n "s/^set($1 \"\\(.*\\)\")\$/\\1/p" "$build/CPackConfig.cmake" | tr ',' '\n' | sed 's/^ *//; s/ *$//' |
        grep -v '^$' | sort
}

for section in Depends Recommends; do
    variable=CPACK_DEBIAN_PACKAGE_$(echo "$section" | tr a-z A-Z)
    want=$(listed "$section")
    got=$(packaged "$variable")
    [ -n "$want" ] || fail "no $section in package-dependencies.txt"
    if [ "$want" != "$got" ]; then
        fail "the package's $section differ from package-dependencies.txt:"
        diff <(echo "$want") <(echo "$got") | sed -n 's/^</   only in the list:   /p; s/^>/   only in the package:/p' >&2
    fi
done

install_section=$(awk '/^## /{inside = ($0 ~ /^## Installing/)} inside' "$src/README.md")
while IFS= read -r expression; do
    grep -qF -- "\`$expression\`" <<<"$install_section" || fail "the README's install section does not name $expression"
done < <(listed Depends; listed Recommends)

# Every library a program or library of the suite links is a dependency: found through
# the loader's cache and dpkg's file lists, which know the /usr paths of merged folders.
owner() { # SONAME
    local path real
    path=$(ldconfig -p | awk -v lib="$1" '$1 == lib && /x86-64|x32|AArch64|64bit/ { print $NF; exit }')
    [ -n "$path" ] || path=$(ldconfig -p | awk -v lib="$1" '$1 == lib { print $NF; exit }')
    [ -n "$path" ] || return 1
    real=$(readlink -f "$path")
    for candidate in "$path" "$real" "/usr$path" "/usr$real"; do
        dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1 && return 0
    done
    return 1
}
depends=" $(listed Depends | tr '\n|' '  ') "
# The suite's own libraries, by name without the version.
ours=" $(for elf in "$@"; do name=$(basename "$elf"); echo "${name%%.so*}"; done | tr '\n' ' ') "
[ $# -gt 0 ] || fail "no program given to look at"
for elf in "$@"; do
    for soname in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        case "$ours" in *" ${soname%%.so*} "*) continue ;; esac
        package=$(owner "$soname") || { fail "$(basename "$elf") links $soname, which no package provides"; continue; }
        case "$depends" in *" $package "*) ;; *) fail "$(basename "$elf") links $soname from $package, not a dependency" ;; esac
    done
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
