#!/bin/bash
# The tray's longest event-loop stall while the policy server is dead, in machine modes 0
# and 3, and the synchronous probe for comparison. Runs in the sandbox with a network
# namespace of its own, where the server's address leads over a veth pair into a
# namespace that has no such address and drops every packet: a host that is switched off.
#   bench/tuvoratray/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-30}
if [ "${TUVORA_SANDBOX_NET:-}" != inside ]; then
    TUVORA_SANDBOX_NET=1 exec "$top/scripts/sandbox" "$0" "$build" "$seconds"
fi
ip netns add tuvora-void
trap 'ip netns del tuvora-void' EXIT
ip link add tuvora-c type veth peer name tuvora-v
ip link set tuvora-v netns tuvora-void
ip -n tuvora-void link set tuvora-v up
ip addr add 10.77.0.2/24 dev tuvora-c
ip link set tuvora-c up
# No address resolution either: the packets leave as if the host were there.
ip neigh add 10.77.0.1 lladdr "$(ip -n tuvora-void -br link show tuvora-v | awk '{print $3}')" dev tuvora-c nud permanent
bench=$build/bench/tuvoratray/bench_networkstall
"$bench" 0 "$seconds"
"$bench" 3 "$seconds"
"$bench" 0 0 --wget
