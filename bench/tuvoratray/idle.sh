#!/bin/bash
# What an idle tray costs: CPU time over SECONDS (60 by default) and resident memory of
# a tray in machine mode 0 with one active policy, docked into trayer on a private X
# server. Runs inside the sandbox (stub init scripts, private /etc, /var, /tmp and
# network namespace).
#
#   bench/tuvoratray/idle.sh BUILD_DIR [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-60}

if [ "${TUVORA_SANDBOX:-}" != inside ]; then
    TUVORA_SANDBOX_NET=1 exec "$top/scripts/sandbox" "$0" "$build" "$seconds"
fi

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

printf '<TuvoraConfig><Status>1</Status><Type>0</Type><Interval>5</Interval></TuvoraConfig>\n' \
    > /etc/tuvora/policyConfig.xml
"$build/tests/tools/samplepolicy" 1 "Idle bench" >/dev/null
sed -i 's|<Status>0</Status>|<Status>1</Status>|' /etc/tuvora/lists/policy_1.xml
printf '#!/bin/sh\nexit 0\n' > /usr/bin/iwatch.sh
chmod 755 /usr/bin/iwatch.sh

Xvfb :41 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=:41
sleep 1
trayer --edge top --align left --widthtype pixel --width 120 --height 28 >/dev/null 2>&1 &
pids+=($!)
sleep 1

"$build/tuvoratray/tuvoratray" >/dev/null 2>&1 &
tray=$!
pids+=("$tray")
# Start-up (the policy put back into force) is not idle time.
sleep 5

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$tray/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$tray/status")

awk -v t="$((after - before))" -v hz="$ticks" -v s="$seconds" -v rss="$rss" 'BEGIN {
    printf "idle tray over %d s: %.2f s CPU (%.3f %% of one core), resident memory %.1f MiB\n",
        s, t / hz, 100 * t / hz / s, rss / 1024 }'
