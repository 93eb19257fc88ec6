#!/bin/bash
# The suite's outside scripts, run for real inside scripts/sandbox:
# the gate script, the squid log analyser and the file watcher.
#   outside_scripts.sh SYSTEM_SOURCE_DIR RECORDARGS
set -uo pipefail
src=$1
recordargs=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
[ "${TUVORA_SANDBOX:-}" = inside ] || { echo "run me through scripts/sandbox" >&2; exit 2; }
work=$(mktemp -d)

echo "== blocking.sh starts appstop under the blocked program's invoked name, with its arguments"
install -m 755 "$src/bin/blocking.sh" /usr/bin/blocking.sh
install -m 755 "$recordargs" /usr/bin/appstop
export RECORD_ARGS=$work/appstop.calls
ln -sfn /usr/bin/blocking.sh /usr/local/bin/mines
rm -f "$RECORD_ARGS"
(cd / && PATH=/usr/local/bin:/usr/bin:/bin mines --level 3 "two words" '$HOME')
expected=$(printf 'argv0=/usr/local/bin/mines\narg=--level\narg=3\narg=two words\narg=$HOME')
[ "$(cat "$work/appstop.calls")" = "$expected" ] || fail "gate passed on: $(cat "$work/appstop.calls")"
rm -f "$RECORD_ARGS"
/usr/local/bin/mines
[ "$(cat "$work/appstop.calls")" = "argv0=/usr/local/bin/mines" ] || fail "gate without arguments: $(cat "$work/appstop.calls")"

echo "== yasla -C: hits per host, most visited first, every line holding a '|'"
log=$work/access.log
: > "$log"
for i in $(seq 1 25); do
    for _ in $(seq 1 "$i"); do
        echo "1700000000.000 5 127.0.0.1 TCP_MISS/200 100 GET http://site$i.test/page?q=1 - HIER_DIRECT/127.0.1.1 text/html" >> "$log"
    done
done
echo "1700000000.000 5 127.0.0.1 TCP_TUNNEL/200 100 CONNECT site25.test:443 - HIER_DIRECT/127.0.1.1 -" >> "$log"
echo "1700000000.000 5 127.0.0.1 TCP_DENIED/403 100 GET http://Site24.TEST:8080/ - HIER_NONE/- text/html" >> "$log"
echo "garbage" >> "$log"
out=$("$src/bin/yasla" -C -f "$log")
[ "$(echo "$out" | grep -c '|')" = 2 ] || fail "yasla -C: expected two lines with '|', got: $out"
# What the log viewer does with it: split at '|', hits before the colon, address after.
entries=$(echo "$out" | grep '|' | tr '|' '\n' | grep -v '^$')
[ "$(echo "$entries" | wc -l)" = 25 ] || fail "yasla -C: expected 25 entries, got $(echo "$entries" | wc -l)"
[ "$(echo "$entries" | head -2 | tr '\n' ' ')" = "26:site25.test 25:site24.test " ] || fail "yasla -C: order or counts: $(echo "$entries" | head -2)"
[ "$(echo "$entries" | tail -1)" = "1:site1.test" ] || fail "yasla -C: last entry $(echo "$entries" | tail -1)"
"$src/bin/yasla" -C -f "$work/missing.log" 2>/dev/null && fail "yasla on a missing log succeeded"

echo "== iwatch.sh: the four events of the file log, one watcher per log, size limit"
watched=$work/home
mkdir -p "$watched/ana"
filelog=$work/fileslog
export TUVORA_FILELOGSIZE=$work/filelogsize
echo 1 > "$TUVORA_FILELOGSIZE"
"$src/bin/iwatch.sh" "$filelog" "$watched/" &
watcher=$!
sleep 1
# A second watcher on the same log gives way at once.
timeout 5 "$src/bin/iwatch.sh" "$filelog" "$watched/" || fail "a second watcher did not exit at once"
echo text > "$watched/ana/notes.txt"
cat "$watched/ana/notes.txt" > /dev/null
mkdir "$watched/ana/photos"
rm "$watched/ana/notes.txt"
sleep 1
for line in "IN_CREATE^$watched/ana/notes.txt^" "IN_CLOSE_WRITE^$watched/ana/notes.txt^" \
    "IN_CLOSE_NOWRITE^$watched/ana/notes.txt^" "IN_DELETE^$watched/ana/notes.txt^"; do
    grep -qF "$line" "$filelog" || fail "file log lacks $line"
done
grep -q photos "$filelog" && fail "a folder event was logged"
awk -F'^' 'NF != 3 || $3 !~ /^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]$/ { bad = 1 } END { exit bad }' "$filelog" \
    || fail "file log lines are not EVENT^PATH^DATE TIME: $(head -3 "$filelog")"
# A full log loses its older half rather than growing past the limit.
head -c 1048000 /dev/zero | tr '\0' 'x' | fold -w 99 > "$filelog"
echo again > "$watched/ana/more.txt"
sleep 1
size=$(stat -c %s "$filelog")
[ "$size" -le 1048576 ] && [ "$size" -ge 400000 ] || fail "file log size after trimming: $size"
grep -qF "IN_CREATE^$watched/ana/more.txt^" "$filelog" || fail "the newest line was lost in trimming"
# Size 0: nothing is logged.
echo 0 > "$TUVORA_FILELOGSIZE"
: > "$filelog"
echo quiet > "$watched/ana/quiet.txt"
sleep 1
[ -s "$filelog" ] && fail "a size limit of 0 still logged: $(cat "$filelog")"
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
pgrep -f "inotifywait .*$watched" >/dev/null && fail "the watcher left inotifywait running"

rm -rf "$work"
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
