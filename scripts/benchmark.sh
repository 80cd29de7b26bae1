#!/usr/bin/env bash
# Builds the benchmark into build-bench/ (or $BUILD_DIR) and runs it; arguments go to it
# (--quick for a short run). Prints the report; docs/benchmarks.md keeps the last full one.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
build=${BUILD_DIR:-build-bench}
configure_and_build "$build" -DORVENA_BUILD_TESTS=OFF -DORVENA_BUILD_BENCHMARKS=ON >/dev/null
exec "$build/bench/orvena_bench" "$@"
