#!/bin/bash
# Runs the enactpolicy benchmark inside the sandbox (stub init scripts, private /etc,
# /usr, /opt, /var and /tmp). Arguments go to bench_enactpolicy: [RUNS] [--literal].
#
#   bench/enactpolicy/run.sh BUILD_DIR [RUNS] [--literal]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [RUNS] [--literal]}" && pwd)
shift
exec "$top/scripts/sandbox" "$build/bench/enactpolicy/bench_enactpolicy" "$@"
