#!/bin/bash
# File watcher of the tray: iwatch.sh LOG DIR
# Watches DIR and everything below it and appends one line per event to LOG:
#   EVENT^PATH^DATE TIME
# with EVENT one of IN_CREATE, IN_DELETE, IN_CLOSE_WRITE (edited), IN_CLOSE_NOWRITE
# (viewed). Events on folders are left out. LOG is kept under the size in megabytes
# that the settings write to /etc/tuvora/.filelogsize (0: nothing is logged); when a
# line would pass it, the older half of the log goes.
set -u
if [ $# -ne 2 ]; then
    echo "usage: $0 LOG DIR" >&2
    exit 2
fi
log=$1
dir=$2
sizefile=${TUVORA_FILELOGSIZE:-/etc/tuvora/.filelogsize}

# One watcher per log: the tray starts one in every session.
exec 9>>"$log.lock"
flock -n 9 || exit 0

limit_bytes() {
    local mb=1
    [ -r "$sizefile" ] && read -r mb < "$sizefile"
    [[ "$mb" =~ ^[0-9]+$ ]] || mb=1
    echo $((mb * 1024 * 1024))
}

append() {
    local line=$1 limit size
    limit=$(limit_bytes)
    [ "$limit" -gt 0 ] || return 0
    size=$(stat -c %s "$log" 2>/dev/null || echo 0)
    if [ $((size + ${#line} + 1)) -gt "$limit" ]; then
        # Keep the newer half, from a line start on.
        tail -c $((limit / 2)) "$log" | sed '1d' > "$log.tmp" && mv -f "$log.tmp" "$log"
    fi
    printf '%s\n' "$line" >> "$log"
}

exec 3< <(exec inotifywait -m -r -q -e create -e delete -e close_write -e close_nowrite \
    --timefmt '%Y-%m-%d %H:%M:%S' --format '%e^%w%f^%T' "$dir" 9>&-)
watcher=$!
trap 'kill "$watcher" 2>/dev/null; exit 0' TERM INT HUP
trap 'kill "$watcher" 2>/dev/null' EXIT

while IFS= read -r -u 3 event; do
    flags=${event%%^*}
    rest=${event#*^}
    case ",$flags," in *,ISDIR,*) continue ;; esac
    for flag in ${flags//,/ }; do
        case $flag in
            CREATE | DELETE | CLOSE_WRITE | CLOSE_NOWRITE) append "IN_$flag^$rest" ;;
        esac
    done
done
