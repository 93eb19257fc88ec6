#!/bin/bash
# Runs the administration program's benchmarks inside the sandbox: the time from start
# to the shown window (under Xvfb), the time of Activate on a 100,000-domain policy, and
# the policy editor offscreen (it writes the menu description and the policy files).
#
#   bench/tuvora/run.sh BUILD_DIR [RUNS]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [RUNS]}" && pwd)
shift
"$top/scripts/sandbox" "$build/bench/tuvora/bench_tuvorastart" "$@"
QT_QPA_PLATFORM=offscreen "$top/scripts/sandbox" "$build/bench/tuvora/bench_tuvoraactivate" "$@"
QT_QPA_PLATFORM=offscreen "$top/scripts/sandbox" "$build/bench/tuvora/bench_policyeditor" "$@"
