#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them. Arguments go to Google Benchmark.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$root/scripts/install-deps.sh"
configure_and_build build-release -DCMAKE_BUILD_TYPE=Release
exec "$root/build-release/bench/qx_bench" "$@"
