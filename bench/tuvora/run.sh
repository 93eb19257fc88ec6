#!/bin/bash
# Runs the policy editor benchmark offscreen inside the sandbox, where it writes the
# menu description and the policy files. Arguments go to bench_policyeditor: [RUNS].
#
#   bench/tuvora/run.sh BUILD_DIR [RUNS]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [RUNS]}" && pwd)
shift
exec "$top/scripts/sandbox" env QT_QPA_PLATFORM=offscreen "$build/bench/tuvora/bench_policyeditor" "$@"
